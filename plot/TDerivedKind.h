#pragma once
// Derived graphs: the derivative (order 1 or 2) or the integral from a of another graph of the
// list ("Of"+n, with "Order"+n or "From"+n in documents), which have no formula of their own.
// Labelled f1' or the integral sign before f1; read in the mouse's column; not analysed (the
// graph they come from is).
#include "plot/TKindDescriptor.h"

class TDerivedKind : public TKindDescriptor
{
  public:
    explicit TDerivedKind(bool IsIntegral) : Integral(IsIntegral) {}

    const char* Name() const override { return Integral ? "integral" : "derivative"; }
    QString Caption() const override;
    bool HasFormula() const override { return false; }
    std::vector<std::u16string> Variables() const override { return {}; }
    void ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const override;
    void WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const override;
    QString Label(const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    std::vector<TGraphEditor> Editors() const override;
    QString Problem(const TFuncList& List, int Index, const TEvalContext* Context) const override;
    TDerivedRole DerivedRole() const override
    {
        return Integral ? TDerivedRole::Integral : TDerivedRole::Derivative;
    }
    QString AnalysisRefusal() const override;

  private:
    bool Integral;
};
