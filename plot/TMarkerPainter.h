#pragma once
// Draws the markers of a data set: one small fixed shape of one colour centred on each
// point's pixel, and, when asked, the polyline that joins the points in their order.
//
// A marker is a stamp worked out once per shape and size: for each of its rows, the runs of
// pixels it sets (a dot is a filled disc, a circle its one-pixel ring, a square its outline,
// a cross its two diagonals, a plus its two middle lines; Size pixels across, odd, at most
// MaxSize). On a canvas that writes into image memory (TCanvas::RasterBits) the runs are
// written straight into the pixels, clipped to the image, so a million markers take a few
// milliseconds; on any other device (printer, SVG, PDF) each run is a QPainter fillRect,
// which sets the same pixels on an image.
//
// Positions maps data to device pixels through the picture's TPlotView (the column and row of
// each point rounded to the nearest pixel, ties to even, as curves round); points a
// logarithmic axis cannot show are left out, and coordinates are held within MaxCoordinate so
// that a join towards a far point keeps its direction closely and stays drawable.
#include "analysis/TDataTable.h"
#include "plot/TColor.h"

#include <QPen>
#include <QPoint>

#include <cstdint>
#include <span>
#include <vector>

class QPainter;
class TCanvas;
struct TPlotView;

enum class TMarkerShape : uint8_t
{
    Dot,
    Circle,
    Square,
    Cross,
    Plus,
};

class TMarkerPainter
{
  public:
    static constexpr int DefaultSize = 7;
    static constexpr int MaxSize = 63;
    static constexpr int MaxCoordinate = 100'000;

    // Size is made odd (one more when even) and kept within 1 .. MaxSize.
    TMarkerPainter(TMarkerShape Shape, int Size, TColor Color);

    int Size() const { return FSize; }

    // The device pixel of every point that View can show, in the points' order. Fails as
    // TPlotView::OriginY does.
    static std::vector<QPoint> Positions(std::span<const TDataPoint> Points, const TPlotView& View);

    // One marker at each position.
    void DrawMarkers(TCanvas& Canvas, std::span<const QPoint> Positions) const;
    // The polyline through Positions in their order, with Pen (the graph's colour, width and
    // line style).
    static void DrawJoin(QPainter& Painter, std::span<const QPoint> Positions, const QPen& Pen);

  private:
    // Pixels X0 .. X1 (inclusive) of row Dy, relative to the centre.
    struct TRun
    {
        int Dy, X0, X1;
    };

    void DrawIntoImage(uint32_t* Bits, int64_t Stride, int Width, int Height,
                       std::span<const QPoint> Positions) const;

    int FSize;
    TColor Color;
    std::vector<TRun> Runs;
};
