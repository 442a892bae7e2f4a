#pragma once
// DrawPlot: the whole picture (background, fills, grid, tick numbers, arrow heads, axes and
// curves) on a canvas of a given size, read from the model. The screen, the clipboard
// bitmap, the printer and --render all draw through it.
#include "expr/Float80.h"

#include <cstdint>
#include <functional>
#include <string>

class Exception;
class TCanvas;
class TGraphEvaluator;
class TPlotModel;
struct TPlotView;

class TPlotRenderer
{
  public:
    TPlotRenderer(TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator);

    // Errors of the bounds, the time text, the tick counts and the fills leave the call
    // (what was drawn before stays). An error of a curve that is not an undefined point
    // clears GraphsEnabled, goes to ReportCurveError once, and ends the drawing of curves.
    void DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                  const std::function<void(const Exception&)>& ReportCurveError);

  private:
    void DrawGrid(TCanvas& Canvas, const TPlotView& View, int Width, int Height) const;
    void DrawNumbers(TCanvas& Canvas, const TPlotView& View, int32_t OriginY) const;
    void DrawArrows(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int ArrowSize) const;
    void DrawAxes(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Height) const;
    void DrawFills(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width);
    void DrawCurves(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int ArrowSize,
                    const std::function<void(const Exception&)>& ReportCurveError);

    bool GraphDrawn(int Index) const;
    Float80 ConvertTime() const;
    // The row of the current graph (formula text already at its time) at column Px,
    // clamped to -10000 .. 10000.
    int32_t CurveRow(const TPlotView& View, int32_t OriginY, const std::u16string& Text, int64_t Px);

    TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    char16_t Sep;
};
