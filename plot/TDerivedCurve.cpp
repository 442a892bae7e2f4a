#include "plot/TDerivedCurve.h"

#include "plot/TFuncList.h"

QString DerivedGraphProblem(const TFuncList&, int)
{
    return QStringLiteral("Derived graphs are not drawn yet.");
}

bool TDerivativeCurve::Drawn(const TFuncList& List, int Index) const
{
    return DerivedGraphProblem(List, Index).isEmpty();
}

std::vector<std::u16string> TDerivativeCurve::Texts(const TFuncList&, int, Float80, char16_t) const
{
    return {};
}

void TDerivativeCurve::Trace(const TCurveTrace&, TCurveGeometry& G) const
{
    G.Started = true;
}

bool TIntegralCurve::Drawn(const TFuncList& List, int Index) const
{
    return DerivedGraphProblem(List, Index).isEmpty();
}

std::vector<std::u16string> TIntegralCurve::Texts(const TFuncList&, int, Float80, char16_t) const
{
    return {};
}

void TIntegralCurve::Trace(const TCurveTrace&, TCurveGeometry& G) const
{
    G.Started = true;
}
