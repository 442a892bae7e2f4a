// Arc lengths and enclosed areas of parametric and polar curves against their closed forms
// (worked out by hand; the ellipse's perimeter from its complete elliptic integral,
// 4 a E(e), e^2 = 1 - b^2/a^2, computed to 30 digits with mpmath: 15.86543958929058979133).
#include "analysis/Errors.h"
#include "analysis/TCurveMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace
{
constexpr long double Pi = 3.141592653589793238462643383279502884L;
}

TEST(CurveMeasures, LengthsAndAreasOfClosedCurves)
{
    struct
    {
        const char* Name;
        const char16_t *First, *Second, *From, *To;
        bool Polar;
        long double Length;
        std::optional<long double> Area; // none: an open curve
    } Rows[] = {
        {"circle of radius 5, counter-clockwise", u"5*Cos(s)", u"5*Sin(s)", u"0", u"2*Pi", false, 10 * Pi,
         25 * Pi},
        {"the same circle clockwise has a negative area", u"5*Cos(s)", u"5*Sin(s)", u"2*Pi", u"0", false,
         10 * Pi, -25 * Pi},
        {"ellipse 3 by 2", u"3*Cos(s)", u"2*Sin(s)", u"0", u"2*Pi", false, 15.86543958929058979133L, 6 * Pi},
        {"cardioid 1 + Cos(s)", u"1+Cos(s)", u"", u"0", u"2*Pi", true, 8, 1.5L * Pi},
        {"rose Cos(4*s): eight petals (length not checked)", u"Cos(4*s)", u"", u"0", u"2*Pi", true, -1,
         Pi / 2},
        {"negative radius, drawn opposite", u"-2", u"", u"0", u"2*Pi", true, 4 * Pi, 4 * Pi},
        {"half circle is open", u"Cos(s)", u"Sin(s)", u"0", u"Pi", false, Pi, std::nullopt},
        {"line segment", u"3*s", u"4*s", u"0", u"1", false, 5, std::nullopt},
    };
    TCurveMeasures M(u'.');
    for (const auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        const TAnalysisResult R = M.Measure(Row.First, Row.Second, Row.From, Row.To, 0, Row.Polar);
        ASSERT_GE(R.Points.size(), 1u);
        EXPECT_EQ(R.Points[0].Kind, TPointKind::ArcLength);
        if (Row.Length >= 0)
        {
            EXPECT_NEAR(double(R.Points[0].Y), double(Row.Length), 1e-9 * double(Row.Length));
        }
        if (Row.Area)
        {
            ASSERT_EQ(R.Points.size(), 2u);
            EXPECT_EQ(R.Points[1].Kind, TPointKind::Area);
            EXPECT_NEAR(double(R.Points[1].Y), double(*Row.Area), 1e-9 * std::fabs(double(*Row.Area)));
            EXPECT_TRUE(R.Notes.empty());
        }
        else
        {
            EXPECT_EQ(R.Points.size(), 1u);
            ASSERT_EQ(R.Notes.size(), 1u);
            EXPECT_EQ(R.Notes[0], "The curve is open (its end is not its start): it encloses no area");
        }
    }
}

TEST(CurveMeasures, AnUndefinedPointIsTheAnswerAndBadRangesAreRefused)
{
    TCurveMeasures M(u'.');
    const TAnalysisResult R = M.Measure(u"s", u"Ln(s)", u"-1", u"1", 0, false);
    ASSERT_EQ(R.Points.size(), 1u);
    EXPECT_EQ(R.Points[0].Kind, TPointKind::Undefined);
    EXPECT_FALSE(R.Points[0].ErrorMessage.empty());

    EXPECT_THROW(M.Measure(u"s", u"s", u"1", u"1", 0, false), EAnalysisError);
    EXPECT_THROW(M.Measure(u"s", u"s", u"0", u"1/0", 0, false), Exception);
    EXPECT_THROW(M.Measure(u"s", u"2*(s", u"0", u"1", 0, false), EExprEvalError);
    EXPECT_THROW(M.Measure(u"x", u"s", u"0", u"1", 0, false), EExprEvalError);
}
