// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Catching the typed run-time errors in tests, and a double's bits for exact comparison.
#pragma once

#include "runtimeerror.h"

#include <cstdint>
#include <cstring>
#include <optional>

// The bit pattern of a double (std::bit_cast, which Emscripten's C++ library lacks).
inline std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The kind of run-time error the call raises, if any.
template <typename F> std::optional<ErrorKind> errorOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.kind();
    }
    return std::nullopt;
}
