// Relations drawn through the whole paint: classified pixels checked against the exact solution
// sets (pixel edges on binary fractions), the picture's pixel mapping, fills, motion blur, errors,
// a paint taken up slice by slice, other canvases, the status bar and the document.
#include "PlotTestSupport.h"
#include "test_renderer_support.h"

#include "plot/GraphKind.h"
#include "plot/LineStyle.h"
#include "plot/TDocument.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TLegend.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotReadout.h"
#include "plot/TRelationKind.h"
#include "plot/TRelationRaster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace
{
constexpr TColor LineRed = 0x0000FF, FillBlue = 0xFF0000;
const QRgb Red = qRgb(255, 0, 0), Blue = qRgb(0, 0, 255);
const QRgb PaleRed = qRgb(255, 127, 127), PaleBlue = qRgb(127, 127, 255);

TFunc Relation(const char* Formula)
{
    TFunc Graph{QString::fromUtf8(Formula)};
    Graph.Kind = TGraphKind::Relation;
    Graph.Color = LineRed;
    Graph.BGColor = FillBlue;
    return Graph;
}

// A plain picture of W x W pixels, 5 of them margin, of the view given by its texts: no grid,
// numbers or arrows, a pen one pixel wide, so that every pixel between the margins shows the
// class of its own box.
struct TRelationScene : RenderTest::TScene
{
    TRelationScene(std::vector<TFunc> Graphs, const char* Left, const char* Right, const char* Bottom,
                   const char* Top)
    {
        Model.FuncList.Assign(std::move(Graphs));
        Model.LeftText = Left;
        Model.RightText = Right;
        Model.BottomText = Bottom;
        Model.TopText = Top;
        Model.GraphsEnabled = true;
        Model.View = {false, false, false, false, false, true};
        ArrowSize = 1;
    }
};

enum class TClass
{
    Empty,
    Undecided,
    Holds,
};

TClass ClassOf(QRgb Pixel)
{
    if (Pixel == Red || Pixel == Blue)
        return TClass::Holds;
    if (Pixel == PaleRed || Pixel == PaleBlue)
        return TClass::Undecided;
    return TClass::Empty;
}

// Where a relation holds in the closed box [x0, x1] x [y0, y1]: whether it holds somewhere in it.
using TSolution = std::function<bool(long double x0, long double x1, long double y0, long double y1)>;

// The least and the greatest x*x+y*y over the box (exact for edges on binary fractions).
long double Nearest(long double a0, long double a1)
{
    return a0 > 0 ? a0 * a0 : a1 < 0 ? a1 * a1 : 0;
}
long double Farthest(long double a0, long double a1)
{
    return std::max(a0 * a0, a1 * a1);
}

struct TGeometryCase
{
    const char* Name;
    const char* Formula;
    TSolution HoldsIn;
    double MaxUndecided; // the share of the solution's pixels left undecided, at most
};

struct TViewCase
{
    int Size;
    const char *Left, *Right, *Bottom, *Top;
    int OriginX, OriginY;
    long double Scale; // pixels per unit, a power of two
};
} // namespace

// Every pixel between the margins is checked against the exact solution set: a pixel that
// shows "holds" has a point of the set in its box, one left empty has none. The share of the
// set's pixels left undecided is bounded per case.
TEST(RelationPaint, PicturesOfCirclesAndDiscsMatchTheExactSolutionSets)
{
    const std::vector<TGeometryCase> Cases = {
        {"unit circle", "x*x+y*y = 1",
         [](long double x0, long double x1, long double y0, long double y1)
         { return Nearest(x0, x1) + Nearest(y0, y1) <= 1 && Farthest(x0, x1) + Farthest(y0, y1) >= 1; },
         0.0},
        {"closed unit disc", "x*x+y*y <= 1",
         [](long double x0, long double x1, long double y0, long double y1)
         { return Nearest(x0, x1) + Nearest(y0, y1) <= 1; },
         0.0},
        {"open disc of radius 1.5", "x*x+y*y < 2.25",
         [](long double x0, long double x1, long double y0, long double y1)
         { return Nearest(x0, x1) + Nearest(y0, y1) < 2.25L; },
         0.0},
        {"upper half of the disc of radius 1.25", "(x*x+y*y <= 1.5625) and (y >= 0)",
         [](long double x0, long double x1, long double y0, long double y1)
         { return y1 >= 0 && Nearest(x0, x1) + Nearest(std::max(y0, 0.0L), y1) <= 1.5625L; },
         0.0},
        {"a circle through its own square", "(x*x+y*y-1)*(x*x+y*y-1) = 0",
         [](long double x0, long double x1, long double y0, long double y1)
         { return Nearest(x0, x1) + Nearest(y0, y1) <= 1 && Farthest(x0, x1) + Farthest(y0, y1) >= 1; },
         1.0},
    };
    const std::vector<TViewCase> Views = {
        {266, "-2", "2", "-2", "2", 133, 133, 64},
        {138, "-2", "2", "-2", "2", 69, 69, 32},
        {210, "-1.5", "1.625", "-1.875", "1.25", 101, 85, 64},
        {106, "-0.75", "0.75", "-0.75", "0.75", 53, 53, 64}, // the curves leave the picture
    };
    for (const TGeometryCase& Case : Cases)
        for (const TViewCase& V : Views)
        {
            SCOPED_TRACE(std::string(Case.Name) + " at " + std::to_string(V.Size));
            TRelationScene Scene({Relation(Case.Formula)}, V.Left, V.Right, V.Bottom, V.Top);
            const QImage& Image = Scene.Draw(V.Size, V.Size);
            ASSERT_TRUE(Scene.Reports.empty());
            int FalseHolds = 0, FalseEmpty = 0, Solution = 0, Undecided = 0;
            for (int r = 5; r <= V.Size - 5; ++r)
                for (int c = 5; c <= V.Size - 5; ++c)
                {
                    const long double x0 = (c - V.OriginX - 0.5L) / V.Scale, x1 = x0 + 1 / V.Scale;
                    const long double y1 = (V.OriginY - r + 0.5L) / V.Scale, y0 = y1 - 1 / V.Scale;
                    const bool Holds = Case.HoldsIn(x0, x1, y0, y1);
                    const TClass Class = ClassOf(Image.pixel(c, r));
                    FalseHolds += Class == TClass::Holds && !Holds;
                    FalseEmpty += Class == TClass::Empty && Holds;
                    Solution += Holds;
                    Undecided += Holds && Class == TClass::Undecided;
                }
            EXPECT_EQ(FalseHolds, 0);
            EXPECT_EQ(FalseEmpty, 0);
            EXPECT_GT(Solution, 0);
            EXPECT_LE(Undecided, Case.MaxUndecided * Solution) << Undecided << " of " << Solution;
        }
}

// Pixel (c, r) is centred on the plane point (PlaneX(c), PlaneY(r)) that a function's curve
// puts there: a line through pixel centres lights one column or row, a line on the edge
// between two lights both.
TEST(RelationPaint, PixelsAreCentredOnThePlanePointsOfTheirColumnsAndRows)
{
    struct TCase
    {
        const char* Formula;
        std::set<int> Columns, Rows; // where the relation holds (all rows or all columns)
    } Cases[] = {
        {"x = 0.5", {165}, {}},
        {"x = 0", {133}, {}},
        {"x = 0.5078125", {165, 166}, {}}, // 32.5 pixels right of x = 0
        {"y = -0.25", {}, {149}},
        {"y = 1.9921875", {}, {5, 6}}, // 127.5 pixels up
    };
    for (const TCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Formula);
        TRelationScene Scene({Relation(Case.Formula)}, "-2", "2", "-2", "2");
        const QImage& Image = Scene.Draw(266, 266);
        std::set<int> Columns, Rows;
        for (int r = 5; r <= 261; ++r)
            for (int c = 5; c <= 261; ++c)
            {
                const TClass Class = ClassOf(Image.pixel(c, r));
                ASSERT_NE(Class, TClass::Undecided) << c << ", " << r;
                if (Class == TClass::Holds)
                    (Case.Columns.empty() ? Rows : Columns).insert(Case.Columns.empty() ? r : c);
            }
        EXPECT_EQ(Columns, Case.Columns);
        EXPECT_EQ(Rows, Case.Rows);
    }
}

// A region is drawn in its fill colour whatever Filled Graphs says, and filling adds nothing.
TEST(RelationPaint, ARegionIsFilledWithFilledGraphsOffAndOnAlike)
{
    TRelationScene Off({Relation("y < Sin(x)")}, "-2", "2", "-2", "2");
    TRelationScene On({Relation("y < Sin(x)")}, "-2", "2", "-2", "2");
    On.Model.FilledGraphs = true;
    Off.Draw(266, 266);
    On.Draw(266, 266);
    EXPECT_GT(Off.Count(Blue), 20000);
    EXPECT_EQ(PlotTest::FirstDifference(Off.Image, On.Image), "none");
}

// A curve takes the graph's dash style: its pixels are a part of the solid curve's, cut along
// the way it runs.
TEST(RelationPaint, ACurveTakesTheGraphsDashStyle)
{
    TRelationScene Solid({Relation("Power(x*x+y*y, 3) = 27*x*x*y*y")}, "-2", "2", "-2", "2");
    Solid.ArrowSize = 3;
    Solid.Draw(266, 266);
    const int All = Solid.Count(Red);
    for (int32_t Style = 1; Style <= 4; ++Style)
    {
        TRelationScene Dashed({Relation("Power(x*x+y*y, 3) = 27*x*x*y*y")}, "-2", "2", "-2", "2");
        Dashed.ArrowSize = 3;
        Dashed.Model.FuncList.Item(0).Style = Style;
        const QImage& Image = Dashed.Draw(266, 266);
        int Kept = 0, Stray = 0;
        for (int y = 0; y < 266; ++y)
            for (int x = 0; x < 266; ++x)
                if (Image.pixel(x, y) == Red)
                    (Solid.Image.pixel(x, y) == Red ? Kept : Stray) += 1;
        EXPECT_EQ(Stray, 0) << Style;
        EXPECT_GT(Kept, All / 5) << Style;
        EXPECT_LT(Kept, All * 9 / 10) << Style;
    }
}

// Each motion-blur frame of an animated relation is drawn in its own lightened colour, the
// full colour at the last frame's time.
TEST(RelationPaint, MotionBlurDrawsEveryFrameInItsColour)
{
    TRelationScene Scene({Relation("x*x+y*y = 1+t")}, "-2", "2", "-2", "2");
    Scene.Model.MotionBlur = true;
    Scene.Model.FramesCount = 4;
    Scene.Model.TimeIncrement = 0.25f;
    const QImage& Image = Scene.Draw(266, 266);
    for (int k = 0; k < 4; ++k)
        EXPECT_GT(Scene.Count(ToQColor(LightenColor(LineRed, k, 4)).rgb()), 100) << "frame " << 3 - k;
    // The right-hand ends of the circles of radius 1 (t = 0) and of radius 1.75^(1/2)... on the
    // x axis: the palest frame at x = 1, the full colour at Sqrt(1.75).
    EXPECT_EQ(Image.pixel(133 + 64, 133), ToQColor(LightenColor(LineRed, 3, 4)).rgb());
    EXPECT_EQ(Image.pixel(133 + int(std::lround(std::sqrt(1.75) * 64)), 133), Red);
}

// A formula that cannot be read is reported once, whatever the number of frames, and hides the
// graphs.
TEST(RelationPaint, AFormulaThatCannotBeReadIsReportedOnce)
{
    TRelationScene Scene({Relation("x*x+y*y = (1+t"), Relation("y < x")}, "-2", "2", "-2", "2");
    Scene.Model.TimeIncrement = 0.25f;
    Scene.Draw(266, 266);
    ASSERT_EQ(Scene.Reports.size(), 1u);
    EXPECT_EQ(Scene.Reports[0], "Parse error: ')' expected");
    EXPECT_FALSE(Scene.Model.GraphsEnabled);
}

// Taken up paint after paint by budgets that are spent at once, the picture ends as the one
// drawn in one go.
TEST(RelationPaint, APaintStoppedByItsBudgetEndsAsThePictureDrawnWhole)
{
    TRelationScene Whole({Relation("Power(x*x+y*y, 3) = 27*x*x*y*y")}, "-2", "2", "-2", "2");
    Whole.Draw(138, 138);
    TRelationScene Sliced({Relation("Power(x*x+y*y, 3) = 27*x*x*y*y")}, "-2", "2", "-2", "2");
    QImage Image(138, 138, QImage::Format_RGB32);
    Image.fill(qRgb(255, 0, 255));
    TPlotRenderer Renderer(Sliced.Model, Sliced.Evaluator, u'.');
    int Slices = 0;
    for (bool Done = false; !Done && Slices < 100000; ++Slices)
    {
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        const TPaintBudget Spent(std::chrono::milliseconds(0));
        try
        {
            Renderer.DrawPlot(
                Canvas, 138, 138, 5, 1, [](const Exception&) {}, &Spent, Slices > 0);
            Done = true;
        }
        catch (const EPaintAbandoned&)
        {
        }
    }
    EXPECT_GT(Slices, 1);
    EXPECT_EQ(PlotTest::FirstDifference(Image, Whole.Image), "none");
}

// While the time runs, the screen's paint (one with a budget) stops at single pixels, so every
// tick shows a picture: never a pixel holding that the whole picture leaves empty, nor the other
// way round, only undecided ones more. A copy (no budget) is drawn whole even then.
TEST(RelationPaint, WhileTheTimeRunsTheScreenStopsAtPixelsAndACopyIsWhole)
{
    const char* Rose = "Power(x*x+y*y, 3) = 27*x*x*y*y";
    TRelationScene Whole({Relation(Rose)}, "-2", "2", "-2", "2");
    Whole.Draw(138, 138);
    TRelationScene Copy({Relation(Rose)}, "-2", "2", "-2", "2");
    Copy.Model.Animating = true;
    Copy.Draw(138, 138);
    EXPECT_EQ(PlotTest::FirstDifference(Copy.Image, Whole.Image), "none");

    TRelationScene Tick({Relation(Rose)}, "-2", "2", "-2", "2");
    Tick.Model.Animating = true;
    QImage Image(138, 138, QImage::Format_RGB32);
    QPainter Painter(&Image);
    TCanvas Canvas(Painter);
    Canvas.SetBrushColor(clWhite);
    TPlotRenderer Renderer(Tick.Model, Tick.Evaluator, u'.');
    const TPaintBudget Ample(std::chrono::hours(1));
    Renderer.DrawPlot(
        Canvas, 138, 138, 5, 1, [](const Exception&) {}, &Ample);
    int Coarser = 0;
    for (int y = 5; y < 133; ++y)
        for (int x = 5; x < 133; ++x)
        {
            const TClass a = ClassOf(Image.pixel(x, y)), b = ClassOf(Whole.Image.pixel(x, y));
            if (a != b)
            {
                EXPECT_EQ(a, TClass::Undecided) << x << "," << y;
                ++Coarser;
            }
        }
    EXPECT_GT(Coarser, 0) << "the rose's origin is refined only below single pixels";
}

// On a logarithmic axis a relation draws nothing, and the status bar says why.
TEST(RelationPaint, ALogarithmicAxisDrawsNoRelation)
{
    TRelationScene Scene({Relation("x*x+y*y <= 4")}, "0.5", "2", "-2", "2");
    Scene.Model.Options.LogX = true;
    Scene.Draw(266, 266);
    EXPECT_EQ(Scene.Count(Blue) + Scene.Count(Red), 0);
    EXPECT_TRUE(Scene.Reports.empty());
    TGraphEvaluator Evaluator(u'.');
    EXPECT_TRUE(
        TPlotReadout(Scene.Model, Evaluator)
            .At(QPoint(100, 133), 266, 266, 0)
            .Text.endsWith(QStringLiteral("r1(x, y) holds    ") + QString::fromUtf8(Msg::RelationLogAxis)));
}

// A canvas that is no raster image (SVG, PDF, a printer) gets the same pixels through QPainter.
TEST(RelationPaint, APainterCanvasShowsTheSamePixels)
{
    for (const char* Formula : {"x*x+y*y = 1", "(x*x+y*y <= 2) and (y > x)"})
    {
        SCOPED_TRACE(Formula);
        TRelationScene Scene({Relation(Formula)}, "-2", "2", "-2", "2");
        Scene.ArrowSize = 3;
        Scene.Draw(266, 266);
        QImage Image(266, 266, QImage::Format_RGB32);
        Image.fill(qRgb(255, 0, 255));
        {
            QPainter Painter(&Image);
            Painter.setClipRect(0, 0, 266, 266); // a clip: no raster canvas
            TCanvas Canvas(Painter);
            ASSERT_EQ(Canvas.RasterBits(), nullptr);
            Canvas.SetBrushColor(clWhite);
            TPlotRenderer(Scene.Model, Scene.Evaluator, u'.')
                .DrawPlot(Canvas, 266, 266, 5, 3, [](const Exception&) {});
        }
        EXPECT_EQ(PlotTest::FirstDifference(Image, Scene.Image), "none");
    }
}

TEST(RelationReadout, TheStatusBarSaysWhetherTheRelationHoldsAtThePoint)
{
    struct TCase
    {
        const char* Formula;
        QPoint Pixel;
        const char* Reading;
    } Cases[] = {
        {"x*x+y*y = 1", {197, 133}, "x = 1    y = 0    r1(x, y) holds"},
        {"x*x+y*y = 1", {133, 133}, "x = 0    y = 0    r1(x, y) does not hold"},
        {"y < Sin(x)", {133, 149}, "x = 0    y = -0.25    r1(x, y) holds"},
        {"x = t", {197, 5}, "x = 1    y = 2    r1(x, y) holds"}, // the time is 1
        {"1/x > 0",
         {133, 20},
         "x = 0    y = 1.765625    r1(x, y) is undefined: Floating point division by zero"},
        {"Sqrt(x) >= y",
         {101, 133},
         "x = -0.5    y = 0    r1(x, y) is undefined: Domain check failure in MathLib"},
        {"x < (1", {133, 133}, "x = 0    y = 0    r1(x, y): Parse error: ')' expected"},
    };
    for (const TCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Formula);
        TGraphEvaluator Evaluator(u'.');
        TRelationScene Scene({Relation(Case.Formula)}, "-2", "2", "-2", "2");
        Scene.Model.TimeText = "1";
        EXPECT_EQ(TPlotReadout(Scene.Model, Evaluator).At(Case.Pixel, 266, 266, 0).Text,
                  QString::fromUtf8(Case.Reading));
    }
}

TEST(RelationKind, CombinedConditionsWithoutParenthesesGetTheHint)
{
    struct TCase
    {
        const char16_t* Formula;
        bool Hint;
    } Cases[] = {
        {u"x*x+y*y <= 4 and y >= 0", true},
        {u"x < 1 OR y", true},
        {u"x < 1 xor (y > 2)", true},
        {u"(x*x+y*y <= 4) and (y >= 0)", false},
        {u"x*x+y*y = 1", false},
        {u"Sin(x and y) < 1", false},
        {u"x band y < 1", false},
        {u"android < 1", false},            // a name is no keyword
        {u"x < 1 and y < 1e999999", false}, // a number that cannot be read: the error says it
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(TRelationKind::NeedsParentheses(Case.Formula, u'.'), Case.Hint)
            << QString::fromStdU16String(Case.Formula).toStdString();
    TFuncList List;
    List.Assign({Relation("x < 1 and y < 1"), Relation("x < (1"), Relation("(x < 1) and (y < 1)")});
    const TEvalContext Context;
    const TKindDescriptor& Kind = KindOf(TGraphKind::Relation);
    EXPECT_EQ(Kind.Problem(List, 0, &Context).toStdString(), Msg::RelationNeedsParentheses);
    EXPECT_EQ(Kind.Problem(List, 1, &Context), "Parse error: ')' expected");
    EXPECT_TRUE(Kind.Problem(List, 2, &Context).isEmpty());
}

class RelationDocument : public PlotTest::TTempFileTest
{
};

// A document of relations reads back as it was and is written again byte for byte.
TEST_F(RelationDocument, ADocumentOfRelationsRoundTripsByteForByte)
{
    TPlotModel m;
    m.FuncList.Assign({Relation("x*x+y*y = 1+t"), Relation("(x*x+y*y <= 4) and (y >= 0)"), TFunc("Sin(x)")});
    TDocument::Save(Path, m);
    const QByteArray First = Bytes();
    EXPECT_TRUE(First.contains("Func1=x*x+y*y = 1+t\r\nColor1=255\r\nBG1=16711680\r\nStyleStr1=0\r\n"
                               "Kind1=relation\r\n"))
        << First.toStdString();
    EXPECT_FALSE(First.contains("Kind3")) << "a function's document keys stay as they were";
    TPlotModel Read;
    TDocument::Read(Path, Read);
    EXPECT_EQ(Read.FuncList.Item(0), m.FuncList.Item(0));
    EXPECT_EQ(Read.FuncList.Item(1), m.FuncList.Item(1));
    QFile::remove(Path);
    TDocument::Save(Path, Read);
    EXPECT_EQ(Bytes(), First);
    EXPECT_EQ(TLegend::Label(Read.FuncList.Item(1)), "(x*x+y*y <= 4) and (y >= 0) (pale: undecided)");
}
