#include "plot/TPlotRenderer.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TCurveSource.h"
#include "plot/TFillLayers.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TGraphFrames.h"
#include "plot/TLegend.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"
#include "plot/TTickGrid.h"

#include <QString>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace
{
// Pictures of at least this many pixels have their background written on a thread of its
// own (for smaller ones starting a thread costs more than it saves).
constexpr int64_t BackgroundThreadArea = 1 << 20;

// A fill of the background on another thread, waited for however the paint leaves.
class TBackgroundFill
{
  public:
    ~TBackgroundFill() { Wait(); }
    // Runs Fill on a thread, or here when no thread can be started.
    template <class TFill> void Start(TFill&& Fill)
    {
        try
        {
            Thread = std::thread(Fill);
        }
        catch (const std::system_error&)
        {
            Fill();
        }
    }
    void Wait()
    {
        if (Thread.joinable())
            Thread.join();
    }

  private:
    std::thread Thread;
};

// The position of grid line I of a direction: Margin + Round(I * TickPixels).
int64_t GridLine(const TPlotView& View, int64_t I, Float80 TickPixels)
{
    return View.Margin + Round64(Float80(I) * TickPixels);
}

// The part of a tick number that can show when written from column X.
QString FixedText(const TCanvas& Canvas, int64_t X, Float80 Value, int Decimals, char16_t Sep)
{
    return QString::fromStdU16String(FormatFixedHead(Value, Decimals, Sep, Canvas.NumberTextCapacity(X)));
}
// Whether two models give the same picture: everything the model holds, compared field by
// field (a change that draws nothing only costs a fresh start).
bool SameDrawing(const TPlotModel& A, const TPlotModel& B)
{
    return A == B;
}
} // namespace

TPlotRenderer::TPlotRenderer(TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator)
    : Model(Model), Evaluator(Evaluator), Sep(DecimalSeparator),
      Frames(std::make_unique<TGraphFrames>(DecimalSeparator))
{
}

TPlotRenderer::~TPlotRenderer() = default;

void TPlotRenderer::DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                             const std::function<void(const Exception&)>& ReportCurveError,
                             const TPaintBudget* Budget, bool Continue)
{
    const bool Same = Stopped.Width == Width && Stopped.Height == Height && Stopped.Margin == Margin &&
                      Stopped.ArrowSize == ArrowSize && Stopped.Scale == Canvas.Scale() && StoppedModel &&
                      SameDrawing(*StoppedModel, Model);
    StoppedModel.reset();
    if (!Continue || !Same)
    {
        Frames->Forget();
        Stopped = TStop();
    }
    try
    {
        if (Stopped.InCurves)
        {
            // Everything up to the curves is on the canvas already.
            TPlotView View = TPlotView::Compute(Model, Width, Height, Margin, Sep);
            View.RowClamp = Canvas.Scaled(CurveRowClamp);
            Frames->Begin(Model, Evaluator, View, View.OriginY(), Width, Budget);
            Frames->DrawCurves(Canvas, ArrowSize, ReportCurveError);
        }
        else
        {
            // Fill rows are worked out on two threads whatever the canvas; curves only where
            // they are written into image memory.
            const bool UseHelper = std::thread::hardware_concurrency() > 1;
            // A large background in image memory is written on a thread of its own while the
            // fill rows are worked out: the one waits on memory, the other computes. Nothing
            // else touches the canvas until it is done.
            TBackgroundFill Background;
            if (Model.Options.DarkPlot)
                Canvas.SetBrushColor(DarkGround);
            if (Canvas.RasterBits() && Model.FilledGraphs && UseHelper &&
                int64_t(Width) * Height >= BackgroundThreadArea)
                Background.Start([&] { Canvas.FillRect(0, 0, Width, Height); });
            else
                Canvas.FillRect(0, 0, Width, Height);
            TPlotView View = TPlotView::Compute(Model, Width, Height, Margin, Sep);
            View.RowClamp = Canvas.Scaled(CurveRowClamp);
            const bool Fills = Model.FilledGraphs && AnyFillDrawn();
            if (Model.FilledGraphs)
            {
                ConvertTime(); // only checked here: the frame texts convert it again
                Frames->Begin(Model, Evaluator, View, View.OriginY(), Width, Budget);
                if (Fills)
                    Frames->EvaluateFills(UseHelper);
            }
            Background.Wait();
            Canvas.SetPenWidth(1);
            Canvas.SetPenStyle(TPenStyle::Solid);
            if (Fills)
                DrawFills(Canvas, View, View.OriginY(), Width, UseHelper);
            const int32_t OriginY = View.OriginY();
            Frames->Begin(Model, Evaluator, View, OriginY, Width, Budget);
            // The curves are computed beside the drawing of grid, numbers, arrows and axes,
            // and drawn over them.
            Frames->DrawCurves(Canvas, ArrowSize, ReportCurveError,
                               [&]
                               {
                                   DrawGridAndAxes(Canvas, View, OriginY, Width, Height, ArrowSize);
                                   Stopped = {Width, Height, Margin, ArrowSize, Canvas.Scale(), true};
                               });
        }
    }
    catch (const EPaintAbandoned&)
    {
        StoppedModel = std::make_unique<TPlotModel>(Model);
        Stopped.Width = Width;
        Stopped.Height = Height;
        Stopped.Margin = Margin;
        Stopped.ArrowSize = ArrowSize;
        Stopped.Scale = Canvas.Scale();
        throw;
    }
    catch (...)
    {
        Frames->Forget();
        Stopped = TStop();
        throw;
    }
    if (Model.Options.Legend)
        TLegend::Draw(Canvas, Model, Width, Margin, ArrowSize);
    Frames->Forget();
    Stopped = TStop();
}

// Many divisions on a few pixels put several lines on one column; a repeated column draws
// the very same pixels again, so it is skipped.
void TPlotRenderer::DrawGrid(TCanvas& Canvas, const TPlotView& View, int Width, int Height) const
{
    Canvas.SetPenColor(GridColor(Model.Options));
    Canvas.SetPenStyle(Model.View.GridDot    ? TPenStyle::Dot
                       : Model.View.GridDash ? TPenStyle::Dash
                                             : TPenStyle::Solid);
    int64_t Previous = INT64_MIN;
    for (int64_t i = 0; i <= Model.TicksByX; ++i)
    {
        const int64_t c = GridLine(View, i, View.TickPixelsX);
        if (c == Previous)
            continue;
        Previous = c;
        Canvas.MoveTo(c, View.Margin);
        Canvas.LineTo(c, int64_t(Height) - View.Margin);
    }
    Previous = INT64_MIN;
    for (int64_t j = 0; j <= Model.TicksByY; ++j)
    {
        const int64_t r = GridLine(View, j, View.TickPixelsY);
        if (r == Previous)
            continue;
        Previous = r;
        Canvas.MoveTo(View.Margin, r);
        Canvas.LineTo(int64_t(Width) - View.Margin, r);
    }
    Canvas.SetPenColor(clBlack);
    Canvas.SetPenStyle(TPenStyle::Solid);
}

// A number identical to the one just written at the same place adds no pixel; skipping it
// keeps huge tick counts cheap.
void TPlotRenderer::DrawNumbers(TCanvas& Canvas, const TPlotView& View, int32_t OriginY) const
{
    QString Previous;
    int64_t PreviousColumn = INT64_MIN;
    for (int64_t i = 0; i < Model.TicksByX; ++i)
    {
        const int64_t Column = GridLine(View, i, View.TickPixelsX) + Canvas.Scaled(3);
        const QString Text =
            FixedText(Canvas, Column, FAdd(View.Left, FMul(Float80(i), View.TickStepX)), Model.Decimals, Sep);
        if (Column == PreviousColumn && Text == Previous)
            continue;
        Canvas.TextOut(Column, int64_t(OriginY) + Canvas.Scaled(1), Text);
        Previous = Text;
        PreviousColumn = Column;
    }
    int64_t PreviousRow = INT64_MIN;
    const int64_t Column = int64_t(View.OriginX) + Canvas.Scaled(3);
    for (int64_t j = 0; j < Model.TicksByY; ++j)
    {
        const int64_t Row = GridLine(View, j, View.TickPixelsY) + Canvas.Scaled(1);
        const QString Text =
            FixedText(Canvas, Column, FSub(View.Top, FMul(Float80(j), View.TickStepY)), Model.Decimals, Sep);
        if (Row == PreviousRow && Text == Previous)
            continue;
        Canvas.TextOut(Column, Row, Text);
        Previous = Text;
        PreviousRow = Row;
    }
}

void TPlotRenderer::DrawArrows(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                               int ArrowSize) const
{
    const int64_t a = ArrowSize;
    const int64_t Tip = int64_t(Width) - View.Margin;
    Canvas.MoveTo(Tip, OriginY);
    Canvas.LineTo(Tip - 3 * a, OriginY - a);
    Canvas.MoveTo(Tip, OriginY);
    Canvas.LineTo(Tip - 3 * a, OriginY + a);
    const int64_t Top = View.Margin;
    Canvas.MoveTo(View.OriginX, Top);
    Canvas.LineTo(View.OriginX - a, Top + 3 * a);
    Canvas.MoveTo(View.OriginX, Top);
    Canvas.LineTo(View.OriginX + a, Top + 3 * a);
}

void TPlotRenderer::DrawAxes(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                             int Height) const
{
    Canvas.MoveTo(View.Margin, OriginY);
    Canvas.LineTo(int64_t(Width) - View.Margin, OriginY);
    Canvas.MoveTo(View.OriginX, View.Margin);
    Canvas.LineTo(View.OriginX, int64_t(Height) - View.Margin);
}

bool TPlotRenderer::GraphDrawn(int Index) const
{
    return Model.GraphsEnabled && CurveSourceOf(Model.FuncList.Item(Index).Kind).Drawn(Model.FuncList, Index);
}

Float80 TPlotRenderer::ConvertTime() const
{
    return TextToFloat(Model.TimeText.toStdU16String(), Sep);
}

bool TPlotRenderer::AnyFillDrawn() const
{
    if (Model.FrameCount() <= 0)
        return false; // no frame to draw (and N - 1 must not overflow)
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (GraphDrawn(i))
            return true;
    return false;
}

void TPlotRenderer::DrawGridAndAxes(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                                    int Height, int ArrowSize)
{
    // Grid, arrows and axes are one pixel of the ordinary picture thick; the fills draw one
    // line per device column, one device pixel wide.
    Canvas.SetPenWidth(int(Canvas.Scaled(1)));
    // Round, pi and logarithmic axes have a grid and numbers of their own.
    const TTickGrid Ticks(Model, View, Sep);
    if (Model.View.Grid)
        Ticks.Applies() ? Ticks.DrawGrid(Canvas, Width, Height) : DrawGrid(Canvas, View, Width, Height);
    // Numbers, arrows and axes are black (light on the dark plot) whatever the fills left in
    // the pen.
    Canvas.SetPenColor(InkColor(Model.Options));
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Model.Options.DarkPlot)
        Canvas.SetFontColor(DarkInk);
    if (Model.View.Numbers)
        Ticks.Applies() ? Ticks.DrawNumbers(Canvas, OriginY, Width, Height)
                        : DrawNumbers(Canvas, View, OriginY);
    if (Model.View.Arrows)
        DrawArrows(Canvas, View, OriginY, Width, ArrowSize);
    DrawAxes(Canvas, View, OriginY, Width, Height);
}

// Every frame of a fill is computed at t + k * TimeIncrement with t advancing per frame,
// so all frames normally share one formula text, the one of the curve's full-colour frame,
// and the full-colour frame, drawn last over the same lines, is all that shows: each column
// is evaluated once and only that frame is drawn. Any error, an undefined point included,
// leaves DrawPlot; what the frames drawn so far left on the canvas is drawn first: the
// earlier graphs and the palest frame up to the failing column. The rare graph whose frame
// texts differ after all (the 15-digit time text of the sums may differ in the last digit)
// is drawn frame by frame.
void TPlotRenderer::DrawFills(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                              bool UseHelper)
{
    const int N = Model.FrameCount();
    const int64_t First = View.Margin, Last = int64_t(Width) - View.Margin;
    Frames->EvaluateFills(UseHelper);
    TFillLayers Layers;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        if (!GraphDrawn(i))
            continue;
        if (Model.FuncList.Item(i).Kind != TGraphKind::Function)
        {
            Layers.Draw(Canvas, OriginY);
            Frames->DrawShapeFill(Canvas, i);
            continue;
        }
        if (!Frames->FillUniform(i))
        {
            Layers.Draw(Canvas, OriginY);
            DrawFillFrames(Canvas, View, OriginY, Width, i);
            continue;
        }
        const TColor Fill = Model.FuncList.Item(i).BGColor;
        const TGraphFrames::TFillRows Rows = Frames->FillRows(i);
        if (Rows.Error)
        {
            Layers.Add(LightenColor(Fill, N - 1, Model.FramesCount), Rows.Rows, First, First + Rows.Done);
            Layers.Draw(Canvas, OriginY);
            std::rethrow_exception(Rows.Error);
        }
        Layers.Add(Fill, Rows.Rows, First, Last + 1);
    }
    Layers.Draw(Canvas, OriginY);
}

void TPlotRenderer::DrawFillFrames(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                                   int Index)
{
    const int N = Model.FrameCount();
    for (int j = 0; j < N; ++j)
    {
        Canvas.SetPenColor(LightenColor(Model.FuncList.Item(Index).BGColor, N - 1 - j, Model.FramesCount));
        std::shared_ptr<const TExprProgram> Program;
        for (int64_t px = View.Margin; px <= int64_t(Width) - View.Margin; ++px)
        {
            if (!Program)
            {
                Frames->UseFillParameters(Evaluator, Index, j);
                Program = Evaluator.Program(Frames->FillText(Index, j));
            }
            const int32_t Row = TGraphFrames::CurveRow(Evaluator, *Program, View, OriginY, px);
            Canvas.MoveTo(px, OriginY);
            Canvas.LineTo(px, Row);
        }
    }
}
