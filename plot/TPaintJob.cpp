#include "plot/TPaintJob.h"

#include "plot/GraphKind.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TCurveSource.h"
#include "plot/TFillLayers.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TGridAndAxes.h"
#include "plot/TLegend.h"
#include "plot/TPaintBudget.h"
#include "plot/TPaintTools.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"

#include <optional>

namespace
{
// Pictures of at least this many pixels have their background written on the helper lane
// (for smaller ones handing it over costs more than it saves).
constexpr int64_t BackgroundLaneArea = 1 << 20;
} // namespace

TPaintJob::TPaintJob(TPaintInputs Inputs, TPaintTools& Tools)
    : In(std::move(Inputs)), Tools(Tools), Frames(Tools, In.Model, Cursor)
{
}

void TPaintJob::Run(TCanvas& Canvas, TGraphEvaluator& Evaluator, const TPaintBudget* Budget,
                    const std::function<void(const Exception&)>& ReportCurveError)
{
    Frames.SetBudget(Budget);
    try
    {
        if (Cursor.Stage == TPaintStage::Ground)
            DrawGround(Canvas, Evaluator, ReportCurveError);
        else if (Cursor.Stage == TPaintStage::Curves)
            Frames.DrawCurves(Canvas, In.ArrowSize, ReportCurveError); // everything before is drawn
        Cursor.Stage = TPaintStage::Legend;
        if (Model.Options.Legend && !Cursor.CurveFailed)
            TLegend::Draw(Canvas, Model, In.Width, In.Margin, In.ArrowSize);
        Cursor.Stage = TPaintStage::Done;
    }
    catch (const EPaintAbandoned&)
    {
        throw; // the job stays where it stopped
    }
    catch (...)
    {
        Cursor.Stage = TPaintStage::Done;
        throw;
    }
}

const TPlotView& TPaintJob::View(TCanvas& Canvas, TGraphEvaluator& Evaluator)
{
    if (!FView)
    {
        TPlotView View = TPlotView::Compute(Model, In.Width, In.Height, In.Margin, Tools.Sep);
        View.RowClamp = Canvas.Scaled(CurveRowClamp);
        const int32_t OriginY = View.OriginY();
        FView = View;
        Frames.Begin(Evaluator, *FView, OriginY, In.Width);
    }
    return *FView;
}

void TPaintJob::DrawGround(TCanvas& Canvas, TGraphEvaluator& Evaluator,
                           const std::function<void(const Exception&)>& ReportCurveError)
{
    const int Width = In.Width, Height = In.Height;
    THelperLane* const Helper = Tools.Helper();
    // A large background in image memory is written on the helper lane while the fill rows
    // are worked out: the one waits on memory, the other computes. Nothing else touches the
    // canvas until it is done.
    std::optional<THelperLane::TWait> Background;
    if (Model.Options.DarkPlot)
        Canvas.SetBrushColor(DarkGround);
    if (Canvas.RasterBits() && Model.FilledGraphs && Helper && int64_t(Width) * Height >= BackgroundLaneArea)
        Background.emplace(*Helper, Helper->Post([&] { Canvas.FillRect(0, 0, Width, Height); }));
    else
        Canvas.FillRect(0, 0, Width, Height);
    const TPlotView& Plot = View(Canvas, Evaluator);
    const bool Fills = Model.FilledGraphs && AnyFillDrawn();
    if (Model.FilledGraphs)
    {
        Frames.Contexts(); // a time text that is no number fails before anything is filled
        // Fill rows are worked out on both lanes whatever the canvas.
        if (Fills)
            Frames.EvaluateFills(Helper);
    }
    Background.reset();
    Canvas.SetPenWidth(1);
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Fills)
        DrawFills(Canvas, Evaluator);
    const int32_t OriginY = Plot.OriginY();
    // The curves are computed beside the drawing of grid, numbers, arrows and axes, and drawn
    // over them.
    Frames.DrawCurves(
        Canvas, In.ArrowSize, ReportCurveError,
        [&]
        {
            TGridAndAxes(Model, Plot, Tools.Sep).Draw(Canvas, OriginY, Width, Height, In.ArrowSize);
            Cursor.Stage = TPaintStage::Curves;
        });
}

bool TPaintJob::GraphDrawn(int Index) const
{
    return Model.GraphsEnabled && KindOf(Model.FuncList.Item(Index)).Source().Drawn(Model.FuncList, Index);
}

bool TPaintJob::AnyFillDrawn() const
{
    if (Model.FrameCount() <= 0)
        return false; // no frame to draw (and N - 1 must not overflow)
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (GraphDrawn(i))
            return true;
    return false;
}

// Every frame of a fill is computed at t + k * TimeIncrement with t advancing per frame,
// so all frames normally share one formula text, the one of the curve's full-colour frame,
// and the full-colour frame, drawn last over the same lines, is all that shows: each column
// is evaluated once and only that frame is drawn. Any error, an undefined point included,
// leaves DrawPlot; what the frames drawn so far left on the canvas is drawn first: the
// earlier graphs and the palest frame up to the failing column. The rare graph whose frame
// texts differ after all (the 15-digit time text of the sums may differ in the last digit)
// is drawn frame by frame.
void TPaintJob::DrawFills(TCanvas& Canvas, TGraphEvaluator& Evaluator)
{
    const int N = Model.FrameCount();
    const int32_t OriginY = FView->OriginY();
    const int64_t First = FView->Margin, Last = int64_t(In.Width) - FView->Margin;
    THelperLane* const Helper = Tools.Helper();
    Frames.EvaluateFills(Helper);
    TFillLayers Layers;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        if (!GraphDrawn(i))
            continue;
        if (!KindOf(Model.FuncList.Item(i)).FillsByColumn())
        {
            Layers.Draw(Canvas, OriginY, Helper);
            Frames.DrawShapeFill(Canvas, i);
            continue;
        }
        if (!Frames.FillUniform(i))
        {
            Layers.Draw(Canvas, OriginY, Helper);
            DrawFillFrames(Canvas, Evaluator, i);
            continue;
        }
        const TColor Fill = Model.FuncList.Item(i).BGColor;
        const TGraphFrames::TFillRows Rows = Frames.FillRows(i);
        if (Rows.Error)
        {
            Layers.Add(LightenColor(Fill, N - 1, Model.FramesCount), Rows.Rows, First, First + Rows.Done);
            Layers.Draw(Canvas, OriginY, Helper);
            std::rethrow_exception(Rows.Error);
        }
        Layers.Add(Fill, Rows.Rows, First, Last + 1);
    }
    Layers.Draw(Canvas, OriginY, Helper);
}

void TPaintJob::DrawFillFrames(TCanvas& Canvas, TGraphEvaluator& Evaluator, int Index)
{
    const TPlotView& View = *FView;
    const int32_t OriginY = View.OriginY();
    const int Width = In.Width;
    const int N = Model.FrameCount();
    for (int j = 0; j < N; ++j)
    {
        Canvas.SetPenColor(LightenColor(Model.FuncList.Item(Index).BGColor, N - 1 - j, Model.FramesCount));
        std::shared_ptr<const TExprProgram> Program;
        for (int64_t px = View.Margin; px <= int64_t(Width) - View.Margin; ++px)
        {
            if (!Program)
            {
                Frames.UseFillParameters(Evaluator, Index, j);
                Program = Evaluator.Program(Frames.FillText(Index, j));
            }
            const int32_t Row = TGraphFrames::CurveRow(Evaluator, *Program, View, OriginY, px);
            Canvas.MoveTo(px, OriginY);
            Canvas.LineTo(px, Row);
        }
    }
}
