#pragma once
// Numbers written as text for the user and for formulas. The decimal separator is
// always handed in; the C library's locale is never consulted for it.
#include "expr/Float80.h"

#include <string>

// The general form with 15 significant digits: rounded to 15 digits, trailing zeros
// dropped, fixed notation for 0.0001 <= |Value| < 10^15 and otherwise d.dddE[-]n.
// Zero (of either sign) is "0". Examples with ".": 0.05, -1.5, 2, 12.25, 1E-5, 2.5E20.
std::u16string FormatGeneral15(Float80 Value, char16_t Sep);

// Fixed notation with Decimals digits after the separator, as C's "%0.*f" writes it
// (so -0.4 with no decimals is "-0"). Decimals is clamped to 0..18.
std::u16string FormatFixed(Float80 Value, int Decimals, char16_t Sep);

// The first MaxChars characters of FormatFixed's text (all of it when shorter). A number
// of thousands of digits costs about a millisecond to write out whole; only the head a
// picture can show is worked out here, in time that grows with MaxChars.
std::u16string FormatFixedHead(Float80 Value, int Decimals, char16_t Sep, size_t MaxChars);
