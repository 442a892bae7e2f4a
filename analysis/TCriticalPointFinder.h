#pragma once
// Extrema and inflection points from the derivatives (TCurveFunction::JetAt), which the
// samples carry besides the values.
//
// An extremum is where f' changes sign: between two samples, or at a sample where it is 0
// between two of opposite signs. The change is refined like a root (toms748_solve, then
// bisection down to neighbouring long doubles), so a smooth extremum lands on the long
// double nearest the root of f' as far as f' computed in long double can tell: to the last
// bit, where a minimiser of f could only place it to half the digits. f'' tells a minimum
// from a maximum; where f'' is 0 or undefined the direction of the change does. At a kink
// (Abs) the point where f' jumps sign is the extremum; at a cusp, where f is defined and f' is
// not, the cusp. A change that ends where f is undefined (a pole), or where f is not at least
// as low (high) as a little way off on both sides (a jump of f), is no extremum.
//
// Where f is defined but f' is not at a sample (a cusp met by a sample, a routine without a
// rule), the brackets around it are left to TExtremumFinder's minimiser, as before.
//
// An inflection point is found the same way from the sign changes of f'', where f and f'
// stay continuous and bounded (the sign change of 2/x^3 across the pole of 1/x is none).
#include "analysis/TAnalysisResult.h"
#include "analysis/TSamples.h"

#include <optional>
#include <vector>

class TCriticalPointFinder
{
  public:
    // F must have a runner of derivatives. The derivatives at the samples are computed here.
    TCriticalPointFinder(TCurveFunction& F, const TSamples& Samples);

    std::vector<TAnalysisPoint> Extrema();
    std::vector<TAnalysisPoint> Inflections();

  private:
    struct TChange
    {
        Float80 X = 0;
        bool Rising = false; // the derivative goes from below 0 to above
        size_t Left = 0;     // the sample before X
    };
    // The sign changes of the derivative of Order (1 or 2), refined.
    std::vector<TChange> Changes(int Order);
    std::optional<Float80> Refine(int Order, size_t Left);
    // Extrema where the minimiser must do without f'.
    std::vector<TAnalysisPoint> WithoutSlope(const std::vector<TAnalysisPoint>& Found);
    Float80 Step() const;

    TCurveFunction& F;
    const TSamples& S;
    std::vector<TCurveFunction::TJet> Jets;
};
