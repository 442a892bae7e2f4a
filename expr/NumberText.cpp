#include "expr/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// C's printf of a finite long double. Whatever locale the process runs under, the
// output consists of digits, '-', '+', 'e' and the locale's radix text.
std::string PrintC(const char* Format, int Precision, Float80 Value)
{
    std::string Out(64, '\0');
    int Length = std::snprintf(Out.data(), Out.size(), Format, Precision, Value);
    if (Length >= static_cast<int>(Out.size()))
    {
        Out.resize(Length + 1);
        std::snprintf(Out.data(), Out.size(), Format, Precision, Value);
    }
    Out.resize(std::max(Length, 0));
    return Out;
}

std::u16string NonFiniteText(Float80 Value)
{
    if (std::isnan(Value))
        return u"NAN";
    return Value < 0 ? u"-INF" : u"INF";
}

// The decimal digits and power of ten of |Value| rounded to 15 significant digits,
// Value = 0.Digits * 10^Exponent, with trailing zeros removed.
struct TDecimal
{
    std::string Digits;
    int Exponent = 0;
};

TDecimal RoundTo15Digits(Float80 Value)
{
    // d.dddddddddddddde[+-]x: the digits are the first 15 digit characters; the
    // exponent follows the 'e'.
    std::string Printed = PrintC("%.*Le", 14, std::fabs(Value));
    TDecimal Result;
    size_t At = 0;
    for (; At < Printed.size() && Printed[At] != 'e'; ++At)
        if (IsDigit(Printed[At]))
            Result.Digits += Printed[At];
    Result.Exponent = std::stoi(Printed.substr(At + 1)) + 1;
    while (Result.Digits.size() > 1 && Result.Digits.back() == '0')
        Result.Digits.pop_back();
    return Result;
}

void AppendAscii(std::u16string& Out, std::string_view Text)
{
    for (char c : Text)
        Out += static_cast<char16_t>(c);
}
} // namespace

std::u16string FormatGeneral15(Float80 Value, char16_t Sep)
{
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    if (Value == 0)
        return u"0";
    const TDecimal d = RoundTo15Digits(Value);
    const int Count = static_cast<int>(d.Digits.size());
    std::u16string Out;
    if (Value < 0)
        Out += u'-';
    if (d.Exponent >= -3 && d.Exponent <= 15)
    {
        if (d.Exponent <= 0)
        {
            Out += u'0';
            Out += Sep;
            Out.append(-d.Exponent, u'0');
            AppendAscii(Out, d.Digits);
            return Out;
        }
        AppendAscii(Out, std::string_view(d.Digits).substr(0, std::min(Count, d.Exponent)));
        if (Count < d.Exponent)
            Out.append(d.Exponent - Count, u'0');
        else if (Count > d.Exponent)
        {
            Out += Sep;
            AppendAscii(Out, std::string_view(d.Digits).substr(d.Exponent));
        }
        return Out;
    }
    Out += static_cast<char16_t>(d.Digits[0]);
    if (Count > 1)
    {
        Out += Sep;
        AppendAscii(Out, std::string_view(d.Digits).substr(1));
    }
    Out += u'E';
    AppendAscii(Out, std::to_string(d.Exponent - 1));
    return Out;
}

std::u16string FormatFixed(Float80 Value, int Decimals, char16_t Sep)
{
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    const std::string Printed = PrintC("%.*Lf", std::clamp(Decimals, 0, 18), Value);
    // Digits and '-' pass; the radix text, however many bytes the locale makes it,
    // becomes the one separator.
    std::u16string Out;
    bool InRadix = false;
    for (char c : Printed)
    {
        const bool Plain = IsDigit(c) || c == '-';
        if (Plain)
            Out += static_cast<char16_t>(c);
        else if (!InRadix)
            Out += Sep;
        InRadix = !Plain;
    }
    return Out;
}

std::u16string FormatFixedHead(Float80 Value, int Decimals, char16_t Sep, size_t MaxChars)
{
    // Past 10^24 a value is a whole number, so its fixed text is its exact integer digits
    // and the zero decimals. The digits are taken from the scientific form rounded to
    // Guard more places than needed: rounding can reach the head only through a run of
    // nines that becomes a run of zeros, and then the whole text is written after all.
    constexpr size_t Guard = 24;
    const bool Long = std::isfinite(Value) && std::fabs(Value) >= 1e24L;
    if (Long && MaxChars + Guard < 4000)
    {
        const int Precision = static_cast<int>(MaxChars + Guard);
        const std::string Printed = PrintC("%.*Le", Precision, Value);
        const size_t E = Printed.find('e');
        std::string Digits;
        for (size_t i = 0; i < E; ++i)
            if (IsDigit(Printed[i]))
                Digits += Printed[i];
        const long IntegerDigits = std::strtol(Printed.c_str() + E + 1, nullptr, 10) + 1;
        const size_t Sign = Value < 0 ? 1 : 0;
        const bool Exact = Digits.find_first_not_of('0', MaxChars) != std::string::npos;
        if (Exact && static_cast<size_t>(IntegerDigits) > Digits.size())
        {
            std::u16string Out = Sign ? u"-" : u"";
            AppendAscii(Out, std::string_view(Digits).substr(0, MaxChars));
            Out.resize(MaxChars);
            return Out;
        }
    }
    std::u16string Out = FormatFixed(Value, Decimals, Sep);
    if (Out.size() > MaxChars)
        Out.resize(MaxChars);
    return Out;
}
