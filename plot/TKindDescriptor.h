#pragma once
// A graph kind: everything the program asks of the graphs of one kind, answered in one place,
// so that no other file asks which kind a graph is. A kind is a descriptor (a subclass of this)
// and a curve source (TCurveSource) in files of its own, and one row in GraphKind.cpp:
//   names      its name in documents and its caption in the Graph panel's kind list;
//   formulas   whether its graphs have formulas and the variables they read besides t and
//              the named parameters;
//   document   the keys it adds to a graph's "Func", "Color", "BG", "StyleStr" and "Kind";
//   legend     the label of a graph;
//   paint      its curve source, and whether its fill goes column by column as a function's;
//   readout    the status bar's reading at a pixel;
//   panel      the editors the Graph panel shows and why a graph draws nothing;
//   derived    the part its graphs play in derived graphs;
//   analysis   whether the Analyse panel answers for it, and what it asks.
#include "expr/Float80.h"
#include "plot/TFunc.h"

#include <QString>

#include <string>
#include <utility>
#include <vector>

class QPainter;
class QPen;
class TCurveSource;
class TFuncList;
class TGraphKeys;
struct TAnalysisRequest;
struct TEvalContext;
struct TReadout;
struct TReadoutPlace;

// A field of a graph that the Graph panel edits.
enum class TGraphField : uint8_t
{
    Func,
    FuncY,
    From,
    To,
    Of,
    Order,
    Marker, // a choice among the kind's Choices
    Joined, // a check
};

struct TGraphEditor
{
    TGraphField Field;
    QString Caption; // "y = f(x):"
    // Marker: the names to choose from, in order.
    std::vector<QString> Choices = {};
};

// The part a graph plays in derived graphs: a function is derived, a derivative or an integral
// derives, any other graph is not derived.
enum class TDerivedRole : uint8_t
{
    None,
    Function,
    Derivative,
    Integral,
};

class TKindDescriptor
{
  public:
    virtual ~TKindDescriptor() = default;

    // The value of "Kind"+n in documents ("function"), compared without regard to case.
    virtual const char* Name() const = 0;
    // The kind list's caption ("Function y = f(x)").
    virtual QString Caption() const = 0;
    // Whether graphs of the kind have a formula of their own in Func (derived graphs have none:
    // theirs is written empty and read as empty).
    virtual bool HasFormula() const { return true; }
    // The variables its formulas read besides t and the parameters ("x"; "s"; "y"; none).
    virtual std::vector<std::u16string> Variables() const { return {u"x"}; }

    // The keys of the kind after "Kind"+n, read into Graph and written from it.
    virtual void ReadKeys(const TGraphKeys&, TFunc&) const {}
    virtual void WriteKeys(TGraphKeys&, const TFunc&) const {}

    // The legend's label of Graph (before eliding).
    virtual QString Label(const TFunc& Graph) const { return Graph.Func; }
    // The legend's sample of Graph's line from Left to Right at row Middle, with Pen (the
    // curves' pen of the graph): the line itself by default.
    virtual void DrawSample(QPainter& Painter, const QPen& Pen, int Left, int Right, int Middle,
                            const TFunc& Graph) const;

    virtual const TCurveSource& Source() const = 0;
    // Whether a graph's fill is worked out column by column, from the x axis to the curve (else
    // the source fills the traced curve).
    virtual bool FillsByColumn() const { return false; }

    // Adds the reading of graph At.Graph at At.Pixel to r: its text and marker.
    virtual void Read(const TReadoutPlace& At, TReadout& r) const = 0;

    // The Graph panel's editors, in order, with their captions.
    virtual std::vector<TGraphEditor> Editors() const = 0;
    // The index in its Choices that a choice field of Graph shows, and taking an index.
    virtual int Choice(const TFunc&, TGraphField) const { return 0; }
    virtual void Choose(TFunc&, TGraphField, int) const {}
    // Why graph Index draws nothing although it has what it needs to (shown under the
    // editors); empty when it draws. Context is null when the time text is not a number.
    virtual QString Problem(const TFuncList&, int, const TEvalContext*) const { return {}; }

    virtual TDerivedRole DerivedRole() const { return TDerivedRole::None; }

    // Why the Analyse panel does not answer for graphs of the kind; empty when it does.
    virtual QString AnalysisRefusal() const { return {}; }
    // The kind's part of a request made as for a function: its variable and texts, and the
    // question the kind answers in place of the one asked.
    virtual void Ask(const TFunc&, TAnalysisRequest&) const {}
    // A line under the results saying how the kind is analysed; empty for none.
    virtual QString AnalysisNote() const { return {}; }
    // The plane point at which a result (X, Y) of its request is marked.
    virtual std::pair<Float80, Float80> MarkAt(Float80 X, Float80 Y) const { return {X, Y}; }
};
