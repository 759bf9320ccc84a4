// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// A double whose every arithmetic result is tested as it is formed: NaN raises the
// invalid-operation error, a zero divisor the division-by-zero error (0/0 is invalid), and any
// other infinity the overflow error. Underflow and inexact results pass.
//
// The tests are explicit rather than read from the floating-point status flags: the optimiser
// may move or drop the operations that set those flags, so a flag test can miss a fault.
// Writing the models in this type keeps each formula's grouping exactly as written, one checked
// operation per operator.
#pragma once

#include "muslmath.h"
#include "runtimeerror.h"

#include <cmath>

class CheckedDouble {
public:
    constexpr CheckedDouble() = default;
    constexpr CheckedDouble(double value) : m_value(value) {}

    constexpr double value() const { return m_value; }

    // Raises the error a computed result stands for; a finite result passes unchanged.
    static CheckedDouble checked(double result)
    {
        if (std::isnan(result))
            throw RuntimeError(ErrorKind::InvalidOperation);
        if (std::isinf(result))
            throw RuntimeError(ErrorKind::Overflow);
        return result;
    }

    friend CheckedDouble operator+(CheckedDouble a, CheckedDouble b)
    {
        return checked(a.m_value + b.m_value);
    }
    friend CheckedDouble operator-(CheckedDouble a, CheckedDouble b)
    {
        return checked(a.m_value - b.m_value);
    }
    friend CheckedDouble operator*(CheckedDouble a, CheckedDouble b)
    {
        return checked(a.m_value * b.m_value);
    }
    friend CheckedDouble operator/(CheckedDouble a, CheckedDouble b)
    {
        if (b.m_value == 0.0) {
            const bool indeterminate = a.m_value == 0.0 || std::isnan(a.m_value);
            throw RuntimeError(indeterminate ? ErrorKind::InvalidOperation
                                             : ErrorKind::DivisionByZero);
        }
        return checked(a.m_value / b.m_value);
    }
    friend CheckedDouble operator-(CheckedDouble a) { return -a.m_value; }

    // The same bits on every platform: sine, cosine and arctangent are musl's, carried by the
    // program, not the C runtime's; a square root is exactly rounded by every one.
    friend CheckedDouble sin(CheckedDouble a) { return checked(musl_sin(a.m_value)); }
    friend CheckedDouble cos(CheckedDouble a) { return checked(musl_cos(a.m_value)); }
    friend CheckedDouble atan(CheckedDouble a) { return checked(musl_atan(a.m_value)); }
    friend CheckedDouble sqrt(CheckedDouble a) { return checked(std::sqrt(a.m_value)); }
    // The power with exponent 2; a correctly rounded pow(a, 2) is exactly this product.
    friend CheckedDouble square(CheckedDouble a) { return a * a; }

private:
    double m_value = 0.0;
};

// a / b where b is a model parameter, or derived from parameters: a zero divisor is their
// fault, and the error names them.
inline CheckedDouble divideBy(CheckedDouble a, CheckedDouble b,
                              std::initializer_list<std::string_view> divisor)
{
    if (b.value() == 0.0)
        return blame(divisor, [&] { return a / b; });
    return a / b;
}
