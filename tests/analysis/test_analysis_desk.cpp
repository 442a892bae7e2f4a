// One request per question, answered by a desk as the Analyse panel and vendrel-eval ask it:
// every field a row sets (the second formula, the interval, x, the time, the parameters, the
// variable, the separator, the curve's ends) must reach the analysis that the question names,
// whether the desk is new or has answered the rows before (nothing of one request may linger
// into the next).
// References: mpmath 1.3.0 at 40 digits: sqrt(3); ln 2; sqrt(2) with 1/(2 sqrt 2) and
// -1/(8 sqrt 2); the ellipse 2 by 1's perimeter 8 E(3/4) = 9.6884482205476761984285031963918;
// the spiral r = s's arc length over [0, 2 pi], (2 pi sqrt(1 + 4 pi^2) + asinh(2 pi)) / 2 =
// 21.256294148209098800702512272566 (both equal to mpmath's quad of |P'(s)| to all 40 digits).
// The other values are exact.
#include "AnalysisTestSupport.h"
#include "analysis/Errors.h"
#include "analysis/TAnalysisDesk.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace
{
using namespace AnalysisTest;
using Q = TAnalysisQuestion;

// The quadrature of the curve measures promises about 1E-9 of the value: some 2^34 units.
constexpr Float80 QuadratureUlps = 0x1p34L;
const char* TwoPi = "6.283185307179586476925286766559005768394";
const char* FourPi = "12.56637061435917295385057353311801153679";

struct TRequestCase
{
    const char* Name;
    TAnalysisRequest Request;
    std::vector<TExpected> Points;
    std::vector<std::string> Notes = {};
};

TEST(AnalysisDesk, EachQuestionReachesItsAnalysisWithEveryField)
{
    constexpr auto Root = TPointKind::Root, Min = TPointKind::Minimum, Max = TPointKind::Maximum;
    const std::vector<TRequestCase> Cases = {
        {"roots of a parameter's formula at the parameter's value",
         {.Question = Q::Roots,
          .Formula = u"x*x-a",
          .A = 0,
          .B = 5,
          .ParameterNames = {u"a"},
          .ParameterValues = {3}},
         // x*x-3 changes sign one unit beside the long double nearest sqrt(3).
         {{Root, "1.732050807568877293527446341505872366943", 1}}},
        {"extrema with the time in the text: 3x^2 - 3t is 0 at -2 and 2 for t = 4",
         {.Question = Q::Extrema, .Formula = u"x*x*x-3*x*t", .T = 4, .A = -10, .B = 10},
         {{Max, "-2", 0, "16", 0}, {Min, "2", 0, "-16", 0}}},
        {"intersections with the second formula",
         {.Question = Q::Intersections, .Formula = u"Exp(x)", .Second = u"2", .A = -3, .B = 3},
         {{TPointKind::Intersection, "0.6931471805599453094172321214581765680755", 1, "2", 2}}},
        {"the value at x, not over the interval",
         {.Question = Q::ValueAt, .Formula = u"Sqrt(x)", .A = 5, .B = 6, .X = 2},
         {{TPointKind::Value, "2", 0, "1.41421356237309504880168872420969807857", 1}}},
        {"an area read with the decimal comma",
         {.Question = Q::Area, .Formula = u"0,5*x*x", .A = 0, .B = 3, .Separator = u','},
         {{TPointKind::Area, "0", 0, "4.5", 4}}},
        {"inflections of an inverse graph's g(y)",
         {.Question = Q::Inflections, .Formula = u"y*y*y-3*y*y", .A = -5, .B = 5, .Variable = u"y"},
         {{TPointKind::Inflection, "1", 0, "-2", 0}}},
        {"a closed parametric curve: its length and area, a parameter in X(s)",
         {.Question = Q::ParametricMeasures,
          .Formula = u"a*Cos(s)",
          .Second = u"Sin(s)",
          .From = u"0",
          .To = u"2*Pi",
          .ParameterNames = {u"a"},
          .ParameterValues = {2}},
         {{TPointKind::ArcLength, "0", 0, "9.688448220547676198428503196391829411954", QuadratureUlps},
          {TPointKind::Area, "0", 0, TwoPi, QuadratureUlps}}},
        {"a closed polar curve: the circle r = t at t = 2",
         {.Question = Q::PolarMeasures, .Formula = u"t", .From = u"0", .To = u"2*Pi", .T = 2},
         {{TPointKind::ArcLength, "0", 0, FourPi, QuadratureUlps},
          {TPointKind::Area, "0", 0, FourPi, QuadratureUlps}}},
        {"an open polar curve: the spiral r = s has a length and no area",
         {.Question = Q::PolarMeasures, .Formula = u"s", .Second = u"ignored", .From = u"0", .To = u"2*Pi"},
         {{TPointKind::ArcLength, "0", 0, "21.25629414820909880070251227256610882347", QuadratureUlps}},
         {"The curve is open (its end is not its start): it encloses no area"}},
    };
    TAnalysisDesk Shared;
    for (int Pass = 0; Pass < 2; ++Pass)
        for (const TRequestCase& Case : Cases)
        {
            SCOPED_TRACE(std::string(Case.Name) +
                         (Pass == 0 ? ", on a new desk" : ", on a desk used before"));
            const TAnalysisResult Result =
                Pass == 0 ? TAnalysisDesk().Answer(Case.Request) : Shared.Answer(Case.Request);
            ExpectPoints(Result, Case.Points);
            EXPECT_EQ(Result.Notes, Case.Notes);
        }
}

// Sin(10x) has ten roots in [0.1, 3.2]; sampled at 3 points (2 steps) the sign changes twice.
TEST(AnalysisDesk, TheSamplesAreTheRequests)
{
    TAnalysisDesk Desk;
    TAnalysisRequest Request{.Question = Q::Roots, .Formula = u"Sin(10*x)", .A = 0.1L, .B = 3.2L};
    EXPECT_EQ(Request.Samples, TAnalysisRequest::DefaultSamples);
    EXPECT_EQ(Desk.Answer(Request).Points.size(), 10u);
    Request.Samples = 2;
    EXPECT_EQ(Desk.Answer(Request).Points.size(), 2u);
}

TEST(AnalysisDesk, ARaisedCancelFlagEndsEveryKindOfQuestion)
{
    TAnalysisDesk Desk;
    const std::atomic<bool> Raised{true};
    for (Q Question : {Q::Roots, Q::Area, Q::ParametricMeasures, Q::PolarMeasures})
    {
        SCOPED_TRACE(int(Question));
        const bool Curve = Question == Q::ParametricMeasures || Question == Q::PolarMeasures;
        const TAnalysisRequest Request{.Question = Question,
                                       .Formula = Curve ? u"Sin(s)" : u"Sin(x)",
                                       .Second = u"s",
                                       .From = u"0",
                                       .To = u"1",
                                       .A = 0,
                                       .B = 1,
                                       .Cancel = &Raised};
        EXPECT_THROW(Desk.Answer(Request), EAnalysisCancelled);
    }
}

TEST(AnalysisDesk, NeitherParametersNorACancelFlagOutliveTheirRequest)
{
    TAnalysisDesk Desk;
    const std::atomic<bool> Raised{true};
    TAnalysisRequest Request{.Formula = u"x-a",
                             .A = -5,
                             .B = 5,
                             .ParameterNames = {u"a"},
                             .ParameterValues = {1},
                             .Cancel = &Raised};
    EXPECT_THROW(Desk.Answer(Request), EAnalysisCancelled);
    Request.Cancel = nullptr;
    ExpectPoints(Desk.Answer(Request), {{TPointKind::Root, "1", 0, "0", 0}});
    Request.ParameterNames.clear();
    Request.ParameterValues.clear();
    EXPECT_THROW(Desk.Answer(Request), EExprEvalError);
}
} // namespace
