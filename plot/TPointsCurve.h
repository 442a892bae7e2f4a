#pragma once
// The curve of a points graph: its data's points, each a marker of the graph's shape in its line
// colour, the size following the pen (2 * width + 1 pixels across: 7 on the screen), and, when
// joined, the polyline through them in their order, which the paint strokes as any curve in the
// graph's line style before the markers go over it. The texts of a frame are the marker's name
// and "joined" (or nothing), with the data beside them; the time plays no part, so every
// motion-blur frame is one trace, drawn once in full colour. Tracing maps the points to pixels
// (TMarkerPainter::Positions) on either thread; the markers are drawn on the drawing thread.
// Points graphs are not filled.
#include "plot/TCurveSource.h"

class TPointsCurve : public TCurveSource
{
  public:
    bool Drawn(const TFuncList& List, int Index) const override;
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
    void DrawTraced(TCanvas& Canvas, const TCurveGeometry& G, const TRunPaint& Paint) const override;
    void DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView& View, int32_t OriginY,
                  TColor Color) const override;

    // The join is stroked in pieces of this many points, each beginning where the one
    // before ends.
    static constexpr size_t JoinPiece = 256;

    // The marker's size for a pen Width pixels wide.
    static int MarkerSize(int Width) { return 2 * Width + 1; }
};
