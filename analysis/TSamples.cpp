#include "analysis/TSamples.h"

#include "analysis/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void CheckInterval(Float80 A, Float80 B, bool AllowPoint)
{
    if (!std::isfinite(A) || !std::isfinite(B))
        throw EAnalysisError(std::string(Msg::NotFinite));
    if (A > B)
        throw EAnalysisError(std::string(Msg::Reversed));
    if (A == B && !AllowPoint)
        throw EAnalysisError(std::string(Msg::Empty));
    if (B - A > MaxWidth)
        throw EAnalysisError(std::string(Msg::TooWide));
}

std::string NumberText(Float80 Value)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.20Lg", Value);
    return Buffer;
}

namespace
{
// The samples' x, rising: every number of [A, B] that long double has when there are at most
// N + 1 of them, else N + 1 evenly spaced ones, the first A and the last B, of which one that
// rounds onto the x before it is left out (one x is one sample).
std::vector<Float80> SampleXs(Float80 A, Float80 B, int N)
{
    std::vector<Float80> Xs{A};
    while (Xs.back() < B && Xs.size() <= size_t(N) + 1)
        Xs.push_back(std::nextafter(Xs.back(), B));
    if (Xs.back() == B && Xs.size() <= size_t(N) + 1)
        return Xs;
    Xs.assign(1, A);
    const Float80 Width = B - A;
    for (int i = 1; i < N; ++i)
        if (const Float80 X = A + Width * i / N; X > Xs.back() && X < B)
            Xs.push_back(X);
    Xs.push_back(B);
    return Xs;
}
} // namespace

TSamples::TSamples(TCurveFunction& F, Float80 A, Float80 B, int Count)
{
    for (const Float80 X : SampleXs(A, B, std::max(Count, 2)))
    {
        TSample S;
        S.X = X;
        const TCurveFunction::TPoint P = F.At(X);
        S.Y = P.Y;
        S.Defined = P.Defined;
        if (S.Defined)
            MaxAbs = std::max(MaxAbs, std::fabs(S.Y));
        Items.push_back(S);
    }
    if (std::none_of(Items.begin(), Items.end(), [](const TSample& S) { return S.Defined; }))
        throw EAnalysisError(Msg::Format(Msg::UndefinedEverywhere, F.FirstErrorMessage()));
}
