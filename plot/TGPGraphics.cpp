#include "plot/TGPGraphics.h"

#include "plot/TCurveRasterizer.h"
#include "plot/TGPPen.h"

#include <QPainter>

TGPGraphics::TGPGraphics(QPainter& Painter, TCurveRasterizer* Raster) : FPainter(Painter), FRaster(Raster)
{
    FPainter.save();
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setBrush(Qt::NoBrush);
}

TGPGraphics::~TGPGraphics()
{
    FPainter.restore();
}

void TGPGraphics::DrawLine(const TGPPen& Pen, int X1, int Y1, int X2, int Y2)
{
    FPainter.setPen(Pen.Pen());
    FPainter.drawLine(X1, Y1, X2, Y2);
}

void TGPGraphics::DrawPolyline(const TGPPen& Pen, const QPoint* Points, int Count)
{
    if (Count < 2)
        return;
    if (FRaster && FRaster->DrawPolyline(Pen.Pen(), Points, Count))
        return;
    FPainter.setPen(Pen.Pen());
    FPainter.drawPolyline(Points, Count);
}
