// DrawPlot's graph layers: curves with their gaps, motion-blur frames, fills, and what an
// error of a graph does to the call and to GraphsEnabled.
#include "test_renderer_support.h"

#include "expr/Errors.h"

#include <gtest/gtest.h>

using namespace RenderTest;

namespace
{
// A scene with one red graph, drawn once with a 1-pixel pen so columns can be told apart.
void OneGraph(TScene& Scene, const QString& Formula)
{
    Scene.Model.FuncList.Item(0).Func = Formula;
    Scene.Model.FuncList.Item(0).Color = RedColor;
    Scene.Model.GraphsEnabled = true;
    Scene.Model.MotionBlur = false;
    Scene.ArrowSize = 1;
}
} // namespace

TEST(RendererGraphs, CurveStartsOneColumnAfterTheMarginAndEndsOnTheOther)
{
    TScene Scene;
    OneGraph(Scene, "1");
    Scene.Draw();
    EXPECT_FALSE(Scene.ColumnHas(5, Red));
    EXPECT_EQ(Scene.Image.pixel(6, 185), Red);
    // A polyline's last point is its end, not a pixel of its own: the curve reaches 404.
    EXPECT_EQ(Scene.Image.pixel(404, 185), Red);
    EXPECT_FALSE(Scene.ColumnHas(406, Red));
}

TEST(RendererGraphs, UndefinedPointsCutTheCurveForTwoColumns)
{
    struct Row
    {
        const char* Formula;
        int FirstEmpty, LastEmpty; // columns without curve pixels
        int LeftNeighbour;         // a column before the gap that carries the curve (0: none)
    };
    const Row Rows[] = {
        {"1/x", 205, 206, 0},   // x = 0 at the column OriginX; 204 lies far below
        {"x/x", 205, 206, 203}, // 0/0 there; 204 is the end of the left piece
        {"Sqrt(x)", 0, 205, 0}, // x < 0 up to column 204; 205 only flushes
        {"1E30*x", 0, 0, 0},    // beyond 64 bits after scaling: a gap, nothing reported
    };
    for (const Row& r : Rows)
    {
        TScene Scene;
        OneGraph(Scene, r.Formula);
        Scene.Draw();
        for (int x = r.FirstEmpty; x <= r.LastEmpty && r.LastEmpty; ++x)
            EXPECT_FALSE(Scene.ColumnHas(x, Red)) << r.Formula << " column " << x;
        if (r.LeftNeighbour)
        {
            EXPECT_TRUE(Scene.ColumnHas(r.LeftNeighbour, Red)) << r.Formula;
        }
        if (r.LastEmpty)
        {
            EXPECT_TRUE(Scene.ColumnHas(r.LastEmpty + 1, Red)) << r.Formula;
        }
        EXPECT_TRUE(Scene.Reports.empty()) << r.Formula;
        EXPECT_TRUE(Scene.Model.GraphsEnabled) << r.Formula;
    }
}

TEST(RendererGraphs, MotionBlurDrawsThePaleFrameFirstAtTheEarlierTime)
{
    TScene Scene;
    OneGraph(Scene, "2+t*20");
    Scene.Model.FuncList.Item(0).Color = clBlack;
    Scene.Model.MotionBlur = true;
    Scene.Model.FramesCount = 2;
    Scene.Model.TimeIncrement = 0.25f;
    Scene.ArrowSize = 3;
    Scene.Draw();
    // Frame 1 at t = 0: y = 2, row 165, rows 164 .. 166 with the 3-pixel pen, grey 128.
    for (int y : {164, 165, 166})
        EXPECT_EQ(Scene.Image.pixel(100, y), qRgb(128, 128, 128)) << y;
    // Frame 0 at t = 0.25: y = 7, row 65, black.
    EXPECT_EQ(Scene.Image.pixel(100, 65), Black);
    EXPECT_EQ(Scene.Image.pixel(100, 168), White);
}

TEST(RendererGraphs, FrameCountsBelowOneDrawNoGraphAndFailNothing)
{
    for (int Frames : {0, -4})
    {
        TScene Scene;
        OneGraph(Scene, "1");
        Scene.Model.MotionBlur = true;
        Scene.Model.FramesCount = Frames;
        Scene.Model.FilledGraphs = true;
        Scene.Model.FuncList.Item(0).BGColor = RedColor;
        EXPECT_NO_THROW(Scene.Draw());
        EXPECT_EQ(Scene.Count(Red), 0) << Frames;
    }
}

TEST(RendererGraphs, AnErrorOfACurveIsReportedOnceAndHidesTheRemainingGraphs)
{
    TScene Scene;
    OneGraph(Scene, "2");
    Scene.Model.MotionBlur = true;
    Scene.Model.FuncList.Add(TFunc("x+"));
    TFunc Blue("3");
    Blue.Color = 0xFF0000;
    Scene.Model.FuncList.Add(Blue);
    Scene.Draw();
    ASSERT_EQ(Scene.Reports.size(), 1u);
    EXPECT_EQ(Scene.Reports[0].rfind("Parse error: ", 0), 0u) << Scene.Reports[0];
    EXPECT_FALSE(Scene.Model.GraphsEnabled);
    EXPECT_GT(Scene.Count(Red), 0) << "the graph before the faulty one is drawn";
    EXPECT_EQ(Scene.Count(qRgb(0, 0, 255)), 0) << "the graph after it is not";

    Scene.Reports.clear();
    Scene.Draw();
    EXPECT_TRUE(Scene.Reports.empty());
    EXPECT_EQ(Scene.Count(Red), 0) << "the next paint shows no graph";
}

TEST(RendererGraphs, FillReachesFromTheAxisToTheCurveUnderEverythingElse)
{
    TScene Scene;
    OneGraph(Scene, "5");
    Scene.Model.FilledGraphs = true;
    Scene.Model.FuncList.Item(0).BGColor = 0x00FFFF; // yellow
    Scene.Model.FuncList.Item(0).Color = clBlack;
    const QRgb Yellow = qRgb(255, 255, 0);
    Scene.Draw();
    EXPECT_EQ(Scene.Image.pixel(100, 150), Yellow);
    EXPECT_EQ(Scene.Image.pixel(100, 106), Yellow);
    EXPECT_EQ(Scene.Image.pixel(100, 104), White) << "the end row of the fill line is excluded";
    EXPECT_EQ(Scene.Image.pixel(100, 210), White);
    EXPECT_EQ(Scene.Image.pixel(4, 150), White);
    EXPECT_EQ(Scene.Image.pixel(105, 150), Silver) << "the grid lies over the fill";
    EXPECT_EQ(Scene.Image.pixel(100, 205), Black) << "the axis lies over the fill";
}

TEST(RendererGraphs, AxesAndArrowsStayBlackOverAFillWithoutGrid)
{
    TScene Scene;
    OneGraph(Scene, "5");
    Scene.Model.FilledGraphs = true;
    Scene.Model.View.Grid = false;
    Scene.Model.FuncList.Item(0).BGColor = 0x00FF00;
    Scene.Draw();
    EXPECT_EQ(Scene.Image.pixel(100, 205), Black);
    EXPECT_EQ(Scene.Image.pixel(205, 150), Black);
    EXPECT_EQ(Scene.Image.pixel(404, 205), Black);
}

TEST(RendererGraphs, EveryFillFrameUsesTheTimeOfTheFullColourCurve)
{
    TScene Scene;
    OneGraph(Scene, "t*4");
    Scene.Model.FilledGraphs = true;
    Scene.Model.MotionBlur = true;
    Scene.Model.FramesCount = 2;
    Scene.Model.TimeIncrement = 0.5f;
    Scene.Model.FuncList.Item(0).BGColor = 0xFF0000; // blue; the pale frame would be (128, 128, 255)
    Scene.Draw();
    EXPECT_EQ(Scene.Image.pixel(100, 180), qRgb(0, 0, 255)); // up to y = 2, row 165
    EXPECT_EQ(Scene.Count(qRgb(128, 128, 255)), 0);
}

TEST(RendererGraphs, AnyErrorInAFillEndsTheCallBeforeGridAndAxes)
{
    struct Row
    {
        const char* Formula;
        const char* Class;
        bool SomeFillDrawn;
    };
    const Row Rows[] = {
        {"x+", "EExprEvalError", false},
        {"1/x", "EZeroDivide", true}, // an undefined point, too, after the columns left of it
    };
    for (const Row& r : Rows)
    {
        TScene Scene;
        OneGraph(Scene, r.Formula);
        Scene.Model.FilledGraphs = true;
        Scene.Model.FuncList.Item(0).BGColor = RedColor;
        try
        {
            Scene.Draw();
            ADD_FAILURE() << r.Formula << ": no error";
        }
        catch (const Exception& Error)
        {
            EXPECT_STREQ(Error.ClassName(), r.Class) << r.Formula;
        }
        EXPECT_EQ(Scene.Count(Silver), 0) << r.Formula;
        EXPECT_EQ(Scene.Count(Black), 0) << r.Formula;
        EXPECT_EQ(Scene.Count(Red) > 0, r.SomeFillDrawn) << r.Formula;
        EXPECT_TRUE(Scene.Reports.empty()) << r.Formula;
    }
}
