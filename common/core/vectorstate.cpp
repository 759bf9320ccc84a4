// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Clearing the upper vector state: one VZEROUPPER, on CPUs that have AVX.
#include "vectorstate.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(__APPLE__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

const bool kHasAvx = __builtin_cpu_supports("avx");

} // namespace

void clearUpperVectorState()
{
    if (kHasAvx)
        zeroUpper();
}
#else
void clearUpperVectorState() {}
#endif
