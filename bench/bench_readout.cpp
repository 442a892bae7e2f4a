// The cost of one status bar reading under the mouse: the plane point, the selected graph's
// value through the cached compiled program, and the text, at a defined point and at an
// undefined one (the error's message), beside native long double code that computes the same
// value and writes the same three numbers with printf. The target is 20 us per reading, so
// that a mouse move never slows the animation.
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotReadout.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
constexpr double TargetUs = 20.0;

// Pixel 300 of the start view on 523 x 523 is x = 1.52046783625731; pixel 261 is x = 0.
void Reading(benchmark::State& State, const char* Formula, int Px)
{
    TGraphEvaluator Evaluator(u'.');
    TPlotModel Model;
    Model.TimeText = QStringLiteral("0.35");
    Model.FuncList.Item(0).Func = QString::fromLatin1(Formula);
    const TPlotReadout Readout(Model, Evaluator);
    for (auto _ : State)
    {
        TReadout r = Readout.At(QPoint(Px, 200), 523, 523, 0);
        benchmark::DoNotOptimize(r);
    }
    State.SetLabel("target " + std::to_string(int(TargetUs)) + " us");
}

void Native(benchmark::State& State)
{
    volatile long double Px = 300;
    char Text[128];
    for (auto _ : State)
    {
        const long double x = (Px - 261) / 25.65L;
        const long double y = (266 - 200) / 25.65L;
        const long double v = std::sin(x * 0.35L) * x + std::exp(-x * x);
        std::snprintf(Text, sizeof Text, "x = %.15Lg    y = %.15Lg    f1(x) = %.15Lg", x, y, v);
        benchmark::DoNotOptimize(Text);
    }
}

const char* const Formula = "Sin(x*t)*x+Exp(-x*x)";
BENCHMARK_CAPTURE(Reading, Compiled / Defined, Formula, 300)->Name("Readout/Compiled/Defined");
BENCHMARK_CAPTURE(Reading, Compiled / Undefined, "1/x", 261)->Name("Readout/Compiled/Undefined");
BENCHMARK(Native)->Name("Readout/NativeLongDouble/Defined");
} // namespace

BENCHMARK_MAIN();
