#pragma once
// x = g(y): the mirror of a function, one evaluation per pixel row from the top margin to the
// bottom one; an undefined point cuts the curve. Filled, each row is filled from the y axis to
// the curve, as a function's columns are from the x axis.
#include "plot/TCurveSource.h"

class TInverseCurve : public TCurveSource
{
  public:
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
    void DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView& View, int32_t OriginY,
                  TColor Color) const override;
};
