#pragma once
// y = f(x): one evaluation per pixel column, from the left margin to the right one. The first
// column and the one after an undefined point only end the piece before them.
#include "plot/TCurveSource.h"

class TFunctionCurve : public TCurveSource
{
  public:
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
};
