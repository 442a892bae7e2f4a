// The analysis against values known to many digits. References: mpmath 1.3.0 at 40 digits
// (mp.dps = 40): sqrt(2), k*pi, findroot(cos(x) - x, 0.7), pi/4 + k*pi, sqrt(2)/2,
// sqrt(pi)*erf(10) (equal to quad(exp(-x^2), [-10, 0, 10]) to all 40 digits); 2 for the areas
// of Sin over [0, pi] and 1/Sqrt(x) over [0, 1] is exact. Each reference is read with strtold,
// which rounds it to the nearest long double, and a result must lie within the row's number
// of units in the last place (0: exactly the nearest long double).
#include "AnalysisTestSupport.h"
#include "analysis/Errors.h"
#include "analysis/TAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
using namespace AnalysisTest;

constexpr auto Root = TPointKind::Root;
constexpr auto Pole = TPointKind::Pole;
constexpr auto Jump = TPointKind::Jump;
// Brent's method places an extremum to 2^-31 of |x|: about 5e9 units in the last place.
constexpr Float80 BrentUlps = 0x1p33L;

struct TRootCase
{
    const char* Name;
    const char16_t* Formula;
    Float80 A, B;
    std::vector<TExpected> Points;
    Float80 T = 0;
};

TEST(Analysis, RootsPolesAndJumpsMatchReferences)
{
    const char* Pi = "3.141592653589793238462643383279502884197";
    const std::vector<TRootCase> Cases = {
        {"x*x-2: the square root of 2 to the last bit",
         u"x*x-2",
         -10,
         10,
         {{Root, "-1.41421356237309504880168872420969807857", 0},
          {Root, "1.41421356237309504880168872420969807857", 0}}},
        {"Sin(x) on [-10, 10]: every multiple of pi",
         u"Sin(x)",
         -10,
         10,
         {{Root, "-9.424777960769379715387930149838508652592", 1},
          {Root, "-6.283185307179586476925286766559005768394", 1},
          {Root, "-3.141592653589793238462643383279502884197", 1},
          {Root, "0", 0},
          {Root, Pi, 1},
          {Root, "6.283185307179586476925286766559005768394", 1},
          {Root, "9.424777960769379715387930149838508652592", 1}}},
        {"Cos(x)-x: the fixed point of the cosine",
         u"Cos(x)-x",
         -10,
         10,
         {{Root, "0.7390851332151606416553120876738734040134", 0}}},
        {"1/x: a pole where a sample is undefined, not a root", u"1/x", -10, 10, {{Pole, "0", 0}}},
        {"1/x: a pole between two samples, not a root", u"1/x", -1, 2.1L, {{Pole, "0", 1}}},
        {"Tan(x): poles at odd multiples of pi/2 between the roots",
         u"Tan(x)",
         -5,
         5,
         {{Pole, "-4.712388980384689857693965074919254326296", 2},
          {Root, "-3.141592653589793238462643383279502884197", 1},
          {Pole, "-1.570796326794896619231321691639751442099", 2},
          {Root, "0", 0},
          {Pole, "1.570796326794896619231321691639751442099", 2},
          {Root, Pi, 1},
          {Pole, "4.712388980384689857693965074919254326296", 2}}},
        {"a rounding step that crosses the axis is a jump", u"(x div 1)+0.5", -1, 1, {{Jump, "-0.5", 1}}},
        {"a change of sign through an undefined point of finite height is a jump",
         u"x/Abs(x)",
         -1,
         1,
         {{Jump, "0", 0}}},
        {"an undefined stretch between two poles names both",
         u"x/Sqrt(x*x-1)",
         -10,
         10,
         {{Pole, "-1", 1}, {Pole, "1", 1}}},
        {"an undefined stretch whose edges are exact zeros names two roots",
         u"x*Sqrt(x*x-1)",
         -10,
         10,
         {{Root, "-1", 0}, {Root, "1", 0}}},
        {"a root that only touches the axis is a double root",
         u"(x-1)*(x-1)",
         -10,
         10,
         {{TPointKind::DoubleRoot, "1", BrentUlps}}},
        {"the time is put into the text as the plot does", u"x-t", -10, 10, {{Root, "0.25", 0}}, 0.25L},
    };
    TAnalysis Analysis(u'.');
    for (const TRootCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        ExpectPoints(Analysis.Roots(Case.Formula, Case.T, Case.A, Case.B), Case.Points);
    }
}

// Intervals of fewer long doubles than samples are sampled at each number once: no point
// twice, no stretch of one x. Near 1e20 the long doubles lie 8 apart (2^66 < 1e20 < 2^67, a
// 64-bit significand), so [1e20, 1e20 + 1e4] holds 1251 of them; [0, 1e-4950] holds 0 and
// the subnormal multiples of 2^-16445 up to it.
TEST(Analysis, IntervalsOfFewerNumbersThanSamplesGiveEachPointOnce)
{
    const Float80 A = 1e20L, B = 1e20L + 1e4L;
    const std::vector<TRootCase> Cases = {
        {"a root at the start", u"x-1e20", A, B, {{Root, "1e20", 0}}},
        {"a root at a number inside", u"x-1e20-800", A, B, {{Root, "100000000000000000800", 0}}},
        {"a root between two neighbouring numbers is the nearer one",
         u"(x-1e20)*2-1609",
         A,
         B,
         {{Root, "100000000000000000804.5", 1}}},
        {"a change of sign between neighbours without growth is a jump",
         u"(x-1e20-804)/Abs(x-1e20-804)",
         A,
         B,
         {{Jump, "100000000000000000804", 1}}},
        {"a root among subnormal numbers", u"x", 0, 1e-4950L, {{Root, "0", 0}}},
        {"a root at the end of an interval of one number",
         u"x-1e20",
         A,
         std::nextafter(A, B),
         {{Root, "1e20", 0}}},
    };
    TAnalysis Analysis(u'.');
    for (const TRootCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        const TAnalysisResult R = Analysis.Roots(Case.Formula, Case.T, Case.A, Case.B);
        ExpectPoints(R, Case.Points);
        EXPECT_TRUE(R.Notes.empty()) << R.Notes.front();
    }
    ExpectPoints(Analysis.Extrema(u"Abs(x-1e20-800)", 0, A, B),
                 {{TPointKind::Minimum, "100000000000000000800", 0, "0", 0}});
    const TAnalysisResult Area = Analysis.Area(u"1", 0, A, B);
    ASSERT_EQ(Area.Points.size(), 1u);
    EXPECT_LE(UlpsApart(Area.Points[0].Y, 1e4L), 16) << double(UlpsApart(Area.Points[0].Y, 1e4L));
}

TEST(Analysis, ABoundedFormulaIsNoPoleAtItsUndefinedPoint)
{
    TAnalysis Analysis(u'.');
    const TAnalysisResult R = Analysis.Roots(u"Sin(1/x)", 0, -1, 1);
    size_t Jumps = 0;
    for (const TAnalysisPoint& P : R.Points)
    {
        EXPECT_NE(P.Kind, TPointKind::Pole) << double(P.X);
        if (P.Kind == TPointKind::Jump)
        {
            ++Jumps;
            EXPECT_EQ(P.X, 0);
        }
    }
    EXPECT_EQ(Jumps, 1u);
}

TEST(Analysis, ExtremaAndIntersectionsMatchReferences)
{
    TAnalysis Analysis(u'.');
    ExpectPoints(
        Analysis.Extrema(u"x*x*x-3*x", 0, -10, 10),
        {{TPointKind::Maximum, "-1", BrentUlps, "2", 1}, {TPointKind::Minimum, "1", BrentUlps, "-2", 1}});
    // No extremum at the poles of Tan, where the samples jump from one sign to the other.
    ExpectPoints(Analysis.Extrema(u"Tan(x)", 0, -10, 10), {});
    // Five steps put two equal samples either side of the minimum of x*x.
    TAnalysis Coarse(u'.');
    Coarse.SetSamples(5);
    const TAnalysisResult Even = Coarse.Extrema(u"x*x+1", 0, -1, 1);
    ASSERT_EQ(Even.Points.size(), 1u);
    EXPECT_EQ(Even.Points[0].Kind, TPointKind::Minimum);
    EXPECT_LT(std::fabs(Even.Points[0].X), 1e-9L);
    EXPECT_EQ(Even.Points[0].Y, 1);
    const char* Half = "0.7071067811865475244008443621048490392848";
    const char* MinusHalf = "-0.7071067811865475244008443621048490392848";
    const TPointKind Meet = TPointKind::Intersection;
    ExpectPoints(Analysis.Intersections(u"Sin(x)", u"Cos(x)", 0, -10, 10),
                 {{Meet, "-8.639379797371931405772269304018632931542", 2, MinusHalf, 4},
                  {Meet, "-5.497787143782138167309625920739130047345", 2, Half, 2},
                  {Meet, "-2.356194490192344928846982537459627163148", 2, MinusHalf, 2},
                  {Meet, "0.7853981633974483096156608458198757210493", 2, Half, 2},
                  {Meet, "3.926990816987241548078304229099378605246", 2, MinusHalf, 2},
                  {Meet, "7.068583470577034786540947612378881489444", 2, Half, 2}});
}

TEST(Analysis, AreasMatchReferencesWithTheirEstimates)
{
    struct TCase
    {
        const char* Name;
        const char16_t* Formula;
        Float80 A, B;
        const char* Area;
        Float80 Ulps;
    } Cases[] = {
        {"Sin over [0, pi]", u"Sin(x)", 0, Ref("3.141592653589793238462643383279502884197"), "2", 1},
        {"Exp(-x*x) over [-10, 10]: sqrt(pi) erf(10)", u"Exp(-x*x)", -10, 10,
         "1.772453850905516027298167483341145182798", 3},
        {"1/Sqrt(x) over (0, 1]: tanh_sinh at the singular end", u"1/Sqrt(x)", 0, 1, "2", 4},
        {"a reversed sign below the axis", u"-x", 0, 1, "-0.5", 1},
        {"an interval of one point", u"x", 3, 3, "0", 0},
    };
    TAnalysis Analysis(u'.');
    for (const TCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        const TAnalysisResult Result = Analysis.Area(Case.Formula, 0, Case.A, Case.B);
        ASSERT_EQ(Result.Points.size(), 1u);
        EXPECT_EQ(Result.Points[0].Kind, TPointKind::Area);
        EXPECT_LE(UlpsApart(Result.Points[0].Y, Ref(Case.Area)), Case.Ulps) << double(Result.Points[0].Y);
        EXPECT_LE(Result.Points[0].Estimate, 1e-15L);
        EXPECT_TRUE(Result.Notes.empty());
    }
}

// A formula that is 0 wherever the stretch samples it has no roots to name: the note says
// it, whether the stretch's ends are defined or not. A run of zeros inside the stretch keeps
// its ends as roots.
TEST(Analysis, AFormulaZeroOnTheWholeStretchGivesTheNoteAlone)
{
    struct Row
    {
        const char* Name;
        const char16_t* Formula;
        Float80 A, B;
        size_t Roots;
    };
    const Row Rows[] = {
        {"zero everywhere", u"0*x", -10, 10, 0},
        {"zero where defined, undefined at an end", u"0*Sqrt(x)", -1, 10, 0},
        {"zero on part of the stretch", u"x+Abs(x)", -10, 10, 2},
    };
    TAnalysis Analysis(u'.');
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        const TAnalysisResult R = Analysis.Roots(r.Formula, 0, r.A, r.B);
        size_t Roots = 0;
        for (const TAnalysisPoint& P : R.Points)
            Roots += P.Kind == TPointKind::Root || P.Kind == TPointKind::DoubleRoot;
        EXPECT_EQ(Roots, r.Roots);
        ASSERT_FALSE(R.Notes.empty());
        EXPECT_EQ(R.Notes[0].rfind("The formula is 0 on the whole stretch from ", 0), 0u) << R.Notes[0];
    }
    const TAnalysisResult Same = Analysis.Intersections(u"Sin(x)", u"Sin(x)", 0, -10, 10);
    EXPECT_TRUE(Same.Points.empty());
    ASSERT_EQ(Same.Notes.size(), 1u);
}

TEST(Analysis, AnAreaAcrossAnUndefinedPointOrAPoleIsThatPoint)
{
    TAnalysis Analysis(u'.');
    TAnalysisResult R = Analysis.Area(u"1/x", 0, -1, 1);
    ASSERT_EQ(R.Points.size(), 1u);
    EXPECT_EQ(R.Points[0].Kind, TPointKind::Undefined);
    EXPECT_EQ(R.Points[0].X, 0);
    EXPECT_EQ(R.Points[0].ErrorClass, "EZeroDivide");
    EXPECT_EQ(R.Points[0].ErrorMessage, Msg::ZeroDivide);
    EXPECT_EQ(R.Notes, std::vector<std::string>{"The formula is undefined at x = 0 inside the interval"});

    R = Analysis.Area(u"1/x", 0, -1, 2.1L);
    ASSERT_EQ(R.Points.size(), 1u);
    EXPECT_EQ(R.Points[0].Kind, TPointKind::Pole);
    EXPECT_LT(std::fabs(R.Points[0].X), 1e-15L);
}

TEST(Analysis, ValueAtGivesTheValueOrTheError)
{
    TAnalysis Analysis(u',');
    TAnalysisPoint P = Analysis.ValueAt(u"x*t", 0.5L, 3).Points.at(0);
    EXPECT_EQ(P.Kind, TPointKind::Value);
    EXPECT_EQ(P.Y, 1.5L);
    P = Analysis.ValueAt(u"Ln(x)", 0, -1).Points.at(0);
    EXPECT_EQ(P.Kind, TPointKind::Undefined);
    EXPECT_FALSE(P.HasY);
    EXPECT_EQ(P.ErrorClass, "EDomainError");
    EXPECT_EQ(P.ErrorMessage, Msg::DomainCheck);
}

TEST(Analysis, BadInputGetsAClearMessage)
{
    TAnalysis Analysis(u'.');
    auto Message = [](auto Call) -> std::string
    {
        try
        {
            Call();
            return "no error";
        }
        catch (const Exception& e)
        {
            return std::string(e.ClassName()) + ": " + e.Message();
        }
    };
    const Float80 Inf = INFINITY;
    struct TCase
    {
        const char* Name;
        std::string Got;
        std::string Expected;
    } Cases[] = {
        {"a > b", Message([&] { Analysis.Roots(u"x", 0, 1, -1); }),
         "EAnalysisError: The interval's start must not lie after its end"},
        {"an end at infinity", Message([&] { Analysis.Extrema(u"x", 0, -Inf, 1); }),
         "EAnalysisError: The interval's ends must be finite numbers"},
        {"a width of 1e30", Message([&] { Analysis.Area(u"x", 0, -5e29L, 5e29L); }),
         "EAnalysisError: The interval is wider than 1E18: choose a narrower one"},
        {"a single point for roots", Message([&] { Analysis.Roots(u"x", 0, 2, 2); }),
         "EAnalysisError: The interval is a single point: give a start below its end"},
        {"undefined everywhere", Message([&] { Analysis.Roots(u"Sqrt(-1-x*x)", 0, -10, 10); }),
         "EAnalysisError: The formula is undefined at every sample of the interval (Domain check failure in "
         "MathLib)"},
        {"an area beyond the largest number", Message([&] { Analysis.Area(u"x*1e4900", 0, 0, 1e18L); }),
         "EAnalysisError: The area is beyond the largest number"},
        {"a parse error passes through", Message([&] { Analysis.Intersections(u"x", u"y", 0, -1, 1); }),
         "EExprEvalError: Parse error: Unknown symbol: 'y'"},
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(Case.Got, Case.Expected) << Case.Name;
}

TEST(Analysis, ListsStopAtTheLimitWithANote)
{
    TAnalysis Analysis(u'.');
    Analysis.SetSamples(40000);
    // Sin(1000*x) has 6366 roots in [-10, 10].
    const TAnalysisResult R = Analysis.Roots(u"Sin(1000*x)", 0, -10, 10);
    EXPECT_EQ(R.Points.size(), 1000u);
    EXPECT_EQ(R.Notes, std::vector<std::string>{"More exist beyond the first 1000 listed"});
    EXPECT_LT(std::fabs(R.Points.back().X - Float80(-10 + 999 * 0.0031415926535897932385L)), 0.01L);
}

TEST(Analysis, ARaisedCancelFlagEndsTheWork)
{
    TAnalysis Analysis(u'.');
    std::atomic<bool> Cancel{true};
    Analysis.SetCancelFlag(&Cancel);
    EXPECT_THROW(Analysis.Roots(u"Sin(x)", 0, -10, 10), EAnalysisCancelled);
    Cancel = false;
    EXPECT_EQ(Analysis.Roots(u"x", 0, -1, 1).Points.size(), 1u);
}
} // namespace

// Extrema as roots of f', refined to neighbouring long doubles: exactly where f' is 0, on the
// long double nearest the root elsewhere. References: 0 and pi/2, pi (mpmath, 40 digits).
TEST(Analysis, ExtremaAndInflectionsLieOnTheRootsOfTheDerivatives)
{
    const char* HalfPi = "1.570796326794896619231321691639751442099";
    const char* PiText = "3.141592653589793238462643383279502884197";
    const char* MinusPi = "-3.141592653589793238462643383279502884197";
    constexpr auto Min = TPointKind::Minimum, Max = TPointKind::Maximum, Bend = TPointKind::Inflection;
    TAnalysis Analysis(u'.');
    // No sample lies on 0 in [-3, 10]: the refinement finds it.
    ExpectPoints(Analysis.Extrema(u"x*x/4-3", 0, -3, 10), {{Min, "0", 0, "-3", 0}});
    ExpectPoints(Analysis.Extrema(u"Sin(x)", 0, 0, 3), {{Max, HalfPi, 0, "1", 0}});
    ExpectPoints(Analysis.Extrema(u"x*x*x-3*x", 0, -10, 10),
                 {{Max, "-1", 0, "2", 0}, {Min, "1", 0, "-2", 0}});
    // A kink: the point itself, not its neighbour with the same |f'|.
    ExpectPoints(Analysis.Extrema(u"Abs(x-0.25)+1", 0, -1, 2), {{Min, "0.25", 0, "1", 0}});
    // A saddle is no extremum; a pole's change of sign of f' is none either.
    ExpectPoints(Analysis.Extrema(u"x*x*x", 0, -1, 2), {});
    ExpectPoints(Analysis.Extrema(u"1/(x*x)", 0, -1, 2), {});
    ExpectPoints(Analysis.Inflections(u"x*x*x", 0, -1, 0.7L), {{Bend, "0", 0, "0", 0}});
    ExpectPoints(Analysis.Inflections(u"Sin(x)", 0, -4, 4),
                 {{Bend, MinusPi, 0}, {Bend, "0", 0, "0", 0}, {Bend, PiText, 0}});
    // f'' changes sign across the poles of Tan and of 1/x: no inflection there.
    ExpectPoints(Analysis.Inflections(u"Tan(x)", 0, -3, 3), {{Bend, "0", 0, "0", 0}});
    ExpectPoints(Analysis.Inflections(u"1/x", 0, -1, 2), {});
    // A step of f: f'' of x*x*x + (x > 0.5) changes sign at 0 only.
    ExpectPoints(Analysis.Inflections(u"x*x*x + (x > 0.5)", 0, -1, 2), {{Bend, "0", 0, "0", 0}});
}

// Where f' is undefined at a sample (a cusp met by the sampling) the minimiser finds the
// extremum; a cusp between samples is found where the refinement meets it.
TEST(Analysis, ACuspIsAnExtremumWithoutSlope)
{
    TAnalysis Analysis(u'.');
    for (Float80 A : {-1.0L, -0.7L})
    {
        const TAnalysisResult R = Analysis.Extrema(u"Sqrt(Abs(x))", 0, A, 1);
        ASSERT_EQ(R.Points.size(), 1u) << double(A);
        EXPECT_EQ(R.Points[0].Kind, TPointKind::Minimum);
        EXPECT_LT(std::fabs(R.Points[0].X), 1e-30L);
    }
}

TEST(Analysis, ValueAtGivesTheDerivatives)
{
    TAnalysis Analysis(u'.');
    TAnalysisPoint P = Analysis.ValueAt(u"x*x*x", 0, 2).Points.at(0);
    EXPECT_TRUE(P.HasD1 && P.HasD2);
    EXPECT_EQ(P.D1, 12);
    EXPECT_EQ(P.D2, 12);
    P = Analysis.ValueAt(u"Sqrt(x)", 0, 0).Points.at(0);
    EXPECT_EQ(P.Kind, TPointKind::Value);
    EXPECT_FALSE(P.HasD1);
}
