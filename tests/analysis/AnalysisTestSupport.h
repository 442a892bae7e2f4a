#pragma once
// Shared pieces of the analysis tests: references written as decimal texts (computed outside
// the program) and a comparison of result points with them in units in the last place.
#include "analysis/TAnalysisResult.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace AnalysisTest
{
inline Float80 Ref(const char* Text)
{
    return std::strtold(Text, nullptr);
}

// Units in the last place between a result and the nearest long double to the reference;
// around 0, units of the smallest normal number.
inline Float80 UlpsApart(Float80 Value, Float80 Reference)
{
    const Float80 Unit =
        Reference == 0 ? LDBL_MIN : std::nextafter(std::fabs(Reference), INFINITY) - std::fabs(Reference);
    return std::fabs(Value - Reference) / Unit;
}

struct TExpected
{
    TPointKind Kind;
    const char* X;
    Float80 XUlps;           // the position's tolerance
    const char* Y = nullptr; // no value checked when null
    Float80 YUlps = 0;
};

inline void ExpectPoints(const TAnalysisResult& Result, const std::vector<TExpected>& Expected)
{
    ASSERT_EQ(Result.Points.size(), Expected.size());
    for (size_t i = 0; i < Expected.size(); ++i)
    {
        SCOPED_TRACE("point " + std::to_string(i));
        const TAnalysisPoint& P = Result.Points[i];
        const TExpected& E = Expected[i];
        EXPECT_STREQ(KindName(P.Kind), KindName(E.Kind));
        EXPECT_LE(UlpsApart(P.X, Ref(E.X)), E.XUlps) << double(P.X);
        if (E.Y)
        {
            ASSERT_TRUE(P.HasY);
            EXPECT_LE(UlpsApart(P.Y, Ref(E.Y)), E.YUlps) << double(P.Y);
        }
    }
}

} // namespace AnalysisTest
