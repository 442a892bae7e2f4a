#include "plot/NearestOnCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
struct TSearch
{
    const TCurvePixelAt& At;
    Float80 S0, S1;
    QPoint Pixel;

    Float80 Distance(Float80 S) const
    {
        const std::optional<TCurvePixel> p = At(S);
        if (!p)
            return std::numeric_limits<Float80>::infinity();
        const Float80 dx = p->Column - Pixel.x(), dy = p->Row - Pixel.y();
        return dx * dx + dy * dy;
    }
    Float80 SAt(int i) const
    {
        return i == NearestOnCurveSamples ? S1 : S0 + (S1 - S0) * Float80(i) / NearestOnCurveSamples;
    }
};

// Golden-section search for the least distance on [a, b]; the point c or d found last.
Float80 Refine(const TSearch& Search, Float80 a, Float80 b, Float80& Least)
{
    const Float80 g = (std::sqrt(Float80(5)) - 1) / 2;
    Float80 c = b - g * (b - a), d = a + g * (b - a);
    Float80 Dc = Search.Distance(c), Dd = Search.Distance(d);
    for (int k = 0; k < 60 && c != d; ++k)
    {
        if (Dc < Dd)
        {
            b = d;
            d = c;
            Dd = Dc;
            c = b - g * (b - a);
            Dc = Search.Distance(c);
        }
        else
        {
            a = c;
            c = d;
            Dc = Dd;
            d = a + g * (b - a);
            Dd = Search.Distance(d);
        }
    }
    Least = std::min(Dc, Dd);
    return Dc < Dd ? c : d;
}
} // namespace

std::optional<Float80> NearestOnCurve(const TCurvePixelAt& At, Float80 S0, Float80 S1, QPoint Pixel)
{
    const TSearch Search{At, S0, S1, Pixel};
    int Best = -1;
    Float80 BestDistance = std::numeric_limits<Float80>::infinity();
    for (int i = 0; i <= NearestOnCurveSamples; ++i)
    {
        const Float80 d = Search.Distance(Search.SAt(i));
        if (d < BestDistance)
        {
            BestDistance = d;
            Best = i;
        }
    }
    if (Best < 0)
        return std::nullopt;
    Float80 Least = 0;
    const Float80 S = Refine(Search, Search.SAt(std::max(Best - 1, 0)),
                             Search.SAt(std::min(Best + 1, NearestOnCurveSamples)), Least);
    return Least > BestDistance ? Search.SAt(Best) : S;
}
