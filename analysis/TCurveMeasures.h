#pragma once
// Measures of a parametric curve (x = X(s), y = Y(s)) or a polar one (r = R(s) at the angle s)
// over s from S0 to S1, in long double by Boost.Math's adaptive Gauss-Kronrod quadrature, each
// with the quadrature's error estimate:
//
//   ArcLength      the integral of |P'(s)| from S0 to S1 (for a polar curve the integral of
//                  Sqrt(r^2 + r'^2)), whatever the curve's shape
//   Area           for a closed curve (its end at its start, to 1E-9 of its size) the area it
//                  encloses by Green's theorem, 1/2 the integral of x y' - y x' (for a polar
//                  curve 1/2 the integral of r^2): positive when the curve runs counter-
//                  clockwise; parts run through twice count twice, and the lobes of a figure
//                  eight cancel. An open curve has no area: a note says so.
//
// Derivatives are central differences of the formulas (Boost.Math, to about 1E-13 of the
// values). An undefined point anywhere on [S0, S1] means the curve has no measure there: the
// answer is that point, with the evaluator's error. S0 and S1 are formula texts read without a
// variable; the time t is put into every text as the plot does it.
#include "analysis/TAnalysisResult.h"
#include "expr/Float80.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TEvaluator;
class TParameterContext;

class TCurveMeasures
{
  public:
    explicit TCurveMeasures(char16_t DecimalSeparator);
    ~TCurveMeasures();

    void SetCancelFlag(const std::atomic<bool>* Flag) { Cancel = Flag; }
    // The named parameters the formulas read, at these values.
    void SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);

    // Second is Y(s) of a parametric curve; empty for a polar one, whose First is R(s).
    TAnalysisResult Measure(std::u16string_view First, std::u16string_view Second, std::u16string_view From,
                            std::u16string_view To, Float80 T, bool Polar);

  private:
    char16_t Sep;
    std::unique_ptr<TParameterContext> Parameters;
    Float80 SValue = 0;
    std::unique_ptr<TEvaluator> Ends, Curve;
    const std::atomic<bool>* Cancel = nullptr;
};
