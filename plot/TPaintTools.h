#pragma once
// What the paints of one renderer keep from paint to paint: the helper lane, the evaluators
// of each thread (their compiled formulas stay), and the rasterizers with their scratch
// buffers (kept while the image size stays). A paint job borrows them; only one job runs at a
// time.
#include "plot/TCurveEvaluators.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TGraphEvaluator.h"
#include "plot/THelperLane.h"

#include <memory>

struct TPaintTools
{
    explicit TPaintTools(char16_t DecimalSeparator)
        : Sep(DecimalSeparator), LaneEvaluators{TCurveEvaluators(DecimalSeparator),
                                                TCurveEvaluators(DecimalSeparator)}
    {
    }

    // The lane where a second thread is worth it, else none: the one place that decides.
    THelperLane* Helper() { return UseLane ? &Lane : nullptr; }
    // The "x" evaluator of the helper lane, made when first asked for.
    TGraphEvaluator& HelperEvaluator()
    {
        if (!HelperX)
            HelperX = std::make_unique<TGraphEvaluator>(Sep);
        return *HelperX;
    }

    char16_t Sep;
    bool UseLane = THelperLane::Worthwhile();
    THelperLane Lane;
    std::unique_ptr<TGraphEvaluator> HelperX;
    // Each lane's evaluators of the other variables ("x" is handed in per paint).
    TCurveEvaluators LaneEvaluators[2];
    // The rasterizer filling the curves, and one per lane for outlines.
    std::unique_ptr<TCurveRasterizer> Raster, Outliners[2];
};
