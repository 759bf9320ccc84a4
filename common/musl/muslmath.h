// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Sine, cosine and arctangent computed by musl's C code, compiled into the program with the
// same floating-point rules on every target (no fused multiply-add, no x87, no fast-math), so
// that the same arguments give the same bits on Linux, on Windows and in the browser, whatever
// the processor and the C runtime. Each is within 1 ULP of the exact value.
#pragma once

extern "C" {
double musl_sin(double x);
double musl_cos(double x);
double musl_atan(double x);
}
