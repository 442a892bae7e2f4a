// The curve rasteriser on polylines of any direction, as parametric and polar curves give
// them: closed curves, cusps, spirals, curves turning back on themselves or crossing
// themselves, leaving the picture, repeating points, tiny and huge. Whatever it takes must set
// exactly QPainter's pixels for the same pen; what it refuses it must leave untouched.
#include "plot/TCurveRasterizer.h"
#include "plot/TGPPen.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using TShape = std::function<QPointF(double)>;

// The curve's points at Steps + 1 equal steps of s over [0, 1], rounded to pixels around
// Centre at Scale pixels a unit, consecutive repeats dropped, as the sampling leaves them.
std::vector<QPoint> Trace(const TShape& Shape, int Steps, QPointF Centre, double Scale)
{
    std::vector<QPoint> Points;
    for (int i = 0; i <= Steps; ++i)
    {
        const QPointF p = Shape(double(i) / Steps);
        const QPoint q(int(std::lround(Centre.x() + Scale * p.x())),
                       int(std::lround(Centre.y() - Scale * p.y())));
        if (Points.empty() || Points.back() != q)
            Points.push_back(q);
    }
    return Points;
}

std::string Describe(const std::vector<QPoint>& Points, const QPen& Pen)
{
    std::ostringstream Out;
    Out << "width " << Pen.widthF() << " style " << int(Pen.style()) << ", " << Points.size() << " points:";
    for (size_t i = 0; i < Points.size() && i < 400; ++i)
        Out << ' ' << Points[i].x() << ',' << Points[i].y();
    return Out.str();
}

struct TOutcome
{
    bool Taken = false;
    bool Same = false;
};

// Draws the polyline with QPainter and with the rasteriser, each on a white image.
TOutcome Compare(const std::vector<QPoint>& Points, const QPen& Pen, int Width, int Height)
{
    QImage Expected(Width, Height, QImage::Format_RGB32), Got(Width, Height, QImage::Format_RGB32);
    Expected.fill(Qt::white);
    Got.fill(Qt::white);
    {
        QPainter Painter(&Expected);
        Painter.setPen(Pen);
        Painter.drawPolyline(Points.data(), int(Points.size()));
    }
    TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Got.bits()), Got.bytesPerLine() / 4, Width, Height);
    TOutcome r;
    r.Taken = Raster.DrawPolyline(Pen, Points.data(), int(Points.size()));
    if (r.Taken)
        r.Same = Expected == Got;
    else
    {
        QImage White(Width, Height, QImage::Format_RGB32);
        White.fill(Qt::white);
        r.Same = Got == White;
    }
    return r;
}

QPen PenOf(double Width, int Style, uint32_t Colour)
{
    TGPPen Pen(0xFF000000u | (Colour & 0xFFFFFF), float(Width));
    Pen.SetDashStyle(Style);
    return Pen.Pen();
}

constexpr double Pi = 3.14159265358979323846;

// The curves of the table, s over [0, 1]; each about two units across.
struct TNamedShape
{
    const char* Name;
    TShape Shape;
};

std::vector<TNamedShape> Shapes(double a, double b)
{
    return {
        {"circle", [](double s) { return QPointF(std::cos(2 * Pi * s), std::sin(2 * Pi * s)); }},
        {"circle twice", [](double s) { return QPointF(std::cos(4 * Pi * s), std::sin(4 * Pi * s)); }},
        {"cardioid",
         [](double s)
         {
             const double t = 2 * Pi * s, r = (1 - std::cos(t)) * 0.7;
             return QPointF(r * std::cos(t), r * std::sin(t));
         }},
        {"spiral",
         [a](double s)
         {
             const double t = 8 * Pi * s;
             return QPointF(s * std::cos(t + a), s * std::sin(t + a));
         }},
        {"lissajous",
         [a, b](double s)
         {
             const double t = 2 * Pi * s;
             return QPointF(std::sin(3 * t + a), std::sin((2 + std::floor(b * 3)) * t));
         }},
        {"astroid (cusps)",
         [](double s)
         {
             const double t = 2 * Pi * s;
             return QPointF(std::pow(std::cos(t), 3), std::pow(std::sin(t), 3));
         }},
        {"rose",
         [a](double s)
         {
             const double t = 2 * Pi * s, r = std::cos((3 + std::floor(a)) * t);
             return QPointF(r * std::cos(t), r * std::sin(t));
         }},
        {"there and back",
         [a](double s)
         {
             const double t = s < 0.5 ? 2 * s : 2 - 2 * s;
             return QPointF(2 * t - 1, std::sin(3 * t + a) * 0.8);
         }},
        {"epicycle",
         [a](double s)
         {
             const double t = 2 * Pi * s;
             return QPointF(0.75 * std::cos(t) + 0.25 * std::cos(7 * t + a),
                            0.75 * std::sin(t) + 0.25 * std::sin(7 * t + a));
         }},
        {"figure eight",
         [](double s)
         {
             const double t = 2 * Pi * s;
             return QPointF(std::sin(t), std::sin(t) * std::cos(t));
         }},
    };
}
} // namespace

// Every shape at many sizes and places (inside, across the borders, mostly outside), with
// every dash style and pen widths of the plain paint and of --scale 1.5 and 2.
TEST(CurveRasterShapes, ParametricShapesMatchQPainter)
{
    std::mt19937 Random(2024);
    std::uniform_real_distribution<double> Unit(0, 1);
    const double Widths[] = {1.5, 2, 3, 4, 4.5, 5, 6, 7.5, 8, 10, 12};
    int Total = 0, Taken = 0, Wrong = 0;
    for (int Round = 0; Round < 14; ++Round)
        for (const TNamedShape& s : Shapes(Unit(Random) * 3, Unit(Random)))
        {
            const int W = 60 + int(Random() % 140), H = 50 + int(Random() % 120);
            const double Scale =
                (Round % 7 == 0 ? 2 : 8) + Unit(Random) * std::min(W, H) * (Round % 3 == 2 ? 1.2 : 0.45);
            const bool Inside = Round % 4 != 3;
            const QPointF Centre =
                Inside ? QPointF(W / 2.0 + (Unit(Random) - 0.5) * 8, H / 2.0 + (Unit(Random) - 0.5) * 8)
                       : QPointF(Unit(Random) * W, Unit(Random) * H);
            const int Steps = 8 + int(Random() % 300);
            const std::vector<QPoint> Points = Trace(s.Shape, Steps, Centre, Scale);
            for (int Style = 0; Style < 5; ++Style)
            {
                const QPen Pen = PenOf(Widths[Random() % std::size(Widths)], Style, uint32_t(Random()));
                const TOutcome r = Compare(Points, Pen, W, H);
                ++Total;
                Taken += r.Taken;
                if (!r.Same && ++Wrong <= 5)
                    ADD_FAILURE() << s.Name << (r.Taken ? " drawn differently, " : " refused but drawn, ")
                                  << W << "x" << H << " " << Describe(Points, Pen);
            }
        }
    EXPECT_EQ(Wrong, 0);
    std::printf("taken %d of %d\n", Taken, Total);
}

namespace
{
// A walk of Count points from a random start, each step drawn by Step.
std::vector<QPoint> Walk(std::mt19937& Random, int Count, QPoint Start,
                         const std::function<QPoint(std::mt19937&)>& Step)
{
    std::vector<QPoint> Points{Start};
    for (int i = 1; i < Count; ++i)
        Points.push_back(Points.back() + Step(Random));
    return Points;
}

int Between(std::mt19937& Random, int Low, int High)
{
    return Low + int(Random() % unsigned(High - Low + 1));
}
} // namespace

// Walks in every direction whose steps the sampling of a curve may leave: pixel steps with
// repeats and straight reversals, long straight runs, far jumps, everything inside a pixel or
// two, loops back to the start (a dash may then close on itself), points far outside.
TEST(CurveRasterShapes, WalksInEveryDirectionMatchQPainter)
{
    struct TKind
    {
        const char* Name;
        std::function<std::vector<QPoint>(std::mt19937&, int W, int H)> Make;
    };
    const TKind Kinds[] = {
        {"pixel steps",
         [](std::mt19937& r, int W, int H)
         {
             return Walk(r, Between(r, 2, 200), QPoint(Between(r, 20, W - 20), Between(r, 20, H - 20)),
                         [](std::mt19937& r) { return QPoint(Between(r, -1, 1), Between(r, -1, 1)); });
         }},
        {"steps of a few pixels",
         [](std::mt19937& r, int W, int H)
         {
             return Walk(r, Between(r, 2, 60), QPoint(Between(r, 20, W - 20), Between(r, 20, H - 20)),
                         [](std::mt19937& r) { return QPoint(Between(r, -4, 4), Between(r, -4, 4)); });
         }},
        {"straight back and forth",
         [](std::mt19937& r, int W, int H)
         {
             const QPoint A(Between(r, 20, W - 20), Between(r, 20, H - 20));
             const QPoint B = A + QPoint(Between(r, -15, 15), Between(r, -15, 15));
             std::vector<QPoint> Points;
             for (int i = Between(r, 3, 7); i > 0; --i)
                 Points.push_back(i % 2 ? A : B);
             return Points;
         }},
        {"runs and turns",
         [](std::mt19937& r, int W, int H)
         {
             QPoint Direction(1, 0);
             int Left = 0;
             return Walk(r, Between(r, 2, 80), QPoint(Between(r, 20, W - 20), Between(r, 20, H - 20)),
                         [&](std::mt19937& r)
                         {
                             if (--Left <= 0)
                                 Direction = QPoint(Between(r, -2, 2), Between(r, -2, 2)),
                                 Left = Between(r, 1, 9);
                             return Direction;
                         });
         }},
        {"within two pixels",
         [](std::mt19937& r, int W, int H)
         {
             const QPoint C(Between(r, 20, W - 20), Between(r, 20, H - 20));
             std::vector<QPoint> Points;
             for (int i = Between(r, 2, 9); i > 0; --i)
                 Points.push_back(C + QPoint(Between(r, 0, 1), Between(r, 0, 1)));
             return Points;
         }},
        {"loops back to the start",
         [](std::mt19937& r, int W, int H)
         {
             std::vector<QPoint> Points =
                 Walk(r, Between(r, 2, 6), QPoint(Between(r, 20, W - 20), Between(r, 20, H - 20)),
                      [](std::mt19937& r) { return QPoint(Between(r, -5, 5), Between(r, -5, 5)); });
             Points.push_back(Points.front());
             return Points;
         }},
        {"far jumps",
         [](std::mt19937& r, int W, int H)
         {
             return Walk(r, Between(r, 2, 12), QPoint(Between(r, 20, W - 20), Between(r, 20, H - 20)),
                         [&](std::mt19937& r) { return QPoint(Between(r, -W, W), Between(r, -H, H)); });
         }},
        {"far outside",
         [](std::mt19937& r, int W, int)
         {
             std::vector<QPoint> Points;
             for (int i = Between(r, 2, 6); i > 0; --i)
                 Points.emplace_back(Between(r, 15, W - 15), Between(r, -17000, 17000));
             return Points;
         }},
    };
    const double Widths[] = {1.5, 2, 2.25, 3, 3.75, 4, 4.5, 6, 7.5, 9, 15, 20};
    std::mt19937 Random(31);
    const int Rounds = 150;
    for (const TKind& k : Kinds)
    {
        int Total = 0, Taken = 0, Wrong = 0;
        for (int i = 0; i < Rounds; ++i)
        {
            const int W = Between(Random, 60, 200), H = Between(Random, 60, 200);
            const std::vector<QPoint> Points = k.Make(Random, W, H);
            const QPen Pen = PenOf(Widths[Random() % std::size(Widths)], i % 5, uint32_t(Random()));
            const TOutcome r = Compare(Points, Pen, W, H);
            ++Total;
            Taken += r.Taken;
            if (!r.Same && ++Wrong <= 3)
                ADD_FAILURE() << k.Name << (r.Taken ? " drawn differently, " : " refused but drawn, ") << W
                              << "x" << H << " " << Describe(Points, Pen);
        }
        EXPECT_EQ(Wrong, 0) << k.Name;
        std::printf("%s: taken %d of %d\n", k.Name, Taken, Total);
    }
}

// The cases that decide how ends and turns are drawn, each of which the rasteriser must take:
// a whole closed polyline is capped at its ends like an open one, while a dash that comes back
// to its start is joined there; a straight turn back is cut at the miter limit.
TEST(CurveRasterShapes, TurnsAndLoopsMatchQPainter)
{
    struct TRow
    {
        const char* Name;
        std::vector<QPoint> Points;
        double Width;
        int Style;
    };
    const TRow Rows[] = {
        {"closed triangle, solid", {{20, 20}, {50, 20}, {35, 50}, {20, 20}}, 6, 0},
        {"closed triangle inside one dash", {{20, 20}, {26, 20}, {23, 25}, {20, 20}}, 6, 1},
        {"closed square inside one dash-dot dash",
         {{30, 30}, {33, 30}, {33, 33}, {30, 33}, {30, 30}},
         7.5,
         3},
        {"straight there and back, solid", {{59, 66}, {60, 66}, {59, 66}}, 7.5, 0},
        {"straight there and back inside one dash", {{65, 62}, {66, 62}, {65, 62}}, 12, 1},
        {"diagonal there and back", {{40, 40}, {52, 47}, {40, 40}}, 4.5, 0},
        {"turning back twice", {{30, 40}, {60, 40}, {30, 41}, {60, 42}}, 3, 0},
        {"one point repeated", {{40, 40}, {40, 40}, {40, 40}}, 5, 0},
        {"dotted circle of eight points",
         {{50, 40}, {57, 43}, {60, 50}, {57, 57}, {50, 60}, {43, 57}, {40, 50}, {43, 43}, {50, 40}},
         2,
         2},
    };
    for (const TRow& r : Rows)
    {
        const QPen Pen = PenOf(r.Width, r.Style, 0x204060);
        const TOutcome o = Compare(r.Points, Pen, 100, 90);
        EXPECT_TRUE(o.Taken) << r.Name;
        EXPECT_TRUE(o.Same) << r.Name;
    }
}
