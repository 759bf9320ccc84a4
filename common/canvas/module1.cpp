// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// SetWorldScale: sets the canvas's user scale from two corners.
#include "module1.h"

#include "canvas.h"

namespace Module1 {

void SetWorldScale(Canvas &canvas, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                   std::int16_t y2)
{
    canvas.setScaleLeft(x1);
    canvas.setScaleTop(y1);
    canvas.setScaleHeight(static_cast<float>(y2 - y1));
    canvas.setScaleWidth(static_cast<float>(x2 - x1));
}

} // namespace Module1
