#include "plot/TangentLine.h"

#include <cmath>
#include <limits>

// Liang-Barsky: the line is Through + t * (Dx, Dy) with the direction scaled so that neither
// component exceeds 1, and each edge of the rectangle narrows the range of t.
std::optional<QLineF> TangentLine(QPointF Through, Float80 PixelSlope, int Width, int Height)
{
    if (!std::isfinite(PixelSlope))
        return std::nullopt;
    const Float80 Steep = std::fabs(PixelSlope);
    const Float80 Dx = Steep <= 1 ? 1 : 1 / Steep;
    const Float80 Dy = Steep <= 1 ? PixelSlope : (PixelSlope > 0 ? 1 : -1);
    Float80 TMin = -std::numeric_limits<Float80>::infinity();
    Float80 TMax = std::numeric_limits<Float80>::infinity();
    // Each edge: Direction * t >= Low - Start and Direction * t <= High - Start.
    auto Clip = [&](Float80 Direction, Float80 Start, Float80 Low, Float80 High)
    {
        if (Direction == 0)
            return Start >= Low && Start <= High;
        Float80 A = (Low - Start) / Direction, B = (High - Start) / Direction;
        if (A > B)
            std::swap(A, B);
        TMin = std::max(TMin, A);
        TMax = std::min(TMax, B);
        return TMin <= TMax;
    };
    if (!Clip(Dx, Through.x(), -1, Width + 1) || !Clip(Dy, Through.y(), -1, Height + 1))
        return std::nullopt;
    auto At = [&](Float80 t) { return QPointF(double(Through.x() + t * Dx), double(Through.y() + t * Dy)); };
    return QLineF(At(TMin), At(TMax));
}
