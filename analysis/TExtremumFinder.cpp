#include "analysis/TExtremumFinder.h"

#include <boost/math/tools/minima.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// Brent's method finds an extremum's position to 2^(1 - Bits) of |x|, half the significand.
constexpr int BrentBits = std::numeric_limits<Float80>::digits / 2;
constexpr Float80 BrentTolerance = 1.0L / (1ULL << (BrentBits - 1));
constexpr Float80 Epsilon = std::numeric_limits<Float80>::epsilon();
} // namespace

TExtremumFinder::TExtremumFinder(TCurveFunction& Function, const TSamples& Samples) : F(Function), S(Samples)
{
}

std::vector<TAnalysisPoint> TExtremumFinder::Find(bool NearZeroOnly)
{
    std::vector<TAnalysisPoint> Found;
    const size_t N = S.Size();
    for (size_t i = 1; i + 1 < N; ++i)
    {
        if (!S[i - 1].Defined || !S[i].Defined || !S[i + 1].Defined)
            continue;
        for (int Sign : {1, -1})
        {
            auto V = [&](size_t k) { return Sign * S[k].Y; };
            if (!(V(i - 1) > V(i)))
                continue;
            size_t Hi = i + 1;
            if (V(Hi) == V(i))
            {
                // Two equal samples may stand either side of the extremum.
                Hi = i + 2;
                if (Hi >= N || !S[Hi].Defined || !(V(Hi) > V(i)))
                    continue;
            }
            else if (!(V(Hi) > V(i)))
                continue;
            // The extremum lies at most about one neighbour step beyond the sample.
            if (NearZeroOnly && V(i) > 2 * std::max(V(i - 1) - V(i), V(Hi) - V(i)))
                continue;
            TAnalysisPoint P;
            if (Refine(i - 1, i, Hi, Sign, P) && (!NearZeroOnly || TouchesZero(P)))
                Found.push_back(P);
        }
    }
    return Found;
}

bool TExtremumFinder::Refine(size_t Lo, size_t Mid, size_t Hi, int Sign, TAnalysisPoint& Out)
{
    constexpr Float80 Undefined = std::numeric_limits<Float80>::max();
    auto V = [&](Float80 X)
    {
        const TCurveFunction::TPoint P = F.At(X);
        return P.Defined ? Sign * P.Y : Undefined;
    };
    std::uintmax_t Iterations = 200;
    auto [Xm, Vm] = boost::math::tools::brent_find_minima(V, S[Lo].X, S[Hi].X, BrentBits, Iterations);
    const Float80 Vi = Sign * S[Mid].Y;
    if (!(Vm <= Vi))
    {
        Xm = S[Mid].X;
        Vm = Vi;
    }
    // A smooth extremum lies below the middle sample by less than the neighbours' steps; a
    // deeper value comes from a pole or a jump inside the bracket.
    const Float80 Step = std::max(Sign * S[Lo].Y - Vi, Sign * S[Hi].Y - Vi);
    if (Vi - Vm > 2 * Step)
        return false;
    // Between the extremum and either end the curve climbs towards that end's sample; a
    // pole inside the bracket overshoots it.
    for (size_t End : {Lo, Hi})
    {
        const Float80 Between = V(Xm + (S[End].X - Xm) / 2);
        if (Between < Vm || Between > Sign * S[End].Y)
            return false;
    }
    Out.Kind = Sign > 0 ? TPointKind::Minimum : TPointKind::Maximum;
    Out.X = Xm;
    Out.Y = Sign * Vm;
    // What the position's uncertainty leaves of the value: Curvature * dx^2, with the
    // curvature from the three samples, plus a few roundings of the neighbours' size.
    const Float80 H = (S[Hi].X - S[Lo].X) / 2;
    const Float80 Curvature = std::fabs(S[Lo].Y + S[Hi].Y - 2 * S[Mid].Y) / (H * H);
    const Float80 Dx = BrentTolerance * std::max(std::fabs(Xm), H);
    Out.Estimate = 4 * Curvature * Dx * Dx + 8 * Epsilon * std::max(std::fabs(S[Lo].Y), std::fabs(S[Hi].Y));
    return true;
}

bool TExtremumFinder::TouchesZero(const TAnalysisPoint& Extremum)
{
    return std::fabs(Extremum.Y) <= Extremum.Estimate;
}
