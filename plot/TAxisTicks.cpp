#include "plot/TAxisTicks.h"

#include "expr/NumberText.h"
#include "plot/QtText.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace
{
constexpr Float80 Pi = std::numbers::pi_v<Float80>;
// A step a rounding error short of the one asked for still gives the asked divisions.
constexpr Float80 StepSlack = 1e-12L;
// How far outside the view, in steps, a multiple still counts as a bound's own line.
constexpr Float80 BoundSlack = 1e-6L;
// Pi steps are counted in whole multiples below this; farther from 0 a pi axis goes round.
constexpr Float80 MaxPiMultiple = 1e15L;

Float80 Pow10(Float80 Exponent)
{
    return std::pow(Float80(10), Exponent);
}

// The multiples n0 .. n1 of Step within [Low, High] (none when n0 > n1).
std::pair<Float80, Float80> Multiples(Float80 Low, Float80 High, Float80 Step)
{
    const Float80 Slack = Step * BoundSlack;
    return {std::ceil((Low - Slack) / Step), std::floor((High + Slack) / Step)};
}

// Whether the text is a minus sign before nothing but zeros and a separator.
bool NegativeZero(const QString& Text)
{
    if (!Text.startsWith(QLatin1Char('-')))
        return false;
    for (qsizetype i = 1; i < Text.size(); ++i)
        if (Text[i].isDigit() && Text[i] != QLatin1Char('0'))
            return false;
    return true;
}
} // namespace

Float80 TAxisTicks::RoundStep(Float80 Span, int32_t Ticks)
{
    const Float80 Raw = Span / Float80(Ticks);
    const Float80 Base = Pow10(std::floor(std::log10(Raw)));
    for (const int m : {1, 2, 5})
        if (m * Base >= Raw * (1 - StepSlack))
            return m * Base;
    return 10 * Base;
}

Float80 TAxisTicks::TPiStep::Value() const
{
    return Pi * Float80(Numerator) / Float80(Denominator);
}

TAxisTicks::TPiStep TAxisTicks::PiStep(Float80 Span, int32_t Ticks)
{
    const Float80 Raw = Span / Float80(Ticks) / Pi;
    for (const int64_t Denominator : {6, 4, 2})
        if (Float80(1) / Float80(Denominator) >= Raw * (1 - StepSlack))
            return {1, Denominator};
    // Raw is above a half here, so the round step is at least 1.
    const Float80 Multiple = RoundStep(Raw, 1);
    return {Multiple < Float80(INT64_MAX) ? int64_t(std::llround(Multiple)) : INT64_MAX, 1};
}

QString TAxisTicks::EvenText(Float80 Value, int32_t Decimals, char16_t Sep, size_t MaxChars)
{
    return FromU16(FormatFixedHead(Value, Decimals, Sep, MaxChars));
}

QString TAxisTicks::RoundText(Float80 Value, Float80 Step, char16_t Sep)
{
    if (Value == 0)
        Value = 0; // +0, whatever the sign of the product
    // A tenth of a millionth of a decade up, so a step of 10^k a hair short still reads k.
    const Float80 Exponent = std::floor(std::log10(Step) + 1e-7L);
    const Float80 Decimals = Exponent < 0 ? -Exponent : 0;
    QString Text = Decimals <= 18 && std::fabs(Value) < 1e15L
                       ? FromU16(FormatFixed(Value, int(Decimals), Sep))
                       : FromU16(FormatGeneral15(Value, Sep));
    if (NegativeZero(Text))
        Text.remove(0, 1);
    return Text;
}

QString TAxisTicks::PiText(int64_t Multiple, TPiStep Step)
{
    // Both factors are limited (MaxPiMultiple, a step of at most 5 x 10^18 / 10^15 pi), so the
    // product is worked out in 128 bits and reduced.
    __int128 a = __int128(Multiple) * Step.Numerator;
    __int128 b = Step.Denominator;
    if (a == 0)
        return QStringLiteral("0");
    __int128 g = a < 0 ? -a : a;
    for (__int128 r = b; r != 0;)
        g = std::exchange(r, g % r);
    a /= g;
    b /= g;
    QString Text;
    if (a < 0)
        Text += QChar(0x2212);
    const __int128 Magnitude = a < 0 ? -a : a;
    if (Magnitude != 1)
        Text += QString::number(qulonglong(Magnitude));
    Text += QChar(0x03C0);
    if (b != 1)
        Text += QLatin1Char('/') + QString::number(qlonglong(b));
    return Text;
}

QString TAxisTicks::PowerText(int64_t Exponent, char16_t Sep)
{
    if (Exponent >= 0 && Exponent <= 4)
        return QLatin1Char('1') + QString(qsizetype(Exponent), QLatin1Char('0'));
    if (Exponent < 0 && Exponent >= -3)
        return QLatin1Char('0') + QChar(Sep) + QString(qsizetype(-Exponent - 1), QLatin1Char('0')) +
               QLatin1Char('1');
    return QStringLiteral("1E") + QString::number(Exponent);
}

std::vector<TTick> TAxisTicks::Ticks(TTickRule Rule, Float80 Low, Float80 High, int32_t Ticks, char16_t Sep)
{
    std::vector<TTick> Lines;
    if (Ticks < 1 || !(Low < High))
        return Lines;
    if (Rule == TTickRule::Pi)
    {
        const TPiStep Step = PiStep(High - Low, Ticks);
        const auto [n0, n1] = Multiples(Low, High, Step.Value());
        if (Step.Numerator < INT64_MAX && std::fabs(n0) < MaxPiMultiple && std::fabs(n1) < MaxPiMultiple)
        {
            for (int64_t n = int64_t(n0); n <= int64_t(n1); ++n)
                Lines.push_back({Float80(n) * Step.Value(), PiText(n, Step)});
            return Lines;
        }
        Rule = TTickRule::Round; // too far from 0 to count in multiples of pi
    }
    if (Rule == TTickRule::Round)
    {
        const Float80 Step = RoundStep(High - Low, Ticks);
        const auto [n0, n1] = Multiples(Low, High, Step);
        // The step gives at most Ticks divisions, so at most Ticks + 1 lines (one more where
        // the slack takes in both bounds); counting i keeps n0 + i distinct at any size.
        for (int64_t i = 0; i <= int64_t(Ticks) + 1 && n0 + Float80(i) <= n1; ++i)
        {
            const Float80 Value = (n0 + Float80(i)) * Step;
            Lines.push_back({Value, RoundText(Value, Step, Sep)});
        }
        return Lines;
    }
    // Log
    const Float80 lo = std::log10(Low), hi = std::log10(High);
    if (hi - lo > Float80(Ticks))
    {
        const Float80 Every = std::max(Float80(1), std::round(RoundStep(hi - lo, Ticks)));
        const auto [j0, j1] = Multiples(lo, hi, Every);
        for (int64_t i = 0; i <= int64_t(Ticks) + 1 && j0 + Float80(i) <= j1; ++i)
        {
            const Float80 e = (j0 + Float80(i)) * Every;
            Lines.push_back({Pow10(e), PowerText(int64_t(e), Sep)});
        }
        return Lines;
    }
    const Float80 Inside = 1e-12L;
    for (Float80 e = std::floor(lo + BoundSlack); e <= hi + BoundSlack; ++e)
        for (int d = 1; d <= 9; ++d)
        {
            const Float80 Value = d * Pow10(e);
            if (Value >= Low * (1 - Inside) && Value <= High * (1 + Inside))
                Lines.push_back({Value, d == 1 ? PowerText(int64_t(e), Sep) : QString()});
        }
    return Lines;
}

std::pair<Float80, Float80> TAxisTicks::Pan(TTickRule Rule, Float80 Low, Float80 High, int32_t Ticks,
                                            int Steps)
{
    if (Ticks < 1)
        return {Low, High};
    switch (Rule)
    {
    case TTickRule::Log:
    {
        const Float80 Factor = Pow10(Float80(Steps) * (std::log10(High) - std::log10(Low)) / Float80(Ticks));
        return {Low * Factor, High * Factor};
    }
    case TTickRule::Pi:
    case TTickRule::Round:
    {
        const Float80 Step =
            Rule == TTickRule::Pi ? PiStep(High - Low, Ticks).Value() : RoundStep(High - Low, Ticks);
        return {Low + Float80(Steps) * Step, High + Float80(Steps) * Step};
    }
    case TTickRule::Even:
        break;
    }
    const Float80 Step = (High - Low) / Float80(Ticks);
    return {Low + Float80(Steps) * Step, High + Float80(Steps) * Step};
}
