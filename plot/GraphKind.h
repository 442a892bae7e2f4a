#pragma once
// The graph kinds by name, as documents store them ("Kind"+n) and the Graph panel lists them.
#include "plot/TFunc.h"

#include <QString>

// "function", "parametric", "polar", "inverse", "derivative", "integral".
QString GraphKindName(TGraphKind Kind);
// The kind a name stands for, compared without regard to case; a missing or unknown name is
// a function.
TGraphKind GraphKindFromName(const QString& Name);
// The variable a kind's formulas read besides t: "x", "s" or "y"; none for derived graphs.
const char16_t* GraphKindVariable(TGraphKind Kind);
// Whether graphs of the kind have formulas of their own (derived graphs have none).
inline bool HasFormula(TGraphKind Kind)
{
    return Kind != TGraphKind::Derivative && Kind != TGraphKind::Integral;
}
