#include "plot/TTickGrid.h"

#include "expr/FloatArith.h"
#include "plot/TCanvas.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
// Line I of an evenly divided direction: Margin + Round(I * TickPixels).
int64_t EvenLine(const TPlotView& View, int64_t I, Float80 TickPixels)
{
    return View.Margin + Round64(Float80(I) * TickPixels);
}

// Of the numbers at pixels Pos (in the order of their values, each Size pixels long along the
// axis and kept Gap pixels from the next), every Every-th is written, counted from Anchor: the
// smallest Every at which no written number runs into the next written one.
int64_t Every(const std::vector<int64_t>& Pos, int64_t Size, int64_t Gap)
{
    const int64_t n = int64_t(Pos.size());
    if (n < 2)
        return 1;
    const int64_t Span = std::llabs(Pos[size_t(n - 1)] - Pos[0]);
    // The average distance gives a first guess that is never too large by more than one.
    int64_t k = Span > 0 ? std::max<int64_t>(1, (Size + Gap) * (n - 1) / Span - 1) : n;
    for (; k < n; ++k)
    {
        bool Fits = true;
        for (int64_t i = 0; i + k < n && Fits; ++i)
            Fits = std::llabs(Pos[size_t(i + k)] - Pos[size_t(i)]) >= Size + Gap;
        if (Fits)
            return k;
    }
    return n;
}

// Where the counting of written numbers starts: the number nearest 0 (1 on a logarithmic
// axis), so that it is always written.
size_t Anchor(const std::vector<const TTick*>& Numbers, bool Log)
{
    size_t Best = 0;
    Float80 BestDistance = INFINITY;
    for (size_t i = 0; i < Numbers.size(); ++i)
    {
        const Float80 v = Numbers[i]->Value;
        const Float80 Distance = Log ? std::fabs(std::log10(v)) : std::fabs(v);
        if (Distance < BestDistance)
        {
            BestDistance = Distance;
            Best = i;
        }
    }
    return Best;
}
} // namespace

TTickGrid::TTickGrid(const TPlotModel& ModelIn, const TPlotView& ViewIn, char16_t Separator)
    : Model(ModelIn), View(ViewIn), Sep(Separator), RuleX(XRuleOf(ModelIn)), RuleY(YRuleOf(ModelIn))
{
    if (RuleX != TTickRule::Even)
        TicksX = TAxisTicks::Ticks(RuleX, View.Left, View.Right, Model.TicksByX, Sep);
    if (RuleY != TTickRule::Even)
        TicksY = TAxisTicks::Ticks(RuleY, View.Bottom, View.Top, Model.TicksByY, Sep);
}

TTickRule TTickGrid::XRuleOf(const TPlotModel& Model)
{
    const TPlotOptions& o = Model.Options;
    return o.LogX        ? TTickRule::Log
           : o.PiTicks   ? TTickRule::Pi
           : o.RoundGrid ? TTickRule::Round
                         : TTickRule::Even;
}

TTickRule TTickGrid::YRuleOf(const TPlotModel& Model)
{
    const TPlotOptions& o = Model.Options;
    return o.LogY ? TTickRule::Log : o.RoundGrid ? TTickRule::Round : TTickRule::Even;
}

int64_t TTickGrid::Column(Float80 v) const
{
    const Float80 Along = View.LogX ? std::log10(v) - View.LogLeft : v - View.Left;
    return View.Margin + Round64(Along * View.ScaleX);
}

int64_t TTickGrid::Row(Float80 v) const
{
    const Float80 Along = View.LogY ? View.LogTop - std::log10(v) : View.Top - v;
    return View.Margin + Round64(Along * View.ScaleY);
}

// Many lines on a few pixels put several on one column; a repeated column is skipped.
void TTickGrid::DrawGrid(TCanvas& Canvas, int Width, int Height) const
{
    Canvas.SetPenColor(GridColor(Model.Options));
    Canvas.SetPenStyle(Model.View.GridDot    ? TPenStyle::Dot
                       : Model.View.GridDash ? TPenStyle::Dash
                                             : TPenStyle::Solid);
    const int64_t Bottom = int64_t(Height) - View.Margin, Right = int64_t(Width) - View.Margin;
    // A vertical line at column p, or a horizontal one at row p.
    auto Line = [&](bool Vertical, int64_t p, int64_t& Previous)
    {
        if (p == Previous)
            return;
        Previous = p;
        Canvas.MoveTo(Vertical ? p : View.Margin, Vertical ? View.Margin : p);
        Canvas.LineTo(Vertical ? p : Right, Vertical ? Bottom : p);
    };
    int64_t Previous = INT64_MIN;
    if (RuleX == TTickRule::Even)
        for (int64_t i = 0; i <= Model.TicksByX; ++i)
            Line(true, EvenLine(View, i, View.TickPixelsX), Previous);
    else
        for (const TTick& t : TicksX)
            Line(true, Column(t.Value), Previous);
    Previous = INT64_MIN;
    if (RuleY == TTickRule::Even)
        for (int64_t j = 0; j <= Model.TicksByY; ++j)
            Line(false, EvenLine(View, j, View.TickPixelsY), Previous);
    else
        for (const TTick& t : TicksY)
            Line(false, Row(t.Value), Previous);
    Canvas.SetPenStyle(TPenStyle::Solid);
}

void TTickGrid::DrawNumbers(TCanvas& Canvas, int32_t OriginY, int Width, int Height) const
{
    const int64_t YColumn = int64_t(View.OriginX) + Canvas.Scaled(3);
    if (RuleX == TTickRule::Even && RuleY == TTickRule::Even)
    {
        // The first rule alone measures no text.
        DrawEvenNumbers(Canvas, true, int64_t(OriginY) + Canvas.Scaled(1));
        DrawEvenNumbers(Canvas, false, YColumn);
        return;
    }
    const QFontMetrics Metrics(Canvas.Font(), Canvas.Painter().device());
    const int64_t TextHeight = Metrics.height(), WidestChar = Metrics.maxWidth();
    // Whether a text with its top-left corner at (x, y) lies wholly inside the picture. Its
    // width is measured only near the right edge: shaping a text costs more than drawing it.
    auto Inside = [&](int64_t x, int64_t y, const QString& Text)
    {
        if (x < 0 || y < 0 || y + TextHeight > Height)
            return false;
        return x + WidestChar * Text.size() <= Width || x + Metrics.horizontalAdvance(Text) <= Width;
    };

    // The x numbers stand under the axis, or over it where it is the picture's bottom edge.
    const int64_t XRow =
        View.LogY ? int64_t(OriginY) - Canvas.Scaled(1) - TextHeight : int64_t(OriginY) + Canvas.Scaled(1);
    if (RuleX == TTickRule::Even)
        DrawEvenNumbers(Canvas, true, XRow);
    else
    {
        // Numbers that would run into each other are thinned out evenly: every k-th stands, 0
        // among them. They are as wide as the one of the most characters.
        std::vector<const TTick*> Numbers;
        std::vector<int64_t> Columns;
        const QString* Longest = nullptr;
        for (const TTick& t : TicksX)
            if (!t.Text.isEmpty())
            {
                Numbers.push_back(&t);
                Columns.push_back(Column(t.Value));
                if (!Longest || t.Text.size() > Longest->size())
                    Longest = &t.Text;
            }
        const int64_t k = Longest ? Every(Columns, Metrics.horizontalAdvance(*Longest),
                                          Metrics.horizontalAdvance(QLatin1Char(' ')))
                                  : 1;
        const size_t First = Numbers.empty() ? 0 : Anchor(Numbers, View.LogX) % size_t(k);
        for (size_t i = First; i < Numbers.size(); i += size_t(k))
        {
            const int64_t c = Columns[i] + Canvas.Scaled(3);
            if (Inside(c, XRow, Numbers[i]->Text))
                Canvas.TextOut(c, XRow, Numbers[i]->Text);
        }
    }

    if (RuleY == TTickRule::Even)
        DrawEvenNumbers(Canvas, false, YColumn);
    else
    {
        std::vector<const TTick*> Numbers;
        std::vector<int64_t> Rows;
        for (const TTick& t : TicksY)
            if (!t.Text.isEmpty())
            {
                Numbers.push_back(&t);
                Rows.push_back(Row(t.Value));
            }
        const int64_t k = Every(Rows, TextHeight, 0);
        const size_t First = Numbers.empty() ? 0 : Anchor(Numbers, View.LogY) % size_t(k);
        for (size_t i = First; i < Numbers.size(); i += size_t(k))
        {
            const int64_t r = Rows[i] + Canvas.Scaled(1);
            if (Inside(YColumn, r, Numbers[i]->Text))
                Canvas.TextOut(YColumn, r, Numbers[i]->Text);
        }
    }
}

void TTickGrid::DrawEvenNumbers(TCanvas& Canvas, bool AlongX, int64_t Across) const
{
    QString Previous;
    int64_t PreviousAlong = INT64_MIN;
    const int64_t Count = AlongX ? Model.TicksByX : Model.TicksByY;
    for (int64_t i = 0; i < Count; ++i)
    {
        const int64_t Along = AlongX ? EvenLine(View, i, View.TickPixelsX) + Canvas.Scaled(3)
                                     : EvenLine(View, i, View.TickPixelsY) + Canvas.Scaled(1);
        const int64_t Column = AlongX ? Along : Across, Row = AlongX ? Across : Along;
        const Float80 Value = AlongX ? FAdd(View.Left, FMul(Float80(i), View.TickStepX))
                                     : FSub(View.Top, FMul(Float80(i), View.TickStepY));
        const QString Text =
            TAxisTicks::EvenText(Value, Model.Decimals, Sep, Canvas.NumberTextCapacity(Column));
        if (Along == PreviousAlong && Text == Previous)
            continue;
        Canvas.TextOut(Column, Row, Text);
        Previous = Text;
        PreviousAlong = Along;
    }
}
