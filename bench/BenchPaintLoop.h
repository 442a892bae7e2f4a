#pragma once
// Shared by the benches that time whole paints: one paint of a renderer into an image, timed
// by the wall clock, and the main function of a bench that draws (Qt offscreen, then Google
// Benchmark with the benchmarks a Register function adds).
#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TPlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace BenchPaintLoop
{
// The CPU time of the whole process (both threads of a paint), in seconds.
inline double ProcessCpuSeconds()
{
    timespec Now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Now);
    return double(Now.tv_sec) + double(Now.tv_nsec) * 1e-9;
}

// Paints Renderer's picture over the whole of Image (the raster path, or QPainter's) and
// returns the seconds it took; a curve error skips the benchmark with its message.
inline double TimedPaint(benchmark::State& State, TPlotRenderer& Renderer, QImage& Image, int Margin,
                         bool Raster = true)
{
    const auto Start = std::chrono::steady_clock::now();
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, Raster);
    Renderer.DrawPlot(Canvas, Image.width(), Image.height(), Margin, 3,
                      [&](const Exception& Error) { State.SkipWithError(Error.Message()); });
    Painter.end();
    benchmark::DoNotOptimize(Image.constBits());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// The main function of a bench that paints: Register adds its benchmarks.
template <class TRegister> int Main(int argc, char** argv, TRegister&& Register)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
} // namespace BenchPaintLoop
