// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The one procedure both simulator windows share.
#pragma once

#include <cstdint>

class Canvas;

namespace Module1 {

// Maps the world rectangle with top-left corner (x1, y1) and bottom-right corner (x2, y2) onto
// the canvas. A y2 below y1 makes y grow upwards; the axes scale independently.
void SetWorldScale(Canvas &canvas, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                   std::int16_t y2);

} // namespace Module1
