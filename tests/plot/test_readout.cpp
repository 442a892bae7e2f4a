// The arithmetic of the wheel and touchpad steps and the readout's texts where the window
// tests do not reach: a comma separator, texts that are not numbers, views that cannot be drawn.
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotReadout.h"
#include "plot/TViewNavigation.h"

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
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Text, "x = 100    y = 500    f1(x) = 12,75");
    // Graphs not yet shown (no Enter since start): the value, but no marker on a curve not drawn.
    EXPECT_FALSE(Readout.At(QPoint(105, 18), 523, 523, 0).Marker);
    Model.GraphsEnabled = true;
    EXPECT_EQ(Readout.At(QPoint(105, 18), 523, 523, 0).Marker, QPoint(105, 505));
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
