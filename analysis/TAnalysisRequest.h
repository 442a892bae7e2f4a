#pragma once
// One question about one graph, as every front end asks it (the Analyse panel, vendrel-eval),
// for TAnalysisDesk::Answer to answer. A front end only fills in a request and shows the
// result; the defaults and limits of the sampling live here.
//
//   Roots, Extrema, Inflections, Area   of Formula over [A, B] (TAnalysis)
//   Intersections                       of Formula with Second over [A, B]
//   ValueAt                             of Formula at X, with f'(X) and f''(X)
//   ParametricMeasures                  the arc length of (Formula, Second) over s from From to
//                                       To and, when closed, its area (TCurveMeasures)
//   PolarMeasures                       the same of the polar curve r = Formula(s)
//   DataSummary                         the count of Data's points, their mean point and the
//                                       points of least and greatest x and y (DataSummary.h)
//
// Errors are those of TAnalysis and TCurveMeasures: EAnalysisError for a bad interval or a
// formula undefined everywhere, the evaluator's errors for a formula that cannot be read, and
// EAnalysisCancelled once *Cancel is raised.
#include "expr/Float80.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class TDataTable;

enum class TAnalysisQuestion
{
    Roots,
    Extrema,
    Intersections,
    ValueAt,
    Area,
    Inflections,
    ParametricMeasures,
    PolarMeasures,
    DataSummary
};

// Every field has a default, so a request can name only the fields it needs:
//   TAnalysisRequest{.Question = TAnalysisQuestion::Roots, .Formula = u"x*x-2", .A = -3, .B = 3}
struct TAnalysisRequest
{
    using TQuestion = TAnalysisQuestion;
    // The interval is sampled at Samples + 1 points: give at least one per plot column.
    static constexpr int DefaultSamples = 4096;
    static constexpr int MinSamples = 2;
    static constexpr int MaxSamples = 10000000;

    TQuestion Question = TQuestion::Roots;
    std::u16string Formula{};
    // Intersections: the other graph's formula; ParametricMeasures: Y(s).
    std::u16string Second{};
    // The curve measures: the ends of s, formula texts read without a variable.
    std::u16string From{}, To{};
    Float80 T = 0;        // the time put into every text as the plot does it
    Float80 A = 0, B = 0; // the interval
    Float80 X = 0;        // ValueAt
    int Samples = DefaultSamples;
    char16_t Separator = u'.';
    // The graph's variable: "x", or "y" for an inverse graph x = g(y), whose interval is then
    // one of y and whose points are (y, g(y)).
    std::u16string Variable = u"x";
    // The named parameters the formulas read, and their values.
    std::vector<std::u16string> ParameterNames{};
    std::vector<Float80> ParameterValues{};
    // DataSummary: the data set.
    std::shared_ptr<const TDataTable> Data{};
    // Read before every evaluation when given; it must outlive the call.
    const std::atomic<bool>* Cancel = nullptr;
};
