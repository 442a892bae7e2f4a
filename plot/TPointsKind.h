#pragma once
// Points graphs: a data set of (x, y) pairs (TDataTable, read from a data file), drawn as markers
// in the graph's line colour, optionally joined in its line style (TPointsCurve). The graph's
// Func holds the data's name, which the legend writes beside a marker (on a short line when
// joined); the document keeps "Marker"+n and "Joined"+n in section Main and the data in a section
// of its own (TPointsSection), while "Func"+n stays empty. The status bar reads the point nearest
// the mouse, with its line in the file; the Graph panel edits the name and names the data; the
// Analyse panel sums the data up (TAnalysisQuestion::DataSummary) whatever the question.
#include "plot/TKindDescriptor.h"

enum class TMarkerShape : uint8_t;

class TPointsKind : public TKindDescriptor
{
  public:
    // The markers in the order of the import dialog's list, and their names in documents.
    static std::vector<TMarkerShape> Markers();
    static const char* MarkerName(TMarkerShape Shape);
    // The marker a name stands for, compared without regard to case; an unknown name is a dot.
    static TMarkerShape MarkerFromName(const QString& Name);

    // The kind's name in documents, by which others find the kind (GraphKindFromName).
    static constexpr const char* KindName = "points";

    const char* Name() const override { return KindName; }
    QString Caption() const override;
    bool HasFormula() const override { return false; }
    std::vector<std::u16string> Variables() const override { return {}; }
    void ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const override;
    void WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const override;
    QString Label(const TFunc& Graph) const override;
    void DrawSample(QPainter& Painter, const QPen& Pen, int Left, int Right, int Middle,
                    const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    std::vector<TGraphEditor> Editors() const override;
    int Choice(const TFunc& Graph, TGraphField Field) const override;
    void Choose(TFunc& Graph, TGraphField Field, int Index) const override;
    QString Problem(const TFuncList& List, int Index, const TEvalContext* Context) const override;
    void Ask(const TFunc& Graph, TAnalysisRequest& R) const override;
    QString AnalysisNote() const override;
};
