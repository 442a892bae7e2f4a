#include "expr/TextToFloat.h"

#include "expr/CharClass.h"
#include "expr/DecimalValue.h"
#include "expr/Errors.h"
#include "expr/Utf16.h"

#include <cmath>

namespace
{
[[noreturn]] void RaiseInvalidText(std::u16string_view Text)
{
    throw EConvertError(Msg::Format(Msg::InvalidFloat, ToUtf8(Text)));
}

// The exponent stops being read once its value has reached this bound.
constexpr int ExponentReadLimit = 500;

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
} // namespace

Float80 TextToFloat(std::u16string_view Text, char16_t DecimalSeparator)
{
    TNumberParts Parts;
    if (!ParseNumberText(Text, DecimalSeparator, Parts))
        RaiseInvalidText(Text);
    const Float80 Value = DecimalValue(Parts.IntDigits, Parts.FracDigits,
                                       Parts.NegativeExponent ? -Parts.Exponent : Parts.Exponent);
    if (!std::isfinite(Value))
        RaiseInvalidText(Text);
    return Parts.Negative ? -Value : Value;
}
