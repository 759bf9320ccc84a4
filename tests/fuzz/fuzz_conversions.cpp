// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// libFuzzer target for the text-to-number conversions: any text gives a finite number or a
// typed run-time error of the kinds the conversion may raise; nothing else, no crash.
#include "conversions.h"
#include "runtimeerror.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    try {
        const double value = Val(text);
        if (!std::isfinite(value))
            std::abort();
        // Every number CStr writes, Val reads back to 15 significant digits.
        const double back = Val(CStr(value));
        if (value != 0.0 && std::fabs(back - value) > 1e-14 * std::fabs(value))
            std::abort();
    } catch (const RuntimeError &e) {
        if (e.kind() != ErrorKind::Overflow)
            std::abort();
    }
    try {
        const double value = CDbl(text);
        if (!std::isfinite(value))
            std::abort();
    } catch (const RuntimeError &e) {
        if (e.kind() != ErrorKind::Overflow && e.kind() != ErrorKind::TypeMismatch)
            std::abort();
    }
    return 0;
}
