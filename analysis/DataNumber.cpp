#include "analysis/DataNumber.h"

#include "expr/AsciiCase.h"
#include "expr/CharClass.h"
#include "expr/DecimalValue.h"

#include <cmath>

namespace
{
// The exponent is read up to this bound: a field holds at most a few million digits, so a
// larger exponent gives the same overflow or 0 as the bound.
constexpr long ExponentCap = 100'000'000;

struct TNumberParts
{
    bool Negative = false;
    std::string_view IntDigits, FracDigits;
    long Exponent = 0;
};

bool Split(std::string_view s, char DecimalMark, TNumberParts& Parts)
{
    size_t i = 0;
    const size_t n = s.size();
    auto DigitRun = [&]
    {
        const size_t Start = i;
        while (i < n && IsAsciiDigit(s[i]))
            ++i;
        return s.substr(Start, i - Start);
    };
    if (i < n && (s[i] == '+' || s[i] == '-'))
        Parts.Negative = s[i++] == '-';
    Parts.IntDigits = DigitRun();
    if (i < n && (s[i] == '.' || s[i] == DecimalMark))
    {
        ++i;
        Parts.FracDigits = DigitRun();
    }
    if (Parts.IntDigits.empty() && Parts.FracDigits.empty())
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E'))
    {
        ++i;
        bool NegativeExponent = false;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            NegativeExponent = s[i++] == '-';
        const std::string_view Digits = DigitRun();
        if (Digits.empty())
            return false;
        for (char c : Digits)
            if ((Parts.Exponent = Parts.Exponent * 10 + (c - '0')) >= ExponentCap)
            {
                Parts.Exponent = ExponentCap;
                break;
            }
        if (NegativeExponent)
            Parts.Exponent = -Parts.Exponent;
    }
    return i == n;
}

} // namespace

bool ReadDataNumber(std::string_view Field, char DecimalMark, Float80& Value)
{
    TNumberParts Parts;
    if (!Split(Field, DecimalMark, Parts))
        return false;
    const Float80 Magnitude = DecimalValue(Parts.IntDigits, Parts.FracDigits, Parts.Exponent);
    if (!std::isfinite(Magnitude))
        return false;
    Value = Parts.Negative ? -Magnitude : Magnitude;
    return true;
}

bool IsMissingDataField(std::string_view Field)
{
    if (Field.empty() || Field == "-" || Field == "?")
        return true;
    return EqualsAsciiCase(Field, "nan");
}
