// The curve rasteriser against QPainter: every polyline it accepts must set exactly the
// pixels QPainter::drawPolyline sets with the same pen, and what it refuses it must leave
// untouched. Then whole scenes, whose curves go through it, against the QPainter-only paint.
#include "PlotTestSupport.h"

#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TGPPen.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using PlotTest::FirstDifference;

std::string Describe(const std::vector<QPoint>& Points, int Width, int Style)
{
    std::ostringstream Out;
    Out << "width " << Width << " style " << Style << ":";
    for (const QPoint& p : Points)
        Out << ' ' << p.x() << ',' << p.y();
    return Out.str();
}

// Draws Points both ways on a white image; returns whether the rasteriser took it.
bool Compare(const std::vector<QPoint>& Points, int PenWidth, int Style, int ImageWidth, int ImageHeight,
             QImage::Format Format = QImage::Format_RGB32)
{
    TGPPen Pen(0xFF000000u | (uint32_t(PenWidth * 37 + Style * 91) & 0xFFFFFF), float(PenWidth));
    Pen.SetDashStyle(Style);
    QImage Expected(ImageWidth, ImageHeight, Format), Got(ImageWidth, ImageHeight, Format);
    Expected.fill(Qt::white);
    Got.fill(Qt::white);
    {
        QPainter Painter(&Expected);
        Painter.setPen(Pen.Pen());
        Painter.drawPolyline(Points.data(), int(Points.size()));
    }
    TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Got.bits()), Got.bytesPerLine() / 4, ImageWidth,
                            ImageHeight);
    const bool Taken = Raster.DrawPolyline(Pen.Pen(), Points.data(), int(Points.size()));
    if (!Taken)
    {
        QImage White(ImageWidth, ImageHeight, Format);
        White.fill(Qt::white);
        EXPECT_TRUE(Got == White) << Describe(Points, PenWidth, Style) << " refused but drawn";
    }
    else
        EXPECT_TRUE(Expected == Got) << Describe(Points, PenWidth, Style) << " first difference at "
                                     << FirstDifference(Expected, Got);
    return Taken;
}

// A curve's polyline: one point per column, rows drawn from Shape.
std::vector<QPoint> CurvePolyline(std::mt19937& Random, int Left, int Count, int Height, int Shape)
{
    std::vector<QPoint> Points;
    int y = int(Random() % unsigned(Height));
    for (int i = 0; i < Count; ++i)
    {
        Points.emplace_back(Left + i, y);
        switch (Shape)
        {
        case 0: // gentle
            y += int(Random() % 7) - 3;
            break;
        case 1: // steep
            y += int(Random() % 61) - 30;
            break;
        case 2: // jumping far off the image and back, as clamped rows do
            y = Random() % 4 == 0 ? (Random() % 2 ? -10000 : 10000) : int(Random() % unsigned(Height));
            break;
        default: // anywhere within three image heights
            y = int(Random() % unsigned(3 * Height)) - Height;
            break;
        }
    }
    return Points;
}
} // namespace

TEST(CurveRaster, RandomCurvesOfEveryStyleAndWidthMatchQPainter)
{
    std::mt19937 Random(1234);
    int Taken = 0, Total = 0;
    for (int Style = 0; Style < 5; ++Style)
        for (int PenWidth = 1; PenWidth <= 10; ++PenWidth)
            for (int i = 0; i < 60; ++i)
            {
                const int W = 40 + int(Random() % 80), H = 30 + int(Random() % 80);
                const int Shape = i % 4;
                const std::vector<QPoint> Points =
                    CurvePolyline(Random, 12 + int(Random() % 6), 2 + int(Random() % 20), H, Shape);
                Taken += Compare(Points, PenWidth, Style, W, H);
                ++Total;
            }
    // Width 1 is QPainter's alone; nearly every wider curve must take the fast path.
    EXPECT_GT(Taken, Total * 8 / 10);
}

TEST(CurveRaster, PeaksTiesAndRunsMatchQPainter)
{
    // Symmetric peaks put the miter exactly at its limit; flat runs put dash ends exactly on
    // points; a single segment, and long runs across the whole image.
    struct Row
    {
        const char* Name;
        std::vector<QPoint> Points;
    };
    std::vector<Row> Rows = {
        {"slope 4 peak", {{20, 30}, {21, 34}, {22, 30}}},
        {"slope 4 dip", {{20, 30}, {21, 26}, {22, 30}}},
        {"flat run",
         {{10, 20}, {11, 20}, {12, 20}, {13, 20}, {14, 20}, {15, 20}, {16, 20}, {17, 20}, {18, 20}}},
        {"one segment", {{15, 5}, {16, 50}}},
        {"far off both ways", {{15, -10000}, {16, 30}, {17, 10000}, {18, 12}}},
        {"zigzag", {{12, 10}, {13, 50}, {14, 10}, {15, 50}, {16, 10}, {17, 50}}},
    };
    std::vector<QPoint> Long;
    for (int x = 10; x < 190; ++x)
        Long.emplace_back(x, 40 + int(30 * std::sin(x * 0.07)));
    Rows.push_back({"sine across the image", Long});
    for (const Row& r : Rows)
        for (int Style = 0; Style < 5; ++Style)
            for (int PenWidth : {2, 3, 4, 7})
                EXPECT_TRUE(Compare(r.Points, PenWidth, Style, 200, 80)) << r.Name;
}

TEST(CurveRaster, RefusesWhatItCannotReproduceWithoutTouchingThePicture)
{
    struct Row
    {
        const char* Name;
        std::vector<QPoint> Points;
        int Width;
    };
    const Row Rows[] = {
        {"hairline", {{10, 10}, {11, 20}}, 1},
        {"reaching past the left border", {{0, 10}, {1, 20}}, 3},
        {"past the right border", {{37, 10}, {38, 20}, {39, 5}}, 3},
        {"beyond the coordinate range", {{10, 10}, {11, 200000}}, 3},
    };
    for (const Row& r : Rows)
    {
        QImage Image(40, 30, QImage::Format_RGB32);
        Image.fill(Qt::white);
        const QImage Before = Image.copy();
        TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Image.bits()), Image.bytesPerLine() / 4, 40, 30);
        TGPPen Pen(0xFF102030u, float(r.Width));
        EXPECT_FALSE(Raster.DrawPolyline(Pen.Pen(), r.Points.data(), int(r.Points.size()))) << r.Name;
        EXPECT_TRUE(Image == Before) << r.Name;
    }
}

namespace
{
QImage PaintScene(TPlotModel Model, int Width, int Height, bool AllowRaster, int ArrowSize)
{
    QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    Image.fill(qRgb(255, 0, 255));
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, AllowRaster);
    try
    {
        Renderer.DrawPlot(Canvas, Width, Height, 5, ArrowSize, nullptr);
    }
    catch (const Exception&)
    {
    }
    return Image;
}
} // namespace

TEST(CurveRaster, GeneratedScenesWithWideCurvesLookTheSameOnBothPaths)
{
    PlotTest::TSceneGenerator Scenes(99);
    auto Pick = [&](int n) { return Scenes.Pick(n); };
    for (int Scene = 0; Scene < 40; ++Scene)
    {
        const TPlotModel Model = Scenes.Scene();
        const int Width = 60 + Pick(300), Height = 60 + Pick(200), ArrowSize = 2 + Pick(4);
        const QImage Painted = PaintScene(Model, Width, Height, false, ArrowSize);
        const QImage Raster = PaintScene(Model, Width, Height, true, ArrowSize);
        EXPECT_TRUE(Painted == Raster)
            << "scene " << Scene << " first difference at " << FirstDifference(Painted, Raster);
    }
}
