// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The constant both simulators use for pi: a 15-digit decimal, not the full double value.
#pragma once

inline constexpr double kPi = 3.14159265358979;
