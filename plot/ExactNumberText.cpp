#include "plot/ExactNumberText.h"

#include "analysis/DataNumber.h"
#include "expr/DecimalValue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
// The powers of ten exact in long double (expr/DecimalValue.h) keep the digits' value exact.
constexpr int ExactPowers = ExactPowerCount;
const auto& PowersOfTen = ExactPowersOfTen;
constexpr int MaxDigits = 17;

constexpr char HexDigits[] = "0123456789abcdef";

// Digits (no leading or trailing zeros) times 10^-Scale, in plain or scientific notation,
// whichever is shorter: 1500, 0.00025, 1.5e-09, 1.2345e+30.
std::string DecimalText(bool Negative, const std::string& Digits, int Scale)
{
    const int Length = int(Digits.size());
    const int Point = Length - Scale; // where the decimal point goes among the digits
    std::string Plain;
    if (Point >= Length)
        Plain = Digits + std::string(size_t(Point - Length), '0');
    else if (Point > 0)
        Plain = Digits.substr(0, size_t(Point)) + '.' + Digits.substr(size_t(Point));
    else
        Plain = "0." + std::string(size_t(-Point), '0') + Digits;
    std::string Scientific = Digits.substr(0, 1);
    if (Length > 1)
        Scientific += '.' + Digits.substr(1);
    const int Exponent = Point - 1;
    const std::string e = std::to_string(std::abs(Exponent));
    Scientific += (Exponent < 0 ? "e-" : "e+") + std::string(e.size() < 2 ? "0" : "") + e;
    return (Negative ? "-" : "") + (Scientific.size() < Plain.size() ? Scientific : Plain);
}

// Whether the P-digit decimal nearest Magnitude (> 0, finite; Order its decimal exponent) reads
// back as Magnitude by one rounding: n * 10^-Scale with n exact. Up to 17 digits the scaled
// product is off by far less than a half unit, so n is the nearest; its check is exact anyway.
bool DecimalOf(Float80 Magnitude, int Order, int P, uint64_t& Digits, int& Scale)
{
    const int s = P - 1 - Order;
    if (s <= -ExactPowers || s >= ExactPowers)
        return false;
    const Float80 Scaled = s >= 0 ? Magnitude * PowersOfTen[size_t(s)] : Magnitude / PowersOfTen[size_t(-s)];
    if (!(Scaled >= 0.5L && Scaled < 1e18L))
        return false;
    // To the nearest integer in one instruction (nearbyint would save and restore the
    // floating-point environment each time).
    const Float80 n = __builtin_rintl(Scaled);
    if (n < 1 || (s >= 0 ? n / PowersOfTen[size_t(s)] : n * PowersOfTen[size_t(-s)]) != Magnitude)
        return false;
    Digits = uint64_t(n);
    Scale = s;
    return true;
}

// The fewest digits (at most MaxDigits) that read back as Magnitude: when the most do, a
// bisection finds the fewest (a nearer decimal of more digits reads back as well as a farther
// one of fewer). False when none of at most MaxDigits digits does.
bool ShortDecimal(Float80 Magnitude, std::string& Text, int& Scale)
{
    const int Order = int(std::floor(std::log10(Magnitude)));
    // The digits for which the power of ten is exact: |P - 1 - Order| < ExactPowers.
    int Low = std::max(1, Order + 2 - ExactPowers), High = std::min(MaxDigits, Order + ExactPowers);
    uint64_t Digits = 0;
    if (Low > High || !DecimalOf(Magnitude, Order, High, Digits, Scale))
        return false;
    while (Low < High)
    {
        const int Middle = (Low + High) / 2;
        uint64_t d = 0;
        int s = 0;
        if (DecimalOf(Magnitude, Order, Middle, d, s))
            High = Middle, Digits = d, Scale = s;
        else
            Low = Middle + 1;
    }
    while (Digits % 10 == 0)
        Digits /= 10, --Scale;
    Text = std::to_string(Digits);
    return true;
}

// The 64-bit significand from its leading hexadecimal digit (8 .. f once normalised) and the
// power of two that digit stands at.
std::string HexText(Float80 Value)
{
    static_assert(sizeof(Float80) >= 10);
    uint64_t Significand = 0;
    uint16_t SignAndExponent = 0;
    std::memcpy(&Significand, &Value, 8);
    std::memcpy(&SignAndExponent, reinterpret_cast<const char*>(&Value) + 8, 2);
    const int Biased = SignAndExponent & 0x7FFF;
    // Value = Significand * 2^Power; a subnormal (Biased 0) has the exponent of the least normal.
    int Power = (Biased == 0 ? 1 : Biased) - 16383 - 63;
    while (!(Significand >> 63))
        Significand <<= 1, --Power;
    std::string Out = (SignAndExponent & 0x8000) ? "-0x" : "0x";
    Out += HexDigits[Significand >> 60];
    std::string Fraction;
    for (int Shift = 56; Shift >= 0; Shift -= 4)
        Fraction += HexDigits[(Significand >> Shift) & 0xF];
    while (!Fraction.empty() && Fraction.back() == '0')
        Fraction.pop_back();
    if (!Fraction.empty())
        Out += '.' + Fraction;
    Out += Power + 60 < 0 ? "p" : "p+";
    Out += std::to_string(Power + 60);
    return Out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// [-]0x H [. H...] p [+-] D...: at most 16 significant hexadecimal digits, so the significand
// is exact and one scaling by a power of two gives the value.
bool ReadHex(std::string_view Text, Float80& Value)
{
    size_t i = 0;
    const bool Negative = !Text.empty() && Text[0] == '-';
    if (Negative)
        ++i;
    if (Text.substr(i, 2) != "0x" && Text.substr(i, 2) != "0X")
        return false;
    i += 2;
    uint64_t Significand = 0;
    int Significant = 0, FractionDigits = 0, Digits = 0;
    bool Point = false;
    for (; i < Text.size(); ++i)
    {
        if (Text[i] == '.' && !Point)
        {
            Point = true;
            continue;
        }
        const int h = HexValue(Text[i]);
        if (h < 0)
            break;
        ++Digits;
        if (Significand != 0 || h != 0)
            if (++Significant > 16)
                return false;
        Significand = Significand * 16 + uint64_t(h);
        FractionDigits += Point ? 1 : 0;
    }
    if (Digits == 0 || i >= Text.size() || (Text[i] != 'p' && Text[i] != 'P'))
        return false;
    ++i;
    const bool NegativePower = i < Text.size() && Text[i] == '-';
    if (i < Text.size() && (Text[i] == '-' || Text[i] == '+'))
        ++i;
    if (i >= Text.size())
        return false;
    long Power = 0;
    for (; i < Text.size(); ++i)
    {
        if (Text[i] < '0' || Text[i] > '9')
            return false;
        Power = std::min(Power * 10 + (Text[i] - '0'), 1'000'000L);
    }
    Power = (NegativePower ? -Power : Power) - 4L * FractionDigits;
    const Float80 Magnitude = std::ldexp(Float80(Significand), int(Power));
    if (!std::isfinite(Magnitude))
        return false;
    Value = Negative ? -Magnitude : Magnitude;
    return true;
}
} // namespace

std::string ExactNumberText(Float80 Value)
{
    if (Value == 0)
        return std::signbit(Value) ? "-0" : "0";
    std::string Digits;
    int Scale = 0;
    if (ShortDecimal(std::fabs(Value), Digits, Scale))
        return DecimalText(std::signbit(Value), Digits, Scale);
    return HexText(Value);
}

bool ReadExactNumber(std::string_view Text, Float80& Value)
{
    const size_t Sign = !Text.empty() && (Text[0] == '-' || Text[0] == '+') ? 1 : 0;
    if (Text.substr(Sign, 2) == "0x" || Text.substr(Sign, 2) == "0X")
        return Text[0] != '+' && ReadHex(Text, Value);
    return ReadDataNumber(Text, '.', Value);
}
