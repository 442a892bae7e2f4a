// A data set summed up as the Analyse panel shows it: the count, the mean point and the first
// points of least and greatest x and y, asked through the desk as every front end asks.
#include "analysis/TAnalysisDesk.h"
#include "analysis/TDataTable.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <vector>

namespace
{
TAnalysisResult Summary(const std::vector<TDataPoint>& Points)
{
    std::vector<uint32_t> Lines(Points.size());
    for (size_t i = 0; i < Lines.size(); ++i)
        Lines[i] = uint32_t(i + 1);
    TAnalysisRequest Request;
    Request.Question = TAnalysisQuestion::DataSummary;
    Request.Data = std::make_shared<const TDataTable>(Points, Lines);
    TAnalysisDesk Desk;
    return Desk.Answer(Request);
}

// The ulps between two long doubles of one sign.
Float80 Ulps(Float80 a, Float80 b)
{
    return std::fabs(a - b) / (std::nextafter(std::fabs(b), Float80(INFINITY)) - std::fabs(b));
}
} // namespace

TEST(DataSummary, RowsInOrderWithTheFirstOfEqualExtremes)
{
    const TAnalysisResult r = Summary({{3, 1}, {-2, 5}, {7, 5}, {-2, -4}, {7, 0}});
    ASSERT_EQ(r.Points.size(), 6u);
    const struct
    {
        TPointKind Kind;
        const char* Name;
        Float80 X, Y;
    } Rows[] = {{TPointKind::Count, "count", 0, 5},  {TPointKind::Mean, "mean", 2.6L, 1.4L},
                {TPointKind::XMin, "x min", -2, 5},  {TPointKind::XMax, "x max", 7, 5},
                {TPointKind::YMin, "y min", -2, -4}, {TPointKind::YMax, "y max", -2, 5}};
    for (size_t i = 0; i < 6; ++i)
    {
        EXPECT_EQ(r.Points[i].Kind, Rows[i].Kind) << i;
        EXPECT_STREQ(KindName(r.Points[i].Kind), Rows[i].Name);
        EXPECT_EQ(r.Points[i].Y, Rows[i].Y) << Rows[i].Name;
        if (Rows[i].Kind != TPointKind::Count)
        {
            EXPECT_EQ(r.Points[i].X, Rows[i].X) << Rows[i].Name;
        }
    }
}

// References from tests/analysis/data/data_summary_references.py (exact fractions).
TEST(DataSummary, MeansAreCompensatedAndNeverOverflow)
{
    const auto MeanY = [](const std::vector<Float80>& Ys)
    {
        std::vector<TDataPoint> Points;
        for (const Float80 y : Ys)
            Points.push_back({0, y});
        return Summary(Points).Points[1].Y;
    };
    // A plain sum in long double loses both ones against 1E20 and gives 0.
    EXPECT_EQ(MeanY({1e20L, 1, -1e20L, 1}), 0.5L);
    // A plain sum overflows.
    EXPECT_EQ(MeanY({LDBL_MAX, LDBL_MAX / 2}), LDBL_MAX * 0.75L);
    EXPECT_EQ(MeanY({-LDBL_MAX, -LDBL_MAX, -LDBL_MAX}), -LDBL_MAX);
    const Float80 Decimals =
        MeanY({0.1L, 123456.789L, -0.000314159265358979L, 7e12L, -7e12L, 2.5L, 1e-9L, 33.333333333333333333L,
               -12345678901234567.89L, 12345678901234567.89L, 0.0625L, 9.99999999999999999e5L});
    EXPECT_LE(Ulps(Decimals, 0x2DB70CC23B546AA9P-45L), 1) << double(Decimals);
}
