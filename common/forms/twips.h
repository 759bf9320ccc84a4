// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Layout lengths are designed in twips; at 15 twips a pixel they become logical pixels, which
// Qt scales to the screen's device pixels.
#pragma once

#include <QRect>

constexpr int twips(int length) { return (2 * length + 15) / 30; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
