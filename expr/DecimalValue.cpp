#include "expr/DecimalValue.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{
// Every integer of up to 19 digits is exact in Float80, so one multiplication or division by an
// exact power of ten rounds once, to the correct result.
constexpr size_t ExactDigitCount = 19;

template <typename TChar>
bool TryExact(std::basic_string_view<TChar> Int, std::basic_string_view<TChar> Frac, long Exponent,
              Float80& Value)
{
    while (!Int.empty() && Int.front() == TChar('0'))
        Int.remove_prefix(1);
    while (!Frac.empty() && Frac.back() == TChar('0'))
        Frac.remove_suffix(1);
    const long Scale = Exponent - long(Frac.size());
    if (Int.empty())
        while (!Frac.empty() && Frac.front() == TChar('0'))
            Frac.remove_prefix(1);
    if (Int.size() + Frac.size() > ExactDigitCount)
        return false;
    uint64_t Significand = 0;
    for (TChar c : Int)
        Significand = Significand * 10 + uint64_t(c - TChar('0'));
    for (TChar c : Frac)
        Significand = Significand * 10 + uint64_t(c - TChar('0'));
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

// The C library's conversion on a clean ASCII copy; short numbers need no allocation.
template <typename TChar>
Float80 LibraryConversion(std::basic_string_view<TChar> Int, std::basic_string_view<TChar> Frac,
                          long Exponent)
{
    constexpr size_t ShortLength = 128;
    char ShortBuffer[ShortLength];
    std::string LongBuffer;
    const size_t Needed = Int.size() + Frac.size() + 32;
    char* Out = ShortBuffer;
    if (Needed > ShortLength)
    {
        LongBuffer.resize(Needed);
        Out = LongBuffer.data();
    }
    char* p = Out;
    for (TChar c : Int)
        *p++ = char(c);
    if (Int.empty())
        *p++ = '0';
    *p++ = '.';
    for (TChar c : Frac)
        *p++ = char(c);
    std::snprintf(p, 24, "e%ld", Exponent);
    return strtold_l(Out, nullptr, ClassicLocale());
}

template <typename TChar>
Float80 Value(std::basic_string_view<TChar> Int, std::basic_string_view<TChar> Frac, long Exponent)
{
    Float80 Exact;
    return TryExact(Int, Frac, Exponent, Exact) ? Exact : LibraryConversion(Int, Frac, Exponent);
}
} // namespace

Float80 DecimalValue(std::u16string_view IntDigits, std::u16string_view FracDigits, long Exponent)
{
    return Value(IntDigits, FracDigits, Exponent);
}

Float80 DecimalValue(std::string_view IntDigits, std::string_view FracDigits, long Exponent)
{
    return Value(IntDigits, FracDigits, Exponent);
}
