// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Catching the typed run-time errors in tests, a double's bits for exact comparison, and how long
// a test waits for what the program does by itself.
#pragma once

#include "runtimeerror.h"

#include <cstdint>
#include <cstring>
#include <optional>

// How long a test waits, at most, for what the program does in its own time (a tick, a frame, a
// dialog): far longer than that takes on a machine whose cores are busy with something else, so
// that only a fault meets the limit. (QTRY_*'s own default is 5 s.)
constexpr int kPatienceMs = 60'000;

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
