#pragma once
// The value of a decimal number given by its digits, correctly rounded to Float80 (to nearest,
// ties to even) whatever the process locale: the one conversion behind the evaluator's number
// texts (TextToFloat) and the numbers of data files (analysis/DataNumber), which read the
// digits by their own rules.
//
// IntDigits and FracDigits hold ASCII digits only (either may be empty); the value is
// IntDigits.FracDigits x 10^Exponent, without a sign. Beyond the largest Float80 it is infinity,
// below the smallest a denormal or 0. Short numbers (19 significant digits, a scale within
// 10^27) take exact integer arithmetic and one rounding; all others the C library's conversion
// in the "C" locale, which rounds correctly too, so both give the same value.
#include "expr/Float80.h"

#include <array>
#include <string_view>

// 10^0 .. 10^27, each exact in Float80 (5^27 < 2^64): a product or quotient of one of them and
// an integer below 2^64 is rounded once, to the correct result.
inline constexpr int ExactPowerCount = 28;
inline constexpr std::array<Float80, ExactPowerCount> ExactPowersOfTen = []
{
    std::array<Float80, ExactPowerCount> p{};
    p[0] = 1;
    for (int i = 1; i < ExactPowerCount; ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

Float80 DecimalValue(std::u16string_view IntDigits, std::u16string_view FracDigits, long Exponent);
Float80 DecimalValue(std::string_view IntDigits, std::string_view FracDigits, long Exponent);
