#pragma once
// One picture being drawn. A job is made from the drawing's inputs and holds its stages in
// the order they are drawn, with a cursor on the stage it is at:
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
#include "plot/TPlotModel.h"

#include <cstdint>
#include <functional>

class Exception;
class TCanvas;
class TGraphEvaluator;
class TPaintBudget;
struct TPaintTools;
struct TPlotView;

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
    enum class TStage
    {
        Ground,
        Curves,
        Legend,
        Done
    };

    TPaintJob(TPaintInputs Inputs, TPaintTools& Tools);

    const TPaintInputs& Inputs() const { return In; }
    TStage Stage() const { return At; }

    // Draws on Canvas from the cursor on. Model is the model the inputs were taken from (a
    // curve error clears its GraphsEnabled); Evaluator evaluates "x" on the caller's thread.
    // An error other than a curve's leaves (what was drawn stays) and ends the job.
    void Run(TCanvas& Canvas, TPlotModel& Model, TGraphEvaluator& Evaluator, const TPaintBudget* Budget,
             const std::function<void(const Exception&)>& ReportCurveError);

  private:
    void DrawGround(TCanvas& Canvas, TPlotModel& Model, TGraphEvaluator& Evaluator,
                    const TPaintBudget* Budget,
                    const std::function<void(const Exception&)>& ReportCurveError);
    // The fills (only when AnyFillDrawn()).
    void DrawFills(TCanvas& Canvas, const TPlotModel& Model, TGraphEvaluator& Evaluator,
                   const TPlotView& View);
    // The fill of graph Index frame by frame, each column drawn as it is evaluated.
    void DrawFillFrames(TCanvas& Canvas, const TPlotModel& Model, TGraphEvaluator& Evaluator,
                        const TPlotView& View, int Index);
    bool GraphDrawn(const TPlotModel& Model, int Index) const;
    // Whether the fills have anything to draw: a frame to draw and a graph drawn.
    bool AnyFillDrawn(const TPlotModel& Model) const;

    TPaintInputs In;
    TPaintTools& Tools;
    TStage At = TStage::Ground;
    // The frames, fill rows and curves worked out so far.
    TGraphFrames Frames;
};
