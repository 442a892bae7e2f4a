#pragma once
// The formula at evenly spaced points of [A, B]: Count + 1 points, the first exactly A and
// the last exactly B. Every analysis starts from these, so nothing that a plot of Count
// columns shows is missed, and no more than the samples can show is found: two sign
// changes closer together than one step cancel out and are not seen. The points' x rise
// strictly: points that round onto one x are one sample, and an interval of no more than
// Count + 1 representable numbers is sampled at each of them (a point interval at its one x).
#include "analysis/TCurveFunction.h"

#include <string>
#include <vector>

// Throws EAnalysisError when [A, B] cannot be analysed: an end not finite, A > B, a width
// beyond MaxWidth, or (AllowPoint false) A == B.
void CheckInterval(Float80 A, Float80 B, bool AllowPoint);
inline constexpr Float80 MaxWidth = 1e18L;

// The decimal text of a value for messages and notes ("%.20Lg").
std::string NumberText(Float80 Value);

struct TSample
{
    Float80 X = 0;
    Float80 Y = 0;
    bool Defined = false;
};

class TSamples
{
  public:
    // Throws EAnalysisError when no sample is defined, naming the first error.
    TSamples(TCurveFunction& F, Float80 A, Float80 B, int Count);

    const std::vector<TSample>& Points() const { return Items; }
    size_t Size() const { return Items.size(); }
    const TSample& operator[](size_t i) const { return Items[i]; }
    // The largest |Y| among the defined samples.
    Float80 Scale() const { return MaxAbs; }

  private:
    std::vector<TSample> Items;
    Float80 MaxAbs = 0;
};
