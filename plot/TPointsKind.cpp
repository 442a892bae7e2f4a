#include "plot/TPointsKind.h"

#include "analysis/TAnalysisRequest.h"
#include "plot/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TFuncList.h"
#include "plot/TGraphKeys.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TPointsCurve.h"
#include "plot/TPointsSection.h"
#include "plot/TReadoutPlace.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <optional>

namespace
{
struct TMarkerRow
{
    TMarkerShape Shape;
    const char* Name;
};
constexpr TMarkerRow MarkerRows[] = {{TMarkerShape::Dot, "dot"},
                                     {TMarkerShape::Circle, "circle"},
                                     {TMarkerShape::Square, "square"},
                                     {TMarkerShape::Cross, "cross"},
                                     {TMarkerShape::Plus, "plus"}};
} // namespace

std::vector<TMarkerShape> TPointsKind::Markers()
{
    std::vector<TMarkerShape> Shapes;
    for (const TMarkerRow& Row : MarkerRows)
        Shapes.push_back(Row.Shape);
    return Shapes;
}

const char* TPointsKind::MarkerName(TMarkerShape Shape)
{
    for (const TMarkerRow& Row : MarkerRows)
        if (Row.Shape == Shape)
            return Row.Name;
    return MarkerRows[0].Name;
}

TMarkerShape TPointsKind::MarkerFromName(const QString& Name)
{
    const QString Trimmed = Name.trimmed();
    for (const TMarkerRow& Row : MarkerRows)
        if (Trimmed.compare(QLatin1String(Row.Name), Qt::CaseInsensitive) == 0)
            return Row.Shape;
    return MarkerRows[0].Shape;
}

QString TPointsKind::Caption() const
{
    return QStringLiteral("Points (x, y) of a data file");
}

void TPointsKind::ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const
{
    Graph.Marker = MarkerFromName(Keys.Text("Marker"));
    Graph.Joined = Keys.Integer("Joined", 0) != 0;
    Graph.Func = TPointsSection::ReadName(Keys.Profile(), Keys.Number());
    Graph.Data = TPointsSection::Read(Keys.Profile(), Keys.Number());
}

// The data's section only where there are data: a graph made a points graph in the Graph panel
// and never given any writes its keys in Main alone.
void TPointsKind::WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const
{
    Keys.WriteText("Marker", QLatin1String(MarkerName(Graph.Marker)));
    Keys.WriteInteger("Joined", Graph.Joined ? 1 : 0);
    if (Graph.Data && Keys.Writable())
        TPointsSection::Write(*Keys.Writable(), Keys.Number(), Graph.Func, *Graph.Data);
}

QString TPointsKind::Label(const TFunc& Graph) const
{
    if (!Graph.Func.isEmpty() || !Graph.Data)
        return Graph.Func;
    return QStringLiteral("%1 points").arg(Graph.Data->Count());
}

void TPointsKind::DrawSample(QPainter& Painter, const QPen& Pen, int Left, int Right, int Middle,
                             const TFunc& Graph) const
{
    if (Graph.Joined)
        TKindDescriptor::DrawSample(Painter, Pen, Left, Right, Middle, Graph);
    TCanvas Canvas(Painter, false);
    const QPoint Centre[] = {QPoint((Left + Right) / 2, Middle)};
    TMarkerPainter(Graph.Marker, TPointsCurve::MarkerSize(int(std::lround(Pen.widthF()))),
                   FromQColor(Pen.color()))
        .DrawMarkers(Canvas, Centre);
}

const TCurveSource& TPointsKind::Source() const
{
    static const TPointsCurve Curve;
    return Curve;
}

// "p1 = (x; y)    line n": the point nearest the mouse on the picture, with the line of the file
// it came from; the marker on it where it is on the surface.
void TPointsKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    const TFunc& Graph = At.Func();
    if (!Graph.Data || Graph.Data->Empty())
        return;
    const TPlotView& View = At.View;
    std::optional<size_t> Nearest;
    Float80 Least = 0, Column = 0, Row = 0;
    for (size_t i = 0; i < Graph.Data->Count(); ++i)
    {
        const TDataPoint& p = Graph.Data->Point(i);
        const Float80 c = View.ColumnAt(p.X), w = View.RowAt(p.Y, At.OriginY);
        const Float80 dc = c - At.Pixel.x(), dw = w - At.Pixel.y(), d = dc * dc + dw * dw;
        if (std::isfinite(d) && (!Nearest || d < Least))
            Nearest = i, Least = d, Column = c, Row = w;
    }
    if (!Nearest)
        return;
    const TDataPoint& p = Graph.Data->Point(*Nearest);
    r.Text += ReadoutGap + QStringLiteral("p%1 = (").arg(At.Graph + 1) + At.Number(p.X) +
              QStringLiteral("; ") + At.Number(p.Y) + QLatin1Char(')') + ReadoutGap +
              QStringLiteral("line %1").arg(Graph.Data->Line(*Nearest));
    if (At.GraphsEnabled && Column >= 0 && Column < At.Width && Row >= 0 && Row < At.Height)
        r.Marker = QPoint(int(Round64(Column)), int(Round64(Row)));
}

std::vector<TGraphEditor> TPointsKind::Editors() const
{
    std::vector<QString> Names;
    for (const TMarkerShape Shape : Markers())
        Names.push_back(QLatin1String(MarkerName(Shape)));
    return {{TGraphField::Func, QStringLiteral("Name:")},
            {TGraphField::Marker, QStringLiteral("Marker:"), Names},
            {TGraphField::Joined, QStringLiteral("Joined by lines:")}};
}

int TPointsKind::Choice(const TFunc& Graph, TGraphField) const
{
    const std::vector<TMarkerShape> Shapes = Markers();
    for (size_t i = 0; i < Shapes.size(); ++i)
        if (Shapes[i] == Graph.Marker)
            return int(i);
    return 0;
}

void TPointsKind::Choose(TFunc& Graph, TGraphField, int Index) const
{
    const std::vector<TMarkerShape> Shapes = Markers();
    if (Index >= 0 && size_t(Index) < Shapes.size())
        Graph.Marker = Shapes[size_t(Index)];
}

QString TPointsKind::Problem(const TFuncList& List, int Index, const TEvalContext*) const
{
    const TFunc& Graph = List.Item(Index);
    if (!Graph.Data || Graph.Data->Empty())
        return QString::fromUtf8(Msg::NoPointsData);
    return QString::fromStdString(Msg::Format(Msg::PointsCount, std::to_string(Graph.Data->Count()),
                                              std::to_string(Graph.Data->SkippedRows())));
}

void TPointsKind::Ask(const TFunc& Graph, TAnalysisRequest& R) const
{
    R.Question = TAnalysisQuestion::DataSummary;
    R.Data = Graph.Data;
}

QString TPointsKind::AnalysisNote() const
{
    return QString::fromUtf8(Msg::PointsAnalysis);
}
