#pragma once
// A relation in x and y (x*x+y*y = 1, y < Sin(x)): every pixel between the margins classified
// as holding, empty or undecided (TRelationClassifier) and painted as such (TRelationRaster).
//
// Pixel (c, r) is the closed box of the plane from half a pixel before PlaneX(c) to half a pixel
// after it, and likewise about PlaneY(r): the point a function's curve puts in column c and row
// r lies at its centre, so y = f(x) as a relation lights the pixels of the function's curve.
// Relations are classified on linear axes only; on a logarithmic axis nothing is drawn.
//
// A trace under a budget classifies band by band, each coarse to fine, as long as the budget
// allows, and leaves with EPaintAbandoned when it runs out: the classifier in the geometry's
// Extra is taken up by the next paint of the picture, and the relation shows once it is
// classified down to the finest parts. (The paint draws a run only when its trace is done, so
// deciding the pixels at once would lengthen the screen's slice without showing them sooner.)
// A trace without a budget (copies, prints, --render, exports) classifies the whole picture.
// While the time runs (TCurveTrace::Coarse) the trace stops at single pixels, without their
// parts, so every tick of the animation shows a picture; the picture after Stop is refined.
// Where the paint leaves its helper lane idle meanwhile (the run is the only one left, or the
// paint shares no runs), the trace shares the bands with it.
#include "plot/TCurveSource.h"

#include <functional>

class THelperLane;
class TRelationClassifier;
struct TRelationView;

class TRelationCurve : public TCurveSource
{
  public:
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
    // Holding pixels in full colour, undecided ones mixed half with the background; a curve in
    // the line colour widened to the pen's width, a region in the fill colour with its boundary.
    void DrawTraced(TCanvas& Canvas, const TCurveGeometry& G, const TRunPaint& Paint) const override;
    // A region is drawn in its fill colour by DrawTraced, whether or not graphs are filled.
    void DrawFill(TCanvas&, const TCurveGeometry&, const TPlotView&, int32_t, TColor) const override {}
    bool DrawsFill() const override { return false; }

    // The part of the plane the pixels First .. Last, Top .. Bottom of View show (their outer
    // edges), as the trace classifies them.
    static TRelationView PlaneOf(const TPlotView& View, int32_t OriginY, int64_t First, int64_t Last,
                                 int64_t Top, int64_t Bottom);
    // The classification a trace left in G, or null (nothing traced, a logarithmic axis).
    static const TRelationClassifier* Classes(const TCurveGeometry& G);

  private:
    // Down to level Finest (the classifier's PixelLevel while the time runs, else FinestLevel).
    static bool RefineBands(TRelationClassifier& Classes, THelperLane* Idle,
                            const std::function<bool()>& Stop, int Finest);
};
