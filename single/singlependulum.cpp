// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The simple pendulum's step and click placement.
#include "singlependulum.h"

#include "angles.h"
#include "conversions.h"
#include "vectorstate.h"

#include <cmath>

PENDULUM_HOT_NUMERICS void SinglePendulum::Step()
{
    theta = timeStep * omega + theta;
    const CheckedDouble s = sin(theta);
    omega =
        (omega - divideBy((gravity * s) * timeStep, rodLength, {"rodLength"})) * (1.0 - damping);
}

void SinglePendulum::PlaceAt(float x, float y)
{
    const CheckedDouble dx = double(x);
    const CheckedDouble dy = double(y);
    rodLength = Int(sqrt(dx * dx + dy * dy).value());

    const CheckedDouble pi = kPi;
    // The horizontal test is made in single precision: |y| against the float nearest 0.001.
    if (std::fabs(y) < 0.001f) {
        theta = x >= 0.0f ? pi / 2.0 : -(pi / 2.0);
    } else if (y > 0.0f) {
        const CheckedDouble q = dx / (-dy);
        theta = x >= 0.0f ? atan(q) + pi : atan(q) - pi;
    } else {
        theta = atan(dx / (-dy));
    }
    omega = 0.0;
}

SinglePendulum::Point SinglePendulum::Bob() const
{
    return {rodLength * sin(theta), rodLength * cos(theta)};
}
