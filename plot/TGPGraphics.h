#pragma once
// Drawing of lines and polylines with a TGPPen on a painter, without antialiasing. A wide
// line is centred on its points (width 3 on row r covers rows r - 1 .. r + 1); with flat
// caps it runs from the first point to the last. The painter's state is restored afterwards.
#include <QPoint>

class QPainter;
class TCurveRasterizer;
class TGPPen;

class TGPGraphics
{
  public:
    // With a Raster, polylines it can reproduce are written straight into its image (the
    // painter's device, painted without transform or clip); the rest go through the painter.
    explicit TGPGraphics(QPainter& Painter, TCurveRasterizer* Raster = nullptr);
    ~TGPGraphics();
    TGPGraphics(const TGPGraphics&) = delete;
    TGPGraphics& operator=(const TGPGraphics&) = delete;

    void DrawLine(const TGPPen& Pen, int X1, int Y1, int X2, int Y2);
    // Fewer than two points draw nothing.
    void DrawPolyline(const TGPPen& Pen, const QPoint* Points, int Count);

  private:
    QPainter& FPainter;
    TCurveRasterizer* FRaster;
};
