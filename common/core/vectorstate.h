// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The x86-64 vector registers' state, which decides the speed of our arithmetic. Some libraries
// a Qt program loads use AVX and leave the upper halves of the vector registers in use. Every
// SSE instruction after that then pays: Intel documents a transition penalty (Sandy Bridge to
// Broadwell) or a lasting false dependency (Skylake on), AMD about 100 cycles a transition
// (both vendors' optimisation manuals, "mixing AVX and SSE code"). An earlier machine of this
// project measured the models ten times slower inside the program than alone. The remedies
// below are kept for the CPUs documented above; what they cost and save on this project's
// machine is measured in docs/performance.md (bench/core_in_app).
#pragma once

// Marks a numeric hot spot to be built twice on x86-64: for AVX, chosen when the program is
// loaded on CPUs that have it, and for any x86-64. The AVX build encodes the same operations
// (no fused multiply-add) in the VEX form, which pays no penalty, and gives the same results.
// Only GCC on ELF builds it: the choice is made by an indirect function, which Windows' PE and
// Apple's Mach-O lack, and clang 14 fails to link member functions built this way. Elsewhere
// the step is built once, and clearUpperVectorState is the remedy.
#if defined(__x86_64__) && defined(__ELF__) && defined(__GNUC__) && !defined(__clang__)
#define PENDULUM_HOT_NUMERICS __attribute__((target_clones("avx", "default")))
#endif
#ifndef PENDULUM_HOT_NUMERICS
#define PENDULUM_HOT_NUMERICS
#endif

// Marks the upper halves of the vector registers unused, where the CPU has AVX: called at the
// start of each event handler, before the handler's own arithmetic. GCC and Clang on x86-64,
// MinGW included; not with Apple's Clang, which cannot be relied on to link the CPU check.
void clearUpperVectorState();
