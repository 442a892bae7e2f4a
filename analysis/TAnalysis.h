#pragma once
// The analysis of formula texts as the plot draws them: the time t put into the text as
// the plot does it (expr/TimeSubstitution), "Pi", the function library and "x" known, and
// every value computed by the evaluator in long double. Six questions:
//
//   Roots          where the graph crosses or touches the axis, and its poles and jumps
//   Extrema        local minima and maxima: the roots of f' where f' exists (to the last
//                  bit), the minimiser elsewhere (TCriticalPointFinder)
//   Intersections  where two graphs meet (the roots of their difference)
//   ValueAt        the value at one x with f'(x) and f''(x), or the error that makes it
//                  undefined there
//   Area           the signed area over [A, B] with its error estimate
//   Inflections    where f'' changes sign and f, f' stay continuous
//
// The interval is sampled at Samples + 1 evenly spaced points first (give at least as
// many as the plot has columns); what lies between two samples is found by refinement
// only where the samples show it (see TRootFinder, TExtremumFinder, TAreaIntegrator).
// At most MaxResults points are listed, with a note when more exist. Bad intervals and
// formulas undefined everywhere raise EAnalysisError; parse errors raise the evaluator's
// error; a raised cancel flag ends the work with EAnalysisCancelled at the next evaluation.
// One object works on one thread; make one per thread. Front ends ask through
// TAnalysisDesk::Answer.
#include "analysis/TAnalysisRequest.h"
#include "analysis/TAnalysisResult.h"
#include "expr/Float80.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDualRunner;
class TEvaluator;
class TParameterContext;
class TExprProgram;
class TAreaIntegrator;
class TCurveFunction;

class TAnalysis
{
  public:
    // Formulas read the variable Variable: "x", or "y" for an inverse graph x = g(y).
    explicit TAnalysis(char16_t DecimalSeparator, std::u16string_view Variable = u"x");
    ~TAnalysis();
    TAnalysis(const TAnalysis&) = delete;
    TAnalysis& operator=(const TAnalysis&) = delete;

    static constexpr size_t DefaultMaxResults = 1000;
    void SetSamples(int Count) { Samples = Count; }
    // Read before every evaluation; the flag must outlive the calls.
    void SetCancelFlag(const std::atomic<bool>* Flag) { Cancel = Flag; }
    // The named parameters the formulas read, and their values.
    void SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);

    TAnalysisResult Roots(std::u16string_view Formula, Float80 T, Float80 A, Float80 B);
    TAnalysisResult Extrema(std::u16string_view Formula, Float80 T, Float80 A, Float80 B);
    TAnalysisResult Intersections(std::u16string_view First, std::u16string_view Second, Float80 T, Float80 A,
                                  Float80 B);
    TAnalysisResult ValueAt(std::u16string_view Formula, Float80 T, Float80 X);
    TAnalysisResult Area(std::u16string_view Formula, Float80 T, Float80 A, Float80 B);
    TAnalysisResult Inflections(std::u16string_view Formula, Float80 T, Float80 A, Float80 B);

  private:
    std::shared_ptr<const TExprProgram> Program(std::u16string_view Formula, Float80 T);
    TCurveFunction Curve(std::u16string_view Formula, std::u16string_view Subtracted, Float80 T);
    // At most MaxResults of Points, with the note when more exist.
    TAnalysisResult Limited(std::vector<TAnalysisPoint> Points) const;

    char16_t Sep;
    Float80 XValue = 0;
    std::unique_ptr<TParameterContext> Parameters;
    std::unique_ptr<TEvaluator> Evaluator;
    std::unique_ptr<TDualRunner> DualRunner;
    std::unique_ptr<TAreaIntegrator> Integrator;
    int Samples = TAnalysisRequest::DefaultSamples;
    size_t MaxResults = DefaultMaxResults;
    const std::atomic<bool>* Cancel = nullptr;
};
