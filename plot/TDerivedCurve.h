#pragma once
// Graphs computed from another graph of the list: the derivative of order 1 or 2 and the
// integral from a. They draw only what they can resolve (see DerivedGraphProblem).
#include "plot/TCurveSource.h"

#include <QString>

// Why graph Index of List, a derived graph, draws nothing: empty when it draws.
QString DerivedGraphProblem(const TFuncList& List, int Index);

class TDerivativeCurve : public TCurveSource
{
  public:
    bool Drawn(const TFuncList& List, int Index) const override;
    std::vector<std::u16string> Texts(const TFuncList& List, int Index, Float80 T,
                                      char16_t Sep) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
};

class TIntegralCurve : public TCurveSource
{
  public:
    bool Drawn(const TFuncList& List, int Index) const override;
    std::vector<std::u16string> Texts(const TFuncList& List, int Index, Float80 T,
                                      char16_t Sep) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
};
