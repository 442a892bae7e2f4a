#pragma once
// Numbers written so that they read back exactly, bit for bit, as a document keeps the points of
// a data set. A value is written as the shortest decimal of at most 17 significant digits that
// one correctly rounded multiplication or division reads back as the value (what a data file
// gave is mostly that short: "0.1", "12.5", "-3e-07"; the power of ten that scales the digits
// must be exact, 10^-27 to 10^27), and in hexadecimal otherwise
// ("0x8.ccccccccccccccdp-3": the 64-bit significand from its leading four bits, then the power
// of two), which is exact for every long double, subnormals included. -0 is "-0".
//
// Reading takes either form: a decimal by the data files' rule (ReadDataNumber, "." as the
// decimal mark, correctly rounded), a hexadecimal one of at most 16 significant digits exactly.
#include "expr/Float80.h"

#include <string>
#include <string_view>

// The text of a finite Value.
std::string ExactNumberText(Float80 Value);

// False when Text is no finite number of either form.
bool ReadExactNumber(std::string_view Text, Float80& Value);
