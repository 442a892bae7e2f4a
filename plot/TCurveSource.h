#pragma once
// Where a graph's curve comes from. Each graph kind has one source: it names the texts that
// decide a motion-blur frame of the graph (its formulas with the frame's time put in), and
// traces the curve of such texts into polylines of device pixels. The paint shares one trace
// between frames and graphs whose texts are equal, computes traces on two threads, strokes
// them with the graph's pen and fills them; a new kind of curve is a new source, which its
// kind's descriptor names (TKindDescriptor::Source), and nothing else of the paint changes.
//
// A trace reads formulas through the evaluators of its thread only. An undefined point
// (division by zero, invalid operation, domain error) cuts the polyline; any other error of
// an evaluation ends the trace and is left in the geometry's Error, to be reported once.
#include "expr/Float80.h"
#include "plot/TColor.h"
#include "plot/TCurveGeometry.h"
#include "plot/TFunc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Exception;
class TCanvas;
class TCurveEvaluators;
class TFuncList;
class THelperLane;
class TPaintBudget;
struct TEvalContext;
struct TPlotView;

// The texts that decide one frame of a graph: its formulas and other texts (the ends of s, the
// lower end of an integral) with the frame's time put in, and the order of the derivative a
// derived graph takes of them; and what a graph draws besides texts (a data set), one object
// for the same data.
struct TCurveTexts
{
    std::vector<std::u16string> Formulas;
    int32_t Order = 0;
    std::shared_ptr<const void> Data{};

    bool operator==(const TCurveTexts&) const = default;
};

// One frame of a curve to trace.
struct TCurveTrace
{
    const TCurveTexts& Texts;     // as the source's Texts made them
    TCurveEvaluators& Evaluators; // of the tracing thread
    const TPlotView& View;
    int32_t OriginY = 0;
    int64_t First = 0, Last = -1;         // the pixel columns between the margins
    int64_t Top = 0, Bottom = -1;         // the pixel rows between the margins
    const TPaintBudget* Budget = nullptr; // a trace that may stop, or null
    const int32_t* KnownRows = nullptr;   // functions: every column's row, already computed
    THelperLane* Idle = nullptr;          // a lane idle while this trace runs, to share it with
    bool Coarse = false;                  // the time runs: a refining trace may stop coarse
};

// How one run of frames of a graph is drawn: its line and fill colours (lightened for the
// frame), the background, the pen's width and dash style, and the view.
struct TRunPaint
{
    TColor Line = clBlack;
    TColor Fill = clWhite;
    TColor Background = clWhite;
    int Width = 1;
    int32_t Style = 0;
    const TPlotView* View = nullptr;
    int32_t OriginY = 0;
};

class TCurveSource
{
  public:
    virtual ~TCurveSource() = default;

    // Whether graph Index of List draws at all (a formula to read, a graph to derive from).
    virtual bool Drawn(const TFuncList& List, int Index) const;
    // The texts that decide graph Index's frame in Context (its time and separator). Frames whose
    // texts are equal look alike and share one trace. A function's texts are its formula alone.
    virtual TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const = 0;
    // Traces the curve into G, or takes up a trace the budget stopped.
    virtual void Trace(const TCurveTrace& In, TCurveGeometry& G) const = 0;
    // Draws what the trace kept in G.Extra besides its polylines, on the drawing thread, after
    // the run's polylines are drawn (the painter's state must be left as it was found). The
    // default draws nothing.
    virtual void DrawTraced(TCanvas& Canvas, const TCurveGeometry& G, const TRunPaint& Paint) const;
    // Fills the traced curve with Color ("Filled Graphs"). Functions fill column by column
    // elsewhere; the default fills a closed curve by the non-zero rule and an open one not.
    virtual void DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView& View, int32_t OriginY,
                          TColor Color) const;
    // Whether DrawFill draws anything: a source whose fill draws nothing is not traced for it.
    virtual bool DrawsFill() const { return true; }
};

// Whether an error of an evaluation is an undefined point of the curve, which cuts it.
bool IsUndefinedPoint(const Exception& Error);

// The key under which frames share a trace: the kind, the order, the data's address and the
// texts with their lengths, so that no two different sets give one key.
std::u16string CurveKey(TGraphKind Kind, const TCurveTexts& Texts);
