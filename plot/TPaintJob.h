#pragma once
// One picture being drawn. A job is made from the drawing's inputs, which it only reads, and
// draws them in stages, with its cursor (TPaintCursor) on where it is:
//   Ground       the background, the fills (their rows worked out meanwhile), then the grid,
//                numbers, arrows and axes, drawn while the curves are already computed;
//   Curves       the curves of every graph, frame by frame;
//   Legend       the legend, when asked for;
//   Done.
// Run draws from the cursor on, until the picture is done or the budget is spent
// (EPaintAbandoned, the cursor and what was worked out kept). Run again on the picture so left
// with equal inputs, it goes on from there; a job whose Ground stage stopped draws it again
// from the background, keeping the fill rows already worked out.
#include "plot/TGraphFrames.h"
#include "plot/TPaintCursor.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <cstdint>
#include <functional>
#include <optional>

class Exception;
class TCanvas;
class TGraphEvaluator;
class TPaintBudget;
struct TPaintTools;

// Everything a picture is drawn from. Two paints of equal inputs draw the same picture.
struct TPaintInputs
{
    TPlotModel Model;
    int Width = 0, Height = 0, Margin = 0, ArrowSize = 0;
    double Scale = 1;

    bool operator==(const TPaintInputs&) const = default;
};

class TPaintJob
{
  public:
    TPaintJob(TPaintInputs Inputs, TPaintTools& Tools);

    const TPaintInputs& Inputs() const { return In; }

    // Draws on Canvas from the cursor on; Evaluator evaluates "x" on the caller's thread. An
    // error of a curve goes to ReportCurveError (whose owner hides the graphs); any other
    // error leaves (what was drawn stays) and ends the job.
    void Run(TCanvas& Canvas, TGraphEvaluator& Evaluator, const TPaintBudget* Budget,
             const std::function<void(const Exception&)>& ReportCurveError);

  private:
    void DrawGround(TCanvas& Canvas, TGraphEvaluator& Evaluator,
                    const std::function<void(const Exception&)>& ReportCurveError);
    // The view of the picture, worked out once; the frames begin with it.
    const TPlotView& View(TCanvas& Canvas, TGraphEvaluator& Evaluator);
    // The fills (only when AnyFillDrawn()).
    void DrawFills(TCanvas& Canvas, TGraphEvaluator& Evaluator);
    // The fill of graph Index frame by frame, each column drawn as it is evaluated.
    void DrawFillFrames(TCanvas& Canvas, TGraphEvaluator& Evaluator, int Index);
    bool GraphDrawn(int Index) const;
    // Whether the fills have anything to draw: a frame to draw and a graph drawn.
    bool AnyFillDrawn() const;

    TPaintInputs In;
    const TPlotModel& Model = In.Model;
    TPaintTools& Tools;
    TPaintCursor Cursor;
    std::optional<TPlotView> FView;
    // The frames, fill rows and curves worked out so far.
    TGraphFrames Frames;
};
