#include "plot/TGraphFrames.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "plot/GraphKind.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TCurveSource.h"
#include "plot/TGPGraphics.h"
#include "plot/TGPPen.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TOrderedWork.h"
#include "plot/TPaintBudget.h"
#include "plot/TPaintCursor.h"
#include "plot/TPaintTools.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPoint>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>

struct TGraphFrames::TText
{
    // The texts its source reads, and the context they are evaluated in.
    const TCurveSource* Source = nullptr;
    TCurveTexts Parts;
    TEvalContext Context;
    // As a fill: every column's row; each part of the columns is evaluated up to Next[p]
    // (exclusive), or up to its failing column, whose error is Error[p].
    bool IsFill = false;
    std::vector<int32_t> Rows;
    int64_t Next[FillParts] = {};
    std::exception_ptr Error[FillParts];
    // As a curve: the runs still to draw that use it, and its geometry once computed.
    size_t Uses = 0;
    std::mutex Lock;
    bool GeometryDone = false;
    TCurveGeometry Geometry;

    int64_t PartStart(int p) const { return int64_t(Rows.size()) * p / FillParts; }
    int64_t PartEnd(int p) const { return PartStart(p + 1); }
    bool FillComplete() const
    {
        for (int p = 0; p < FillParts; ++p)
            if (Next[p] != PartEnd(p))
                return false;
        return IsFill;
    }
};

// Frames FirstFrame .. LastFrame of one graph, all of one text; once computed, the frame it
// is drawn as, its pen and its pieces' outlines (or, for an outline of few crossings, its
// crossings sorted, so that only the sweep is left to the drawing thread).
struct TGraphFrames::TRun
{
    int Graph = 0;
    int FirstFrame = 0, LastFrame = 0;
    uint32_t Text = 0;
    const TCurveGeometry* Geometry = nullptr;
    std::optional<TGPPen> Pen;
    TRunPaint Paint;
    std::vector<std::vector<TCurveRasterizer::TEdge>> Outlines;
    std::vector<TCurveRasterizer::TSortedCrossings> Sorted;
    std::vector<uint8_t> Outlined; // 0: QPainter draws it; 1: its outline; 2: its crossings sorted
    std::exception_ptr Error;      // anything but a curve error: it leaves DrawPlot
};

// What a thread computing runs owns: its evaluators and a rasterizer for outlines only.
struct TGraphFrames::TLane
{
    TCurveEvaluators* Evaluators = nullptr;
    TCurveRasterizer* Outliner = nullptr;
    THelperLane* Idle = nullptr; // the helper, when it computes no runs meanwhile
};

TGraphFrames::TGraphFrames(TPaintTools& Tools, const TPlotModel& Model, TPaintCursor& Cursor)
    : Tools(Tools), Model(Model), Cursor(Cursor)
{
}

TGraphFrames::~TGraphFrames() = default;

void TGraphFrames::Begin(TGraphEvaluator& NewEvaluator, const TPlotView& NewView, int32_t NewOriginY,
                         int Width)
{
    if (Cursor.Begun)
        return;
    Cursor.Begun = true;
    Evaluator = &NewEvaluator;
    View = std::make_unique<TPlotView>(NewView);
    OriginY = NewOriginY;
    First = NewView.Margin;
    Last = int64_t(Width) - NewView.Margin;
    Top = NewView.Margin;
    Bottom = int64_t(NewView.Margin) + NewView.InnerHeight;
    Tools.LaneEvaluators[0].SetX(&NewEvaluator);
}

const std::vector<TEvalContext>& TGraphFrames::Contexts()
{
    if (!ContextsMade)
    {
        FrameContexts = TEvalContext::Frames(Model, Model.FrameCount(), Tools.Sep);
        ContextsMade = true;
    }
    return FrameContexts;
}

bool TGraphFrames::GraphDrawn(int Index) const
{
    return Model.GraphsEnabled && SourceOf(Index).Drawn(Model.FuncList, Index);
}

const TCurveSource& TGraphFrames::SourceOf(int Index) const
{
    return KindOf(Model.FuncList.Item(Index)).Source();
}

int32_t TGraphFrames::CurveRow(TGraphEvaluator& With, const TExprProgram& Program, const TPlotView& View,
                               int32_t OriginY, int64_t Px)
{
    const Float80 v = With.Run(Program, View.PlaneX(Px));
    // A row beyond int64 is beyond the clamp anyway.
    bool Overflow = false;
    const int64_t r = View.RowOf(v, OriginY, Overflow);
    return int32_t(std::clamp(r, -View.RowClamp, View.RowClamp));
}

// Frames share an evaluation when their texts and their parameters' values are the same: the
// key is the texts' key followed by the values' bits (as many for every key of the paint).
uint32_t TGraphFrames::Intern(int Graph, const TEvalContext& Context)
{
    const TFunc& Func = Model.FuncList.Item(Graph);
    const TCurveSource& Source = SourceOf(Graph);
    TCurveTexts Parts = Source.Texts(Model.FuncList, Graph, Context);
    std::u16string Key = CurveKey(Func.Kind, Parts);
    for (const Float80 Value : Context.ParameterValues)
    {
        char16_t Bits[5] = {};
        static_assert(sizeof(Bits) == 10 && sizeof(Float80) >= 10);
        std::memcpy(Bits, &Value, sizeof(Bits));
        Key.append(Bits, 5);
    }
    const auto [Found, Added] = TextIndex.try_emplace(std::move(Key), uint32_t(Texts.size()));
    if (Added)
    {
        Texts.push_back(std::make_unique<TText>());
        Texts.back()->Source = &Source;
        Texts.back()->Parts = std::move(Parts);
        Texts.back()->Context = Context;
    }
    return Found->second;
}

// Frame j of every graph is drawn in its context (the time t + j * Step, the parameters j ticks
// on); the fill's frame j at that time plus (N - 1 - j) steps with the last frame's parameters,
// so that all fill frames normally fall on the full-colour frame.
void TGraphFrames::MakeTexts()
{
    if (Cursor.TextsMade)
        return;
    const std::vector<TEvalContext>& Frames = Contexts();
    FrameCount = int(Frames.size());
    const size_t N = Frames.size();
    const Float80 Step = Model.TimeIncrement;
    const size_t Count = size_t(Model.FuncList.Count());
    CurveTexts.assign(Count * N, 0);
    FillTexts.assign(Count * N, 0);
    Uniform.assign(Count, 0);
    for (size_t i = 0; i < Count; ++i)
    {
        if (!GraphDrawn(int(i)))
            continue;
        for (size_t j = 0; j < N; ++j)
            CurveTexts[i * N + j] = Intern(int(i), Frames[j]);
        if (!Model.FilledGraphs)
            continue;
        bool Same = true;
        for (size_t j = 0; j < N; ++j)
        {
            TEvalContext Fill = Frames[N - 1];
            Fill.Time = Frames[j].Time + Float80(N - 1 - j) * Step;
            FillTexts[i * N + j] = Intern(int(i), Fill);
            Same = Same && FillTexts[i * N + j] == FillTexts[i * N];
        }
        // Only a fill that goes column by column is worked out column by column.
        Uniform[i] = Same && KindOf(Model.FuncList.Item(int(i))).FillsByColumn();
        if (Uniform[i] && N > 0)
            Texts[FillTexts[i * N]]->IsFill = true;
    }
    Cursor.TextsMade = true;
}

bool TGraphFrames::FillUniform(int Index)
{
    MakeTexts();
    return Uniform[size_t(Index)];
}

const std::u16string& TGraphFrames::FillText(int Index, int Frame)
{
    MakeTexts();
    return Texts[FillTexts[size_t(Index) * size_t(FrameCount) + size_t(Frame)]]->Parts.Formulas[0];
}

void TGraphFrames::UseFillParameters(TGraphEvaluator& With, int Index, int Frame)
{
    MakeTexts();
    Texts[FillTexts[size_t(Index) * size_t(FrameCount) + size_t(Frame)]]->Context.Use(With);
}

void TGraphFrames::EvaluateFillPart(TText& Text, int Part, TGraphEvaluator& With)
{
    int64_t& Next = Text.Next[Part];
    const int64_t End = Text.PartEnd(Part);
    if (Next >= End || Text.Error[Part])
        return;
    Text.Context.Use(With);
    const std::u16string& Formula = Text.Parts.Formulas[0];
    const std::shared_ptr<const TExprProgram> Program = With.Program(Formula);
    // The budget is looked at after some columns, so every paint gets on.
    const int64_t Every = BudgetEvery(Formula);
    for (int64_t Done = 1; Next < End; ++Done)
    {
        try
        {
            Text.Rows[size_t(Next)] = CurveRow(With, *Program, *View, OriginY, First + Next);
        }
        catch (const Exception&)
        {
            Text.Error[Part] = std::current_exception();
            return;
        }
        ++Next;
        if (Budget && Done % Every == 0)
            Budget->Check();
    }
}

void TGraphFrames::EvaluateFills(THelperLane* Helper)
{
    MakeTexts();
    std::vector<TText*> Fills;
    const size_t Columns = Last >= First ? size_t(Last - First + 1) : 0;
    for (const std::unique_ptr<TText>& Text : Texts)
        if (Text->IsFill)
        {
            if (Text->Rows.size() != Columns)
            {
                Text->Rows.assign(Columns, 0);
                for (int p = 0; p < FillParts; ++p)
                    Text->Next[p] = Text->PartStart(p);
            }
            Fills.push_back(Text.get());
        }
    TGraphEvaluator* const HelperX = Helper ? &Tools.HelperEvaluator() : nullptr;
    // Part p of the columns of all texts is item p: whichever lane is free takes the next, so
    // the lanes stay busy also when the helper starts late.
    std::exception_ptr Failure[FillParts];
    TOrderedWork::Run(
        FillParts, Helper,
        [&](size_t Part, int Lane)
        {
            try
            {
                for (TText* Text : Fills)
                    EvaluateFillPart(*Text, int(Part), Lane == 0 ? *Evaluator : *HelperX);
            }
            catch (...)
            {
                Failure[Part] = std::current_exception();
            }
        },
        [](size_t) { return true; });
    for (const std::exception_ptr& f : Failure)
        if (f)
            std::rethrow_exception(f);
}

TGraphFrames::TFillRows TGraphFrames::FillRows(int Index) const
{
    const TText& Text = *Texts[FillTexts[size_t(Index) * size_t(FrameCount)]];
    TFillRows Out;
    Out.Rows = Text.Rows.data();
    Out.Done = int64_t(Text.Rows.size());
    for (int p = 0; p < FillParts; ++p)
        if (Text.Error[p])
        {
            Out.Done = Text.Next[p];
            Out.Error = Text.Error[p];
            break;
        }
    return Out;
}

// The curve of a text, traced by its source on the evaluators With. A text whose fill is
// complete has every row already. A trace that the budget stops (MayStop) goes on from there
// when it is asked for again.
const TCurveGeometry& TGraphFrames::Geometry(TText& Text, TCurveEvaluators& With, bool MayStop,
                                             THelperLane* Idle)
{
    const std::lock_guard<std::mutex> Hold(Text.Lock);
    if (Text.GeometryDone)
        return Text.Geometry;
    TCurveTrace In{Text.Parts, With, *View};
    In.OriginY = OriginY;
    In.First = First;
    In.Last = Last;
    In.Top = Top;
    In.Bottom = Bottom;
    In.Budget = MayStop ? Budget : nullptr;
    In.KnownRows = Text.FillComplete() ? Text.Rows.data() : nullptr;
    In.Idle = Idle;
    In.Coarse = Model.Animating;
    Text.Context.Use(With);
    Text.Source->Trace(In, Text.Geometry);
    Text.GeometryDone = true;
    return Text.Geometry;
}

void TGraphFrames::DrawShapeFill(TCanvas& Canvas, int Index)
{
    MakeTexts();
    if (!SourceOf(Index).DrawsFill())
        return;
    const size_t N = size_t(FrameCount);
    const TFunc& Graph = Model.FuncList.Item(Index);
    for (size_t j = 0; j < N; ++j)
    {
        const uint32_t Text = FillTexts[size_t(Index) * N + j];
        // A frame of the same text as the next one is covered by it.
        if (j + 1 < N && FillTexts[size_t(Index) * N + j + 1] == Text)
            continue;
        const TCurveGeometry& G = Geometry(*Texts[Text], Tools.LaneEvaluators[0], false);
        // A curve that fails is reported when it is drawn; its fill is left out.
        if (G.Error)
            continue;
        Texts[Text]->Source->DrawFill(Canvas, G, *View, OriginY,
                                      LightenColor(Graph.BGColor, int(N - 1 - j), Model.FramesCount));
    }
}

void TGraphFrames::MakeRuns()
{
    if (Cursor.RunsMade)
        return;
    const size_t N = size_t(FrameCount);
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        if (!GraphDrawn(i))
            continue;
        for (size_t j = 0; j < N;)
        {
            TRun Run;
            Run.Graph = i;
            Run.FirstFrame = int(j);
            Run.Text = CurveTexts[size_t(i) * N + j];
            while (j + 1 < N && CurveTexts[size_t(i) * N + j + 1] == Run.Text)
                ++j;
            Run.LastFrame = int(j);
            ++j;
            ++Texts[Run.Text]->Uses;
            Runs.push_back(std::move(Run));
        }
    }
    Cursor.RunsMade = true;
}

void TGraphFrames::ComputeRun(TRun& Run, TLane& Lane, int ArrowSize, bool FirstOfPaint)
{
    Run.Error = nullptr;
    try
    {
        if (Budget && !FirstOfPaint)
            Budget->Check();
        const TCurveGeometry& G = Geometry(*Texts[Run.Text], *Lane.Evaluators, Budget != nullptr, Lane.Idle);
        Run.Geometry = &G;
        const TFunc& Graph = Model.FuncList.Item(Run.Graph);
        const int Frame = G.Error ? Run.FirstFrame : Run.LastFrame;
        Run.Pen.emplace(ColorToArgb(LightenColor(LineColor(Graph.Color, Model.Options),
                                                 FrameCount - 1 - Frame, Model.FramesCount)),
                        float(ArrowSize));
        Run.Pen->SetDashStyle(Graph.Style);
        Run.Paint = {
            LightenColor(LineColor(Graph.Color, Model.Options), FrameCount - 1 - Frame, Model.FramesCount),
            LightenColor(Graph.BGColor, FrameCount - 1 - Frame, Model.FramesCount),
            clWhite, // the canvas's, set when the run is drawn
            ArrowSize,
            Graph.Style,
            View.get(),
            OriginY};
        if (!Lane.Outliner)
            return;
        Run.Outlines.resize(G.PieceEnds.size());
        Run.Sorted.resize(G.PieceEnds.size());
        Run.Outlined.resize(G.PieceEnds.size());
        size_t Start = 0;
        for (size_t p = 0; p < G.PieceEnds.size(); ++p)
        {
            Run.Outlined[p] = Lane.Outliner->Prepare(Run.Pen->Pen(), G.Points.data() + Start,
                                                     int(G.PieceEnds[p] - Start), Run.Outlines[p]);
            if (Run.Outlined[p] && Lane.Outliner->Sparse(Run.Outlines[p]))
            {
                Lane.Outliner->SortCrossings(Run.Outlines[p], Run.Sorted[p]);
                Run.Outlines[p] = {};
                Run.Outlined[p] = 2;
            }
            Start = G.PieceEnds[p];
        }
    }
    catch (...)
    {
        // Memory running out or the budget spent: it leaves DrawPlot when the run's turn comes.
        Run.Error = std::current_exception();
    }
}

bool TGraphFrames::DrawRun(TRun& Run, TCanvas& Canvas, TCurveRasterizer* Raster, TGPGraphics& Graphics,
                           std::exception_ptr& Error)
{
    if (Run.Error)
    {
        Error = Run.Error;
        return false;
    }
    const TCurveGeometry& G = *Run.Geometry;
    size_t Start = 0;
    for (size_t p = 0; p < G.PieceEnds.size(); ++p)
    {
        const int Count = int(G.PieceEnds[p] - Start);
        const uint8_t Outlined = Raster && p < Run.Outlined.size() ? Run.Outlined[p] : 0;
        if (Outlined == 2)
            Raster->FillSorted(Run.Sorted[p], Run.Pen->Pen().color().rgba());
        else if (Outlined == 1)
            Raster->FillEdges(Run.Outlines[p], Run.Pen->Pen().color().rgba());
        else
            Graphics.DrawPolyline(*Run.Pen, G.Points.data() + Start, Count);
        Start = G.PieceEnds[p];
    }
    if (G.Extra)
    {
        Run.Paint.Background = Canvas.Brush();
        Texts[Run.Text]->Source->DrawTraced(Canvas, G, Run.Paint);
    }
    Error = G.Error;
    // The memory of a drawn run goes at once, and its text's geometry with the last run.
    Run.Outlines = {};
    Run.Sorted = {};
    Run.Outlined = {};
    TText& Text = *Texts[Run.Text];
    if (--Text.Uses == 0)
        Text.Geometry = TCurveGeometry();
    Run.Geometry = nullptr;
    return !Error;
}

void TGraphFrames::DrawCurves(TCanvas& Canvas, int ArrowSize,
                              const std::function<void(const Exception&)>& ReportCurveError,
                              const std::function<void()>& Before)
{
    bool Any = false;
    for (int i = 0; i < Model.FuncList.Count() && !Any; ++i)
        Any = GraphDrawn(i);
    if (Model.FrameCount() <= 0 || !Any) // no frame or no graph to draw
    {
        if (Before)
            Before();
        return;
    }
    MakeTexts();
    MakeRuns();

    TLane Lanes[2];
    // Curves are computed beside the caller's thread only where they are written into image
    // memory.
    THelperLane* const Helper = Canvas.RasterBits() ? Tools.Helper() : nullptr;
    TCurveRasterizer* Target = nullptr;
    if (Canvas.RasterBits())
    {
        const QPaintDevice* Device = Canvas.Painter().device();
        const int W = Device->width(), H = Device->height();
        std::unique_ptr<TCurveRasterizer>& Raster = Tools.Raster;
        if (!Raster || Raster->ImageWidth() != W || Raster->ImageHeight() != H)
        {
            Raster = std::make_unique<TCurveRasterizer>(Canvas.RasterBits(), Canvas.RasterStride(), W, H);
            for (std::unique_ptr<TCurveRasterizer>& Outliner : Tools.Outliners)
                Outliner = std::make_unique<TCurveRasterizer>(nullptr, 0, W, H);
        }
        Raster->Retarget(Canvas.RasterBits(), Canvas.RasterStride());
        Target = Raster.get();
        for (int l = 0; l < 2; ++l)
            Lanes[l].Outliner = Tools.Outliners[l].get();
    }
    Tools.LaneEvaluators[0].SetX(Evaluator);
    Lanes[0].Evaluators = &Tools.LaneEvaluators[0];
    // Where the runs are not shared (one left, or no helper for them), a trace may share itself.
    if (!Helper || Runs.size() - Cursor.RunsDrawn < 2)
        Lanes[0].Idle = Tools.Helper();
    if (Helper)
    {
        Tools.LaneEvaluators[1].SetX(&Tools.HelperEvaluator());
        Lanes[1].Evaluators = &Tools.LaneEvaluators[1];
    }
    // Made once Before has drawn: it changes the painter's state until the curves are done.
    std::optional<TGPGraphics> Graphics;
    const size_t Done = Cursor.RunsDrawn;
    std::exception_ptr Error;
    TOrderedWork::Run(
        Runs.size() - Done, Helper,
        // The first run of a paint gets on at least by one column whatever the budget, so
        // every paint gets on.
        [&](size_t r, int Lane) { ComputeRun(Runs[Done + r], Lanes[Lane], ArrowSize, r == 0); },
        [&](size_t r)
        {
            if (!Graphics)
                Graphics.emplace(Canvas.Painter(), Target);
            if (!DrawRun(Runs[Done + r], Canvas, Target, *Graphics, Error))
                return false;
            ++Cursor.RunsDrawn;
            return true;
        },
        Before);
    // Reported once the helper has stopped: whatever the report does, nothing reads the job's
    // texts on another thread any more.
    if (!Error)
        return;
    try
    {
        std::rethrow_exception(Error);
    }
    catch (const Exception& e)
    {
        Cursor.CurveFailed = true;
        if (ReportCurveError)
            ReportCurveError(e);
    }
}
