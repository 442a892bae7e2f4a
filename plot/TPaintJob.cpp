#include "plot/TPaintJob.h"

#include "expr/TextToFloat.h"
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
    : In(std::move(Inputs)), Tools(Tools), Frames(Tools)
{
}

void TPaintJob::Run(TCanvas& Canvas, TPlotModel& Model, TGraphEvaluator& Evaluator,
                    const TPaintBudget* Budget, const std::function<void(const Exception&)>& ReportCurveError)
{
    try
    {
        if (At == TStage::Ground)
            DrawGround(Canvas, Model, Evaluator, Budget, ReportCurveError);
        else if (At == TStage::Curves)
        {
            // Everything up to the curves is on the canvas already.
            TPlotView View = TPlotView::Compute(Model, In.Width, In.Height, In.Margin, Tools.Sep);
            View.RowClamp = Canvas.Scaled(CurveRowClamp);
            Frames.Begin(Model, Evaluator, View, View.OriginY(), In.Width, Budget);
            Frames.DrawCurves(Canvas, In.ArrowSize, ReportCurveError);
        }
        At = TStage::Legend;
        if (Model.Options.Legend)
            TLegend::Draw(Canvas, Model, In.Width, In.Margin, In.ArrowSize);
        At = TStage::Done;
    }
    catch (const EPaintAbandoned&)
    {
        throw; // the job stays where it stopped
    }
    catch (...)
    {
        At = TStage::Done;
        throw;
    }
}

void TPaintJob::DrawGround(TCanvas& Canvas, TPlotModel& Model, TGraphEvaluator& Evaluator,
                           const TPaintBudget* Budget,
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
    TPlotView View = TPlotView::Compute(Model, Width, Height, In.Margin, Tools.Sep);
    View.RowClamp = Canvas.Scaled(CurveRowClamp);
    const bool Fills = Model.FilledGraphs && AnyFillDrawn(Model);
    if (Model.FilledGraphs)
    {
        TextToFloat(Model.TimeText.toStdU16String(),
                    Tools.Sep); // only checked here: the frames convert it again
        Frames.Begin(Model, Evaluator, View, View.OriginY(), Width, Budget);
        // Fill rows are worked out on both lanes whatever the canvas.
        if (Fills)
            Frames.EvaluateFills(Helper);
    }
    Background.reset();
    Canvas.SetPenWidth(1);
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Fills)
        DrawFills(Canvas, Model, Evaluator, View);
    const int32_t OriginY = View.OriginY();
    Frames.Begin(Model, Evaluator, View, OriginY, Width, Budget);
    // The curves are computed beside the drawing of grid, numbers, arrows and axes, and drawn
    // over them.
    Frames.DrawCurves(
        Canvas, In.ArrowSize, ReportCurveError,
        [&]
        {
            TGridAndAxes(Model, View, Tools.Sep).Draw(Canvas, OriginY, Width, Height, In.ArrowSize);
            At = TStage::Curves;
        });
}

bool TPaintJob::GraphDrawn(const TPlotModel& Model, int Index) const
{
    return Model.GraphsEnabled && CurveSourceOf(Model.FuncList.Item(Index).Kind).Drawn(Model.FuncList, Index);
}

bool TPaintJob::AnyFillDrawn(const TPlotModel& Model) const
{
    if (Model.FrameCount() <= 0)
        return false; // no frame to draw (and N - 1 must not overflow)
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (GraphDrawn(Model, i))
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
void TPaintJob::DrawFills(TCanvas& Canvas, const TPlotModel& Model, TGraphEvaluator& Evaluator,
                          const TPlotView& View)
{
    const int N = Model.FrameCount();
    const int32_t OriginY = View.OriginY();
    const int64_t First = View.Margin, Last = int64_t(In.Width) - View.Margin;
    THelperLane* const Helper = Tools.Helper();
    Frames.EvaluateFills(Helper);
    TFillLayers Layers;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        if (!GraphDrawn(Model, i))
            continue;
        if (Model.FuncList.Item(i).Kind != TGraphKind::Function)
        {
            Layers.Draw(Canvas, OriginY, Helper);
            Frames.DrawShapeFill(Canvas, i);
            continue;
        }
        if (!Frames.FillUniform(i))
        {
            Layers.Draw(Canvas, OriginY, Helper);
            DrawFillFrames(Canvas, Model, Evaluator, View, i);
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

void TPaintJob::DrawFillFrames(TCanvas& Canvas, const TPlotModel& Model, TGraphEvaluator& Evaluator,
                               const TPlotView& View, int Index)
{
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
