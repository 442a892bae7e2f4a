// The picture on a device of more than one pixel per logical pixel: the same picture drawn
// finer, with every pixel measure scaled; at scale 1 exactly the ordinary picture.
#include "plot/TPlotTarget.h"
#include "test_renderer_support.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <climits>

using namespace RenderTest;

namespace
{
// Draws Scene's model as the screen would at Scale, on a picture of 410 x 410 logical pixels.
QImage DrawAt(TScene& Scene, double Scale, int Logical = 410)
{
    QImage Image(DeviceSize(QSize(Logical, Logical), Scale), QImage::Format_RGB32);
    Image.fill(qRgb(255, 0, 255));
    QPainter Painter(&Image);
    TPlotRenderer Renderer(Scene.Model, Scene.Evaluator, u'.');
    DrawPlotOn(Painter, Renderer, TPlotTarget::Screen(Image.size(), Scale, clWhite, QGuiApplication::font()),
               [&](const Exception& Error) { Scene.Reports.push_back(Error.Message()); });
    return Image;
}

// The height of the ink of everything but white, silver and black in a region: the numbers.
int InkHeight(const QImage& Image, QRect Region)
{
    int Top = INT_MAX, Bottom = INT_MIN;
    for (int y = Region.top(); y <= Region.bottom(); ++y)
        for (int x = Region.left(); x <= Region.right(); ++x)
            if (Image.pixel(x, y) != White && Image.pixel(x, y) != Silver)
                Top = std::min(Top, y), Bottom = std::max(Bottom, y);
    return Bottom >= Top ? Bottom - Top + 1 : 0;
}
} // namespace

TEST(RendererScale, AtScaleOneTheHelperDrawsTheOrdinaryPicture)
{
    TScene Scene;
    Scene.Model.FuncList.Assign({TFunc(QStringLiteral("Sin(x)*4"))});
    Scene.Model.FuncList.Item(0).Style = 1;
    Scene.Model.GraphsEnabled = true;
    Scene.Model.FilledGraphs = true;
    QImage Direct(410, 410, QImage::Format_RGB32);
    Direct.fill(qRgb(255, 0, 255));
    {
        QPainter Painter(&Direct);
        TCanvas Canvas(Painter);
        Canvas.SetBrushColor(clWhite);
        Canvas.SetFont(QGuiApplication::font());
        TPlotRenderer Renderer(Scene.Model, Scene.Evaluator, u'.');
        Renderer.DrawPlot(Canvas, 410, 410, 5, 3, nullptr);
    }
    EXPECT_EQ(DrawAt(Scene, 1), Direct);
}

// At scale 2 the start view on 410 x 410 logical pixels is 820 x 820 device pixels with margin
// 10: grid lines every 40 columns from 10, two pixels thick; axes at 410; a red curve "0" six
// rows thick around the x axis, as the three rows lie around it at scale 1; arrow heads of
// half-width 6; the numbers twice as tall.
TEST(RendererScale, AtScaleTwoEveryPixelMeasureDoubles)
{
    TScene Scene;
    Scene.Model.FuncList.Assign({TFunc(QStringLiteral("0"))});
    Scene.Model.FuncList.Item(0).Color = RedColor;
    Scene.Model.GraphsEnabled = true;
    const QImage One = DrawAt(Scene, 1);
    const QImage Two = DrawAt(Scene, 2);
    ASSERT_EQ(Two.size(), QSize(820, 820));
    ASSERT_TRUE(Scene.Reports.empty());
    struct Row
    {
        const char* Name;
        int X, Y;
        QRgb Expected;
    };
    const Row Rows[] = {
        {"first grid line, left of its column", 9, 100, Silver},
        {"first grid line, its column", 10, 100, Silver},
        {"left of the first grid line: margin", 8, 100, White},
        {"right of the first grid line", 11, 100, White},
        {"second grid line", 49, 100, Silver},
        {"y axis", 409, 100, Black},
        {"y axis, second column", 410, 100, Black},
        {"right of the y axis", 411, 100, White},
        {"curve, top row", 100, 407, Red},
        {"curve, bottom row", 100, 412, Red},
        {"above the curve", 100, 406, White},
        {"below the curve", 100, 413, White},
        {"x arrow head, lower line near its end", 795, 415, Black},
        {"y arrow head, left line near its end", 405, 25, Black},
        {"right margin", 812, 100, White},
    };
    for (const Row& r : Rows)
        EXPECT_EQ(Two.pixel(r.X, r.Y), r.Expected) << r.Name;
    // The same curve at scale 1: three rows around the axis row 205.
    EXPECT_EQ(One.pixel(50, 204), Red);
    EXPECT_EQ(One.pixel(50, 206), Red);
    EXPECT_NE(One.pixel(50, 203), Red);

    // Number "1" (x = 1) below the axis: at column 10 + 11 * 40 + 6, row 410 + 2.
    const int Small = InkHeight(One, QRect(228, 207, 12, 20));
    const int Large = InkHeight(Two, QRect(456, 413, 24, 40));
    ASSERT_GT(Small, 3);
    EXPECT_NEAR(Large, 2 * Small, 2);
}

// One evaluation per device column: at scale 2 both scales are 40 device pixels per unit, so
// the fill of x rises one device row per device column; evaluated only once per logical
// column, it would rise in steps of two.
TEST(RendererScale, AtScaleTwoEveryDeviceColumnIsEvaluated)
{
    TScene Scene;
    Scene.Model.FuncList.Assign({TFunc(QStringLiteral("x"))});
    Scene.Model.FuncList.Item(0).BGColor = RedColor;
    Scene.Model.GraphsEnabled = true;
    Scene.Model.FilledGraphs = true;
    Scene.Model.View.Grid = false;
    Scene.Model.View.Numbers = false;
    const QImage Two = DrawAt(Scene, 2);
    int Previous = -1;
    for (int x = 600; x < 620; ++x)
    {
        int Top = 0;
        while (Top < 410 && Two.pixel(x, Top) != Red)
            ++Top;
        if (Previous >= 0)
        {
            EXPECT_EQ(Top, Previous - 1) << x;
        }
        Previous = Top;
    }
}
