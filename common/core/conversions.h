// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The conversions between field texts and numbers. Texts are UTF-8. Every conversion uses '.'
// as the decimal point and ',' as the digit-grouping separator, whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The leading number of the text, ignoring blanks, tabs and line feeds anywhere in it and
// whatever follows the number; 0 when the text has no leading number. Correctly rounded.
// Raises the overflow error for a number beyond the double range.
double Val(std::string_view text);

// The whole text as a number: optional surrounding blanks, optional sign, digits with optional
// ',' grouping, an optional '.' fraction and an optional exponent. Correctly rounded. Raises
// the type-mismatch error for any other text and the overflow error beyond the double range.
double CDbl(std::string_view text);

// The value rounded to 15 significant digits, without trailing zeros; exponent form
// ("1.74532925199433E-05") below 1E-04 and from 1E+15 in magnitude.
std::string CStr(double value);

// Rounded to the nearest integer, halves to even; the overflow error outside the 32-bit range.
std::int32_t CLng(double value);

// The largest whole number not greater than the value.
double Int(double value);

// The value in a numeric pattern of the form "#0.000000": '#'s, then the '0's that give the
// least number of integer digits, then optionally '.' and one '0' per decimal. No digit
// grouping; rounded to the decimals; a minus sign before negative values. Any other pattern is a
// programming error (std::invalid_argument).
std::string Format(double value, std::string_view pattern);

// The nearest single-precision value; the overflow error when it is beyond the float range.
float CSng(double value);
