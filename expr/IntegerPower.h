#pragma once
// Base^n for an integer n, rounded once: exponentiation by squaring on about 128 significant
// bits with the binary exponent kept apart, so that neither the count of steps nor the range of
// the intermediate powers costs a digit. Raises EOverflow when the result leaves the Float80
// range and EZeroDivide for a zero base with a negative n; a result below the range is 0.
#include "expr/Float80.h"

#include <cstdint>

Float80 IntegerPower(Float80 Base, std::int64_t n);
