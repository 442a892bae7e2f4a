#pragma once
// Inverse graphs x = g(y): a formula in y, drawn one evaluation per pixel row and filled from
// the y axis, labelled "x = g". Read in the mouse's row; analysed as g over the view's y range,
// its points (y, g(y)) marked at (g(y), y).
#include "plot/TKindDescriptor.h"

class TInverseKind : public TKindDescriptor
{
  public:
    const char* Name() const override { return "inverse"; }
    QString Caption() const override;
    std::vector<std::u16string> Variables() const override { return {u"y"}; }
    QString Label(const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    std::vector<TGraphEditor> Editors() const override;
    QString AnalysisNote() const override;
    std::pair<Float80, Float80> MarkAt(Float80 X, Float80 Y) const override { return {Y, X}; }
};
