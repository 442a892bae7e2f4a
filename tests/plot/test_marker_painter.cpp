// Data markers: the exact pixels of each shape, the clipping at the image's edges (the image
// path against QPainter's on the same canvas), and the device positions through the view.
#include "plot/TCanvas.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPlotView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
constexpr TColor Red = 0x0000FF;

// A white picture with markers drawn on its canvas, through the image memory or QPainter.
QImage Drawn(int Width, int Height, const TMarkerPainter& Markers, const std::vector<QPoint>& At,
             bool AllowRaster = true)
{
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, AllowRaster);
    Markers.DrawMarkers(Canvas, At);
    return Image;
}

// The picture as rows of '#' (the marker's colour) and '.' (white).
std::vector<std::string> Rows(const QImage& Image)
{
    std::vector<std::string> Out;
    for (int y = 0; y < Image.height(); ++y)
    {
        std::string Row;
        for (int x = 0; x < Image.width(); ++x)
            Row += Image.pixel(x, y) == ColorToArgb(Red) ? '#' : Image.pixel(x, y) == 0xFFFFFFFFu ? '.' : '?';
        Out.push_back(Row);
    }
    return Out;
}

TEST(MarkerPainter, EachShapeSetsItsPixels)
{
    const struct
    {
        TMarkerShape Shape;
        int Size;
        std::vector<std::string> Expected;
    } Cases[] = {
        {TMarkerShape::Dot, 5, {".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}},
        {TMarkerShape::Circle,
         5,
         {".......", "..###..", ".#...#.", ".#...#.", ".#...#.", "..###..", "......."}},
        {TMarkerShape::Square,
         4,
         {".......", ".#####.", ".#...#.", ".#...#.", ".#...#.", ".#####.", "......."}},
        {TMarkerShape::Cross,
         5,
         {".......", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "......."}},
        {TMarkerShape::Plus,
         5,
         {".......", "...#...", "...#...", ".#####.", "...#...", "...#...", "......."}},
        {TMarkerShape::Dot, 1, {"...", ".#.", "..."}},
    };
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(int(Case.Shape) * 100 + Case.Size);
        const int n = int(Case.Expected.size());
        const int Centre = n / 2;
        EXPECT_EQ(Rows(Drawn(n, n, TMarkerPainter(Case.Shape, Case.Size, Red), {{Centre, Centre}})),
                  Case.Expected);
    }
}

TEST(MarkerPainter, ClipsAtTheEdgesAsQPainterDoes)
{
    // Markers across every edge and corner, inside, and far outside.
    std::vector<QPoint> At = {{0, 0},   {39, 0},  {0, 29},  {39, 29},     {-3, 10},         {42, 10},
                              {20, -3}, {20, 32}, {-4, -4}, {-100000, 5}, {100000, 100000}, {20, 15}};
    std::mt19937 Random(7);
    for (int i = 0; i < 200; ++i)
        At.emplace_back(int(Random() % 60) - 10, int(Random() % 50) - 10);
    for (TMarkerShape Shape : {TMarkerShape::Dot, TMarkerShape::Circle, TMarkerShape::Square,
                               TMarkerShape::Cross, TMarkerShape::Plus})
    {
        SCOPED_TRACE(int(Shape));
        const TMarkerPainter Markers(Shape, 9, Red);
        const QImage Fast = Drawn(40, 30, Markers, At);
        EXPECT_EQ(Fast, Drawn(40, 30, Markers, At, false));
        EXPECT_NE(Fast.pixel(0, 0), 0xFFFFFFFFu);
    }
}

TEST(MarkerPainter, PositionsFollowTheViewAndRoundLikeCurves)
{
    TPlotView View;
    View.Margin = 5;
    View.OriginX = 50;
    View.ScaleX = 2;
    View.Top = 10;
    View.ScaleY = 4; // OriginY = 5 + 40
    const std::vector<TDataPoint> Points = {{0, 0}, {1.25L, 0.375L}, {-0.75L, -2.5L}, {1e30L, -1e30L}};
    const std::vector<QPoint> At = TMarkerPainter::Positions(Points, View);
    // 50 + 2.5 rounds to 52 and 45 - 1.5 to 44 (ties to even); far points stop at the limit.
    EXPECT_EQ(At, (std::vector<QPoint>{{50, 45}, {52, 44}, {48, 55}, {100000, 100000}}));

    View.LogY = true;
    View.LogTop = 1; // y = 10 at the top margin, one decade per 4 pixels
    View.InnerHeight = 100;
    const std::vector<QPoint> Log = TMarkerPainter::Positions(Points, View);
    ASSERT_EQ(Log.size(), 1u); // 0 and below cannot be shown
    EXPECT_EQ(Log[0], QPoint(52, 5 + int(std::nearbyint((1 - std::log10(0.375)) * 4))));
}

TEST(MarkerPainter, JoinsThePointsInTheirOrder)
{
    QImage Image(30, 30, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        const std::vector<QPoint> At = {{2, 2}, {20, 2}, {20, 20}};
        TMarkerPainter::DrawJoin(Painter, At, QPen(QColor(Qt::black), 1));
        TMarkerPainter::DrawJoin(Painter, std::span(At).first(1),
                                 QPen(QColor(Qt::black), 1)); // one point: no line
    }
    EXPECT_EQ(Image.pixel(11, 2), qRgb(0, 0, 0));
    EXPECT_EQ(Image.pixel(20, 11), qRgb(0, 0, 0));
    EXPECT_EQ(Image.pixel(11, 11), qRgb(255, 255, 255)); // not the diagonal back to the start
}
} // namespace
