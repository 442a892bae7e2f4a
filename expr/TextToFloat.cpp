#include "expr/TextToFloat.h"

#include "expr/CharClass.h"
#include "expr/Errors.h"
#include "expr/Utf16.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{
[[noreturn]] void RaiseInvalidText(std::u16string_view Text)
{
    throw EConvertError(Msg::Format(Msg::InvalidFloat, ToUtf8(Text)));
}

// The exponent stops being read once its value has reached this bound.
constexpr int ExponentReadLimit = 500;

// 10^0 .. 10^27 are exact in Float80 (5^27 < 2^64), so one multiplication or division by
// them rounds exactly once: the result is the correctly rounded value.
constexpr int ExactPowerCount = 28;
constexpr std::array<Float80, ExactPowerCount> ExactPowersOfTen = []
{
    std::array<Float80, ExactPowerCount> p{};
    p[0] = 1;
    for (int i = 1; i < ExactPowerCount; ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// Up to 19 decimal digits always fit an unsigned 64-bit integer, and every such integer
// is exact in Float80.
constexpr int ExactDigitCount = 19;

// The pieces of a valid number text, as positions in it.
struct TNumberParts
{
    bool Negative = false;
    std::u16string_view IntDigits;
    std::u16string_view FracDigits;
    bool NegativeExponent = false;
    int Exponent = 0;
};

bool ParseNumberText(std::u16string_view Text, char16_t DecimalSeparator, TNumberParts& Parts)
{
    size_t i = 0;
    const size_t n = Text.size();
    auto AtDigit = [&] { return i < n && IsAsciiDigit(Text[i]); };
    auto DigitRun = [&]
    {
        size_t Start = i;
        while (AtDigit())
            ++i;
        return Text.substr(Start, i - Start);
    };

    while (i < n && IsBlank(Text[i]))
        ++i;
    if (i < n && (Text[i] == u'+' || Text[i] == u'-'))
        Parts.Negative = Text[i++] == u'-';
    Parts.IntDigits = DigitRun();
    if (i < n && Text[i] == DecimalSeparator)
    {
        ++i;
        Parts.FracDigits = DigitRun();
    }
    if (Parts.IntDigits.empty() && Parts.FracDigits.empty())
        return false;
    if (i < n && (Text[i] == u'e' || Text[i] == u'E'))
    {
        ++i;
        if (i < n && (Text[i] == u'+' || Text[i] == u'-'))
            Parts.NegativeExponent = Text[i++] == u'-';
        while (AtDigit() && Parts.Exponent < ExponentReadLimit)
            Parts.Exponent = Parts.Exponent * 10 + (Text[i++] - u'0');
    }
    while (i < n && IsBlank(Text[i]))
        ++i;
    return i == n;
}

// Short mantissas with small exponents: exact integer arithmetic and one rounding.
bool TryExactConversion(const TNumberParts& Parts, Float80& Value)
{
    if (Parts.IntDigits.size() + Parts.FracDigits.size() > ExactDigitCount)
        return false;
    uint64_t Mantissa = 0;
    for (char16_t c : Parts.IntDigits)
        Mantissa = Mantissa * 10 + (c - u'0');
    for (char16_t c : Parts.FracDigits)
        Mantissa = Mantissa * 10 + (c - u'0');
    int Scale = (Parts.NegativeExponent ? -Parts.Exponent : Parts.Exponent) - int(Parts.FracDigits.size());
    if (Scale <= -ExactPowerCount || Scale >= ExactPowerCount)
        return false;
    Float80 m = Float80(Mantissa);
    Value = Scale >= 0 ? m * ExactPowersOfTen[Scale] : m / ExactPowersOfTen[-Scale];
    return true;
}

locale_t ClassicLocale()
{
    static const locale_t Classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return Classic;
}

// Everything else goes to the C library, whose conversion is correctly rounded, on a
// cleaned ASCII copy in the "C" locale.
Float80 LibraryConversion(const TNumberParts& Parts)
{
    constexpr size_t ShortLength = 128;
    char ShortBuffer[ShortLength];
    std::string LongBuffer;
    const size_t Needed = Parts.IntDigits.size() + Parts.FracDigits.size() + 16;
    char* Out = ShortBuffer;
    if (Needed > ShortLength)
    {
        LongBuffer.resize(Needed);
        Out = LongBuffer.data();
    }
    char* p = Out;
    for (char16_t c : Parts.IntDigits)
        *p++ = char(c);
    if (Parts.IntDigits.empty())
        *p++ = '0';
    *p++ = '.';
    for (char16_t c : Parts.FracDigits)
        *p++ = char(c);
    *p++ = 'e';
    if (Parts.NegativeExponent)
        *p++ = '-';
    p += snprintf(p, 8, "%d", Parts.Exponent);
    *p = '\0';
    return strtold_l(Out, nullptr, ClassicLocale());
}
} // namespace

Float80 TextToFloat(std::u16string_view Text, char16_t DecimalSeparator)
{
    TNumberParts Parts;
    if (!ParseNumberText(Text, DecimalSeparator, Parts))
        RaiseInvalidText(Text);
    Float80 Value;
    if (!TryExactConversion(Parts, Value))
        Value = LibraryConversion(Parts);
    if (!std::isfinite(Value))
        RaiseInvalidText(Text);
    return Parts.Negative ? -Value : Value;
}
