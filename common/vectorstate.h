// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The x86-64 vector registers' state, which decides the speed of our arithmetic. Some libraries
// a Qt program loads use AVX and leave the upper halves of the vector registers in use; on many
// CPUs every SSE instruction after that pays a transition penalty or a false dependency, and the
// models step ten times slower than alone. Both remedies here cost nothing elsewhere: they do
// nothing on CPUs without AVX and on other architectures.
#pragma once

// Marks a numeric hot spot to be built twice on x86-64: for AVX, chosen when the program is
// loaded on CPUs that have it, and for any x86-64. The AVX build encodes the same operations
// (no fused multiply-add) in the VEX form, which pays no penalty, and gives the same results.
// (GCC on ELF only: the choice is made by an indirect function, which other object formats such
// as Windows' PE lack, and clang 14 fails to link member functions built this way.)
#if defined(__x86_64__) && defined(__ELF__) && defined(__GNUC__) && !defined(__clang__)
#define PENDULUM_HOT_NUMERICS __attribute__((target_clones("avx", "default")))
#endif
#ifndef PENDULUM_HOT_NUMERICS
#define PENDULUM_HOT_NUMERICS
#endif

// Marks the upper halves of the vector registers unused, where the CPU has AVX: called at the
// start of each event handler, before the handler's own arithmetic.
void clearUpperVectorState();
