// The stroker's inline geometry against QLineF, bit for bit: the outline must hold exactly the
// doubles QPainter's raster engine computes, or single pixels drift. Then the corner test
// near its thresholds, and polylines that exercise the table, the miter cut and buffers kept
// from one polyline to the next against QPainter.
#include "PlotTestSupport.h"

#include "plot/TCurveRasterizer.h"
#include "plot/TCurveStroker.h"
#include "plot/TGPPen.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace
{
bool SameBits(double A, double B)
{
    return std::bit_cast<uint64_t>(A) == std::bit_cast<uint64_t>(B);
}

std::string Text(QPointF P)
{
    char Buffer[96];
    std::snprintf(Buffer, sizeof Buffer, "(%.17g, %.17g)", P.x(), P.y());
    return Buffer;
}

// Endpoints of the kinds the stroker meets: curve points one column apart (within and past
// the length table), dash ends anywhere on them, short pieces, far points.
struct TPointSource
{
    std::mt19937_64 Random{20261207};

    double Uniform(double Low, double High)
    {
        return std::uniform_real_distribution<double>(Low, High)(Random);
    }
    int Integer(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(Random); }

    std::pair<QPointF, QPointF> Segment()
    {
        const QPointF P1(Integer(-16000, 16000), Integer(-16000, 16000));
        switch (Integer(0, 5))
        {
        case 0: // the next column, a small rise
            return {P1, P1 + QPointF(1, Integer(-40, 40))};
        case 1: // the next column, around the table's end and far beyond
            return {P1, P1 + QPointF(Integer(0, 1) ? 1 : -1, Integer(-700, 700))};
        case 2: // a dash end on a curve segment
        {
            const QPointF P2 = P1 + QPointF(1, Integer(-100, 100));
            const double t = Uniform(0, 1);
            return {P1, QPointF(P1.x() + (P2.x() - P1.x()) * t, P1.y() + (P2.y() - P1.y()) * t)};
        }
        case 3: // anywhere
            return {QPointF(Uniform(-2e4, 2e4), Uniform(-2e4, 2e4)),
                    QPointF(Uniform(-2e4, 2e4), Uniform(-2e4, 2e4))};
        case 4: // tiny
            return {P1, P1 + QPointF(Uniform(-1e-6, 1e-6), Uniform(-1e-6, 1e-6))};
        default: // horizontal or vertical
            return Integer(0, 1) ? std::pair{P1, P1 + QPointF(Uniform(-50, 50), 0)}
                                 : std::pair{P1, P1 + QPointF(0, Uniform(-50, 50))};
        }
    }
};
} // namespace

TEST(CurveStroker, LengthAndNormalOffsetAreQLineFsBitForBit)
{
    TCurveStroker Stroker;
    TPointSource Source;
    for (int i = 0; i < 300000; ++i)
    {
        const auto [P1, P2] = Source.Segment();
        const QLineF Line(P1, P2);
        ASSERT_TRUE(SameBits(Stroker.Length(Line.dx(), Line.dy()), Line.length())) << Text(P1) << Text(P2);
        const double Distance = Source.Integer(0, 3) ? Source.Integer(2, 64) / 2.0 : Source.Uniform(0.5, 32);
        QLineF Normal = Line.normalVector();
        Normal.setLength(Distance);
        const QPointF Offset = Stroker.NormalOffset(P1, P2, Distance);
        ASSERT_TRUE(SameBits(Offset.x(), Normal.dx()) && SameBits(Offset.y(), Normal.dy()))
            << Text(P1) << Text(P2) << " distance " << Distance << ": " << Text(Offset) << " vs "
            << Text(QPointF(Normal.dx(), Normal.dy()));
    }
}

TEST(CurveStroker, IntersectionsAreQLineFsBitForBit)
{
    TPointSource Source;
    for (int i = 0; i < 300000; ++i)
    {
        auto [A1, A2] = Source.Segment();
        auto [B1, B2] = Source.Segment();
        switch (i % 4)
        {
        case 0: // consecutive offset lines of a curve, meeting near a joint
            B1 = A2 + QPointF(Source.Uniform(-2, 2), Source.Uniform(-2, 2));
            break;
        case 1: // parallel
            B2 = B1 + (A2 - A1) * Source.Uniform(-3, 3);
            break;
        default:
            break;
        }
        QPointF Expected(-1, -1), Got(-1, -1);
        const QLineF::IntersectionType Type = QLineF(A1, A2).intersects(QLineF(B1, B2), &Expected);
        const TCurveStroker::TIntersection Mine = TCurveStroker::Intersect(A1, A2, B1, B2, Got);
        const TCurveStroker::TIntersection Theirs =
            Type == QLineF::NoIntersection        ? TCurveStroker::TIntersection::None
            : Type == QLineF::BoundedIntersection ? TCurveStroker::TIntersection::Bounded
                                                  : TCurveStroker::TIntersection::Unbounded;
        ASSERT_EQ(int(Mine), int(Theirs)) << Text(A1) << Text(A2) << Text(B1) << Text(B2);
        if (Type != QLineF::NoIntersection)
        {
            ASSERT_TRUE(SameBits(Got.x(), Expected.x()) && SameBits(Got.y(), Expected.y()))
                << Text(A1) << Text(A2) << Text(B1) << Text(B2);
        }
    }
}

// The sign test must agree with QLineF's atan2 answer everywhere, above all where the two are
// closest: caps (right angles up to rounding), corners a hair from 0 and 90 degrees, and lines
// a hair off horizontal, whose angle QLineF may snap from 360 to 0.
TEST(CurveStroker, CornerTestAgreesWithQLineFNearItsThresholds)
{
    TCurveStroker Stroker;
    TPointSource Source;
    auto Check = [](QPointF Before, QPointF Joint, QPointF Next, const char* Kind)
    {
        ASSERT_EQ(TCurveStroker::InnerCorner(Before, Joint, Next),
                  TCurveStroker::InnerCornerByAngle(Before, Joint, Next))
            << Kind << ' ' << Text(Before) << Text(Joint) << Text(Next);
    };
    const double Turns[] = {0, 1e-15, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-7, 1e-6, 1e-5, 1e-3};
    for (int i = 0; i < 100000; ++i)
    {
        auto [Before, Joint] = Source.Segment();
        if (i % 3 == 0) // a hair off horizontal, either way
            Joint = Before +
                    QPointF(Source.Uniform(0.5, 50), Source.Uniform(-1, 1) * Turns[Source.Integer(0, 10)]);
        const QPointF Direction = Joint - Before;
        const double Length = std::hypot(Direction.x(), Direction.y());
        if (!(Length > 1e-3))
            continue;
        // A cap: from the end of one side across to the other, as the stroker builds it.
        const double Half = Source.Integer(2, 40) / 2.0;
        const QPointF There = Stroker.NormalOffset(Before, Joint, Half);
        const QPointF Back = Stroker.NormalOffset(Joint, Before, Half);
        Check(Before + There, Joint + There, Joint + Back, "cap");
        // Short cuts at 0, 90, 180 and 270 degrees to the line, turned a little.
        for (int Quarter = 0; Quarter < 4; ++Quarter)
        {
            const double Turn = Turns[Source.Integer(0, 10)] * (Source.Integer(0, 1) ? 1 : -1);
            const double Angle = std::atan2(Direction.y(), Direction.x()) + Quarter * M_PI / 2 + Turn;
            const double Reach = Source.Uniform(1e-3, 30);
            Check(Before, Joint, Joint + QPointF(std::cos(Angle), std::sin(Angle)) * Reach, "turned");
        }
        const auto [Next, Unused] = Source.Segment();
        Check(Before, Joint, Next, "anywhere");
    }
}

namespace
{
// Draws every polyline on one image through one rasteriser and the same ones with QPainter
// on another; the rasteriser must take each and match QPainter in every pixel.
void ExpectSameAsQPainter(const std::vector<std::vector<QPoint>>& Polylines, const std::vector<float>& Widths,
                          const std::vector<int>& Styles, int Width, int Height, const std::string& Name)
{
    QImage Expected(Width, Height, QImage::Format_RGB32), Got(Width, Height, QImage::Format_RGB32);
    Expected.fill(Qt::white);
    Got.fill(Qt::white);
    QPainter Painter(&Expected);
    TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Got.bits()), Got.bytesPerLine() / 4, Width, Height);
    for (size_t i = 0; i < Polylines.size(); ++i)
    {
        TGPPen Pen(0xFF000000u | uint32_t(0x10305 * (i + 1) & 0xFFFFFF), Widths[i % Widths.size()]);
        Pen.SetDashStyle(Styles[i % Styles.size()]);
        Painter.setPen(Pen.Pen());
        Painter.drawPolyline(Polylines[i].data(), int(Polylines[i].size()));
        EXPECT_TRUE(Raster.DrawPolyline(Pen.Pen(), Polylines[i].data(), int(Polylines[i].size())))
            << Name << " polyline " << i;
    }
    Painter.end();
    int x = -1, y = -1;
    for (int Row = 0; Row < Height && x < 0; ++Row)
        for (int Column = 0; Column < Width; ++Column)
            if (Expected.pixel(Column, Row) != Got.pixel(Column, Row))
            {
                x = Column, y = Row;
                break;
            }
    EXPECT_LT(x, 0) << Name << " first difference at " << x << "," << y;
}
} // namespace

TEST(CurveStroker, PolylinesOfOneRasteriserMatchQPainter)
{
    struct Row
    {
        const char* Name;
        std::vector<float> Widths;
        std::vector<int> Styles;
        int Rise;   // largest step between columns
        int Zigzag; // every other step turned back
    };
    const Row Rows[] = {
        {"gentle curves, every style, fractional widths", {2.5f, 3.7f, 6.25f}, {0, 1, 2, 3, 4}, 3, 0},
        {"steep curves past the length table", {3, 5}, {0, 1, 3}, 700, 0},
        {"sharp zigzags cut at the miter limit", {8, 17.5f, 30}, {0, 2, 4}, 40, 1},
        {"shallow zigzags with long miters", {12, 24}, {0, 1}, 2, 1},
    };
    std::mt19937 Random(77);
    for (const Row& r : Rows)
    {
        std::vector<std::vector<QPoint>> Polylines;
        for (int i = 0; i < 12; ++i)
            Polylines.push_back(
                PlotTest::RandomWalk(Random, {600, 200, 70, 20, 330, r.Rise, r.Zigzag != 0, 70, 1330}));
        ExpectSameAsQPainter(Polylines, r.Widths, r.Styles, 400, 1400, r.Name);
    }
}
