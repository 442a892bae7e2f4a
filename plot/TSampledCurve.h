#pragma once
// A curve s -> (x(s), y(s)) of the plane sampled adaptively over s from S0 to S1, as
// parametric and polar curves are. The interval starts as BaseSteps equal steps; a step is
// halved while the curve's point at its middle lies more than a quarter pixel from the middle
// of its chord, down to MaxDepth halvings and at most MaxSamples evaluations in all, which
// keeps every trace bounded. A step next to an undefined point is halved too, so a gap ends
// close to where the curve does. Where a step still bends at the limits and jumps by more than
// the view's width or height, the polyline is cut there, as it is at an undefined point.
// Points are clipped to the square of RowClamp around the picture, so far-off points keep the
// direction of the lines that reach the picture.
#include "plot/TCurveSource.h"

#include <functional>

class TSampledCurve : public TCurveSource
{
  public:
    static constexpr int BaseSteps = 256;
    static constexpr int MaxDepth = 12;
    static constexpr int64_t MaxSamples = 1 << 15;

    // The plane point of the curve at S, through the evaluator of "s": false for an
    // undefined point; other errors pass through.
    using TPointAt = std::function<bool(Float80 S, Float80& X, Float80& Y)>;

    // Samples S0 .. S1 (evaluated from FromText and ToText without a variable) into G.
    static void Sample(const TCurveTrace& In, const std::u16string& FromText, const std::u16string& ToText,
                       const TPointAt& PointAt, TCurveGeometry& G);
};

// x = X(s), y = Y(s); texts: X, Y, S0, S1.
class TParametricCurve : public TSampledCurve
{
  public:
    bool Drawn(const TFuncList& List, int Index) const override;
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
};

// r = R(s) at the angle s (radians): (r cos s, r sin s), a negative r on the opposite side;
// texts: R, S0, S1.
class TPolarCurve : public TSampledCurve
{
  public:
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
    // The plane point of radius R at the angle S.
    static void PlanePoint(Float80 R, Float80 S, Float80& X, Float80& Y);
};
