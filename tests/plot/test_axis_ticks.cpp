// The tick rules of the round, pi and logarithmic axes: steps, lines and numbers, against
// values written out by hand (steps as decimal literals, pi multiples as fractions).
#include "plot/TAxisTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace
{
constexpr Float80 Pi = std::numbers::pi_v<Float80>;

std::string Utf8(const QString& s)
{
    return s.toStdString();
}

Float80 Decimal(const char* Text)
{
    return std::strtold(Text, nullptr);
}
} // namespace

TEST(AxisTicks, RoundLinesStandAtTheMultiplesInsideTheViewWithTheFewestDecimals)
{
    struct Row
    {
        const char* Name;
        const char* Low;
        const char* High;
        int Ticks;
        std::vector<const char*> Texts;
    };
    const Row Rows[] = {
        {"after two wheel notches",
         "-5.1438",
         "7.6561",
         20,
         {"-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5", "6", "7"}},
        {"tenths around 0 never read -0", "-0.25", "0.25", 5, {"-0.2", "-0.1", "0.0", "0.1", "0.2"}},
        {"bounds on multiples keep their lines, all with the step's decimals",
         "-1",
         "1",
         4,
         {"-1.0", "-0.5", "0.0", "0.5", "1.0"}},
        {"a view of width 1E-13 shows fourteen decimals",
         "1",
         "1.0000000000001",
         2,
         {"1.00000000000000", "1.00000000000005", "1.00000000000010"}},
        {"huge steps are written in the exponent form", "0", "1E300", 2, {"0", "5E299", "1E300"}},
        {"a multiple of a tenth rounding below 0 is no -0",
         "-0.3",
         "-0.0000000000000000001",
         3,
         {"-0.3", "-0.2", "-0.1", "0.0"}},
        {"no line without a division", "0", "10", 0, {}},
    };
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        const std::vector<TTick> Ticks =
            TAxisTicks::Ticks(TTickRule::Round, Decimal(r.Low), Decimal(r.High), r.Ticks, u'.');
        ASSERT_EQ(Ticks.size(), r.Texts.size());
        for (size_t i = 0; i < Ticks.size(); ++i)
        {
            EXPECT_EQ(Utf8(Ticks[i].Text), r.Texts[i]);
            // The value is the text's number to the step's precision.
            const Float80 Want = Decimal(r.Texts[i]);
            EXPECT_LE(std::fabs(Ticks[i].Value - Want), std::fabs(Want) * 1e-17L + 1e-30L) << r.Texts[i];
        }
    }
    // The decimal separator of the numbers is the one handed in.
    EXPECT_EQ(Utf8(TAxisTicks::RoundText(Decimal("-0.5"), Decimal("0.5"), u',')), "-0,5");
}

TEST(AxisTicks, PiStepsAndNumbersAreFractionsOfPi)
{
    struct Row
    {
        const char* Name;
        Float80 Span;
        int Ticks;
        int64_t Numerator, Denominator;
    };
    const Row Rows[] = {
        {"a small view steps by pi/6", 1, 20, 1, 6},
        {"-7 .. 7 in 20 steps by pi/4", 14, 20, 1, 4},
        {"just over pi/4 a division steps by pi/2", 20 * Pi / 4 * 1.0001L, 20, 1, 2},
        {"2 pi in 4 divisions steps by pi/2", 2 * Pi, 4, 1, 2},
        {"20 pi in 10 divisions steps by 2 pi", 20 * Pi, 10, 2, 1},
        {"300 in 20 divisions steps by 5 pi", 300, 20, 5, 1},
        {"3000 in 20 divisions steps by 50 pi", 3000, 20, 50, 1},
    };
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        const TAxisTicks::TPiStep Step = TAxisTicks::PiStep(r.Span, r.Ticks);
        EXPECT_EQ(Step.Numerator, r.Numerator);
        EXPECT_EQ(Step.Denominator, r.Denominator);
    }

    struct TextRow
    {
        int64_t Multiple, Numerator, Denominator;
        const char* Text;
    };
    const TextRow Texts[] = {
        {0, 1, 4, "0"},      {1, 1, 2, "π/2"},   {2, 1, 2, "π"},      {3, 1, 2, "3π/2"},
        {4, 1, 2, "2π"},     {-1, 1, 4, "−π/4"}, {-6, 1, 4, "−3π/2"}, {3, 1, 6, "π/2"},
        {-4, 1, 6, "−2π/3"}, {7, 5, 1, "35π"},   {-1, 1, 1, "−π"},
    };
    for (const TextRow& t : Texts)
        EXPECT_EQ(Utf8(TAxisTicks::PiText(t.Multiple, {t.Numerator, t.Denominator})), t.Text)
            << t.Multiple << " x " << t.Numerator << "/" << t.Denominator;
}

TEST(AxisTicks, LogLinesStandAtOneToNineTimesThePowersAndNumbersAtThePowers)
{
    // 1 .. 1000: nine lines in each of three decades and the last power.
    const std::vector<TTick> Decades = TAxisTicks::Ticks(TTickRule::Log, 1, 1000, 20, u'.');
    ASSERT_EQ(Decades.size(), 28u);
    std::vector<std::string> Numbers;
    for (size_t i = 0; i < Decades.size(); ++i)
    {
        const Float80 Want = Float80(i % 9 + 1) * std::pow(10.0L, Float80(i / 9));
        EXPECT_LE(std::fabs(Decades[i].Value / Want - 1), 1e-17L) << i;
        if (!Decades[i].Text.isEmpty())
            Numbers.push_back(Utf8(Decades[i].Text));
    }
    EXPECT_EQ(Numbers, (std::vector<std::string>{"1", "10", "100", "1000"}));

    // A view from 1E-4000 to 1E4000 has 8000 decades: every 500th power stands.
    const std::vector<TTick> Wide =
        TAxisTicks::Ticks(TTickRule::Log, Decimal("1E-4000"), Decimal("1E4000"), 20, u'.');
    ASSERT_EQ(Wide.size(), 17u);
    for (size_t i = 0; i < Wide.size(); ++i)
    {
        const int Exponent = -4000 + 500 * int(i);
        const std::string Text = Exponent == 0 ? "1" : "1E" + std::to_string(Exponent);
        EXPECT_EQ(Utf8(Wide[i].Text), Text);
        EXPECT_LE(std::fabs(std::log10(Wide[i].Value) - Exponent), 1e-15L) << Text;
    }

    struct PowerRow
    {
        int64_t Exponent;
        const char* Text;
    };
    for (const PowerRow& p :
         {PowerRow{-4, "1E-4"}, {-3, "0,001"}, {-1, "0,1"}, {0, "1"}, {4, "10000"}, {5, "1E5"}})
        EXPECT_EQ(Utf8(TAxisTicks::PowerText(p.Exponent, u',')), p.Text);
}

TEST(AxisTicks, PanMovesByOneDivisionOfTheRule)
{
    struct Row
    {
        const char* Name;
        TTickRule Rule;
        Float80 Low, High;
        int Steps;
        Float80 NewLow, NewHigh;
    };
    const Row Rows[] = {
        {"a round step", TTickRule::Round, -5.1438L, 7.6561L, 1, -4.1438L, 8.6561L},
        {"a round step back", TTickRule::Round, 0, 1, -1, -0.05L, 0.95L},
        {"a pi step", TTickRule::Pi, -7, 7, 1, -7 + Pi / 4, 7 + Pi / 4},
        {"a twentieth of a log view's decades", TTickRule::Log, 1, 1E20L, 1, 10, 1E21L},
    };
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        const auto [Low, High] = TAxisTicks::Pan(r.Rule, r.Low, r.High, 20, r.Steps);
        EXPECT_LE(std::fabs(Low - r.NewLow), std::fabs(r.NewLow) * 1e-15L + 1e-15L) << double(Low);
        EXPECT_LE(std::fabs(High - r.NewHigh), std::fabs(r.NewHigh) * 1e-15L) << double(High);
    }
}
