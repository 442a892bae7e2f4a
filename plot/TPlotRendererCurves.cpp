// The curves of DrawPlot. Each frame of each graph is computed (its columns evaluated, its
// pieces between gaps outlined for the rasterizer) on one of two threads, and drawn on the
// caller's thread in the order graph by graph, palest frame first, so the picture is the one
// that computing and drawing them one after the other gives.
#include "plot/TPlotRenderer.h"

#include "expr/Errors.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TGPGraphics.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TOrderedWork.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <thread>

// Frames and graphs whose formula text is the same (TimeIncrement 0, a formula without t,
// the full-colour frame and its fill, two graphs with one formula) share the rows of one
// evaluation. A frame whose next frame has the same text is not drawn: the next one sets
// the very same pixels over it. Otherwise the polylines are drawn frame by frame, since a
// paler frame shows through the gaps of a dashed one drawn later.
void TPlotRenderer::DrawCurves(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                               int ArrowSize, const std::function<void(const Exception&)>& ReportCurveError)
{
    const int N = Model.FrameCount();
    if (N <= 0)
        return; // no frame to draw (and N - 1 must not overflow)
    std::vector<int> Graphs;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (GraphDrawn(i))
            Graphs.push_back(i);
    if (Graphs.empty())
        return;
    // Frame j of every graph is drawn at the time the sum t + j * Step reaches step by step.
    std::vector<Float80> Times(size_t(N), 0);
    Times[0] = ConvertTime();
    for (size_t j = 1; j < Times.size(); ++j)
        Times[j] = Times[j - 1] + Float80(Model.TimeIncrement);

    const int64_t First = View.Margin, Last = int64_t(Width) - View.Margin;
    std::optional<TCurveRasterizer> Raster;
    TCurveLane Lanes[2];
    const bool UseHelper = Canvas.RasterBits() && std::thread::hardware_concurrency() > 1;
    if (Canvas.RasterBits())
    {
        const QPaintDevice* Device = Canvas.Painter().device();
        Raster.emplace(Canvas.RasterBits(), Canvas.RasterStride(), Device->width(), Device->height());
        for (TCurveLane& Lane : Lanes)
            Lane.Outliner.emplace(nullptr, 0, Device->width(), Device->height());
    }
    Lanes[0].Evaluator = &Evaluator;
    if (UseHelper)
    {
        if (!HelperEvaluator)
            HelperEvaluator = std::make_unique<TGraphEvaluator>(Sep);
        Lanes[1].Evaluator = HelperEvaluator.get();
    }
    TGPGraphics Graphics(Canvas.Painter(), Raster ? &*Raster : nullptr);
    // A work item is one graph, all its frames on one thread: frames of one text then share
    // one evaluation in that thread's rows.
    std::vector<TCurveFrame> Frames(Graphs.size() * size_t(N));
    std::exception_ptr Error;
    TOrderedWork::Run(
        Graphs.size(), UseHelper,
        [&](size_t g, int Lane)
        {
            for (size_t j = 0; j < Times.size(); ++j)
            {
                TCurveFrame& Frame = Frames[g * Times.size() + j];
                ComputeCurveFrame(View, OriginY, First, Last, ArrowSize, Graphs[g], N - 1 - int(j), Times[j],
                                  j + 1 < Times.size() ? &Times[j + 1] : nullptr, Lanes[Lane], Frame);
                if (Frame.Error)
                    break; // the drawing ends with this frame
            }
        },
        [&](size_t g)
        {
            for (size_t j = 0; j < Times.size(); ++j)
                if (!DrawCurveFrame(Raster ? &*Raster : nullptr, Graphics, Frames[g * Times.size() + j], Error))
                    return false;
            return true;
        });
    // Reported once the helper has stopped: whatever the report does, nothing reads the model
    // on another thread any more.
    if (!Error)
        return;
    try
    {
        std::rethrow_exception(Error);
    }
    catch (const Exception& e)
    {
        Model.GraphsEnabled = false;
        if (ReportCurveError)
            ReportCurveError(e);
    }
}

TPlotRenderer::TColumnRows& TPlotRenderer::RowsFor(TCurveLane& Lane, std::u16string Text, int64_t First,
                                                   int64_t Last)
{
    auto Holds = [&](const TColumnRows& Rows) { return Rows.Valid && Rows.Text == Text; };
    if (auto Fill = std::find_if(FillRows.begin(), FillRows.end(), Holds); Fill != FillRows.end())
        return *Fill; // complete: only read
    if (auto Curve = std::find_if(Lane.CurveRows.begin(), Lane.CurveRows.end(), Holds); Curve != Lane.CurveRows.end())
        return *Curve;
    // Kept for the other frames of this graph and for later graphs; a text of an animated
    // graph rarely comes back, so only a few are kept.
    if (Lane.CurveRows.size() >= 4)
        Lane.CurveRows.erase(Lane.CurveRows.begin());
    Lane.CurveRows.emplace_back().Reset(std::move(Text), First, Last);
    return Lane.CurveRows.back();
}

void TPlotRenderer::ComputeCurveFrame(const TPlotView& View, int32_t OriginY, int64_t First, int64_t Last,
                                      int ArrowSize, int Index, int K, Float80 T, const Float80* Next,
                                      TCurveLane& Lane, TCurveFrame& Frame)
{
    try
    {
        const TFunc& Graph = Model.FuncList.Item(Index);
        Frame.Pen.emplace(ColorToArgb(LightenColor(Graph.Color, K, Model.FramesCount)), float(ArrowSize));
        Frame.Pen->SetDashStyle(Graph.Style);
        std::u16string Text = Lane.Evaluator->FormulaAtTime(Model.FuncList, Index, T);
        Frame.Covered = Next && Lane.Evaluator->FormulaAtTime(Model.FuncList, Index, *Next) == Text;
        TColumnRows& Rows = RowsFor(Lane, std::move(Text), First, Last);
        const auto EndPiece = [&]
        {
            if (Frame.PieceEnds.empty() ? !Frame.Points.empty() : Frame.PieceEnds.back() != Frame.Points.size())
                Frame.PieceEnds.push_back(Frame.Points.size());
        };
        bool Break = true;
        for (int64_t px = First; px <= Last; ++px)
        {
            if (Break)
            {
                // This column only ends the piece before the gap; it gets no point.
                EndPiece();
                Break = false;
                continue;
            }
            try
            {
                if (const std::optional<int32_t> Row = CurvePoint(*Lane.Evaluator, View, OriginY, Rows, px))
                    Frame.Points.emplace_back(int(px), *Row);
                else
                    Break = true;
            }
            catch (const Exception&)
            {
                Frame.Error = std::current_exception();
                break;
            }
        }
        EndPiece();
        // A covered frame is drawn only if its error ends the drawing.
        if (!Lane.Outliner || (Frame.Covered && !Frame.Error))
            return;
        Frame.Outlines.resize(Frame.PieceEnds.size());
        Frame.Outlined.resize(Frame.PieceEnds.size());
        size_t Start = 0;
        for (size_t p = 0; p < Frame.PieceEnds.size(); ++p)
        {
            Frame.Outlined[p] = Lane.Outliner->Prepare(Frame.Pen->Pen(), Frame.Points.data() + Start,
                                                       int(Frame.PieceEnds[p] - Start), Frame.Outlines[p]);
            Start = Frame.PieceEnds[p];
        }
    }
    catch (...)
    {
        // Anything else (memory running out) leaves DrawPlot when the frame's turn comes.
        Frame.Error = std::current_exception();
    }
}

bool TPlotRenderer::DrawCurveFrame(TCurveRasterizer* Raster, TGPGraphics& Graphics, TCurveFrame& Frame,
                                   std::exception_ptr& Error)
{
    if (Frame.Covered && !Frame.Error)
    {
        Frame = TCurveFrame();
        return true;
    }
    size_t Start = 0;
    for (size_t p = 0; p < Frame.PieceEnds.size(); ++p)
    {
        const int Count = int(Frame.PieceEnds[p] - Start);
        if (Raster && p < Frame.Outlined.size() && Frame.Outlined[p])
            Raster->FillEdges(Frame.Outlines[p], Frame.Pen->Pen().color().rgba());
        else
            Graphics.DrawPolyline(*Frame.Pen, Frame.Points.data() + Start, Count);
        Start = Frame.PieceEnds[p];
    }
    Error = Frame.Error;
    Frame = TCurveFrame(); // the memory of a drawn frame goes at once
    return !Error;
}
