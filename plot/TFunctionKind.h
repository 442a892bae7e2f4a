#pragma once
// Functions y = f(x): a formula in x, drawn one evaluation per pixel column and filled column
// by column from the x axis. Read in the mouse's column with the slope there; derived graphs
// derive from them; every question of the Analyse panel is asked of them over x.
#include "plot/TKindDescriptor.h"

class TFunctionKind : public TKindDescriptor
{
  public:
    const char* Name() const override { return "function"; }
    QString Caption() const override;
    const TCurveSource& Source() const override;
    bool FillsByColumn() const override { return true; }
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    std::vector<TGraphEditor> Editors() const override;
    TDerivedRole DerivedRole() const override { return TDerivedRole::Function; }
};
