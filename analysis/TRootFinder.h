#pragma once
// Roots from the samples: every exact zero of a sample, and every change of sign between
// two neighbouring defined samples, refined with toms748_solve and then bisected down to
// neighbouring numbers, so a root is the long double nearest to it where the formula's own
// rounding allows. A change of sign is a root only where the formula shrinks towards it:
// where its size at the end of the refinement is not well below its size a little way off,
// it is a jump (about the same size) or a pole (larger). A change of sign across undefined
// samples, or across a point where the refinement met an error, is a pole or a jump at that
// gap, never a root. A root that touches the axis without a change of sign is found as a
// minimum or maximum of value 0 (TExtremumFinder) and reported as a double root.
//
// Limits: two roots closer than one sample step with nothing between are not seen; a
// stretch where the formula is 0 is reported by its first and last sample, with a note.
#include "analysis/TAnalysisResult.h"
#include "analysis/TSamples.h"

#include <utility>

class TRootFinder
{
  public:
    // RootKind: Root, or Intersection when F is the difference of two graphs (Y is then the
    // first graph's value). At most MaxResults points; a note says when more exist.
    TRootFinder(TCurveFunction& F, const TSamples& Samples, size_t MaxResults, TPointKind RootKind);

    TAnalysisResult Find();

  private:
    void SignChange(size_t Left, size_t Right, bool AcrossGap);
    void Refine(const TSample& A, const TSample& B);
    void Gap(const TSample& A, const TSample& B, Float80 Undefined);
    // The defined point nearest to Undefined on the side of Defined, and the value there.
    std::pair<Float80, Float80> DefinedEdge(const TSample& Defined, Float80 Undefined);
    void ZeroRun(size_t First, size_t Last);
    void DoubleRoots();
    void Emit(TPointKind Kind, Float80 X, bool WithY);
    bool Full();

    TCurveFunction& F;
    const TSamples& S;
    size_t MaxResults;
    TPointKind RootKind;
    TAnalysisResult Result;
    size_t Beyond = 0; // points found after the list was full
};
