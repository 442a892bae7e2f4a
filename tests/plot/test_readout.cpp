// The arithmetic of the wheel and touchpad steps and the readout's texts where the window
// tests do not reach: a comma separator, texts that are not numbers, views that cannot be drawn.
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotReadout.h"
#include "plot/TViewNavigation.h"
#include "plot/TangentLine.h"

#include "expr/Errors.h"
#include "plot/TPlotView.h"

#include <gtest/gtest.h>

TEST(ViewNavigation, CheckViewNamesWhatTheRendererCannotDraw)
{
    struct Row
    {
        const char* Name;
        TBoundTexts Texts;
        TViewFault Expected;
    };
    const Row Rows[] = {
        {"the start view", {"-10", "10", "10", "-10"}, TViewFault::None},
        {"a mirrored view", {"10", "-10", "-10", "10"}, TViewFault::None},
        {"left equals right", {"1", "2", "1", "0"}, TViewFault::EmptyRange},
        {"top equals bottom", {"0", "2", "1", "2"}, TViewFault::EmptyRange},
        {"axis beyond 32 bits", {"1000000000", "1", "1000000001", "0"}, TViewFault::OutOfRange},
        {"scale beyond the numbers", {"0", "1", "1e-4940", "0"}, TViewFault::OutOfRange},
    };
    const TViewNavigation Navigation(u'.');
    for (const Row& r : Rows)
        EXPECT_EQ(Navigation.CheckView(r.Texts, 523, 523), r.Expected) << r.Name;
    EXPECT_THROW(Navigation.CheckView({"a", "1", "2", "0"}, 523, 523), EConvertError);
}

TEST(ViewNavigation, ZoomAndShiftKeepThePlanePointUnderThePixel)
{
    const TViewBounds Start{-10, 10, 10, -10};
    // A notch in then a notch out about the same pixel is the view again, to the last bit.
    const TViewBounds In = TViewNavigation::ZoomAbout(Start, 523, 523, QPointF(100, 300), 1);
    EXPECT_EQ(In.Right - In.Left, 16);
    const TViewBounds Back = TViewNavigation::ZoomAbout(In, 523, 523, QPointF(100, 300), -1);
    EXPECT_NEAR(double(Back.Left), -10, 1e-15);
    EXPECT_NEAR(double(Back.Top), 10, 1e-15);
    // The pixel at the margin keeps its plane point exactly: the left bound stays.
    EXPECT_EQ(TViewNavigation::ZoomAbout(Start, 523, 523, QPointF(5, 5), 3).Left, -10);
    EXPECT_EQ(TViewNavigation::ZoomAbout(Start, 523, 523, QPointF(5, 5), 3).Top, 10);
    // 51.3 pixels are a tenth of the inner width: two units of the start view.
    const TViewBounds Moved = TViewNavigation::Shift(Start, 523, 523, QPointF(51.3, -51.3));
    EXPECT_NEAR(double(Moved.Left), -12, 1e-15);
    EXPECT_NEAR(double(Moved.Bottom), -12, 1e-15);
    EXPECT_THROW(TViewNavigation::ZoomAbout({-1e4932L, 1, 1e4932L, 0}, 523, 523, QPointF(5, 5), -1),
                 EViewRangeError);
}

TEST(ViewNavigation, BoundsAreWrittenInTheFifteenDigitFormWithTheSeparator)
{
    const TViewNavigation Navigation(u',');
    const TBoundTexts t = Navigation.WriteBounds({-2.5L, 1.0L / 3, 1e-7L, 1e20L});
    EXPECT_EQ(t, (TBoundTexts{"-2,5", "0,333333333333333", "1E-7", "1E20"}));
    EXPECT_EQ(Navigation.ReadBounds(t).Left, -2.5L);
}

TEST(PlotReadout, TextsForTheSeparatorAndForTextsThatAreNotNumbers)
{
    TGraphEvaluator Evaluator(u',');
    TPlotModel Model;
    Model.LeftText = "0";
    Model.RightText = "513";
    Model.TopText = "513";
    Model.BottomText = "0";
    Model.TimeText = "0,25";
    Model.FuncList.Item(0).Func = "x/8+t";
    const TPlotReadout Readout(Model, Evaluator);
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Text,
              "x = 100    y = 500    f1(x) = 12,75    f1'(x) = 0,125");
    // Graphs not yet shown (no Enter since start): the value, but no marker on a curve not drawn.
    EXPECT_FALSE(Readout.At(QPoint(105, 18), 523, 523, 0).Marker);
    Model.GraphsEnabled = true;
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Marker, QPoint(105, 505));
    // The tangent through the graph's point, a pixel per unit both ways: 1/8 row up per column.
    const std::optional<QLineF> Tangent = Readout.At(QPoint(105, 18), 523, 523, 0).Tangent;
    ASSERT_TRUE(Tangent);
    EXPECT_NEAR(Tangent->p1().x(), -1, 1e-9);
    EXPECT_NEAR(Tangent->p1().y(), 505.25 + 106.0 / 8, 1e-9);
    EXPECT_NEAR(Tangent->p2().x(), 524, 1e-9);
    // Where the slope is undefined the status says why, and no tangent is drawn.
    Model.FuncList.Item(0).Func = "Sqrt(x-100)";
    const TReadout AtCusp = Readout.At(QPoint(105, 18), 523, 523, 0);
    EXPECT_EQ(AtCusp.Text, "x = 100    y = 500    f1(x) = 0    f1'(x): Floating point division by zero");
    EXPECT_FALSE(AtCusp.Tangent);
    Model.FuncList.Item(0).Func = "x/8+t";
    // The second graph does not exist: the point alone.
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 1).Text, "x = 100    y = 500");

    Model.TimeText = "soon";
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Text,
              "x = 100    y = 500    f1(x): 'soon' is not a valid floating point value");
    Model.FuncList.Item(0).Func = "Sin(x";
    Model.TimeText = "0";
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Text,
              "x = 100    y = 500    f1(x): Parse error: ')' to close function's parameters expected");
    Model.LeftText = "left";
    const TReadout r = Readout.At(QPoint(105, 18), 523, 523, 0);
    EXPECT_EQ(r.Text, "'left' is not a valid floating point value");
    EXPECT_FALSE(r.Marker);
}

// The part of a line through a point that crosses a 100 x 50 picture (with a pixel to spare on
// every side), for slopes flat, steep, beyond any size and not finite.
TEST(TangentLine, IsClippedToThePicture)
{
    struct Row
    {
        const char* Case;
        QPointF Through;
        Float80 Slope;
        std::optional<QLineF> Expected;
    };
    const Row Rows[] = {
        {"flat", {50, 20}, 0, QLineF(-1, 20, 101, 20)},
        {"falling to the right", {50, 20}, 0.5L, QLineF(8, -1, 101, 45.5)},
        {"a huge slope is vertical", {50, 20}, 1e300L, QLineF(50, -1, 50, 51)},
        {"a slope beyond double", {50, 20}, -1e4000L, QLineF(50, 51, 50, -1)},
        {"missing the picture", {50, 200}, 0, std::nullopt},
        {"not finite", {50, 20}, std::numeric_limits<Float80>::infinity(), std::nullopt},
    };
    for (const Row& R : Rows)
    {
        SCOPED_TRACE(R.Case);
        const std::optional<QLineF> Got = TangentLine(R.Through, R.Slope, 100, 50);
        ASSERT_EQ(Got.has_value(), R.Expected.has_value());
        if (!Got)
            continue;
        for (auto [a, b] : {std::pair{Got->p1(), R.Expected->p1()}, std::pair{Got->p2(), R.Expected->p2()}})
        {
            EXPECT_NEAR(a.x(), b.x(), 1e-9);
            EXPECT_NEAR(a.y(), b.y(), 1e-9);
        }
    }
}
