#pragma once
// Local minima and maxima inside the interval. A sample lower (higher) than both its
// neighbours, or than its left neighbour and equal to the right one with a higher (lower)
// sample after that, brackets an extremum, which brent_find_minima refines. Brent's method
// finds the position of a smooth extremum to about half the digits (to 2^-31 of |x|, the
// curve being flat there) and the value to nearly all of them. A bracket whose refined value
// lies further below (above) the sample than the neighbouring samples' step holds a pole or
// a jump, not an extremum, and is left out. The ends of the interval are never extrema.
#include "analysis/TAnalysisResult.h"
#include "analysis/TSamples.h"

#include <vector>

class TExtremumFinder
{
  public:
    TExtremumFinder(TCurveFunction& F, const TSamples& Samples);

    // The extrema in increasing x. NearZeroOnly: only those whose value may reach 0 (the
    // candidates for a root that touches the axis), which saves refining all the others.
    std::vector<TAnalysisPoint> Find(bool NearZeroOnly = false);

    // Whether an extremum's value is 0 within what its refinement can tell: the graph
    // touches the axis there.
    static bool TouchesZero(const TAnalysisPoint& Extremum);

  private:
    // Refines the extremum bracketed by samples Lo < Mid < Hi; Sign +1 for a minimum, -1 for
    // a maximum. False when the bracket holds no extremum.
    bool Refine(size_t Lo, size_t Mid, size_t Hi, int Sign, TAnalysisPoint& Out);

    TCurveFunction& F;
    const TSamples& S;
};
