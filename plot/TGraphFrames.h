#pragma once
// The graph layers of one paint: the formula text of every motion-blur frame of every graph
// (for its fill and its curve), computed once and shared by everything that needs it; the
// rows of the fill texts; and the curves, computed on two threads and drawn in order.
//
// Frames and graphs whose text is the same (a time step of 0, a formula without t, the
// full-colour frame and its fill, two graphs with one formula) share one evaluation. A
// curve is handed out in runs of frames of one text: a run is evaluated once and drawn as
// its last frame, which sets the very pixels of the frames before it (or as its first
// frame, when an error ends the drawing there). Runs of one graph and of different graphs
// are computed by whichever thread is free, so few animated graphs still keep both busy.
//
// One paint job holds one TGraphFrames, made from the job's model, which it only reads. A paint
// with a budget may stop partway (EPaintAbandoned); what was evaluated or drawn until then is
// kept, and where it got to is in the job's cursor, so the job goes on from there when it is
// continued. What outlives the job (the helper lane, the evaluators and the rasterizers) is
// borrowed from the renderer's TPaintTools.
#include "expr/Float80.h"
#include "plot/TCurveGeometry.h"
#include "plot/TEvalContext.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Exception;
class TCanvas;
class TCurveEvaluators;
class TCurveSource;
class TExprProgram;
class TGraphEvaluator;
class THelperLane;
class TPaintBudget;
struct TPaintCursor;
struct TPaintTools;
class TPlotModel;
struct TPlotView;

class TGraphFrames
{
  public:
    TGraphFrames(TPaintTools& Tools, const TPlotModel& Model, TPaintCursor& Cursor);
    ~TGraphFrames();
    TGraphFrames(const TGraphFrames&) = delete;
    TGraphFrames& operator=(const TGraphFrames&) = delete;

    // The evaluator, view and width of the job, once (nothing computed yet).
    void Begin(TGraphEvaluator& Evaluator, const TPlotView& View, int32_t OriginY, int Width);
    // The budget of the paint that follows.
    void SetBudget(const TPaintBudget* NewBudget) { Budget = NewBudget; }
    // The evaluation context of every motion-blur frame, made at the first call; a time text
    // that is not a number fails there.
    const std::vector<TEvalContext>& Contexts();

    // The fill of graph Index: whether all its frames have one text (then one evaluation
    // of it is all that shows), and the text of its frame j (0 the palest). Texts are
    // computed at the first call; a time text that is not a number fails there.
    bool FillUniform(int Index);
    const std::u16string& FillText(int Index, int Frame);
    // Gives With the parameters' values of that fill frame, for evaluating its text.
    void UseFillParameters(TGraphEvaluator& With, int Index, int Frame);

    // Evaluates every column of the fill texts of the graphs whose fill frames have one
    // text (parts of the columns shared with the Helper, when there is one). Leaves only when
    // the budget is spent.
    void EvaluateFills(THelperLane* Helper);
    // The rows of graph Index's fill text after EvaluateFills: Rows[0 .. Done) are the
    // columns before the first failing one, whose error is Error (null: all columns done).
    struct TFillRows
    {
        const int32_t* Rows = nullptr;
        int64_t Done = 0;
        std::exception_ptr Error;
    };
    TFillRows FillRows(int Index) const;
    // Fills graph Index, a curve of another kind than a function, frame by frame (the palest
    // first) as its source fills it; a frame whose curve fails is left out.
    void DrawShapeFill(TCanvas& Canvas, int Index);

    // Draws the curves of every drawn graph (step 9 of the picture). An error of a curve that
    // is not an undefined point goes to ReportCurveError once (the owner of the model hides the
    // graphs there) and ends the drawing of curves; other failures and EPaintAbandoned leave.
    // Before runs first on the caller's thread, while curves are already computed beside it
    // where they are written into image memory; it must not touch what computing them reads.
    void DrawCurves(TCanvas& Canvas, int ArrowSize,
                    const std::function<void(const Exception&)>& ReportCurveError,
                    const std::function<void()>& Before = {});

    // The row of Program at column Px, clamped to -View.RowClamp .. View.RowClamp; errors
    // pass through.
    static int32_t CurveRow(TGraphEvaluator& With, const TExprProgram& Program, const TPlotView& View,
                            int32_t OriginY, int64_t Px);

  private:
    // The fills' columns are evaluated in this many parts.
    static constexpr int FillParts = 8;
    struct TText;
    struct TRun;
    struct TLane;

    void MakeTexts();
    // The texts of graph Graph's frame in Context, once per paint.
    uint32_t Intern(int Graph, const TEvalContext& Context);
    void EvaluateFillPart(TText& Text, int Part, TGraphEvaluator& With);
    // MayStop: the budget may end the computing; Idle: a lane the trace may share.
    const TCurveGeometry& Geometry(TText& Text, TCurveEvaluators& With, bool MayStop,
                                   THelperLane* Idle = nullptr);
    void MakeRuns();
    // FirstOfPaint: the first run of this paint, which the budget stops only inside its walk.
    void ComputeRun(TRun& Run, TLane& Lane, int ArrowSize, bool FirstOfPaint);
    bool DrawRun(TRun& Run, TCanvas& Canvas, class TCurveRasterizer* Raster, class TGPGraphics& Graphics,
                 std::exception_ptr& Error);
    bool GraphDrawn(int Index) const;
    const TCurveSource& SourceOf(int Index) const;

    TPaintTools& Tools;
    const TPlotModel& Model;
    TPaintCursor& Cursor;
    TGraphEvaluator* Evaluator = nullptr;
    const TPaintBudget* Budget = nullptr;
    std::unique_ptr<TPlotView> View;
    int32_t OriginY = 0;
    int64_t First = 0, Last = -1; // the columns evaluated
    int64_t Top = 0, Bottom = -1; // the rows between the margins

    // The frames' contexts; every text of the paint once; per drawn graph and frame, the index
    // of its curve text and of its fill text.
    std::vector<TEvalContext> FrameContexts;
    bool ContextsMade = false;
    int FrameCount = 0;
    std::vector<std::unique_ptr<TText>> Texts;
    std::unordered_map<std::u16string, uint32_t> TextIndex;
    std::vector<uint32_t> CurveTexts, FillTexts; // [Graph * FrameCount + Frame]
    std::vector<uint8_t> Uniform;                // per graph: its fill frames have one text

    // The curve runs in drawing order.
    std::vector<TRun> Runs;
};
