#pragma once
// Polar curves r = R(s) at the angle s from S0 to S1 ("From"+n, "To"+n in documents), labelled
// "r = R"; read with the radius at the point.
#include "plot/TSampledKind.h"

class TPolarKind : public TSampledKind
{
  public:
    const char* Name() const override { return "polar"; }
    QString Caption() const override;
    QString Label(const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    std::vector<TGraphEditor> Editors() const override;

  protected:
    TAnalysisQuestion Measures() const override { return TAnalysisQuestion::PolarMeasures; }
    TPoint PointAt(TGraphEvaluator& With, const TExprProgram& First, const TExprProgram* Second,
                   Float80 S) const override;
    size_t Formulas() const override { return 1; }
    QString PointText(const TReadoutPlace& At, const TPoint& p) const override;
};
