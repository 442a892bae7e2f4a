#include "analysis/DataSummary.h"

#include "analysis/TDataTable.h"

#include <cmath>
#include <span>

namespace
{
// A power of two past the number of points (at most 2^20): the scaled sum cannot overflow.
constexpr int OverflowScale = 24;

// The mean of the values Of picks, by a compensated sum of the values times 2^-Scale.
template <class TPick> Float80 ScaledMean(std::span<const TDataPoint> Points, TPick Of, int Scale)
{
    Float80 Sum = 0, Compensation = 0;
    for (const TDataPoint& p : Points)
    {
        const Float80 v = std::ldexp(Of(p), -Scale);
        const Float80 t = Sum + v;
        Compensation += std::fabs(Sum) >= std::fabs(v) ? (Sum - t) + v : (v - t) + Sum;
        Sum = t;
    }
    return std::ldexp((Sum + Compensation) / Float80(Points.size()), Scale);
}

template <class TPick> Float80 Mean(std::span<const TDataPoint> Points, TPick Of)
{
    const Float80 Plain = ScaledMean(Points, Of, 0);
    return std::isfinite(Plain) ? Plain : ScaledMean(Points, Of, OverflowScale);
}

TAnalysisPoint PointOf(TPointKind Kind, const TDataPoint& p)
{
    TAnalysisPoint Out;
    Out.Kind = Kind;
    Out.X = p.X;
    Out.Y = p.Y;
    return Out;
}
} // namespace

TAnalysisResult SummariseData(const TDataTable& Data)
{
    TAnalysisResult Result;
    if (Data.Empty())
        return Result;
    const std::span<const TDataPoint> Points = Data.Points();
    size_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    for (size_t i = 1; i < Points.size(); ++i)
    {
        XMin = Points[i].X < Points[XMin].X ? i : XMin;
        XMax = Points[i].X > Points[XMax].X ? i : XMax;
        YMin = Points[i].Y < Points[YMin].Y ? i : YMin;
        YMax = Points[i].Y > Points[YMax].Y ? i : YMax;
    }
    TAnalysisPoint Count;
    Count.Kind = TPointKind::Count;
    Count.Y = Float80(Points.size());
    Result.Points.push_back(Count);
    Result.Points.push_back(
        PointOf(TPointKind::Mean, {Mean(Points, [](const TDataPoint& p) { return p.X; }),
                                   Mean(Points, [](const TDataPoint& p) { return p.Y; })}));
    Result.Points.push_back(PointOf(TPointKind::XMin, Points[XMin]));
    Result.Points.push_back(PointOf(TPointKind::XMax, Points[XMax]));
    Result.Points.push_back(PointOf(TPointKind::YMin, Points[YMin]));
    Result.Points.push_back(PointOf(TPointKind::YMax, Points[YMax]));
    return Result;
}
