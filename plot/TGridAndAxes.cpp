#include "plot/TGridAndAxes.h"

#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "plot/TCanvas.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"
#include "plot/TTickGrid.h"

#include <QString>

#include <cstdint>

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
    return QString::fromStdU16String(FormatFixedHead(Value, Decimals, Sep, Canvas.NumberTextCapacity(X)));
}
} // namespace

// Many divisions on a few pixels put several lines on one column; a repeated column draws
// the very same pixels again, so it is skipped.
void TGridAndAxes::DrawGrid(TCanvas& Canvas, int Width, int Height) const
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
void TGridAndAxes::DrawNumbers(TCanvas& Canvas, int32_t OriginY) const
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

void TGridAndAxes::DrawArrows(TCanvas& Canvas, int32_t OriginY, int Width, int ArrowSize) const
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

void TGridAndAxes::DrawAxes(TCanvas& Canvas, int32_t OriginY, int Width, int Height) const
{
    Canvas.MoveTo(View.Margin, OriginY);
    Canvas.LineTo(int64_t(Width) - View.Margin, OriginY);
    Canvas.MoveTo(View.OriginX, View.Margin);
    Canvas.LineTo(View.OriginX, int64_t(Height) - View.Margin);
}

void TGridAndAxes::Draw(TCanvas& Canvas, int32_t OriginY, int Width, int Height, int ArrowSize) const
{
    // Grid, arrows and axes are one pixel of the ordinary picture thick; the fills draw one
    // line per device column, one device pixel wide.
    Canvas.SetPenWidth(int(Canvas.Scaled(1)));
    // Round, pi and logarithmic axes have a grid and numbers of their own.
    const TTickGrid Ticks(Model, View, Sep);
    if (Model.View.Grid)
        Ticks.Applies() ? Ticks.DrawGrid(Canvas, Width, Height) : DrawGrid(Canvas, Width, Height);
    // Numbers, arrows and axes are black (light on the dark plot) whatever the fills left in
    // the pen.
    Canvas.SetPenColor(InkColor(Model.Options));
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Model.Options.DarkPlot)
        Canvas.SetFontColor(DarkInk);
    if (Model.View.Numbers)
        Ticks.Applies() ? Ticks.DrawNumbers(Canvas, OriginY, Width, Height) : DrawNumbers(Canvas, OriginY);
    if (Model.View.Arrows)
        DrawArrows(Canvas, OriginY, Width, ArrowSize);
    DrawAxes(Canvas, OriginY, Width, Height);
}
