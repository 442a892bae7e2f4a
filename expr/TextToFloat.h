#pragma once
// Decimal text to Float80, independent of the C library's locale.
#include "expr/Float80.h"

#include <string_view>

// Accepts, with optional blanks around it: an optional sign, ASCII digits with at most one
// DecimalSeparator (at least one digit in all), then optionally "e"/"E", an optional sign
// and exponent digits (none means 0). Exponent digits are read until the exponent reaches
// 500; a digit left over makes the text invalid. Overflow is rejected, underflow gives a
// denormal or 0. Fails with EConvertError "'<Text>' is not a valid floating point value".
Float80 TextToFloat(std::u16string_view Text, char16_t DecimalSeparator);
