// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Decimal text of doubles, exact both ways: reading is correctly rounded, writing gives the exact
// decimal digits of the binary value, rounded to the digits asked for. Every conversion of a
// double to or from text goes through here, so every build shows and reads the same numbers.
#pragma once

// What reading found: the end of the number read (first when none starts there), whether it
// was a number, and whether its value lies beyond the doubles (rounds to infinity, or a nonzero
// number to zero). value is set only for a number in range.
struct DecimalRead {
    const char *end = nullptr;
    bool isNumber = false;
    bool outOfRange = false;
};

// Reads the longest number at first as std::from_chars does with chars_format::general:
// "[-]digits[.digits][e[-+]digits]" (no '+', no blanks, no hexadecimal), "inf", "infinity" or
// "nan", letters in either case.
DecimalRead readDecimal(const char *first, const char *last, double &value);

// Writes the value as printf's "%.{precision}g" and "%.{decimals}f" do, and returns the end of
// the text; the buffer must hold it (400 characters hold every double in fixed form).
char *writeGeneral(char *first, char *last, double value, int precision);
char *writeFixed(char *first, char *last, double value, int decimals);
