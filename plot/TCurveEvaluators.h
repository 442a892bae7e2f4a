#pragma once
// The evaluators one thread of a paint reads formulas with, one per variable: "x" for
// functions, "s" for parametric and polar curves, "y" for inverse graphs, and one without a
// variable for texts such as a curve's ends. The "x" evaluator is handed in (the window's
// own on the painting thread); the others are made when first asked for and kept.
#include "plot/TGraphEvaluator.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCurveEvaluators
{
  public:
    explicit TCurveEvaluators(char16_t DecimalSeparator) : Sep(DecimalSeparator) {}

    void SetX(TGraphEvaluator* Evaluator) { X = Evaluator; }
    // The evaluator of Variable ("x", "s", "y" or empty).
    TGraphEvaluator& For(std::u16string_view Variable);
    // The named parameters every evaluator of the thread reads, and their values (those made
    // later get them too).
    void SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);
    const std::vector<std::u16string>& ParameterNames() const { return FParameterNames; }
    const std::vector<Float80>& ParameterValues() const { return FParameterValues; }

  private:
    char16_t Sep;
    TGraphEvaluator* X = nullptr;
    std::unique_ptr<TGraphEvaluator> S, Y, None;
    std::vector<std::u16string> FParameterNames;
    std::vector<Float80> FParameterValues;
};
