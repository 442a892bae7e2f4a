// Corners looked up against corners computed: the stroker with its table must give the very
// outline (and so the very edges) it gives without, for every corner the table holds, at
// places across the whole coordinate range, and for whole curves of every style.
#include "PlotTestSupport.h"

#include "plot/TCurveJoinTable.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TCurveStroker.h"
#include "plot/TGPPen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string Describe(const std::vector<QPointF>& Points)
{
    std::ostringstream Out;
    for (const QPointF& p : Points)
        Out << ' ' << p.x() << ',' << p.y();
    return Out.str();
}

struct TStrokePair
{
    TCurveStroker Table;
    TCurveStroker Reference;

    TStrokePair() { Reference.UseJoinTable(false); }

    // Both outlines of Points; false (with a message) where they differ.
    ::testing::AssertionResult Same(const std::vector<QPointF>& Points, double Width, double MiterLimit)
    {
        Table.Begin(Width, MiterLimit);
        Reference.Begin(Width, MiterLimit);
        Table.Stroke(Points.data(), Points.size(), false);
        Reference.Stroke(Points.data(), Points.size(), false);
        Table.Close();
        Reference.Close();
        if (Table.Outline() == Reference.Outline() && Table.ContourEnds() == Reference.ContourEnds())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "width " << Width << " miter limit " << MiterLimit << ":" << Describe(Points);
    }
};
} // namespace

// Every corner of the table, between a line that continues lines before it (so the corners
// before were passed over) and one continued after it, then turning back to the first rise,
// at places near the clearance, near the range's ends and far between, for the curve pens
// and wider or fractional ones.
TEST(CurveJoinTable, EveryCornerIsTheComputedOneAtEveryPlace)
{
    struct TPen
    {
        double Width;
        double MiterLimit;
    };
    const TPen Pens[] = {{3, 2}, {6, 2}, {2.5, 2}, {3, 1}, {17, 4.5}};
    const QPointF Places[] = {{26, 150},     {26, -150},   {150, 25},      {-15870, -15870}, {15870, 15870},
                              {8192, -8192}, {4097, 1023}, {12345, -9999}, {130, 60},        {3001, 9000}};
    const int Reach = TCurveJoinTable::Reach;
    TStrokePair Pair;
    for (const TPen& Pen : Pens)
        for (const QPointF& Place : Places)
            for (int In = -Reach; In <= Reach; ++In)
                for (int Out = -Reach; Out <= Reach; ++Out)
                {
                    // Long enough for the stroker to look corners up at all.
                    const std::vector<QPointF> Points = {Place - QPointF(4, 4 * In),
                                                         Place - QPointF(3, 3 * In),
                                                         Place - QPointF(2, 2 * In),
                                                         Place - QPointF(1, In),
                                                         Place,
                                                         Place + QPointF(1, Out),
                                                         Place + QPointF(2, 2 * Out),
                                                         Place + QPointF(3, 2 * Out + In)};
                    ASSERT_TRUE(Pair.Same(Points, Pen.Width, Pen.MiterLimit));
                }
}

// Whole curves through the rasteriser: its edges with the table and without, for every style.
TEST(CurveJoinTable, CurvesOfEveryStyleGiveTheComputedEdges)
{
    struct TShape
    {
        const char* Name;
        int Rise;        // largest step between columns
        bool Zigzag;     // every other step turned back
        int Top, Bottom; // rows the curve keeps within
    };
    const TShape Shapes[] = {
        {"gentle", 3, false, 100, 2000},
        {"steep, within the table", 63, false, 100, 2000},
        {"steep, past the table", 400, false, 100, 2000},
        {"zigzag", 40, true, 100, 2000},
        {"across the clearance", 30, false, -60, 60},
        {"at the range's end", 20, false, 15800, 16000},
        {"above the picture", 10, false, -10000, -9000},
    };
    const float Widths[] = {3, 6, 2.5f, 3.7f};
    std::mt19937 Random(1207);
    TCurveRasterizer Table(nullptr, 0, 4000, 2200), Reference(nullptr, 0, 4000, 2200);
    Reference.UseJoinTable(false);
    std::vector<TCurveRasterizer::TEdge> Got, Expected;
    for (const TShape& Shape : Shapes)
        for (int i = 0; i < 40; ++i)
        {
            const std::vector<QPoint> Points =
                PlotTest::RandomWalk(Random, {Shape.Top, Shape.Bottom - Shape.Top, 6, 30, 3990, Shape.Rise,
                                              Shape.Zigzag, Shape.Top, Shape.Bottom});
            TGPPen Pen(0xFF000000u, Widths[i % 4]);
            Pen.SetDashStyle(i % 5);
            const bool Taken = Table.Prepare(Pen.Pen(), Points.data(), int(Points.size()), Got);
            ASSERT_EQ(Taken, Reference.Prepare(Pen.Pen(), Points.data(), int(Points.size()), Expected))
                << Shape.Name << ' ' << i;
            ASSERT_EQ(Got.size(), Expected.size()) << Shape.Name << ' ' << i;
            for (size_t e = 0; e < Got.size(); ++e)
            {
                const TCurveRasterizer::TEdge &a = Got[e], &b = Expected[e];
                ASSERT_TRUE(a.X == b.X && a.Delta == b.Delta && a.Top == b.Top && a.Bottom == b.Bottom &&
                            a.Winding == b.Winding)
                    << Shape.Name << ' ' << i << " edge " << e;
            }
        }
}
