#pragma once
// DrawPlot: the whole picture (background, fills, grid, tick numbers, arrow heads, axes and
// curves) on a canvas of a given size, read from the model. The screen, the clipboard
// bitmap, the printer and --render all draw through it.
#include "expr/Float80.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Exception;
class TCanvas;
class TGraphEvaluator;
class TGraphFrames;
class TPaintBudget;
class TPlotModel;
struct TPlotView;

class TPlotRenderer
{
  public:
    TPlotRenderer(TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator);
    ~TPlotRenderer();

    // Errors of the bounds, the time text, the tick counts and the fills leave the call
    // (what was drawn before stays). An error of a curve that is not an undefined point
    // clears GraphsEnabled, goes to ReportCurveError once, and ends the drawing of curves.
    //
    // With a Budget, the drawing stops once the budget is spent and leaves with
    // EPaintAbandoned; what was drawn stays. Called again with Continue on the picture so
    // left (same model, same size), it takes the drawing up where it stopped; without
    // Continue it starts afresh.
    void DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                  const std::function<void(const Exception&)>& ReportCurveError,
                  const TPaintBudget* Budget = nullptr, bool Continue = false);

  private:
    // The drawing steps, in the order DrawPlot takes them.
    // Only when AnyFillDrawn().
    void DrawFills(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, bool UseHelper);
    // Grid, numbers, arrows and axes, over the fills.
    void DrawGridAndAxes(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Height,
                         int ArrowSize);
    void DrawGrid(TCanvas& Canvas, const TPlotView& View, int Width, int Height) const;
    void DrawNumbers(TCanvas& Canvas, const TPlotView& View, int32_t OriginY) const;
    void DrawArrows(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int ArrowSize) const;
    void DrawAxes(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Height) const;

    // The fill of graph Index frame by frame, each column drawn as it is evaluated.
    void DrawFillFrames(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Index);
    bool GraphDrawn(int Index) const;
    Float80 ConvertTime() const;
    // Whether the fills have anything to draw: a frame to draw and a graph drawn.
    bool AnyFillDrawn() const;

    TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    char16_t Sep;
    // The frames, fill rows and curves of the paint under way.
    std::unique_ptr<TGraphFrames> Frames;
    // Where a paint that ran out of its budget stopped: its size, and whether everything but
    // the curves was drawn; and the model it drew, so that a paint of a model changed
    // meanwhile starts afresh.
    struct TStop
    {
        int Width = -1, Height = -1, Margin = -1, ArrowSize = -1;
        double Scale = 0;
        bool InCurves = false;
    } Stopped;
    std::unique_ptr<TPlotModel> StoppedModel;
};
