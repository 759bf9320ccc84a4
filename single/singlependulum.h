// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The simple pendulum: a bob on a rigid massless rod swinging about a fixed pivot at the world
// origin. Six numbers, all zero until set; the window owns one and keeps it while it is closed.
#pragma once

#include "checkeddouble.h"

class SinglePendulum {
public:
    CheckedDouble theta;     // radians from the downward vertical, positive to the right
    CheckedDouble omega;     // radians per time unit
    CheckedDouble gravity;   // world units per time unit squared
    CheckedDouble rodLength; // world units, pivot to the centre of the bob
    CheckedDouble timeStep;  // time units per tick
    CheckedDouble damping;   // share of omega removed at every step

    // One semi-implicit Euler step, angle first:
    //   theta <- dt * omega + theta
    //   omega <- (omega - ((g * sin theta) * dt) / L) * (1 - damping)
    // The damping acts once per step, not per unit of time.
    void Step();

    // Moves the bob to the click point (x, y), at rest: the rod length becomes the point's
    // distance rounded down, and theta the angle of the ray from the pivot through the point.
    void PlaceAt(float x, float y);

    struct Point {
        CheckedDouble x;
        CheckedDouble y;
    };
    // The centre of the bob with y measured downwards from the pivot.
    Point Bob() const;
};

// The parameters an error may name, by id: the member's name.
struct SingleParameterId {
    const char *id;
    CheckedDouble SinglePendulum::*member;
};
inline constexpr SingleParameterId kSingleParameterIds[] = {
    {"damping", &SinglePendulum::damping},
    {"gravity", &SinglePendulum::gravity},
    {"timeStep", &SinglePendulum::timeStep},
    {"rodLength", &SinglePendulum::rodLength}};
