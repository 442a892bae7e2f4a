// DrawPlot's frame: background, grid, tick numbers, arrow heads and axes, at the exact
// pixel positions of the mapping, and the errors that leave the call.
#include "test_renderer_support.h"

#include "expr/Errors.h"
#include "plot/TPlotView.h"

#include <gtest/gtest.h>

using namespace RenderTest;

TEST(Renderer, StartViewPutsGridAndAxesOnTheirPixels)
{
    TScene Scene;
    Scene.Model.View.Arrows = false;
    const QImage Image = Scene.Draw();
    for (int Line = 5; Line <= 405; Line += 20)
    {
        if (Line == 205)
            continue;
        EXPECT_EQ(Image.pixel(Line, 50), Silver) << "grid column " << Line;
        EXPECT_EQ(Image.pixel(150, Line), Silver) << "grid row " << Line;
    }
    EXPECT_EQ(Image.pixel(15, 50), White);
    EXPECT_EQ(Image.pixel(4, 50), White);
    // The x axis covers columns 5 .. 404; its end point stays the grid's.
    EXPECT_EQ(Image.pixel(5, 205), Black);
    EXPECT_EQ(Image.pixel(404, 205), Black);
    EXPECT_EQ(Image.pixel(405, 205), Silver);
    EXPECT_EQ(Image.pixel(205, 5), Black);
    EXPECT_EQ(Image.pixel(205, 404), Black);
    EXPECT_EQ(Image.pixel(205, 405), Silver);
    // Grid lines also stop before their end: row 405 ends at column 404.
    EXPECT_EQ(Image.pixel(404, 405), Silver);
    EXPECT_EQ(Image.pixel(405, 406), White);
}

TEST(Renderer, ArrowHeadsStartAtTheAxisEnds)
{
    TScene Scene;
    Scene.Model.View.Numbers = false;
    const QImage Image = Scene.Draw();
    // x axis: towards (396, 202) and (396, 208), three columns per row.
    for (auto [x, y] : {std::pair{405, 205}, {402, 204}, {402, 206}, {397, 202}, {397, 208}})
        EXPECT_EQ(Image.pixel(x, y), Black) << x << "," << y;
    EXPECT_NE(Image.pixel(396, 202), Black);
    EXPECT_NE(Image.pixel(396, 208), Black);
    // y axis: towards (202, 14) and (208, 14).
    for (auto [x, y] : {std::pair{205, 5}, {204, 8}, {206, 8}, {202, 13}, {208, 13}})
        EXPECT_EQ(Image.pixel(x, y), Black) << x << "," << y;
    EXPECT_NE(Image.pixel(202, 14), Black);
    EXPECT_NE(Image.pixel(208, 14), Black);
}

TEST(Renderer, TickNumbersAreTheFormattedValuesAtTheirCorners)
{
    struct Row
    {
        const char* Name;
        int Decimals;
        const char* Left;
        int YAxisColumn;
    };
    const Row Rows[] = {
        {"start view", 0, "-10", 205},
        {"two decimals", 2, "-10", 205},
        {"decimals beyond 18 are clamped", 40, "-10", 205},
        {"view 0 .. 10 puts the y axis on the margin", 0, "0", 5},
    };
    for (const Row& r : Rows)
    {
        TScene Scene;
        Scene.Model.Decimals = r.Decimals;
        Scene.Model.LeftText = QString::fromLatin1(r.Left);
        const Float80 Left = std::stold(r.Left);
        std::vector<TText> Expected;
        for (int i = 0; i < 20; ++i)
            Expected.push_back({8 + 20 * i, 206, Fixed(Left + i * (10 - Left) / 20, r.Decimals)});
        for (int j = 0; j < 20; ++j)
            Expected.push_back({r.YAxisColumn + 3, 6 + 20 * j, Fixed(10 - j * 1.0L, r.Decimals)});
        const TPixels Drawn = Scene.NumberPixels();
        EXPECT_FALSE(Drawn.empty()) << r.Name;
        const TPixels Want = ExpectedTextPixels(Scene, Expected);
        EXPECT_EQ(Drawn, Want) << r.Name;
    }
}

TEST(Renderer, AxisBelowTheCanvasHidesTheXAxisAndItsNumbers)
{
    TScene Scene;
    Scene.Model.BottomText = "1";
    Scene.Model.TopText = "5"; // ScaleY 100, OriginY 505
    const QImage Image = Scene.Draw();
    EXPECT_EQ(Image.pixel(150, 25), Silver);
    EXPECT_EQ(Image.pixel(205, 300), Black);
    for (int y = 0; y < 410; ++y)
        for (int x = 0; x < 410; ++x)
        {
            if (Image.pixel(x, y) == Black)
            {
                ASSERT_GE(x, 202) << "only the y axis, its arrow and its numbers are black: " << x << ","
                                  << y;
            }
        }
}

TEST(Renderer, SwitchesOffLeaveOnlyTheAxes)
{
    TScene Scene;
    Scene.Model.View.Grid = Scene.Model.View.Numbers = Scene.Model.View.Arrows = false;
    const QImage Image = Scene.Draw();
    int BlackCount = 0;
    for (int y = 0; y < 410; ++y)
        for (int x = 0; x < 410; ++x)
        {
            const QRgb p = Image.pixel(x, y);
            ASSERT_TRUE(p == White || p == Black) << x << "," << y;
            BlackCount += p == Black;
        }
    EXPECT_EQ(BlackCount, 400 + 400 - 1);
}

TEST(Renderer, GridStylesFollowTheSwitches)
{
    auto SilverOnColumn25 = [](bool Dot, bool Dash)
    {
        TScene Scene;
        Scene.Model.View.GridDot = Dot;
        Scene.Model.View.GridDash = Dash;
        Scene.Model.View.GridSolid = !Dot && !Dash;
        const QImage Image = Scene.Draw();
        std::string Pattern;
        for (int y = 5; y < 35; ++y)
            Pattern += Image.pixel(25, y) == Silver ? '#' : '.';
        return Pattern;
    };
    EXPECT_EQ(SilverOnColumn25(false, false), std::string(30, '#'));
    EXPECT_EQ(SilverOnColumn25(true, false), "###...###...###...###...###...");
    EXPECT_EQ(SilverOnColumn25(false, true), "##################......######");
}

TEST(Renderer, NegativeTickCountsDrawNoLinesAndNoNumbersThatWay)
{
    TScene Scene;
    Scene.Model.TicksByX = -3;
    const QImage Image = Scene.Draw();
    EXPECT_EQ(Image.pixel(25, 50), White);
    EXPECT_EQ(Image.pixel(150, 25), Silver);
    for (const auto& [x, y] : Scene.NumberPixels())
    {
        ASSERT_GE(x, 208) << "only y numbers remain";
    }
}

TEST(Renderer, HugeTickCountsFinish)
{
    TScene Scene;
    Scene.Model.TicksByX = 1000000;
    Scene.Model.TicksByY = 1000000;
    Scene.Draw(60, 60);
    EXPECT_GT(Scene.Count(Silver), 0);
}

TEST(Renderer, BadViewsLeaveDrawPlotWithTheirError)
{
    struct Row
    {
        const char* Name;
        void (*Change)(TPlotModel&);
        const char* Class;
    };
    const Row Rows[] = {
        {"zero ticks by x", [](TPlotModel& m) { m.TicksByX = 0; }, "EZeroDivide"},
        {"zero ticks by y", [](TPlotModel& m) { m.TicksByY = 0; }, "EZeroDivide"},
        {"right equal to left", [](TPlotModel& m) { m.RightText = "-10"; }, "EZeroDivide"},
        {"top equal to bottom", [](TPlotModel& m) { m.TopText = "-10"; }, "EZeroDivide"},
        {"left not a number", [](TPlotModel& m) { m.LeftText = "abc"; }, "EConvertError"},
        {"origin beyond 32 bits",
         [](TPlotModel& m)
         {
             m.LeftText = "1e20";
             m.RightText = "1.00000001e20";
         },
         "EViewRangeError"},
        {"origin beyond 64 bits",
         [](TPlotModel& m)
         {
             m.LeftText = "1e25";
             m.RightText = "1.00000000000000001e25"; // 1e25 + 1e8
         },
         "EInvalidOp"},
        {"time not a number with fills",
         [](TPlotModel& m)
         {
             m.TimeText = "abc";
             m.FilledGraphs = true;
         },
         "EConvertError"},
        {"time not a number with a graph",
         [](TPlotModel& m)
         {
             m.TimeText = "abc";
             m.FuncList.Item(0).Func = "x";
             m.GraphsEnabled = true;
         },
         "EConvertError"},
        {"time not a number is harmless without graphs", [](TPlotModel& m) { m.TimeText = "abc"; }, ""},
    };
    for (const Row& r : Rows)
    {
        TScene Scene;
        r.Change(Scene.Model);
        std::string Class;
        try
        {
            Scene.Draw();
        }
        catch (const Exception& Error)
        {
            Class = Error.ClassName();
        }
        EXPECT_EQ(Class, r.Class) << r.Name;
    }
}

TEST(Renderer, ZeroTicksFailAfterTheBackgroundOnly)
{
    TScene Scene;
    Scene.Model.TicksByX = 0;
    EXPECT_THROW(Scene.Draw(), EZeroDivide);
    EXPECT_EQ(Scene.Image.pixel(205, 205), White);
    EXPECT_EQ(Scene.Image.pixel(25, 50), White);
}
