#pragma once
// DrawPlot: the whole picture (background, fills, grid, tick numbers, arrow heads, axes and
// curves) on a canvas of a given size, read from the model. The screen, the clipboard
// bitmap, the printer and --render all draw through it.
#include "expr/Float80.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

    // The rows of one formula text (one graph at one time) at the columns First .. Last,
    // each evaluated once, when first asked for. The fill and the curve frames whose text
    // is the same share one of these.
    struct TColumnRows
    {
        enum class TState : uint8_t
        {
            Unknown,
            Row,
            Undefined, // the column is an undefined point
        };
        std::u16string Text;
        int64_t First = 0;
        std::vector<int32_t> Rows;
        std::vector<TState> States;
        bool Valid = false;

        void Reset(std::u16string NewText, int64_t FirstColumn, int64_t LastColumn);
    };

    // Evaluates every column of Rows for a fill; any error leaves (Rows then holds the
    // columns before the failing one).
    void FillColumns(const TPlotView& View, int32_t OriginY, TColumnRows& Rows);
    // The row of a curve at Px, or none for an undefined point; other errors leave.
    std::optional<int32_t> CurvePoint(const TPlotView& View, int32_t OriginY, TColumnRows& Rows, int64_t Px);
    void DrawFillFrames(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Index,
                        const std::vector<std::u16string>& Texts);

    bool GraphDrawn(int Index) const;
    Float80 ConvertTime() const;
    // The row of the current graph (formula text already at its time) at column Px,
    // clamped to -10000 .. 10000.
    int32_t CurveRow(const TPlotView& View, int32_t OriginY, const std::u16string& Text, int64_t Px);

    TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    char16_t Sep;
    // The full-colour fill frame of each graph, kept for the curves of the same paint.
    std::vector<TColumnRows> FillRows;
};
