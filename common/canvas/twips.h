// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Layout lengths are designed in twips; at 15 twips a pixel they become logical pixels, which
// Qt scales to the screen's device pixels. A canvas's default scale is in twips too.
#pragma once

#include <QRect>

constexpr int kTwipsPerPixel = 15;

// A length in twips as whole logical pixels, to the nearest.
constexpr int twips(int length) { return (2 * length + kTwipsPerPixel) / (2 * kTwipsPerPixel); }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
