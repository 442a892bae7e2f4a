// The cost of one full paint through DrawPlot, on the QPainter path and on the raster fast
// path of image targets, beside the same number of evaluations as native long double code
// without drawing: how far a paint is from what the arithmetic alone costs.
//
// Scene S: ten graphs (five formulas, each twice, in varied colours and all five dash
// styles), fills on, motion blur with 5 frames 0.05 apart, at three picture sizes.
// Scene St: scene S with +t added to every formula, so that every motion-blur frame has a
// text of its own, as in any running animation.
// Scene S4: four animated graphs on 1000 x 1000, whose texts change with the time.
// Each run prints the paint time in ms (wall clock: the work is spread over two threads),
// the CPU time of the whole process per paint (both threads), the evaluations a literal
// paint performs per second of paint, the paint time as a multiple of the 8 ms target, and
// the time per column, graph and frame, which stays constant while the cost grows linearly.
// On the raster path it also prints the one-core lower bound measured in the same run (the
// evaluations the picture needs, one per column of each distinct formula and time, as
// native long double code, plus one fill of the image) and the paint's ratio to it.
#include "BenchPaintLoop.h"
#include "BenchScenes.h"
#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace
{
constexpr int Margin = 5;
constexpr int Frames = 5;
constexpr float TimeIncrement = 0.05f;
constexpr double TargetMs = 8.0;

struct TScene
{
    std::vector<const char*> Formulas;
    long double (*Native)(int, long double, long double);
    const char* TimeText;
    // The view's left and right bound. 1/x with fills on needs a view without x = 0: the
    // column of x = 0 would end the paint with a division by zero.
    const char* Left;
    const char* Right;
    // The formulas carry +t: every frame needs its own evaluations.
    bool Timed = false;
};

long double NativeS4(int Index, long double x, long double t)
{
    switch (Index)
    {
    case 0:
        return std::sin(x * t) * 5;
    case 1:
        return std::cos(x * t + 1) * 3;
    case 2:
        return std::sin(x + t) * x / 2;
    default:
        return std::cos(x * x * t) * 4;
    }
}

const TScene SceneS{{"Sin(x*0.05)", "x*x-3*x+2", "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)", "1/x",
                     "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2", "Sin(x*0.05)", "x*x-3*x+2",
                     "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)", "1/x", "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2"},
                    BenchScenes::NativeS,
                    "0",
                    "0.1",
                    "20.1"};
const TScene SceneSt{{"Sin(x*0.05)+t", "x*x-3*x+2+t", "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)+t", "1/x+t",
                      "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2+t", "Sin(x*0.05)+t", "x*x-3*x+2+t",
                      "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)+t", "1/x+t", "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2+t"},
                     BenchScenes::NativeS,
                     "0",
                     "0.1",
                     "20.1",
                     true};
const TScene SceneS4{
    {"Sin(x*t)*5", "Cos(x*t+1)*3", "Sin(x+t)*x/2", "Cos(x*x*t)*4"}, NativeS4, "1", "-10", "10"};

// Evaluations of a literal paint without gaps: per graph and frame, the fill evaluates
// every column from margin to margin, the curve every column but the first.
double EvaluationsPerPaint(const TScene& Scene, int Width)
{
    return double(Scene.Formulas.size()) * Frames * ((Width - 2 * Margin + 1) + (Width - 2 * Margin));
}

double ThreadCpuSeconds()
{
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return double(Now.tv_sec) + double(Now.tv_nsec) * 1e-9;
}

// The one-core lower bound of a paint in ms: every distinct formula (scenes S and St hold
// each formula twice) at every distinct frame time (one for S, five for St) over the
// columns from margin to margin, natively, plus one fill of the image. The best of several
// runs.
double LowerBoundMs(const TScene& Scene, int Width, int Height)
{
    const long double Left = std::strtold(Scene.Left, nullptr);
    const long double ScaleX = (Width - 2 * Margin) / (std::strtold(Scene.Right, nullptr) - Left);
    const int Distinct = 5;
    const int Times = Scene.Timed ? Frames : 1;
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Best = 1e30;
    for (int Run = 0; Run < 15; ++Run)
    {
        // Thread CPU time: the bound is one core's work, whatever else the machine runs.
        const double Start = ThreadCpuSeconds();
        long double Sum = 0;
        for (int g = 0; g < Distinct; ++g)
            for (int k = 0; k < Times; ++k)
            {
                const long double t = k * (long double)TimeIncrement;
                for (int px = Margin; px <= Width - Margin; ++px)
                    Sum += Scene.Native(g, Left + (px - Margin) / ScaleX, t) + (Scene.Timed ? t : 0);
            }
        Image.fill(0xFFFFFFFF);
        benchmark::DoNotOptimize(Sum);
        benchmark::DoNotOptimize(Image.constBits());
        Best = std::min(Best, 1000 * (ThreadCpuSeconds() - Start));
    }
    return Best;
}

TPlotModel Model(const TScene& Scene)
{
    TPlotModel Out;
    std::vector<TFunc> Funcs;
    const TColor Colors[] = {0x0000FF, 0x00A000, 0xFF0000, 0x808000, 0x800080,
                             0x004080, 0x000000, 0x0080FF, 0xFF8000, 0x408040};
    const TColor Fills[] = {0xC0FFC0, 0xFFE0E0, 0xE0E0FF, 0xE0FFFF, 0xFFFFE0};
    for (size_t i = 0; i < Scene.Formulas.size(); ++i)
    {
        TFunc Graph(QString::fromLatin1(Scene.Formulas[i]));
        Graph.Color = Colors[i % 10];
        Graph.BGColor = Fills[i % 5];
        Graph.Style = int32_t(i % 5);
        Funcs.push_back(Graph);
    }
    Out.FuncList.Assign(Funcs);
    Out.TimeText = QString::fromLatin1(Scene.TimeText);
    Out.LeftText = QString::fromLatin1(Scene.Left);
    Out.RightText = QString::fromLatin1(Scene.Right);
    Out.FilledGraphs = true;
    Out.MotionBlur = true;
    Out.FramesCount = Frames;
    Out.TimeIncrement = TimeIncrement;
    Out.GraphsEnabled = true;
    return Out;
}

void Paint(benchmark::State& State, const TScene& Scene, bool Raster, int Width, int Height)
{
    TPlotModel PlotModel = Model(Scene);
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(PlotModel, Evaluator, u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Seconds = 0;
    const double Cpu = BenchPaintLoop::ProcessCpuSeconds();
    for (auto _ : State)
    {
        Seconds += BenchPaintLoop::TimedPaint(State, Renderer, Image, Margin, Raster);
    }
    const double Ms = 1000 * Seconds / double(State.iterations());
    State.counters["ms"] = Ms;
    State.counters["cpu_ms"] =
        1000 * (BenchPaintLoop::ProcessCpuSeconds() - Cpu) / double(State.iterations());
    if (Raster && (&Scene == &SceneS || &Scene == &SceneSt))
    {
        const double Bound = LowerBoundMs(Scene, Width, Height);
        State.counters["bound_ms"] = Bound;
        State.counters["x_bound"] = Ms / Bound;
    }
    State.counters["x8ms"] = Ms / TargetMs;
    // Constant when the cost grows linearly with width x graphs x frames.
    State.counters["ns_per_col_graph_frame"] =
        Ms * 1e6 / (double(Width) * double(Scene.Formulas.size()) * Frames);
    State.counters["evaluations"] = benchmark::Counter(
        EvaluationsPerPaint(Scene, Width) * double(State.iterations()), benchmark::Counter::kIsRate);
}

// The arithmetic of a literal paint alone, at the columns and times the paint uses.
void Native(benchmark::State& State, const TScene& Scene, int Width)
{
    const long double Left = std::strtold(Scene.Left, nullptr);
    const long double ScaleX = (Width - 2 * Margin) / (std::strtold(Scene.Right, nullptr) - Left);
    for (auto _ : State)
    {
        long double Sum = 0;
        for (size_t g = 0; g < Scene.Formulas.size(); ++g)
            for (int k = 0; k < Frames; ++k)
            {
                const long double t = 1 + k * (long double)TimeIncrement;
                for (int Pass = 0; Pass < 2; ++Pass)
                    for (int px = Margin + Pass; px <= Width - Margin; ++px)
                        Sum += Scene.Native(int(g), Left + (px - Margin) / ScaleX, t);
            }
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["evaluations"] = benchmark::Counter(
        EvaluationsPerPaint(Scene, Width) * double(State.iterations()), benchmark::Counter::kIsRate);
}

void Register()
{
    struct TSize
    {
        int Width, Height;
        const char* Name;
    };
    const TSize Sizes[] = {{523, 523, "523x523"}, {1920, 1080, "1920x1080"}, {3840, 2160, "3840x2160"}};
    for (const TSize& s : Sizes)
        benchmark::RegisterBenchmark((std::string("Paint/Raster/St/") + s.Name).c_str(),
                                     [=](benchmark::State& State)
                                     { Paint(State, SceneSt, true, s.Width, s.Height); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
    for (const TSize& s : Sizes)
    {
        const std::string Suffix = std::string("/S/") + s.Name;
        for (bool Raster : {false, true})
            benchmark::RegisterBenchmark(((Raster ? "Paint/Raster" : "Paint/QPainter") + Suffix).c_str(),
                                         [=](benchmark::State& State)
                                         { Paint(State, SceneS, Raster, s.Width, s.Height); })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
        benchmark::RegisterBenchmark(("Paint/NativeLongDouble" + Suffix).c_str(),
                                     [=](benchmark::State& State) { Native(State, SceneS, s.Width); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.3);
    }
    for (bool Raster : {false, true})
        benchmark::RegisterBenchmark(Raster ? "Paint/Raster/S4/1000x1000" : "Paint/QPainter/S4/1000x1000",
                                     [=](benchmark::State& State)
                                     { Paint(State, SceneS4, Raster, 1000, 1000); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
    benchmark::RegisterBenchmark("Paint/NativeLongDouble/S4/1000x1000",
                                 [](benchmark::State& State) { Native(State, SceneS4, 1000); })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.3);
}
} // namespace

// Text needs a QGuiApplication; the paint needs no display.
int main(int argc, char** argv)
{
    return BenchPaintLoop::Main(argc, argv, Register);
}
