#pragma once
// The numbers of data files, read from bytes (the field's text without quotes or blanks).
//
// A number is an optional sign, decimal digits with at most one decimal mark (at least one
// digit in all), then optionally "e" or "E", an optional sign and at least one exponent digit.
// The decimal mark is "." always, and "," too when DecimalMark is ','. The value is the
// decimal number correctly rounded to long double (to nearest, ties to even), of any length
// and exponent: beyond the largest long double is no number, below the smallest is a
// denormal or 0. Unlike the evaluator's number rule (expr/TextToFloat.h), which caps the
// exponent for formulas, every long double a file can hold is read.
#include "expr/Float80.h"

#include <string_view>

// False when Field is not a number as above.
bool ReadDataNumber(std::string_view Field, char DecimalMark, Float80& Value);

// A field that stands for a missing value: empty, "NaN" in any case, "-" or "?".
bool IsMissingDataField(std::string_view Field);
