#include "analysis/TSamples.h"

#include "analysis/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void CheckInterval(Float80 A, Float80 B, bool AllowPoint)
{
    if (!std::isfinite(A) || !std::isfinite(B))
        throw EAnalysisError(std::string(AnalysisMsg::NotFinite));
    if (A > B)
        throw EAnalysisError(std::string(AnalysisMsg::Reversed));
    if (A == B && !AllowPoint)
        throw EAnalysisError(std::string(AnalysisMsg::Empty));
    if (B - A > MaxWidth)
        throw EAnalysisError(std::string(AnalysisMsg::TooWide));
}

std::string NumberText(Float80 Value)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.20Lg", Value);
    return Buffer;
}

TSamples::TSamples(TCurveFunction& F, Float80 A, Float80 B, int Count)
{
    const int N = std::max(Count, 2);
    Items.resize(size_t(N) + 1);
    const Float80 Width = B - A;
    for (int i = 0; i <= N; ++i)
    {
        TSample& S = Items[size_t(i)];
        S.X = i == N ? B : A + Width * i / N;
        const TCurveFunction::TPoint P = F.At(S.X);
        S.Y = P.Y;
        S.Defined = P.Defined;
        if (S.Defined)
            MaxAbs = std::max(MaxAbs, std::fabs(S.Y));
    }
    if (std::none_of(Items.begin(), Items.end(), [](const TSample& S) { return S.Defined; }))
        throw EAnalysisError(Msg::Format(AnalysisMsg::UndefinedEverywhere, F.FirstErrorMessage()));
}
