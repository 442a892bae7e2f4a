#include "plot/TLegend.h"

#include "plot/GraphKind.h"
#include "plot/TCanvas.h"
#include "plot/TCurveSource.h"
#include "plot/TGPPen.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

QString TLegend::Elided(const QString& Formula)
{
    if (Formula.size() <= MaxChars)
        return Formula;
    const qsizetype Tail = (MaxChars - 1) / 2, Head = MaxChars - 1 - Tail;
    return Formula.left(Head) + QChar(0x2026) + Formula.right(Tail);
}

QString TLegend::Label(const TFunc& Graph)
{
    return KindOf(Graph).Label(Graph);
}

void TLegend::Draw(TCanvas& Canvas, const TPlotModel& Model, int Width, int Margin, int ArrowSize)
{
    if (!Model.GraphsEnabled)
        return;
    std::vector<int> Drawn;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (KindOf(Model.FuncList.Item(i)).Source().Drawn(Model.FuncList, i))
            Drawn.push_back(i);
    if (Drawn.empty())
        return;

    // Every measure follows the font, so a printed page gets the screen's proportions: from
    // the plot's edges to the box and from the box to its rows a quarter of a line, a sample
    // two lines long, half a line between a sample and its formula.
    const QFontMetrics Metrics(Canvas.Font(), Canvas.Painter().device());
    const int Line = std::max(Metrics.height(), 4);
    const int RowHeight = Line + Line / 8;
    int TextWidth = 0;
    for (int i : Drawn)
        TextWidth = std::max(TextWidth, Metrics.horizontalAdvance(Elided(Label(Model.FuncList.Item(i)))));
    const int Pad = Line / 4, SampleLength = 2 * Line, Gap = Line / 2;
    const int BoxWidth = 2 * Pad + SampleLength + Gap + TextWidth;
    const int BoxHeight = 2 * Pad + RowHeight * int(Drawn.size());
    const int Right = Width - Margin - Pad;
    const int Left = Right - BoxWidth, Top = Margin + Pad;

    const bool Dark = Model.Options.DarkPlot;
    QPainter& Painter = Canvas.Painter();
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setPen(QPen(ToQColor(Dark ? DarkLegendEdge : LegendEdge), 0));
    Painter.setBrush(ToQColor(Dark ? DarkLegendBox : LegendBox));
    Painter.drawRect(Left, Top, BoxWidth - 1, BoxHeight - 1);
    Painter.setBrush(Qt::NoBrush);
    int Row = Top + Pad;
    for (int i : Drawn)
    {
        const TFunc& Graph = Model.FuncList.Item(i);
        TGPPen Pen(ColorToArgb(LineColor(Graph.Color, Model.Options)), float(ArrowSize));
        Pen.SetDashStyle(Graph.Style);
        const int Middle = Row + RowHeight / 2;
        KindOf(Graph).DrawSample(Painter, Pen.Pen(), Left + Pad, Left + Pad + SampleLength, Middle, Graph);
        Row += RowHeight;
    }
    Painter.restore();

    Canvas.SetFontColor(InkColor(Model.Options));
    Row = Top + Pad;
    const int64_t TextLeft = Left + Pad + SampleLength + Gap;
    for (int i : Drawn)
    {
        Canvas.TextOut(TextLeft, Row + Line / 16, Elided(Label(Model.FuncList.Item(i))));
        Row += RowHeight;
    }
}
