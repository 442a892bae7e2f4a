#pragma once
// The signed area between the graph and the x axis over [A, B]. The samples come first:
// an undefined sample inside the interval, or a pole where the formula changes sign, means
// there is no area, and that point is the answer (with the evaluator's error class and
// message for an undefined one). Otherwise gauss_kronrod integrates, or tanh_sinh when an
// end point is undefined (an integrable singularity such as 1/Sqrt(x) at 0, which tanh_sinh
// never evaluates). The quadrature's own error estimate goes beside the value; where it is
// large against the value a note says the area may not exist (a pole without a change of
// sign between two samples, say). A point where the quadrature meets an error is reported
// as the answer too, with its x.
#include "analysis/TAnalysisResult.h"
#include "analysis/TCurveFunction.h"

#include <memory>

class TAreaIntegrator
{
  public:
    TAreaIntegrator();
    ~TAreaIntegrator();

    TAnalysisResult Integrate(TCurveFunction& F, Float80 A, Float80 B, int Samples);

  private:
    TAnalysisPoint Quadrature(TCurveFunction& F, Float80 A, Float80 B, bool SingularEnd);
    // The tanh-sinh rule's nodes take a while to compute: made once, at first need.
    struct TTanhSinh;
    std::unique_ptr<TTanhSinh> TanhSinh;
};
