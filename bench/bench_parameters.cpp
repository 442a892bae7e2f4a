// Named parameters: the cost of a paint while eight parameters animate, and of a parameter
// read against a constant in a compiled program.
//
// Paint/Raster/P8/1920x1080: ten graphs over eight animated parameters (loop, bounce, once, in
// both directions), fills on, motion blur of 5 frames, so every frame of every graph has
// values of its own; each paint follows one tick, as the window paints while it animates.
// The target is at most 20 ms a paint (a tick is 40 ms). Printed beside it: the same scene
// with every parameter's value written into the formulas as a number and the values held
// still (Paint/Raster/P8Written/1920x1080: five frames of one text share an evaluation, so it
// evaluates a fifth as much), and the evaluations alone as native long double code. Each
// paint prints its wall-clock ms and the CPU ms of the process (both threads).
// Eval/Parameter and Eval/Constant: one run of the compiled "a*x*x + b*x + c" with a, b, c
// parameters against the same program with the numbers written in; the target is no
// measurable difference. The written numbers are read as doubles where they are exact
// (Constant) and as 80-bit values where not (Constant80, with 1.1, -3.3 and 2.7), as a
// parameter always is. Eval/NativeLongDouble is the formula as long double code.
#include "BenchPaintLoop.h"
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TParameterContext.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>

namespace
{
constexpr int Width = 1920, Height = 1080, Margin = 5;

// The parameters are Ka .. Kh: no function name holds "K", so they are written in by text.
const char* const Formulas[] = {
    "Ka*Sin(Kb*x + Kc)",  "Kd*x*x - Ke*x + Kf", "Sqrt(Abs(x*Kg))*Cos(Kh*x)",
    "Ka/(x + 20*Kh)",     "Sin(x*Kb)/x + Kc",   "Ka*Sin(Kf*x) + Kd*x",
    "Ke - x*Kh",          "Exp(-x*x*Kg) + Kb",  "Cos(x*Kc)*Kd",
    "Kf*TanH(x*Ke) - Kg",
};

TPlotModel SceneP8()
{
    TPlotModel Model;
    std::vector<TFunc> Graphs;
    int i = 0;
    for (const char* Formula : Formulas)
    {
        TFunc Graph{QString::fromLatin1(Formula)};
        Graph.Color = TColor(0x3010F0u >> (i % 3) * 4);
        Graph.BGColor = TColor(0xC0E0FFu - 0x201000u * TColor(i % 4));
        Graph.Style = i++ % 5;
        Graphs.push_back(Graph);
    }
    Model.FuncList.Assign(Graphs);
    Model.LeftText = QStringLiteral("0.1");
    Model.RightText = QStringLiteral("20.1");
    Model.FilledGraphs = true;
    Model.MotionBlur = true;
    Model.FramesCount = 5;
    Model.TimeIncrement = 0.05f;
    Model.TickDirection = 1;
    Model.GraphsEnabled = true;
    const TParameterMode Modes[] = {TParameterMode::Loop, TParameterMode::Bounce, TParameterMode::Once};
    for (int p = 0; p < 8; ++p)
    {
        TParameter Parameter;
        Parameter.Name = QStringLiteral("K") + QChar(u'a' + p);
        Parameter.Min = 0.5L;
        Parameter.Max = 3;
        Parameter.Value = 1 + p * 0.125L;
        Parameter.Step = p % 2 ? -0.01L : 0.02L;
        Parameter.Mode = Modes[p % 3];
        Model.Parameters.Add(Parameter);
    }
    return Model;
}

// The scene with the values written in as numbers and no parameters.
TPlotModel Written(TPlotModel Model)
{
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        for (const TParameter& p : Model.Parameters.All())
            Model.FuncList.Item(i).Func.replace(p.Name, QLatin1Char('(') + ParameterNumber(p.Value, u'.') +
                                                            QLatin1Char(')'));
    Model.Parameters = TParameterList();
    return Model;
}

void Paint(benchmark::State& State, TPlotModel Model, bool Tick)
{
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Seconds = 0;
    const double Cpu = BenchPaintLoop::ProcessCpuSeconds();
    for (auto _ : State)
    {
        if (Tick)
            Model.Parameters.Tick(Model.TickDirection);
        Seconds += BenchPaintLoop::TimedPaint(State, Renderer, Image, Margin);
    }
    const double Ms = 1000 * Seconds / double(State.iterations());
    State.counters["ms"] = Ms;
    State.counters["cpu_ms"] =
        1000 * (BenchPaintLoop::ProcessCpuSeconds() - Cpu) / double(State.iterations());
    State.counters["x20ms"] = Ms / 20;
}

// The evaluations of one P8 paint (two per column, every graph and frame) as native code.
void NativePaint(benchmark::State& State)
{
    const long double Scale = (Width - 2 * Margin) / 20.0L;
    for (auto _ : State)
    {
        long double Sum = 0;
        for (int k = 0; k < 5; ++k)
        {
            const long double A = 1 + k * 0.02L, B = 1.1L - k * 0.01L, C = 1.25L + k * 0.02L;
            for (int Pass = 0; Pass < 2; ++Pass)
                for (int px = Margin + Pass; px <= Width - Margin; ++px)
                {
                    const long double x = 0.1L + (px - Margin) / Scale;
                    // Ten graphs of about the cost of these five, twice.
                    for (int Twice = 0; Twice < 2; ++Twice)
                        Sum += A * std::sin(B * x + C) + (A * x * x - B * x + C) +
                               std::sqrt(std::fabs(x * A)) * std::cos(B * x) + A / (x + 20 * B) +
                               std::sin(x * B) / x + C;
                }
        }
        benchmark::DoNotOptimize(Sum);
    }
}

void Run(benchmark::State& State, const char16_t* Text)
{
    Float80 X = 0;
    auto Evaluator = MakePlotEvaluator(u'.', &X);
    TParameterContext Context;
    Context.Define({u"a", u"b", u"c"});
    Context.SetValue(0, 1.5L);
    Context.SetValue(1, -3);
    Context.SetValue(2, 2.25L);
    Evaluator->AddContext(&Context);
    const auto Program = Evaluator->Compile(Text);
    Float80 x = -10;
    for (auto _ : State)
    {
        X = x;
        x = x < 10 ? x + 0.01L : -10;
        benchmark::DoNotOptimize(Evaluator->Run(*Program));
    }
    State.SetItemsProcessed(State.iterations());
}

void Native(benchmark::State& State)
{
    volatile long double a = 1.5L, b = -3, c = 2.25L;
    long double x = -10;
    for (auto _ : State)
    {
        x = x < 10 ? x + 0.01L : -10;
        benchmark::DoNotOptimize(a * x * x + b * x + c);
    }
    State.SetItemsProcessed(State.iterations());
}
} // namespace

int main(int argc, char** argv)
{
    return BenchPaintLoop::Main(
        argc, argv,
        []
        {
            benchmark::RegisterBenchmark("Paint/Raster/P8/1920x1080",
                                         [](benchmark::State& State) { Paint(State, SceneP8(), true); })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Paint/Raster/P8Written/1920x1080", [](benchmark::State& State)
                                         { Paint(State, Written(SceneP8()), false); })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Paint/NativeLongDouble/P8/1920x1080", NativePaint)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
            benchmark::RegisterBenchmark("Eval/Parameter/abc",
                                         [](benchmark::State& State) { Run(State, u"a*x*x + b*x + c"); });
            benchmark::RegisterBenchmark("Eval/Constant/abc", [](benchmark::State& State)
                                         { Run(State, u"1.5*x*x + -3*x + 2.25"); });
            benchmark::RegisterBenchmark("Eval/Constant80/abc", [](benchmark::State& State)
                                         { Run(State, u"1.1*x*x + -3.3*x + 2.7"); });
            benchmark::RegisterBenchmark("Eval/NativeLongDouble/abc", Native);
        });
}
