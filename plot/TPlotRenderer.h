#pragma once
// DrawPlot: the whole picture (background, fills, grid, tick numbers, arrow heads, axes and
// curves) on a canvas of a given size, read from the model. The screen, the clipboard
// bitmap, the printer and --render all draw through it.
#include <cstdint>
#include <functional>
#include <memory>

class Exception;
class TCanvas;
class TGraphEvaluator;
class TPaintBudget;
class TPaintJob;
class TPlotModel;
struct TPaintTools;

class TPlotRenderer
{
  public:
    // Draws Model as it is at each call; it never writes to it.
    TPlotRenderer(const TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator);
    ~TPlotRenderer();

    // Errors of the bounds, the time text, the tick counts and the fills leave the call
    // (what was drawn before stays). An error of a curve that is not an undefined point goes
    // to ReportCurveError once and ends the drawing of curves; the owner of the model hides
    // the graphs there (clears GraphsEnabled) until the user shows them again.
    //
    // Each call starts a paint job (TPaintJob) or continues one. With a Budget, the drawing
    // stops once the budget is spent and leaves with EPaintAbandoned; what was drawn stays.
    // Called again with Continue on the picture so left and equal inputs (model, size,
    // margin, arrow size, scale), it takes the job up where it stopped; otherwise it starts
    // afresh.
    void DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                  const std::function<void(const Exception&)>& ReportCurveError,
                  const TPaintBudget* Budget = nullptr, bool Continue = false);

  private:
    const TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    // What the paints keep from one to the next: the helper lane, evaluators, rasterizers.
    std::unique_ptr<TPaintTools> Tools;
    // The picture under way: a job that ran out of its budget, kept for the paint that
    // continues it.
    std::unique_ptr<TPaintJob> Job;
};
