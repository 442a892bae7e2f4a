#include "analysis/TCriticalPointFinder.h"

#include "analysis/SignChange.h"
#include "analysis/TExtremumFinder.h"

#include <algorithm>
#include <cmath>

namespace
{
// Thrown out of the solver where the derivative is undefined.
struct TUndefinedAt
{
    Float80 X;
};

bool Has(const TCurveFunction::TJet& J, int Order)
{
    return Order == 1 ? J.D1Defined : J.D2Defined;
}

Float80 Derivative(const TCurveFunction::TJet& J, int Order)
{
    return Order == 1 ? J.D1 : J.D2;
}

// Next to an inflection point f and f' stay within this factor of their size at the
// neighbouring samples; at a pole they grow far beyond it.
constexpr Float80 BoundFactor = 16;
// Where f' at the refined point is not this many times smaller than at the samples, the
// sign change is a jump of f' (a kink of f), not a root.
constexpr Float80 KinkFactor = 16;

void SortByX(std::vector<TAnalysisPoint>& Points)
{
    std::stable_sort(Points.begin(), Points.end(),
                     [](const TAnalysisPoint& a, const TAnalysisPoint& b) { return a.X < b.X; });
}
} // namespace

TCriticalPointFinder::TCriticalPointFinder(TCurveFunction& Function, const TSamples& Samples)
    : F(Function), S(Samples)
{
    Jets.reserve(S.Size());
    for (const TSample& Sample : S.Points())
        Jets.push_back(Sample.Defined ? F.JetAt(Sample.X) : TCurveFunction::TJet{});
}

Float80 TCriticalPointFinder::Step() const
{
    return S.Size() > 1 ? S[1].X - S[0].X : 0;
}

std::vector<TCriticalPointFinder::TChange> TCriticalPointFinder::Changes(int Order)
{
    std::vector<TChange> Found;
    for (size_t i = 0; i + 1 < Jets.size(); ++i)
    {
        const TCurveFunction::TJet &A = Jets[i], &B = Jets[i + 1];
        if (!Has(A, Order) || !Has(B, Order))
            continue;
        const int Sa = SignOf(Derivative(A, Order)), Sb = SignOf(Derivative(B, Order));
        if (Sa == 0)
        {
            // A zero at a sample, between two samples of opposite signs.
            if (i > 0 && Has(Jets[i - 1], Order) && SignOf(Derivative(Jets[i - 1], Order)) * Sb < 0)
                Found.push_back({S[i].X, Sb > 0, i});
            continue;
        }
        if (Sb == 0 || Sa == Sb)
            continue;
        if (const std::optional<Float80> X = Refine(Order, i))
            Found.push_back({*X, Sb > 0, i});
    }
    return Found;
}

std::optional<Float80> TCriticalPointFinder::Refine(int Order, size_t Left)
{
    auto G = [this, Order](Float80 X)
    {
        const TCurveFunction::TJet J = F.JetAt(X);
        if (!Has(J, Order))
            throw TUndefinedAt{X};
        return Derivative(J, Order);
    };
    TSignBracket Narrowed;
    try
    {
        Narrowed = NarrowSignChange(
            G, {S[Left].X, S[Left + 1].X, Derivative(Jets[Left], Order), Derivative(Jets[Left + 1], Order)});
    }
    catch (const TUndefinedAt& U)
    {
        // Where f is defined and its derivative is not, a cusp; where f is undefined, a pole.
        if (F.JetAt(U.X).Defined)
            return U.X;
        return std::nullopt;
    }
    const auto [Lo, Hi, GLo, GHi] = Narrowed;
    if (GLo == 0 || GHi == 0)
        return GLo == 0 ? Lo : Hi;
    return std::fabs(GLo) <= std::fabs(GHi) ? Lo : Hi;
}

std::vector<TAnalysisPoint> TCriticalPointFinder::Extrema()
{
    std::vector<TAnalysisPoint> Found;
    const Float80 Off = Step() / 64;
    for (TChange C : Changes(1))
    {
        TCurveFunction::TJet J = F.JetAt(C.X);
        if (!J.Defined)
            continue;
        const bool Minimum = J.D2Defined && J.D2 != 0 ? J.D2 > 0 : C.Rising;
        const int Sign = Minimum ? 1 : -1;
        // At a kink f' keeps its size up to the point, and the refinement may end on either
        // neighbour: the kink is the first point with the new sign, as f' there is the
        // right-hand derivative.
        const TCurveFunction::TJet &A = Jets[C.Left], &B = Jets[C.Left + 1];
        const Float80 SampleSlope = std::max(std::fabs(A.D1), std::fabs(B.D1));
        if (J.D1Defined && std::fabs(J.D1) * KinkFactor > std::min(std::fabs(A.D1), std::fabs(B.D1)) &&
            SignOf(J.D1) == SignOf(A.D1))
        {
            C.X = std::nextafter(C.X, INFINITY);
            J = F.JetAt(C.X);
            if (!J.Defined)
                continue;
        }
        // Between the samples f stays within what its slope there explains: more is a pole.
        const Float80 Reach = BoundFactor * SampleSlope * Step() + std::fabs(A.Y - B.Y);
        if (J.Y < std::min(A.Y, B.Y) - Reach || J.Y > std::max(A.Y, B.Y) + Reach)
            continue;
        // Not an extremum unless f is at least as low (high) a little way off on both sides.
        bool Extreme = true;
        for (Float80 Xo : {C.X - Off, C.X + Off})
        {
            const TCurveFunction::TPoint P = F.At(Xo);
            Extreme = Extreme && P.Defined && Sign * P.Y >= Sign * J.Y;
        }
        if (!Extreme)
            continue;
        TAnalysisPoint P;
        P.Kind = Minimum ? TPointKind::Minimum : TPointKind::Maximum;
        P.X = C.X;
        P.Y = J.Y;
        Found.push_back(P);
    }
    for (const TAnalysisPoint& P : WithoutSlope(Found))
        Found.push_back(P);
    SortByX(Found);
    return Found;
}

std::vector<TAnalysisPoint> TCriticalPointFinder::WithoutSlope(const std::vector<TAnalysisPoint>& Found)
{
    std::vector<Float80> Cusps;
    for (size_t i = 0; i < Jets.size(); ++i)
        if (Jets[i].Defined && !Jets[i].D1Defined)
            Cusps.push_back(S[i].X);
    if (Cusps.empty())
        return {};
    const Float80 Near = 1.5L * Step();
    auto Close = [Near](Float80 a, Float80 b) { return std::fabs(a - b) <= Near; };
    std::vector<TAnalysisPoint> Kept;
    for (const TAnalysisPoint& P : TExtremumFinder(F, S).Find())
    {
        const bool AtCusp = std::any_of(Cusps.begin(), Cusps.end(), [&](Float80 X) { return Close(X, P.X); });
        const bool Known =
            std::any_of(Found.begin(), Found.end(), [&](const TAnalysisPoint& E) { return Close(E.X, P.X); });
        if (AtCusp && !Known)
            Kept.push_back(P);
    }
    return Kept;
}

std::vector<TAnalysisPoint> TCriticalPointFinder::Inflections()
{
    std::vector<TAnalysisPoint> Found;
    const Float80 Off = Step() / 64;
    for (const TChange& C : Changes(2))
    {
        const TCurveFunction::TJet J = F.JetAt(C.X);
        if (!J.D1Defined)
            continue;
        // f and f' bounded by their size at the neighbouring samples, and f continuous: its
        // values a little way off on both sides differ by no more than the slope explains.
        const TCurveFunction::TJet &A = Jets[C.Left], &B = Jets[C.Left + 1];
        const Float80 Slope = std::max(std::fabs(A.D1), std::fabs(B.D1));
        const Float80 Size = std::max(std::fabs(A.Y), std::fabs(B.Y));
        if (std::fabs(J.D1) > BoundFactor * Slope + Size || std::fabs(J.Y) > BoundFactor * Size + Slope)
            continue;
        const TCurveFunction::TPoint L = F.At(C.X - Off), R = F.At(C.X + Off);
        if (!L.Defined || !R.Defined || std::fabs(R.Y - L.Y) > BoundFactor * 2 * Off * Slope + 1e-15L * Size)
            continue;
        TAnalysisPoint P;
        P.Kind = TPointKind::Inflection;
        P.X = C.X;
        P.Y = J.Y;
        Found.push_back(P);
    }
    SortByX(Found);
    return Found;
}
