#pragma once
// DrawPlot: the whole picture (background, fills, grid, tick numbers, arrow heads, axes and
// curves) on a canvas of a given size, read from the model. The screen, the clipboard
// bitmap, the printer and --render all draw through it.
#include "expr/Float80.h"

#include "plot/TCurveRasterizer.h"
#include "plot/TGPPen.h"

#include <QPoint>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
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
    ~TPlotRenderer();

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

    // One frame of one graph's curve: what to draw it with, and once computed, its pieces
    // (the polylines between gaps), their outlines when a rasterizer works them out, and the
    // error that ended it, if any.
    struct TCurveFrame
    {
        std::optional<TGPPen> Pen;
        std::vector<QPoint> Points;
        std::vector<size_t> PieceEnds; // piece p is Points[PieceEnds[p - 1] .. PieceEnds[p])
        std::vector<std::vector<TCurveRasterizer::TEdge>> Outlines;
        std::vector<bool> Outlined;
        std::exception_ptr Error;
        // The next frame of the graph has the same text: the same pieces with the same pen
        // but for its colour, so it covers this one pixel for pixel.
        bool Covered = false;
    };
    // What a thread computing curve frames owns: its evaluator, a rasterizer for outlines
    // only, and the rows of the texts it met that no fill holds.
    struct TCurveLane
    {
        TGraphEvaluator* Evaluator = nullptr;
        std::optional<TCurveRasterizer> Outliner;
        std::vector<TColumnRows> CurveRows;
    };

    // Evaluates every column of Rows for a fill; any error leaves (Rows then holds the
    // columns before the failing one).
    void FillColumns(const TPlotView& View, int32_t OriginY, TColumnRows& Rows);
    // The row of a curve at Px, or none for an undefined point; other errors leave.
    static std::optional<int32_t> CurvePoint(TGraphEvaluator& With, const TPlotView& View, int32_t OriginY,
                                             TColumnRows& Rows, int64_t Px);
    // Frame K (N - 1 the palest) of graph Index at time T, on Lane's thread; Next is the time
    // of the frame drawn after it, if any.
    void ComputeCurveFrame(const TPlotView& View, int32_t OriginY, int64_t First, int64_t Last, int ArrowSize,
                           int Index, int K, Float80 T, const Float80* Next, TCurveLane& Lane, TCurveFrame& Frame);
    TColumnRows& RowsFor(TCurveLane& Lane, std::u16string Text, int64_t First, int64_t Last);
    // Draws what a computed frame holds and frees it; false, with Error set, when an error
    // ended the frame (and so the drawing).
    bool DrawCurveFrame(TCurveRasterizer* Raster, class TGPGraphics& Graphics, TCurveFrame& Frame,
                        std::exception_ptr& Error);
    void DrawFillFrames(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width, int Index,
                        const std::vector<std::u16string>& Texts);

    bool GraphDrawn(int Index) const;
    Float80 ConvertTime() const;
    // The row of the current graph (formula text already at its time) at column Px,
    // clamped to -View.RowClamp .. View.RowClamp.
    static int32_t CurveRow(TGraphEvaluator& With, const TPlotView& View, int32_t OriginY, const std::u16string& Text,
                            int64_t Px);

    TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    char16_t Sep;
    // The full-colour fill frame of each graph, kept for the curves of the same paint.
    std::vector<TColumnRows> FillRows;
    // The evaluator of the thread that computes curve frames beside the caller's.
    std::unique_ptr<TGraphEvaluator> HelperEvaluator;
};
