// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Text-number conversions, locale-independent and exact (correctly rounded both ways): the
// digits themselves are read and written by exactdecimal.
#include "conversions.h"

#include "exactdecimal.h"
#include "runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a plain number "[-+]digits[.digits][e[-+]digits]" is at least 1 in magnitude, read
// from its digits alone: the decimal exponent of its leading nonzero digit is not negative.
// The exponent saturates far beyond any double, so a field's longest text cannot overflow it.
bool atLeastOne(std::string_view number)
{
    constexpr long long kSaturated = 1'000'000'000'000LL;
    std::size_t i = (number[0] == '+' || number[0] == '-') ? 1 : 0;
    long long digitsBeforePoint = 0;
    long long leading = -1; // index of the leading nonzero digit among all mantissa digits
    long long digitIndex = 0;
    bool afterPoint = false;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (leading < 0 && number[i] != '0')
            leading = digitIndex;
        ++digitIndex;
        if (!afterPoint)
            ++digitsBeforePoint;
    }
    if (leading < 0)
        return false; // zero
    long long exponent = 0;
    if (i < number.size()) {
        const bool negative = number[i + 1] == '-';
        for (std::size_t j = i + 1; j < number.size(); ++j)
            if (isDigit(number[j]))
                exponent = std::min(kSaturated, exponent * 10 + (number[j] - '0'));
        if (negative)
            exponent = -exponent;
    }
    return digitsBeforePoint - 1 - leading + exponent >= 0;
}

// Converts a plain number "[-+]digits[.digits][e[-+]digits]" (at least one digit in the
// mantissa) to the correctly rounded double, or raises the overflow error.
double parseNumber(const std::string &number)
{
    const char *first = number.data();
    const char *last = first + number.size();
    const char *start = (*first == '+') ? first + 1 : first; // the reader takes no '+'
    double value = 0.0;
    const DecimalRead read = readDecimal(start, last, value);
    if (!read.isNumber)
        throw std::logic_error("parseNumber: not a number");
    if (!read.outOfRange)
        return value;
    // Overflow and underflow are reported alike: a number of magnitude 1 or more that is out of
    // range overflowed, a smaller one rounded to zero.
    if (atLeastOne(number))
        throw RuntimeError(ErrorKind::Overflow);
    return number[0] == '-' ? -0.0 : 0.0;
}

// Scans "[-+]digits[.digits]" with at least one digit and an optional "e[-+]digits" exponent
// from text[pos], where the digits before the point may be grouped by ',' when grouping is
// allowed. Appends the number without grouping to out and returns the position after it,
// or npos when no number starts there.
std::size_t scanNumber(std::string_view text, std::size_t pos, bool grouping, std::string &out)
{
    const std::size_t n = text.size();
    std::size_t i = pos;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        out += text[i++];
        ++digits;
        if (grouping && i + 1 < n && text[i] == ',' && isDigit(text[i + 1]))
            ++i;
    }
    if (i < n && text[i] == '.') {
        out += text[i++];
        while (i < n && isDigit(text[i])) {
            out += text[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return std::string_view::npos;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            out += 'e';
            out.append(text.substr(i + 1, j - i - 1));
            while (j < n && isDigit(text[j]))
                out += text[j++];
            i = j;
        }
    }
    return i;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

double Val(std::string_view text)
{
    std::string packed;
    packed.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            packed += c;
    std::string number;
    if (scanNumber(packed, 0, false, number) == std::string_view::npos)
        return 0.0;
    return parseNumber(number);
}

double CDbl(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view body = text.substr(begin, end - begin);
    std::string number;
    const std::size_t stop = scanNumber(body, 0, true, number);
    if (stop != body.size())
        throw RuntimeError(ErrorKind::TypeMismatch);
    return parseNumber(number);
}

std::string CStr(double value)
{
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::string text(buffer, writeGeneral(buffer, buffer + sizeof buffer, value, 15));
    for (char &c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

std::int32_t CLng(double value)
{
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int32_t>(rounded);
}

double Int(double value) { return std::floor(value); }

std::string Format(double value, std::string_view pattern)
{
    std::size_t i = 0;
    while (i < pattern.size() && pattern[i] == '#')
        ++i;
    std::size_t integerDigits = 0;
    while (i < pattern.size() && pattern[i] == '0') {
        ++i;
        ++integerDigits;
    }
    int decimals = 0;
    if (i < pattern.size() && pattern[i] == '.') {
        ++i;
        while (i < pattern.size() && pattern[i] == '0') {
            ++i;
            ++decimals;
        }
    }
    if (i != pattern.size() || integerDigits + decimals == 0)
        throw std::invalid_argument("Format: unsupported pattern");

    if (value == 0.0)
        value = 0.0; // a negative zero shows as zero
    // Large enough for every finite double in fixed notation with its decimals.
    char buffer[400];
    std::string text(buffer, writeFixed(buffer, buffer + sizeof buffer, value, decimals));
    // The fixed form has at least one integer digit; a "#" pattern wants none for zero.
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    std::size_t point = text.find('.');
    if (point == std::string::npos)
        point = text.size();
    const std::size_t have = point - sign;
    if (integerDigits == 0 && have == 1 && text[sign] == '0')
        text.erase(sign, 1);
    else if (have < integerDigits)
        text.insert(sign, integerDigits - have, '0');
    return text;
}

float CSng(double value)
{
    const float single = static_cast<float>(value);
    if (std::isnan(single))
        throw RuntimeError(ErrorKind::InvalidOperation);
    if (std::isinf(single))
        throw RuntimeError(ErrorKind::Overflow);
    return single;
}
