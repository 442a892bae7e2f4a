#pragma once
// Parametric curves x = X(s), y = Y(s) for s from S0 to S1 ("FuncY"+n, "From"+n, "To"+n in
// documents), labelled "(X, Y)".
#include "plot/TSampledKind.h"

class TParametricKind : public TSampledKind
{
  public:
    const char* Name() const override { return "parametric"; }
    QString Caption() const override;
    void ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const override;
    void WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const override;
    QString Label(const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    std::vector<TGraphEditor> Editors() const override;

  protected:
    TAnalysisQuestion Measures() const override { return TAnalysisQuestion::ParametricMeasures; }
    TPoint PointAt(TGraphEvaluator& With, const TExprProgram& First, const TExprProgram* Second,
                   Float80 S) const override;
    size_t Formulas() const override { return 2; }
    QString PointText(const TReadoutPlace& At, const TPoint& p) const override;
};
