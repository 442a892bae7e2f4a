#pragma once
// The hull of the values an enclosure collects (IntervalFunctions), each widened for the
// error bound of the routine that computed it.
//
// The widening of a value v computed by a routine within B ulp of the exact function:
//   Margin = B * (|v| * 2^-59 + 8 * d),   d the smallest subnormal.
// Why it suffices: ulp(t) <= |t| * 2^-63 + d for any t, and a value v within B ulp of the
// exact f(p) has |f(p)| < 2 |v| + d. So f(p) lies within B * (|v| * 2^-62 + 2d) of v; and a
// computed value g(q) at any q where f(q) lies beyond f(p) (on the far side from v) satisfies
// g(q) >= h(f(q)) >= h(f(p)) for h(t) = t - B * (|t| * 2^-63 + d), which grows with t: another
// B * (|v| * 2^-62 + 2d) at most. Twice the sum, 2^-59 and 8d, also absorbs the rounding of
// the margin's own arithmetic. Exact values (B = 0) are not widened.
#include "expr/Float80.h"
#include "expr/OutwardRounding.h"
#include "expr/TInterval.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

class TValueHull
{
  public:
    static Float80 Margin(Float80 v, double UlpBound)
    {
        const Float80 Relative = std::fabs(v) * 0x1p-59L;
        // Far above the subnormals the relative part alone exceeds the formula by more than 8d
        // (and the processor computes slowly with subnormal operands).
        if (Relative > 0x1p-16300L)
            return Float80(UlpBound) * Relative;
        return Float80(UlpBound) * (Relative + 8 * LDBL_TRUE_MIN);
    }

    // A value computed by a routine within UlpBound ulp.
    void Add(Float80 v, double UlpBound)
    {
        const Float80 m = Margin(v, UlpBound);
        Include(OutwardRounding::Sub(v, m).Lo, OutwardRounding::Add(v, m).Hi);
    }
    // An exact value or limit of the function (an infinity stands for every value beyond the
    // largest Float80 on its side), given as its nearest Float80: widened like a computed value.
    void AddLimit(Float80 v, double UlpBound)
    {
        if (std::isinf(v))
            Include(v, v);
        else
            Add(v, std::max(UlpBound, 1.0));
    }
    void Include(Float80 Lo, Float80 Hi)
    {
        FLo = std::min(FLo, Lo);
        FHi = std::max(FHi, Hi);
    }

    bool Empty() const { return FLo > FHi; }
    Float80 Lo() const { return FLo; }
    Float80 Hi() const { return FHi; }
    // Values below 0 cannot occur (a square root, an exponential).
    void ClampToNonNegative() { FLo = std::max(FLo, Float80(0)); }

    // The interval of the hull, finite: infinite ends become the largest Float80.
    TInterval Interval(TTri Defined, TTri Continuous) const
    {
        return {std::clamp(FLo, -MaxFloat80, MaxFloat80), std::clamp(FHi, -MaxFloat80, MaxFloat80), Defined,
                Continuous};
    }

  private:
    Float80 FLo = INFINITY, FHi = -INFINITY;
};
