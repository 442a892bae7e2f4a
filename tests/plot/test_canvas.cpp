// The canvas layer: exact pixels of MoveTo/LineTo (end point excluded, dash patterns
// counted from the start of each line), rectangle fills and text placement.
#include "plot/TCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace
{
using TPixels = std::set<std::pair<int, int>>;

// The black pixels of a white Width x Height picture after Draw has run on its canvas.
template <typename F> TPixels BlackPixels(int Width, int Height, F Draw)
{
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        Draw(Canvas);
    }
    TPixels Out;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (Image.pixel(x, y) == qRgb(0, 0, 0))
                Out.insert({x, y});
    return Out;
}

TPixels Line(int X0, int Y0, int X1, int Y1, TPenStyle Style = TPenStyle::Solid)
{
    return BlackPixels(40, 40,
                       [&](TCanvas& c)
                       {
                           c.SetPenStyle(Style);
                           c.MoveTo(X0, Y0);
                           c.LineTo(X1, Y1);
                       });
}
} // namespace

TEST(Canvas, LineToStopsBeforeItsEndPoint)
{
    struct Row
    {
        const char* Name;
        int X0, Y0, X1, Y1;
        TPixels Expected;
    };
    const Row Rows[] = {
        {"horizontal, left to right", 2, 5, 6, 5, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {"horizontal, right to left", 6, 5, 2, 5, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {"vertical, downwards", 3, 1, 3, 4, {{3, 1}, {3, 2}, {3, 3}}},
        {"vertical, upwards", 3, 4, 3, 1, {{3, 4}, {3, 3}, {3, 2}}},
        {"diagonal", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
        {"one step", 7, 7, 8, 7, {{7, 7}}},
        {"zero length draws nothing", 7, 7, 7, 7, {}},
        // The shape of the arrow heads: three columns per row.
        {"slope one third",
         12,
         10,
         3,
         7,
         {{12, 10}, {11, 10}, {10, 9}, {9, 9}, {8, 9}, {7, 8}, {6, 8}, {5, 8}, {4, 7}}},
    };
    for (const Row& r : Rows)
        EXPECT_EQ(Line(r.X0, r.Y0, r.X1, r.Y1), r.Expected) << r.Name;
}

TEST(Canvas, LineToContinuesFromTheLastPointWithoutPaintingItTwiceOrLosingIt)
{
    const TPixels Got = BlackPixels(10, 10,
                                    [](TCanvas& c)
                                    {
                                        c.MoveTo(1, 1);
                                        c.LineTo(4, 1);
                                        c.LineTo(4, 3);
                                    });
    EXPECT_EQ(Got, (TPixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
}

TEST(Canvas, DashAndDotPatternsRestartAtEveryLine)
{
    auto Columns = [](const TPixels& Pixels)
    {
        std::set<int> Out;
        for (auto [x, y] : Pixels)
            Out.insert(x);
        return Out;
    };
    std::set<int> Dashed, Dotted;
    for (int x = 0; x < 38; ++x)
    {
        if (x % 24 < 18)
            Dashed.insert(x);
        if (x % 6 < 3)
            Dotted.insert(x);
    }
    EXPECT_EQ(Columns(Line(0, 0, 38, 0, TPenStyle::Dash)), Dashed);
    EXPECT_EQ(Columns(Line(0, 0, 38, 0, TPenStyle::Dot)), Dotted);

    // Two lines of 4 pixels each: dotted, each starts with 3 on.
    const TPixels TwoLines = BlackPixels(10, 3,
                                         [](TCanvas& c)
                                         {
                                             c.SetPenStyle(TPenStyle::Dot);
                                             c.MoveTo(0, 1);
                                             c.LineTo(4, 1);
                                             c.LineTo(8, 1);
                                         });
    EXPECT_EQ(Columns(TwoLines), (std::set<int>{0, 1, 2, 4, 5, 6}));
}

TEST(Canvas, LinesFarOutsideTheDeviceAreClippedAndFinish)
{
    const TPixels Vertical = Line(5, -2000000000, 5, 2000000000);
    EXPECT_EQ(Vertical.size(), 40u);
    // The pattern phase is still counted from the line's start, far above the device.
    const TPixels Dotted = Line(5, -600, 5, 40, TPenStyle::Dot);
    EXPECT_TRUE(Dotted.count({5, 0}));  // step 600: 600 % 6 == 0, on
    EXPECT_FALSE(Dotted.count({5, 3})); // step 603, off
    EXPECT_TRUE(Line(-100, 20, 100, 20).count({39, 20}));
    EXPECT_TRUE(Line(10, 60, 10, 70).empty());
}

TEST(Canvas, FillRectCoversRightAndBottomExclusive)
{
    const TPixels Got = BlackPixels(10, 10,
                                    [](TCanvas& c)
                                    {
                                        c.SetBrushColor(clBlack);
                                        c.FillRect(2, 3, 5, 5);
                                    });
    EXPECT_EQ(Got, (TPixels{{2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}));
}

TEST(Canvas, TextOutPlacesTheTextBelowAndRightOfItsCorner)
{
    const TPixels Text = BlackPixels(60, 40, [](TCanvas& c) { c.TextOut(20, 15, QStringLiteral("8E")); });
    ASSERT_FALSE(Text.empty());
    int MinX = 1000, MinY = 1000;
    for (auto [x, y] : Text)
    {
        MinX = std::min(MinX, x);
        MinY = std::min(MinY, y);
    }
    EXPECT_GE(MinX, 20);
    EXPECT_GE(MinY, 15);
    // The glyphs start near the corner, not somewhere further down.
    EXPECT_LE(MinX, 22);
    EXPECT_LE(MinY, 19);
}

TEST(Canvas, AnOffsetPainterStillGetsEveryVisiblePixel)
{
    QImage Image(20, 4, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        Painter.translate(-30, 0); // as a printer's printable area may be placed
        TCanvas Canvas(Painter);
        Canvas.MoveTo(0, 1);
        Canvas.LineTo(100, 1);
    }
    for (int x = 0; x < 20; ++x)
        ASSERT_EQ(Image.pixel(x, 1), qRgb(0, 0, 0)) << x;
}

// A number text cut to the canvas's capacity leaves the same pixels as the whole text,
// wherever it starts: before the left edge, inside, near and past the right edge.
TEST(Canvas, ANumberCutToItsCapacityDrawsTheSamePixels)
{
    const QString Whole = QStringLiteral("-98765432109876543210987654321098765432109876543210.25,11");
    for (int Width : {1, 7, 33, 120})
        for (int X : {-200, -9, 0, 3, Width / 2, Width - 4, Width - 1, Width, Width + 5})
        {
            const auto Draw = [&](bool Cut)
            {
                return BlackPixels(Width, 20,
                                   [&](TCanvas& c)
                                   {
                                       const QString Text =
                                           Cut ? Whole.left(qsizetype(c.NumberTextCapacity(X))) : Whole;
                                       c.TextOut(X, 2, Text);
                                   });
            };
            EXPECT_EQ(Draw(true), Draw(false)) << "width " << Width << ", x " << X;
        }
}

// A wider pen thickens a line across its direction only, centred as a wide pen is (width 2:
// the walked pixel and the one before it), and stretches the dash pattern by the width. The
// painter path (with clipping to the device) sets the same pixels as the raster path.
TEST(Canvas, WidePensThickenAcrossTheLineAndStretchTheirPattern)
{
    struct Row
    {
        const char* Name;
        int Width;
        TPenStyle Style;
        int X0, Y0, X1, Y1;
        TPixels Expected;
    };
    const Row Rows[] = {
        {"horizontal, width 2",
         2,
         TPenStyle::Solid,
         2,
         5,
         5,
         5,
         {{2, 4}, {3, 4}, {4, 4}, {2, 5}, {3, 5}, {4, 5}}},
        {"vertical, width 3",
         3,
         TPenStyle::Solid,
         3,
         1,
         3,
         3,
         {{2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {4, 2}}},
        {"diagonal, width 2: two rows per column",
         2,
         TPenStyle::Solid,
         1,
         1,
         3,
         3,
         {{1, 0}, {1, 1}, {2, 1}, {2, 2}}},
        {"on the top edge, only the visible row", 2, TPenStyle::Solid, 1, 0, 3, 0, {{1, 0}, {2, 0}}},
        {"just above the device: nothing", 2, TPenStyle::Solid, 1, -1, 3, -1, {}},
        {"dotted, width 2: 6 on, 6 off", 2, TPenStyle::Dot, 0, 1, 14, 1,
         []
         {
             TPixels p;
             for (int x : {0, 1, 2, 3, 4, 5, 12, 13})
                 p.insert({x, 0}), p.insert({x, 1});
             return p;
         }()},
    };
    for (bool Raster : {true, false})
        for (const Row& r : Rows)
        {
            QImage Image(16, 8, QImage::Format_RGB32);
            Image.fill(Qt::white);
            {
                QPainter Painter(&Image);
                TCanvas Canvas(Painter, Raster);
                Canvas.SetPenWidth(r.Width);
                Canvas.SetPenStyle(r.Style);
                Canvas.MoveTo(r.X0, r.Y0);
                Canvas.LineTo(r.X1, r.Y1);
            }
            TPixels Got;
            for (int y = 0; y < Image.height(); ++y)
                for (int x = 0; x < Image.width(); ++x)
                    if (Image.pixel(x, y) == qRgb(0, 0, 0))
                        Got.insert({x, y});
            EXPECT_EQ(Got, r.Expected) << r.Name << (Raster ? " (raster)" : " (painter)");
        }
}
