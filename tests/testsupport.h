// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Catching the typed run-time errors in tests.
#pragma once

#include "runtimeerror.h"

#include <optional>

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
