#include "analysis/TRootFinder.h"

#include "analysis/Errors.h"
#include "analysis/SignChange.h"
#include "analysis/TExtremumFinder.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace
{
// Thrown out of the solver when it evaluates at an undefined point.
struct TUndefinedAt
{
    Float80 X;
};

// A root shrinks the formula by far more than this between a little way off and the end of
// the refinement; a pole grows it by more; a jump keeps it within.
constexpr Float80 ShrinkFactor = 16;
// Next to an undefined point, a pole has grown by more than this over the samples' size
// once the bisection has come within 2^-128 of the sample step (1/x grows by 2^128 there,
// a bounded formula such as Sin(1/x) by no more than its bound over the samples).
constexpr Float80 GapPoleFactor = 0x1p20L;

} // namespace

TRootFinder::TRootFinder(TCurveFunction& Function, const TSamples& Samples, size_t Max, TPointKind Kind)
    : F(Function), S(Samples), MaxResults(Max), RootKind(Kind)
{
}

TAnalysisResult TRootFinder::Find()
{
    // Left: the last defined non-zero sample; Gap: an undefined sample since then.
    size_t Left = SIZE_MAX;
    bool AcrossGap = false;
    size_t RunFirst = SIZE_MAX;
    for (size_t i = 0; i < S.Size(); ++i)
    {
        if (!S[i].Defined)
        {
            AcrossGap = true;
            continue;
        }
        if (S[i].Y == 0)
        {
            if (RunFirst == SIZE_MAX)
                RunFirst = i;
            continue;
        }
        if (RunFirst != SIZE_MAX)
        {
            ZeroRun(RunFirst, i - 1);
            RunFirst = SIZE_MAX;
        }
        else if (Left != SIZE_MAX && SignOf(S[Left].Y) != SignOf(S[i].Y))
            SignChange(Left, i, AcrossGap);
        Left = i;
        AcrossGap = false;
    }
    if (RunFirst != SIZE_MAX)
    {
        size_t Last = S.Size() - 1;
        while (!S[Last].Defined)
            --Last;
        ZeroRun(RunFirst, Last);
    }
    DoubleRoots();
    std::stable_sort(Result.Points.begin(), Result.Points.end(),
                     [](const TAnalysisPoint& a, const TAnalysisPoint& b) { return a.X < b.X; });
    if (Beyond > 0)
        Result.Notes.push_back(Msg::Format(Msg::MoreResults, std::to_string(MaxResults)));
    return std::move(Result);
}

bool TRootFinder::Full()
{
    if (Result.Points.size() < MaxResults)
        return false;
    ++Beyond;
    return true;
}

void TRootFinder::SignChange(size_t Left, size_t Right, bool AcrossGap)
{
    if (Full())
        return;
    if (!AcrossGap)
        return Refine(S[Left], S[Right]);
    size_t Undefined = Left + 1;
    while (S[Undefined].Defined)
        ++Undefined;
    Gap(S[Left], S[Right], S[Undefined].X);
}

void TRootFinder::Refine(const TSample& A, const TSample& B)
{
    auto Value = [this](Float80 X)
    {
        const TCurveFunction::TPoint P = F.At(X);
        if (!P.Defined)
            throw TUndefinedAt{X};
        return P.Y;
    };
    TSignBracket Narrowed;
    try
    {
        Narrowed = NarrowSignChange(Value, {A.X, B.X, A.Y, B.Y});
    }
    catch (const TUndefinedAt& U)
    {
        return Gap(A, B, U.X);
    }
    const auto [Lo, Hi, FLo, FHi] = Narrowed;
    const bool LoNearer = std::fabs(FLo) <= std::fabs(FHi);
    const Float80 X = LoNearer ? Lo : Hi;
    const Float80 Near = std::max(std::fabs(FLo), std::fabs(FHi));
    if (FLo == 0 || FHi == 0)
        return Emit(RootKind, FLo == 0 ? Lo : Hi, true);
    // The size a little way off, a sixty-fourth of the sample step on either side, and never
    // less than 16 units in the last place of X: samples of neighbouring numbers have no
    // room between them.
    const Float80 Off =
        std::max((B.X - A.X) / 64, 16 * (std::nextafter(std::fabs(X), INFINITY) - std::fabs(X)));
    Float80 Far = 0;
    for (Float80 Xo : {X - Off, X + Off})
        if (const TCurveFunction::TPoint P = F.At(Xo); P.Defined)
            Far = std::max(Far, std::fabs(P.Y));
    if (Near * ShrinkFactor <= Far)
        Emit(RootKind, X, true);
    else
        Emit(Near > Far * ShrinkFactor ? TPointKind::Pole : TPointKind::Jump, X, false);
}

void TRootFinder::Gap(const TSample& A, const TSample& B, Float80 Undefined)
{
    // The edges of the undefined stretch around Undefined, by bisection from both sides.
    const auto [LeftEdge, FL] = DefinedEdge(A, Undefined);
    const auto [RightEdge, FR] = DefinedEdge(B, Undefined);
    auto Grows = [](Float80 AtEdge, Float80 AtSample)
    { return std::fabs(AtEdge) > GapPoleFactor * std::fabs(AtSample); };
    // A single undefined point is a pole or a jump where it was met.
    if (RightEdge - LeftEdge <= (B.X - A.X) * 0x1p-40L)
        return Emit(Grows(FL, A.Y) || Grows(FR, B.Y) ? TPointKind::Pole : TPointKind::Jump, Undefined, false);
    // A stretch: each edge where the formula grows is a pole, one where it is exactly 0 a
    // root (a defined point of value 0); with neither, the change of sign is a jump over it.
    bool Named = false;
    for (auto [Edge, AtEdge, AtSample] : {std::tuple{LeftEdge, FL, A.Y}, std::tuple{RightEdge, FR, B.Y}})
    {
        if (AtEdge == 0 && !Full())
            Emit(RootKind, Edge, true);
        else if (Grows(AtEdge, AtSample) && !Full())
            Emit(TPointKind::Pole, Edge, false);
        else
            continue;
        Named = true;
    }
    if (!Named)
        Emit(TPointKind::Jump, LeftEdge + (RightEdge - LeftEdge) / 2, false);
}

std::pair<Float80, Float80> TRootFinder::DefinedEdge(const TSample& Defined, Float80 Undefined)
{
    // Bisection between the two, always of the lower and the upper end as they lie on the axis.
    constexpr int MaxHalvings = 128;
    const bool DefinedBelow = Defined.X < Undefined;
    Float80 Lo = DefinedBelow ? Defined.X : Undefined, Hi = DefinedBelow ? Undefined : Defined.X;
    Float80 Value = Defined.Y;
    for (int k = 0; k < MaxHalvings; ++k)
    {
        const Float80 Mid = Lo + (Hi - Lo) / 2;
        if (Mid == Lo || Mid == Hi)
            break;
        const TCurveFunction::TPoint P = F.At(Mid);
        (P.Defined == DefinedBelow ? Lo : Hi) = Mid;
        if (P.Defined)
            Value = P.Y;
    }
    return {DefinedBelow ? Lo : Hi, Value};
}

void TRootFinder::ZeroRun(size_t First, size_t Last)
{
    // 0 at every defined sample of the stretch: no point stands out as a root, and the note
    // alone says it.
    size_t FirstDefined = 0, LastDefined = S.Size() - 1;
    while (FirstDefined < First && !S[FirstDefined].Defined)
        ++FirstDefined;
    while (LastDefined > Last && !S[LastDefined].Defined)
        --LastDefined;
    const bool Whole = First == FirstDefined && Last == LastDefined && Last != First;
    if (!Whole && !Full())
        Emit(RootKind, S[First].X, true);
    if (Last == First)
        return;
    if (!Whole && !Full())
        Emit(RootKind, S[Last].X, true);
    Result.Notes.push_back(
        Msg::Format(Msg::ZeroRun, NumberText(S[First].X) + " to " + NumberText(S[Last].X)));
}

void TRootFinder::DoubleRoots()
{
    const Float80 Step = S.Size() > 1 ? S[1].X - S[0].X : 0;
    for (const TAnalysisPoint& E : TExtremumFinder(F, S).Find(true))
    {
        // An exact zero of a sample next to it has been reported already.
        const bool Known = std::any_of(Result.Points.begin(), Result.Points.end(),
                                       [&](const TAnalysisPoint& P) { return std::fabs(P.X - E.X) <= Step; });
        if (Known || Full())
            continue;
        Emit(RootKind == TPointKind::Root ? TPointKind::DoubleRoot : RootKind, E.X, true);
    }
}

void TRootFinder::Emit(TPointKind Kind, Float80 X, bool WithY)
{
    TAnalysisPoint P;
    P.Kind = Kind;
    P.X = X;
    P.HasY = WithY;
    if (WithY)
    {
        const TCurveFunction::TPoint V = RootKind == TPointKind::Intersection ? F.FirstAt(X) : F.At(X);
        P.Y = V.Y;
        P.HasY = V.Defined;
    }
    Result.Points.push_back(P);
}
