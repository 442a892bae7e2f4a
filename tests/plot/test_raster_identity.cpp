// The raster fast path of image targets against QPainter: the same scene drawn both ways
// must agree in every pixel. And the fills, drawn once per graph instead of once per frame,
// against the frame-by-frame drawing, above all where an error stops the paint halfway.
#include "PlotTestSupport.h"

#include "expr/Errors.h"
#include "plot/LineStyle.h"
#include "plot/TCanvas.h"
#include "plot/TGPGraphics.h"
#include "plot/TGPPen.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{
using PlotTest::FirstDifference;

struct TPicture
{
    QImage Image;
    std::string Error;   // the class of the error that left DrawPlot, if any
    int Reports = 0;     // curve errors reported
    bool Raster = false; // whether the canvas wrote into the image memory
};

TPicture Paint(TPlotModel Model, int Width, int Height, bool AllowRaster,
               QImage::Format Format = QImage::Format_RGB32, int ArrowSize = 3)
{
    TPicture Out;
    Out.Image = QImage(Width, Height, Format);
    Out.Image.fill(qRgb(255, 0, 255));
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QPainter Painter(&Out.Image);
    TCanvas Canvas(Painter, AllowRaster);
    Canvas.SetBrushColor(0xF0F0F0);
    Out.Raster = Canvas.RasterBits() != nullptr;
    try
    {
        Renderer.DrawPlot(Canvas, Width, Height, 5, ArrowSize, [&](const Exception&) { ++Out.Reports; });
    }
    catch (const Exception& Error)
    {
        Out.Error = Error.ClassName();
    }
    return Out;
}

void ExpectSamePictures(const TPlotModel& Model, int Width, int Height, const std::string& Name,
                        QImage::Format Format = QImage::Format_RGB32)
{
    const TPicture Painted = Paint(Model, Width, Height, false, Format);
    const TPicture Raster = Paint(Model, Width, Height, true, Format);
    ASSERT_FALSE(Painted.Raster) << Name;
    ASSERT_TRUE(Raster.Raster) << Name;
    EXPECT_EQ(Painted.Error, Raster.Error) << Name;
    EXPECT_EQ(Painted.Reports, Raster.Reports) << Name;
    EXPECT_TRUE(Painted.Image == Raster.Image)
        << Name << " first difference at " << FirstDifference(Painted.Image, Raster.Image);
}

TPlotModel Graphs(std::initializer_list<const char*> Formulas)
{
    TPlotModel Model;
    std::vector<TFunc> Funcs;
    int i = 0;
    for (const char* Formula : Formulas)
    {
        TFunc Graph{QString::fromLatin1(Formula)};
        Graph.Color = TColor(0x3010F0u >> (i % 3) * 4);
        Graph.BGColor = TColor(0xC0E0FFu - 0x201000u * TColor(i % 4));
        Graph.Style = i % 5;
        Funcs.push_back(Graph);
        ++i;
    }
    Model.FuncList.Assign(Funcs);
    Model.GraphsEnabled = true;
    return Model;
}
} // namespace

TEST(RasterIdentity, SceneOfEveryKindLooksTheSameOnBothPaths)
{
    struct Row
    {
        const char* Name;
        TPlotModel Model;
    };
    std::vector<Row> Rows;
    Rows.push_back({"start view", TPlotModel()});
    Rows.push_back({"one over x", Graphs({"1/x"})});
    Rows.push_back({"square root", Graphs({"Sqrt(x)"})});
    {
        TPlotModel Model = Graphs({"Sin(x*t)*5", "x*x/4-3"});
        Model.MotionBlur = true;
        Model.FramesCount = 2;
        Model.TimeIncrement = 0.25f;
        Model.TimeText = "1";
        Rows.push_back({"blur with two frames", Model});
    }
    {
        TPlotModel Model = Graphs({"Sin(x)*4", "x/2", "Cos(x*t)*3-2", "5"});
        Model.FilledGraphs = true;
        Model.TimeIncrement = -0.05f;
        Model.TimeText = "0.7";
        Model.View.GridDot = true;
        Model.View.GridSolid = false;
        Rows.push_back({"fills under a dotted grid", Model});
    }
    {
        TPlotModel Model = Graphs({"x*x*x", "Tan(x)", "-x*x"});
        Model.FilledGraphs = true;
        Model.View.GridDash = true;
        Model.View.GridSolid = false;
        Model.LeftText = "0.37";
        Model.RightText = "3.9";
        Model.TicksByX = 7;
        Rows.push_back({"fills beyond the view under a dashed grid", Model});
    }
    {
        TPlotModel Model = Graphs({"2", "1/x"});
        Model.FilledGraphs = true;
        Model.FramesCount = 3;
        Rows.push_back({"a fill that fails at the axis", Model});
    }
    {
        TPlotModel Model = Graphs({"2", "x+"});
        Rows.push_back({"a curve that fails", Model});
    }
    {
        // Frames are computed on two threads and drawn in order: an overflow partway through
        // the second graph's palest frame ends the drawing there, whatever was computed after.
        TPlotModel Model = Graphs({"x/2", "x*x/9-4", "Exp(x*t*3000)", "Sin(x)*3", "1/x", "2-x"});
        Model.MotionBlur = true;
        Model.FramesCount = 4;
        Model.TimeIncrement = 0.25f;
        Model.TimeText = "1";
        EXPECT_EQ(Paint(Model, 230, 170, true).Reports, 1);
        Rows.push_back({"a curve that overflows partway, with blur and graphs after it", Model});
    }
    {
        TPlotModel Model = Graphs({"x"});
        Model.LeftText = "1000";
        Model.RightText = "1001";
        Model.TopText = "-500";
        Model.BottomText = "-501";
        Rows.push_back({"axes far off the picture", Model});
    }
    for (const Row& r : Rows)
    {
        ExpectSamePictures(r.Model, 230, 170, r.Name);
        ExpectSamePictures(r.Model, 97, 211, r.Name + std::string(" (premultiplied)"),
                           QImage::Format_ARGB32_Premultiplied);
        // Over a million pixels, a picture with fills has its background written on the helper
        // lane while the fill rows are worked out, also when they fail, and its fills written
        // in bands of rows by both threads.
        if (r.Model.FilledGraphs)
            ExpectSamePictures(r.Model, 1300, 820, r.Name + std::string(" (large)"));
    }
}

TEST(RasterIdentity, GeneratedScenesLookTheSameOnBothPaths)
{
    PlotTest::TSceneGenerator Scenes(20261207);
    for (int Scene = 0; Scene < 200; ++Scene)
    {
        const TPlotModel Model = Scenes.Scene();
        ExpectSamePictures(Model, 40 + Scenes.Pick(140), 40 + Scenes.Pick(140),
                           "scene " + std::to_string(Scene));
    }
}

TEST(RasterIdentity, CanvasLinesOfEveryStyleAndReachLookTheSameOnBothPaths)
{
    std::mt19937 Random(7);
    auto Coordinate = [&]
    {
        const int Reach[] = {60, 300, 200000};
        const int r = Reach[Random() % 3];
        return int64_t(Random() % unsigned(2 * r + 1)) - r + 30;
    };
    struct TLine
    {
        TColor Color;
        int64_t X0, Y0, X1, Y1, RunX, RunTop, RunBottom;
    };
    std::vector<TLine> Lines;
    for (int i = 0; i < 400; ++i)
        Lines.push_back({TColor(Random() & 0xFFFFFF), Coordinate(), Coordinate(), Coordinate(), Coordinate(),
                         Coordinate(), Coordinate(), Coordinate()});
    for (TPenStyle Style : {TPenStyle::Solid, TPenStyle::Dash, TPenStyle::Dot})
    {
        QImage Images[2];
        for (int Raster = 0; Raster < 2; ++Raster)
        {
            Images[Raster] = QImage(67, 59, QImage::Format_RGB32);
            Images[Raster].fill(Qt::white);
            QPainter Painter(&Images[Raster]);
            TCanvas Canvas(Painter, Raster == 1);
            ASSERT_EQ(Canvas.RasterBits() != nullptr, Raster == 1);
            Canvas.SetPenStyle(Style);
            for (const TLine& l : Lines)
            {
                Canvas.SetPenColor(l.Color);
                Canvas.MoveTo(l.X0, l.Y0);
                Canvas.LineTo(l.X1, l.Y1);
                Canvas.VerticalRun(l.RunX, l.RunTop, l.RunBottom);
            }
        }
        EXPECT_TRUE(Images[0] == Images[1])
            << int(Style) << " first difference at " << FirstDifference(Images[0], Images[1]);
    }
}

TEST(RasterIdentity, OnlyPlainThirtyTwoBitImagesAreWrittenDirectly)
{
    struct Row
    {
        const char* Name;
        QImage::Format Format;
        void (*Prepare)(QPainter&);
        bool Raster;
    };
    const Row Rows[] = {
        {"RGB32", QImage::Format_RGB32, [](QPainter&) {}, true},
        {"ARGB32", QImage::Format_ARGB32, [](QPainter&) {}, true},
        {"16-bit", QImage::Format_RGB16, [](QPainter&) {}, false},
        {"translated", QImage::Format_RGB32, [](QPainter& p) { p.translate(3, 4); }, false},
        {"clipped", QImage::Format_RGB32, [](QPainter& p) { p.setClipRect(1, 1, 5, 5); }, false},
        {"translucent", QImage::Format_RGB32, [](QPainter& p) { p.setOpacity(0.5); }, false},
    };
    for (const Row& r : Rows)
    {
        QImage Image(20, 20, r.Format);
        QPainter Painter(&Image);
        r.Prepare(Painter);
        TCanvas Canvas(Painter);
        EXPECT_EQ(Canvas.RasterBits() != nullptr, r.Raster) << r.Name;
    }
}

namespace
{
// The fills drawn literally, frame after frame and column after column, each column as soon
// as it is evaluated, until the first error: the picture DrawPlot must leave when a fill fails.
QImage LiteralFills(const TPlotModel& Model, int Width, int Height)
{
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(qRgb(255, 0, 255));
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, false);
    Canvas.SetBrushColor(0xF0F0F0);
    Canvas.FillRect(0, 0, Width, Height);
    TGraphEvaluator Evaluator(u'.');
    const TPlotView View = TPlotView::Compute(Model, Width, Height, 5, u'.');
    const int32_t OriginY = View.OriginY();
    try
    {
        for (int i = 0; i < Model.FuncList.Count(); ++i)
        {
            Float80 t = Model.TimeText.toDouble();
            for (int k = Model.FrameCount() - 1; k >= 0; --k)
            {
                Canvas.SetPenColor(LightenColor(Model.FuncList.Item(i).BGColor, k, Model.FramesCount));
                const std::u16string Text =
                    Evaluator.FormulaAtTime(Model.FuncList, i, t + Float80(k) * Float80(Model.TimeIncrement));
                for (int64_t px = 5; px <= Width - 5; ++px)
                {
                    const int64_t d = Round64(Evaluator.EvaluateAt(Text, View.PlaneX(px)) * View.ScaleY);
                    Canvas.MoveTo(px, OriginY);
                    Canvas.LineTo(px, std::clamp<int64_t>(OriginY - d, -10000, 10000));
                }
                t = t + Float80(Model.TimeIncrement);
            }
        }
    }
    catch (const Exception&)
    {
    }
    return Image;
}
} // namespace

TEST(RasterIdentity, AFillThatFailsLeavesWhatTheFrameByFrameDrawingLeaves)
{
    struct Row
    {
        const char* Name;
        TPlotModel Model;
    };
    std::vector<Row> Rows;
    for (int Frames : {1, 3})
    {
        // Graph 2 fails at the y axis: its palest frame is on the canvas left of it, over
        // the full-colour fills of graphs 0 and 1.
        TPlotModel Model = Graphs({"3+x/4", "-2-t", "4/x*t"});
        Model.FilledGraphs = true;
        Model.MotionBlur = true;
        Model.FramesCount = Frames;
        Model.TimeIncrement = 0.5f;
        Model.TimeText = "1";
        Rows.push_back({Frames == 1 ? "one frame" : "three frames", Model});
    }
    {
        TPlotModel Model = Graphs({"Sqrt(x-2)+1"});
        Model.FilledGraphs = true;
        Rows.push_back({"failing at the first column", Model});
    }
    {
        // The last graph fails at once, so the picture holds all fills of the others: only
        // their full-colour frames show.
        TPlotModel Model = Graphs({"x*t", "2-x*x/8*t", "x+"});
        Model.FilledGraphs = true;
        Model.FramesCount = 4;
        Model.TimeIncrement = 0.25f;
        Model.TimeText = "0.5";
        Rows.push_back({"pale frames under full-colour ones", Model});
    }
    for (const Row& r : Rows)
    {
        const QImage Expected = LiteralFills(r.Model, 150, 120);
        for (bool Raster : {false, true})
        {
            const TPicture Got = Paint(r.Model, 150, 120, Raster);
            EXPECT_FALSE(Got.Error.empty()) << r.Name;
            EXPECT_TRUE(Got.Image == Expected)
                << r.Name << (Raster ? " raster" : "") << " first difference at "
                << FirstDifference(Got.Image, Expected);
        }
    }
}

// When every frame of a graph has the same text, each frame sets the very pixels of the one
// before: the picture is that of the full-colour frame alone, on both paths.
TEST(RasterIdentity, FramesOfOneTextLookLikeTheLastFrameAlone)
{
    struct Row
    {
        const char* Name;
        TPlotModel Model;
        float TimeIncrement;
    };
    const Row Rows[] = {
        {"formulas without t", Graphs({"Sin(x)*4", "Sqrt(x)*2", "1/x", "x*x/5-3", "2"}), 0.05f},
        {"a time step of 0", Graphs({"Sin(x*t)*4", "t*x/3", "Ln(x*t)"}), 0.0f},
    };
    for (const Row& r : Rows)
        for (bool Filled : {false, true})
            for (bool AllowRaster : {false, true})
            {
                TPlotModel Blurred = r.Model;
                Blurred.MotionBlur = true;
                Blurred.FramesCount = 5;
                Blurred.TimeIncrement = r.TimeIncrement;
                Blurred.TimeText = "0.5";
                Blurred.FilledGraphs = Filled;
                TPlotModel Single = Blurred;
                Single.MotionBlur = false;
                const TPicture A = Paint(Blurred, 211, 157, AllowRaster);
                const TPicture B = Paint(Single, 211, 157, AllowRaster);
                EXPECT_EQ(A.Error, B.Error) << r.Name;
                EXPECT_TRUE(A.Image == B.Image)
                    << r.Name << (Filled ? ", filled" : "") << (AllowRaster ? ", raster" : ", QPainter")
                    << ": first difference at " << FirstDifference(A.Image, B.Image);
            }
}

namespace
{
// The curves drawn literally through QPainter over the picture without graphs: frame after
// frame, every column evaluated through EvaluateGraph, cut at undefined points, until the
// first other error.
QImage LiteralCurves(TPlotModel Model, int Width, int Height, int ArrowSize, int& Reports)
{
    TPlotModel Frame = Model;
    Frame.GraphsEnabled = false;
    QImage Image = Paint(Frame, Width, Height, false, QImage::Format_RGB32, ArrowSize).Image;
    QPainter Painter(&Image);
    TGPGraphics Graphics(Painter);
    TGraphEvaluator Evaluator(u'.');
    const TPlotView View = TPlotView::Compute(Model, Width, Height, 5, u'.');
    const int32_t OriginY = View.OriginY();
    const int N = Model.FrameCount();
    Reports = 0;
    for (int i = 0; i < Model.FuncList.Count() && Reports == 0; ++i)
    {
        const TFunc& Graph = Model.FuncList.Item(i);
        Float80 t = Model.TimeText.toDouble();
        for (int k = N - 1; k >= 0 && Reports == 0; --k)
        {
            TGPPen Pen(ColorToArgb(LightenColor(Graph.Color, k, Model.FramesCount)), float(ArrowSize));
            Pen.SetDashStyle(Graph.Style);
            std::vector<QPoint> Points;
            bool Break = true;
            for (int64_t px = 5; px <= Width - 5; ++px)
            {
                if (Break)
                {
                    Graphics.DrawPolyline(Pen, Points.data(), int(Points.size()));
                    Points.clear();
                    Break = false;
                    continue;
                }
                try
                {
                    const Float80 v = Evaluator.EvaluateGraph(Model.FuncList, i, View.PlaneX(px), t);
                    const int64_t d = Round64(v * View.ScaleY);
                    Points.emplace_back(int(px), int(std::clamp<int64_t>(OriginY - d, -10000, 10000)));
                }
                catch (const EZeroDivide&)
                {
                    Break = true;
                }
                catch (const EInvalidOp&)
                {
                    Break = true;
                }
                catch (const EDomainError&)
                {
                    Break = true;
                }
                catch (const Exception&)
                {
                    ++Reports;
                    break;
                }
            }
            Graphics.DrawPolyline(Pen, Points.data(), int(Points.size()));
            t = t + Float80(Model.TimeIncrement);
        }
    }
    return Image;
}
} // namespace

// Runs of frames of one text are evaluated once and drawn as one frame, on two threads: the
// picture must still be the frame-by-frame one, in every frame's colour, also where an error
// ends the drawing inside such a run.
TEST(RasterIdentity, CurvesLookLikeTheFrameByFrameDrawing)
{
    struct Row
    {
        const char* Name;
        TPlotModel Model;
        float TimeIncrement;
        int Frames;
    };
    const Row Rows[] = {
        {"every frame its own text", Graphs({"Sin(x*t)*4", "x*t-1", "Cos(x+t)*3", "1/x+t"}), 0.25f, 4},
        {"frames of one text", Graphs({"Sin(x)*4", "1/x", "Sqrt(x)*2", "Sin(x)*4"}), 0.25f, 5},
        {"a time step of 0", Graphs({"Sin(x*t)*4", "t*x/3"}), 0.0f, 3},
        {"an error inside a run of one text", Graphs({"x/3", "Exp(x*3000)", "Sin(x)"}), 0.5f, 4},
        {"an error in a later frame", Graphs({"x/3", "Exp(x*t*300)", "Sin(x)"}), 0.5f, 4},
        {"a parse error", Graphs({"2-x", "x+"}), 0.1f, 3},
        {"one frame", Graphs({"Sin(x*t)*4", "Tan(x)"}), 0.1f, 1},
    };
    for (const Row& r : Rows)
    {
        TPlotModel Model = r.Model;
        Model.MotionBlur = true;
        Model.FramesCount = r.Frames;
        Model.TimeIncrement = r.TimeIncrement;
        Model.TimeText = "1";
        Model.View.Grid = false;
        Model.View.Numbers = false;
        // Pens of width 1 are left to QPainter; 6 is the pen of a doubled device pixel ratio.
        for (int ArrowSize : {3, 1, 6})
        {
            int Reports = 0;
            const QImage Expected = LiteralCurves(Model, 190, 150, ArrowSize, Reports);
            for (bool Raster : {false, true})
            {
                const TPicture Got = Paint(Model, 190, 150, Raster, QImage::Format_RGB32, ArrowSize);
                EXPECT_EQ(Got.Reports, Reports) << r.Name;
                EXPECT_TRUE(Got.Image == Expected)
                    << r.Name << (Raster ? " raster" : "") << " pen " << ArrowSize << " first difference at "
                    << FirstDifference(Got.Image, Expected);
            }
        }
    }
}

// A paint whose budget is always spent stops at every chance it has; continued on the same
// image until it is done, it must leave the picture of one whole paint, on both paths.
TEST(RasterIdentity, APaintContinuedSliceBySliceLooksLikeOneWholePaint)
{
    struct Row
    {
        const char* Name;
        TPlotModel Model;
    };
    std::vector<Row> Rows;
    {
        TPlotModel Model = Graphs({"Sin(x*t)*4", "x*x/5-3+t", "1/x", "Sqrt(x)*t", "Sin(x*t)*4", "2"});
        Model.FilledGraphs = true;
        Model.LeftText = "0.1";
        Model.TimeIncrement = 0.1f;
        Model.TimeText = "1";
        Rows.push_back({"fills and blurred curves", Model});
    }
    {
        TPlotModel Model = Graphs({"x/3", "Exp(x*t*300)", "Sin(x)"});
        Model.TimeIncrement = 0.5f;
        Model.TimeText = "1";
        Rows.push_back({"a curve error", Model});
    }
    {
        TPlotModel Model = Graphs({"3+x/4", "-2-t", "4/x*t"});
        Model.FilledGraphs = true;
        Rows.push_back({"a fill error", Model});
    }
    for (const Row& r : Rows)
        for (int Variant = 0; Variant < 3; ++Variant)
        {
            // Variant 2: a graph gains a graph and changes colour after the first slice,
            // unknown to the caller, who asks to continue all the same.
            const bool Raster = Variant != 0;
            TPlotModel Changed = r.Model;
            std::vector<TFunc> Funcs;
            for (int i = 0; i < Changed.FuncList.Count(); ++i)
                Funcs.push_back(Changed.FuncList.Item(i));
            Funcs[0].Color = 0x00C000;
            Funcs.push_back(TFunc("x/2"));
            Changed.FuncList.Assign(Funcs);
            const TPicture Whole = Paint(Variant == 2 ? Changed : r.Model, 700, 150, Raster);
            TPlotModel Model = r.Model;
            QImage Image(700, 150, QImage::Format_RGB32);
            Image.fill(qRgb(255, 0, 255));
            TGraphEvaluator Evaluator(u'.');
            TPlotRenderer Renderer(Model, Evaluator, u'.');
            int Slices = 0, Reports = 0;
            std::string Error;
            for (bool Done = false; !Done && Slices < 10000; ++Slices)
            {
                QPainter Painter(&Image);
                TCanvas Canvas(Painter, Raster);
                Canvas.SetBrushColor(0xF0F0F0);
                const TPaintBudget Spent(std::chrono::milliseconds(0));
                try
                {
                    Renderer.DrawPlot(
                        Canvas, 700, 150, 5, 3, [&](const Exception&) { ++Reports; }, &Spent, Slices > 0);
                    Done = true;
                }
                catch (const EPaintAbandoned&)
                {
                    if (Variant == 2 && Slices == 0)
                        Model = Changed;
                }
                catch (const Exception& e)
                {
                    Error = e.ClassName();
                    Done = true;
                }
            }
            EXPECT_GT(Slices, 3) << r.Name;
            EXPECT_EQ(Error, Whole.Error) << r.Name;
            EXPECT_EQ(Reports, Whole.Reports) << r.Name;
            EXPECT_TRUE(Image == Whole.Image)
                << r.Name << (Raster ? " raster" : "") << " first difference at "
                << FirstDifference(Image, Whole.Image);
        }
}
