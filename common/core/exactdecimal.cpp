// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The C++ standard defines the floating-point std::from_chars and std::to_chars by strtod and
// printf in the C locale, and requires them exact. Where the C++ library has them (libstdc++,
// with fast_float and Ryu inside), they are used. Emscripten's C++ library (LLVM 14's libc++)
// has none, so there the same results come from its C library, musl, whose strtod rounds
// correctly and whose printf prints exact digits; the text is checked against from_chars'
// grammar first, since strtod reads more (blanks, '+', hexadecimal).
#include "exactdecimal.h"

#include <charconv>
#include <version>

#if !defined(__cpp_lib_to_chars)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#endif

#if defined(__cpp_lib_to_chars)

DecimalRead readDecimal(const char *first, const char *last, double &value)
{
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    return {ptr, ec != std::errc::invalid_argument, ec == std::errc::result_out_of_range};
}

char *writeGeneral(char *first, char *last, double value, int precision)
{
    return std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
}

char *writeFixed(char *first, char *last, double value, int decimals)
{
    return std::to_chars(first, last, value, std::chars_format::fixed, decimals).ptr;
}

#else

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the text at p starts with word, letters in either case.
bool startsWith(const char *p, const char *last, const char *word)
{
    for (; *word != '\0'; ++p, ++word)
        if (p == last || lower(*p) != *word)
            return false;
    return true;
}

// The end of the longest "digits[.digits][e[-+]digits]" at p, or p; nonzero tells whether a
// digit of its mantissa is not zero.
const char *scanPlain(const char *p, const char *last, bool &nonzero)
{
    const char *start = p;
    std::size_t digits = 0;
    for (; p != last && isDigit(*p); ++p, ++digits)
        nonzero = nonzero || *p != '0';
    if (p != last && *p == '.')
        for (++p; p != last && isDigit(*p); ++p, ++digits)
            nonzero = nonzero || *p != '0';
    if (digits == 0)
        return start;
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q != last && (*q == '+' || *q == '-'))
            ++q;
        if (q != last && isDigit(*q)) {
            while (q != last && isDigit(*q))
                ++q;
            p = q;
        }
    }
    return p;
}

} // namespace

DecimalRead readDecimal(const char *first, const char *last, double &value)
{
    const char *p = first;
    if (p != last && *p == '-')
        ++p;
    const char *end = p;
    bool nonzero = false;
    if (startsWith(p, last, "infinity"))
        end = p + 8;
    else if (startsWith(p, last, "inf") || startsWith(p, last, "nan"))
        end = p + 3;
    else
        end = scanPlain(p, last, nonzero);
    if (end == p)
        return {first, false, false};
    const std::string text(first, end);
    const double read = std::strtod(text.c_str(), nullptr);
    const bool special = !isDigit(*p) && *p != '.';
    if (!special && (std::isinf(read) || (read == 0.0 && nonzero)))
        return {end, true, true};
    value = read;
    return {end, true, false};
}

char *writeGeneral(char *first, char *last, double value, int precision)
{
    const int n =
        std::snprintf(first, static_cast<std::size_t>(last - first), "%.*g", precision, value);
    return first + n;
}

char *writeFixed(char *first, char *last, double value, int decimals)
{
    const int n =
        std::snprintf(first, static_cast<std::size_t>(last - first), "%.*f", decimals, value);
    return first + n;
}

#endif
