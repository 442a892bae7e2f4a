#include "plot/TMarkerPainter.h"

#include "plot/TCanvas.h"
#include "plot/TPlotView.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
// Whether the pixel (dx, dy) from the centre belongs to a shape of radius r (Size = 2r + 1).
// The discs take the pixels within r + 1/2 of the centre: dx^2 + dy^2 <= r^2 + r.
bool InShape(TMarkerShape Shape, int r, int dx, int dy)
{
    const int d = dx * dx + dy * dy;
    switch (Shape)
    {
    case TMarkerShape::Dot:
        return d <= r * r + r;
    case TMarkerShape::Circle:
        return d <= r * r + r && d > (r - 1) * (r - 1) + (r - 1);
    case TMarkerShape::Square:
        return std::abs(dx) == r || std::abs(dy) == r;
    case TMarkerShape::Cross:
        return std::abs(dx) == std::abs(dy);
    case TMarkerShape::Plus:
        return dx == 0 || dy == 0;
    }
    return false;
}

// To the nearest, ties to even, in one instruction (nearbyint would save and restore the
// floating-point environment at every point).
int Clamped(Float80 v)
{
    constexpr Float80 Limit = TMarkerPainter::MaxCoordinate;
    return int(__builtin_rintl(std::clamp(v, -Limit, Limit)));
}
} // namespace

TMarkerPainter::TMarkerPainter(TMarkerShape Shape, int Size, TColor Color)
    : FSize(std::clamp(Size | 1, 1, MaxSize)), Color(Color)
{
    const int r = FSize / 2;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
        {
            if (!InShape(Shape, r, dx, dy))
                continue;
            if (!Runs.empty() && Runs.back().Dy == dy && Runs.back().X1 == dx - 1)
                Runs.back().X1 = dx;
            else
                Runs.push_back({dy, dx, dx});
        }
}

std::vector<QPoint> TMarkerPainter::Positions(std::span<const TDataPoint> Points, const TPlotView& View)
{
    const int32_t OriginY = View.OriginY();
    std::vector<QPoint> Out;
    Out.reserve(Points.size());
    for (const TDataPoint& p : Points)
    {
        const Float80 Column = View.ColumnAt(p.X), Row = View.RowAt(p.Y, OriginY);
        if (std::isfinite(Column) && std::isfinite(Row))
            Out.emplace_back(Clamped(Column), Clamped(Row));
    }
    return Out;
}

void TMarkerPainter::DrawMarkers(TCanvas& Canvas, std::span<const QPoint> Positions) const
{
    QPainter& Painter = Canvas.Painter();
    if (uint32_t* Bits = Canvas.RasterBits())
        return DrawIntoImage(Bits, Canvas.RasterStride(), Painter.device()->width(),
                             Painter.device()->height(), Positions);
    const QColor Fill = ToQColor(Color);
    for (const QPoint& p : Positions)
        for (const TRun& Run : Runs)
            Painter.fillRect(p.x() + Run.X0, p.y() + Run.Dy, Run.X1 - Run.X0 + 1, 1, Fill);
}

// A marker whose centre pixel already has one is the same pixels again: with many points to
// the pixel (a million points on a screen) each centre is stamped once, marked in a byte per
// pixel of the image. Markers wholly inside write their runs at offsets from the centre worked
// out once; those across an edge are clipped run by run.
void TMarkerPainter::DrawIntoImage(uint32_t* Bits, int64_t Stride, int Width, int Height,
                                   std::span<const QPoint> Positions) const
{
    const uint32_t Pixel = ColorToArgb(Color);
    const int r = FSize / 2;
    struct TSpan
    {
        int64_t Offset;
        int Length;
    };
    std::vector<TSpan> Spans;
    for (const TRun& Run : Runs)
        Spans.push_back({int64_t(Run.Dy) * Stride + Run.X0, Run.X1 - Run.X0 + 1});
    const bool Dense = Positions.size() > size_t(Width) * size_t(Height) / 64;
    std::vector<uint8_t> Stamped(Dense ? size_t(Width) * size_t(Height) : 0);
    for (const QPoint& p : Positions)
    {
        const int x = p.x(), y = p.y();
        if (x + r < 0 || x - r >= Width || y + r < 0 || y - r >= Height)
            continue;
        if (Dense && x >= 0 && x < Width && y >= 0 && y < Height)
        {
            uint8_t& Done = Stamped[size_t(y) * size_t(Width) + size_t(x)];
            if (Done)
                continue;
            Done = 1;
        }
        uint32_t* Centre = Bits + int64_t(y) * Stride + x;
        if (x - r >= 0 && x + r < Width && y - r >= 0 && y + r < Height)
        {
            for (const TSpan& Span : Spans)
                std::fill_n(Centre + Span.Offset, Span.Length, Pixel);
            continue;
        }
        for (const TRun& Run : Runs)
        {
            const int Row = y + Run.Dy;
            const int From = std::max(x + Run.X0, 0), To = std::min(x + Run.X1, Width - 1);
            if (Row >= 0 && Row < Height && From <= To)
                std::fill_n(Bits + int64_t(Row) * Stride + From, To - From + 1, Pixel);
        }
    }
}

void TMarkerPainter::DrawJoin(QPainter& Painter, std::span<const QPoint> Positions, const QPen& Pen)
{
    if (Positions.size() < 2)
        return;
    Painter.save();
    Painter.setPen(Pen);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawPolyline(Positions.data(), int(Positions.size()));
    Painter.restore();
}
