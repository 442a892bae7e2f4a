#include "plot/TPlotRenderer.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TFillLayers.h"
#include "plot/TGPGraphics.h"
#include "plot/TGPPen.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <vector>

namespace
{
// The position of grid line I of a direction: Margin + Round(I * TickPixels).
int64_t GridLine(const TPlotView& View, int64_t I, Float80 TickPixels)
{
    return View.Margin + Round64(Float80(I) * TickPixels);
}

// The part of a tick number that can show when written from column X.
QString FixedText(const TCanvas& Canvas, int64_t X, Float80 Value, int Decimals, char16_t Sep)
{
    return QString::fromStdU16String(
        FormatFixedHead(Value, Decimals, Sep, Canvas.NumberTextCapacity(X)));
}

bool IsUndefinedPoint(const Exception& Error)
{
    return dynamic_cast<const EZeroDivide*>(&Error) || dynamic_cast<const EInvalidOp*>(&Error) ||
           dynamic_cast<const EDomainError*>(&Error);
}
} // namespace

TPlotRenderer::TPlotRenderer(TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator)
    : Model(Model), Evaluator(Evaluator), Sep(DecimalSeparator)
{
}

TPlotRenderer::~TPlotRenderer() = default;

void TPlotRenderer::DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                             const std::function<void(const Exception&)>& ReportCurveError)
{
    FillRows.clear();
    Canvas.FillRect(0, 0, Width, Height);
    TPlotView View = TPlotView::Compute(Model, Width, Height, Margin, Sep);
    View.RowClamp = Canvas.Scaled(CurveRowClamp);
    Canvas.SetPenWidth(1);
    Canvas.SetPenStyle(TPenStyle::Solid);

    if (Model.FilledGraphs)
    {
        const int32_t OriginY = View.OriginY();
        ConvertTime(); // only checked here: each graph converts it again
        DrawFills(Canvas, View, OriginY, Width);
    }
    // Grid, arrows and axes are one pixel of the ordinary picture thick; the fills above draw
    // one line per device column, one device pixel wide.
    Canvas.SetPenWidth(int(Canvas.Scaled(1)));
    if (Model.View.Grid)
        DrawGrid(Canvas, View, Width, Height);
    const int32_t OriginY = View.OriginY();
    // Numbers, arrows and axes are black whatever the fills left in the pen.
    Canvas.SetPenColor(clBlack);
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Model.View.Numbers)
        DrawNumbers(Canvas, View, OriginY);
    if (Model.View.Arrows)
        DrawArrows(Canvas, View, OriginY, Width, ArrowSize);
    DrawAxes(Canvas, View, OriginY, Width, Height);
    DrawCurves(Canvas, View, OriginY, Width, ArrowSize, ReportCurveError);
}

// Many divisions on a few pixels put several lines on one column; a repeated column draws
// the very same pixels again, so it is skipped.
void TPlotRenderer::DrawGrid(TCanvas& Canvas, const TPlotView& View, int Width, int Height) const
{
    Canvas.SetPenColor(clSilver);
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
        const QString Text = FixedText(Canvas, Column, FAdd(View.Left, FMul(Float80(i), View.TickStepX)),
                                       Model.Decimals, Sep);
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
    return Model.GraphsEnabled && !Model.FuncList.Item(Index).Func.isEmpty();
}

Float80 TPlotRenderer::ConvertTime() const
{
    return TextToFloat(Model.TimeText.toStdU16String(), Sep);
}

int32_t TPlotRenderer::CurveRow(TGraphEvaluator& With, const TPlotView& View, int32_t OriginY,
                                const std::u16string& Text, int64_t Px)
{
    const Float80 v = With.EvaluateAt(Text, View.PlaneX(Px));
    const int64_t d = Round64(FMul(v, View.ScaleY));
    // OriginY - d can leave int64 only where the clamp would cut it anyway.
    int64_t r = 0;
    if (__builtin_sub_overflow(int64_t(OriginY), d, &r))
        r = d > 0 ? -View.RowClamp : View.RowClamp;
    return int32_t(std::clamp(r, -View.RowClamp, View.RowClamp));
}

void TPlotRenderer::TColumnRows::Reset(std::u16string NewText, int64_t FirstColumn, int64_t LastColumn)
{
    Text = std::move(NewText);
    First = FirstColumn;
    const size_t Count = LastColumn >= FirstColumn ? size_t(LastColumn - FirstColumn + 1) : 0;
    Rows.assign(Count, 0);
    States.assign(Count, TState::Unknown);
    Valid = true;
}

void TPlotRenderer::FillColumns(const TPlotView& View, int32_t OriginY, TColumnRows& Rows)
{
    for (size_t j = 0; j < Rows.Rows.size(); ++j)
    {
        Rows.Rows[j] = CurveRow(Evaluator, View, OriginY, Rows.Text, Rows.First + int64_t(j));
        Rows.States[j] = TColumnRows::TState::Row;
    }
}

std::optional<int32_t> TPlotRenderer::CurvePoint(TGraphEvaluator& With, const TPlotView& View, int32_t OriginY,
                                                 TColumnRows& Rows, int64_t Px)
{
    const size_t j = size_t(Px - Rows.First);
    switch (Rows.States[j])
    {
    case TColumnRows::TState::Row:
        return Rows.Rows[j];
    case TColumnRows::TState::Undefined:
        return std::nullopt;
    case TColumnRows::TState::Unknown:
        break;
    }
    try
    {
        Rows.Rows[j] = CurveRow(With, View, OriginY, Rows.Text, Px);
        Rows.States[j] = TColumnRows::TState::Row;
        return Rows.Rows[j];
    }
    catch (const Exception& Error)
    {
        if (!IsUndefinedPoint(Error))
            throw;
        Rows.States[j] = TColumnRows::TState::Undefined;
        return std::nullopt;
    }
}

// Every frame of a fill is computed at t + k * TimeIncrement with t advancing per frame,
// so all frames normally share one formula text, the one of the curve's full-colour frame,
// and the full-colour frame, drawn last over the same lines, is all that shows: each column
// is evaluated once and only that frame is drawn. Any error, an undefined point included,
// leaves DrawPlot; what the frames drawn so far left on the canvas is drawn first: the
// earlier graphs and the palest frame up to the failing column. The rare graph whose frame
// texts differ after all (the 15-digit time text of the sums may differ in the last digit)
// is drawn frame by frame.
void TPlotRenderer::DrawFills(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width)
{
    const int N = Model.FrameCount();
    if (N <= 0)
        return; // no frame to draw (and N - 1 must not overflow)
    const Float80 Step = Model.TimeIncrement;
    const int64_t First = View.Margin, Last = int64_t(Width) - View.Margin;
    FillRows.assign(size_t(Model.FuncList.Count()), TColumnRows{});
    TFillLayers Layers;
    std::vector<std::u16string> Texts;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        if (!GraphDrawn(i) || N <= 0)
            continue;
        Texts.clear();
        Float80 t = ConvertTime();
        for (int k = N - 1; k >= 0; --k)
        {
            Texts.push_back(Evaluator.FormulaAtTime(Model.FuncList, i, t + Float80(k) * Step));
            t = t + Step;
        }
        if (std::any_of(Texts.begin(), Texts.end(), [&](const std::u16string& Text) { return Text != Texts[0]; }))
        {
            Layers.Draw(Canvas, OriginY);
            DrawFillFrames(Canvas, View, OriginY, Width, i, Texts);
            continue;
        }
        const TColor Fill = Model.FuncList.Item(i).BGColor;
        TColumnRows& Rows = FillRows[size_t(i)];
        const auto Same = std::find_if(FillRows.begin(), FillRows.begin() + i,
                                       [&](const TColumnRows& Other) { return Other.Valid && Other.Text == Texts[0]; });
        if (Same != FillRows.begin() + i)
            Rows = *Same;
        else
        {
            Rows.Reset(Texts[0], First, Last);
            try
            {
                FillColumns(View, OriginY, Rows);
            }
            catch (...)
            {
                const auto Done = std::find(Rows.States.begin(), Rows.States.end(), TColumnRows::TState::Unknown);
                Layers.Add(LightenColor(Fill, N - 1, Model.FramesCount), Rows.Rows.data(), First,
                           First + (Done - Rows.States.begin()));
                Layers.Draw(Canvas, OriginY);
                throw;
            }
        }
        Layers.Add(Fill, Rows.Rows.data(), First, Last + 1);
    }
    Layers.Draw(Canvas, OriginY);
}

// The frames of graph Index one after the other, each column drawn as it is evaluated.
void TPlotRenderer::DrawFillFrames(TCanvas& Canvas, const TPlotView& View, int32_t OriginY, int Width,
                                   int Index, const std::vector<std::u16string>& Texts)
{
    const int N = int(Texts.size());
    TColumnRows& Rows = FillRows[size_t(Index)]; // ends as the full-colour frame, for the curve
    for (int j = 0; j < N; ++j)
    {
        Canvas.SetPenColor(LightenColor(Model.FuncList.Item(Index).BGColor, N - 1 - j, Model.FramesCount));
        Rows.Reset(Texts[size_t(j)], View.Margin, int64_t(Width) - View.Margin);
        for (size_t c = 0; c < Rows.Rows.size(); ++c)
        {
            const int64_t px = Rows.First + int64_t(c);
            Rows.Rows[c] = CurveRow(Evaluator, View, OriginY, Rows.Text, px);
            Rows.States[c] = TColumnRows::TState::Row;
            Canvas.MoveTo(px, OriginY);
            Canvas.LineTo(px, Rows.Rows[c]);
        }
    }
}
