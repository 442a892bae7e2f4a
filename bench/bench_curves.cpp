// The cost of the wide curves alone: the polylines of scene St (see bench_paint) at
// 3840 x 2160, one per graph and motion-blur frame, outlined and filled by the curve
// rasteriser, per dash style; the outline (stroking and edges) and the filling apart, with
// the stroker's corner table and without it (every corner computed).
#include "BenchScenes.h"
#include "plot/TCurveRasterizer.h"
#include "plot/TGPPen.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr int Width = 3840, Height = 2160, Margin = 5, Frames = 5;

// The polylines of formula Index at the five frame times, as the plot places them.
std::vector<std::vector<QPoint>> Curves(int Index)
{
    std::vector<std::vector<QPoint>> Out;
    const long double ScaleX = (Width - 2 * Margin) / 20.0L, ScaleY = (Height - 2 * Margin) / 20.0L;
    for (int f = 0; f < Frames; ++f)
    {
        std::vector<QPoint> Points;
        for (int px = Margin + 1; px <= Width - Margin; ++px)
        {
            const long double v = BenchScenes::NativeS(Index, 0.1L + (px - Margin) / ScaleX) + f * 0.05L;
            const long double Row = std::clamp(std::roundl(Height / 2 - v * ScaleY), -10000.0L, 10000.0L);
            Points.emplace_back(px, int(Row));
        }
        Out.push_back(std::move(Points));
    }
    return Out;
}

void Curve(benchmark::State& State, bool Fill)
{
    const int Style = int(State.range(0));
    const bool Table = State.range(1) != 0;
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(Qt::white);
    TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Image.bits()), Image.bytesPerLine() / 4, Width,
                            Height);
    Raster.UseJoinTable(Table);
    TGPPen Pen(0xFF204080u, 3);
    Pen.SetDashStyle(Style);
    std::vector<std::vector<QPoint>> All;
    for (int g = 0; g < 5; ++g)
        for (std::vector<QPoint>& c : Curves(g))
            All.push_back(std::move(c));
    std::vector<TCurveRasterizer::TEdge> Edges;
    for (auto _ : State)
        for (const std::vector<QPoint>& c : All)
        {
            Raster.Prepare(Pen.Pen(), c.data(), int(c.size()), Edges);
            if (Fill)
                Raster.FillEdges(Edges, 0xFF204080u);
            benchmark::DoNotOptimize(Edges.data());
        }
    State.counters["polylines"] = double(All.size());
}

// The filling alone, of outlines worked out beforehand; with OnlySweep, the part of it left to
// the drawing thread in a paint: crossings sorted beforehand (on the computing thread there),
// written into the image.
void Fill(benchmark::State& State, bool OnlySweep)
{
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(Qt::white);
    TCurveRasterizer Raster(reinterpret_cast<uint32_t*>(Image.bits()), Image.bytesPerLine() / 4, Width,
                            Height);
    TGPPen Pen(0xFF204080u, 3);
    Pen.SetDashStyle(int(State.range(0)));
    std::vector<std::vector<TCurveRasterizer::TEdge>> Outlines;
    std::vector<TCurveRasterizer::TSortedCrossings> Sorted;
    for (int g = 0; g < 5; ++g)
        for (const std::vector<QPoint>& c : Curves(g))
        {
            Outlines.emplace_back();
            Raster.Prepare(Pen.Pen(), c.data(), int(c.size()), Outlines.back());
            Sorted.emplace_back();
            Raster.SortCrossings(Outlines.back(), Sorted.back());
        }
    for (auto _ : State)
        for (size_t i = 0; i < Outlines.size(); ++i)
            OnlySweep ? Raster.FillSorted(Sorted[i], 0xFF204080u)
                      : Raster.FillEdges(Outlines[i], 0xFF204080u);
    State.counters["polylines"] = double(Outlines.size());
}
} // namespace

BENCHMARK_CAPTURE(Fill, Whole, false)->DenseRange(0, 4)->ArgName("style")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fill, Sweep, true)->DenseRange(0, 4)->ArgName("style")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Curve, Outline, false)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1, 0}})
    ->ArgNames({"style", "table"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Curve, OutlineAndFill, true)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1, 0}})
    ->ArgNames({"style", "table"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
