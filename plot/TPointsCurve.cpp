#include "plot/TPointsCurve.h"

#include "plot/TFuncList.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPointsKind.h"

namespace
{
// What a trace keeps for the markers.
struct TTracedPoints
{
    TMarkerShape Shape = TMarkerShape::Dot;
    std::vector<QPoint> Positions;
};
} // namespace

bool TPointsCurve::Drawn(const TFuncList& List, int Index) const
{
    const TFunc& Graph = List.Item(Index);
    return Graph.Data && !Graph.Data->Empty();
}

TCurveTexts TPointsCurve::Texts(const TFuncList& List, int Index, const TEvalContext&) const
{
    const TFunc& Graph = List.Item(Index);
    TCurveTexts Texts;
    Texts.Formulas = {QString::fromLatin1(TPointsKind::MarkerName(Graph.Marker)).toStdU16String(),
                      Graph.Joined ? u"joined" : u""};
    Texts.Data = Graph.Data;
    return Texts;
}

void TPointsCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    const auto Data = std::static_pointer_cast<const TDataTable>(In.Texts.Data);
    auto Traced = std::make_shared<TTracedPoints>();
    Traced->Shape = TPointsKind::MarkerFromName(QString::fromStdU16String(In.Texts.Formulas[0]));
    if (Data)
        Traced->Positions = TMarkerPainter::Positions(Data->Points(), In.View);
    if (In.Texts.Formulas[1] == u"joined")
    {
        // In pieces that share their ends: a stroke's cost grows faster than its length.
        const std::vector<QPoint>& At = Traced->Positions;
        G.Points.reserve(At.size() + At.size() / (JoinPiece - 1) + 1);
        for (size_t i = 0; i < At.size(); ++i)
        {
            if (i > 0 && i % (JoinPiece - 1) == 0)
            {
                G.Points.push_back(At[i]);
                G.EndPiece();
            }
            G.Points.push_back(At[i]);
        }
        G.EndPiece();
    }
    G.Extra = std::move(Traced);
}

void TPointsCurve::DrawTraced(TCanvas& Canvas, const TCurveGeometry& G, const TRunPaint& Paint) const
{
    const auto& Traced = *std::static_pointer_cast<const TTracedPoints>(G.Extra);
    TMarkerPainter(Traced.Shape, MarkerSize(Paint.Width), Paint.Line).DrawMarkers(Canvas, Traced.Positions);
}

void TPointsCurve::DrawFill(TCanvas&, const TCurveGeometry&, const TPlotView&, int32_t, TColor) const {}
