#include "analysis/DataNumber.h"

#include "expr/AsciiCase.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{
// 10^0 .. 10^27 are exact in long double (5^27 < 2^64), and so is every integer of up to 19
// digits: one multiplication or division of the two rounds once, to the correct result.
constexpr int ExactPowerCount = 28;
constexpr int ExactDigitCount = 19;
constexpr std::array<Float80, ExactPowerCount> ExactPowersOfTen = []
{
    std::array<Float80, ExactPowerCount> p{};
    p[0] = 1;
    for (int i = 1; i < ExactPowerCount; ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// The exponent is read up to this bound: a field holds at most a few million digits, so a
// larger exponent gives the same overflow or 0 as the bound.
constexpr long ExponentCap = 100'000'000;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

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
        while (i < n && IsDigit(s[i]))
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

// Short significands with small scales: exact integer arithmetic and one rounding.
bool TryExact(const TNumberParts& Parts, Float80& Value)
{
    std::string_view Int = Parts.IntDigits, Frac = Parts.FracDigits;
    while (!Int.empty() && Int.front() == '0')
        Int.remove_prefix(1);
    while (!Frac.empty() && Frac.back() == '0')
        Frac.remove_suffix(1);
    long Scale = Parts.Exponent - long(Frac.size());
    if (Int.empty())
        while (!Frac.empty() && Frac.front() == '0')
            Frac.remove_prefix(1);
    if (Int.size() + Frac.size() > size_t(ExactDigitCount))
        return false;
    uint64_t Significand = 0;
    for (char c : Int)
        Significand = Significand * 10 + uint64_t(c - '0');
    for (char c : Frac)
        Significand = Significand * 10 + uint64_t(c - '0');
    if (Significand == 0)
    {
        Value = 0;
        return true;
    }
    if (Scale <= -ExactPowerCount || Scale >= ExactPowerCount)
        return false;
    const Float80 m = Float80(Significand);
    Value = Scale >= 0 ? m * ExactPowersOfTen[size_t(Scale)] : m / ExactPowersOfTen[size_t(-Scale)];
    return true;
}

locale_t ClassicLocale()
{
    static const locale_t Classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return Classic;
}

// The C library's conversion, correctly rounded, on a clean copy in the "C" locale.
Float80 LibraryConversion(const TNumberParts& Parts)
{
    std::string Text;
    Text.reserve(Parts.IntDigits.size() + Parts.FracDigits.size() + 16);
    Text.append(Parts.IntDigits.empty() ? std::string_view("0") : Parts.IntDigits);
    Text += '.';
    Text.append(Parts.FracDigits);
    char Exponent[24];
    std::snprintf(Exponent, sizeof Exponent, "e%ld", Parts.Exponent);
    Text += Exponent;
    return strtold_l(Text.c_str(), nullptr, ClassicLocale());
}
} // namespace

bool ReadDataNumber(std::string_view Field, char DecimalMark, Float80& Value)
{
    TNumberParts Parts;
    if (!Split(Field, DecimalMark, Parts))
        return false;
    Float80 Magnitude;
    if (!TryExact(Parts, Magnitude))
        Magnitude = LibraryConversion(Parts);
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
