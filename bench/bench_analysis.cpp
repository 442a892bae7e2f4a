// The analysis of one graph over the start view [-10, 10], sampled at the 523 columns of the
// start window: roots, extrema, area, and all of them with a value at x (the panel's whole
// work for one graph), the last also at the panel's 4096 samples. The formula is F5 of the
// evaluation bench; over [-10, 10] it is undefined at 0 (Sin(x)/x), so its area is that
// undefined point, which the quadrature meets. Beside it, the native
// baseline: the same sampling and toms748_solve on F5 written in C++, in long double and in
// double, without the evaluator, the checks for undefined points or the classification.
#include "analysis/TAnalysis.h"
#include "expr/Errors.h"

#include <benchmark/benchmark.h>
#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>

namespace
{
const char16_t* F5 = u"Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2";
constexpr int Columns = 523;

enum class TQuestion
{
    Roots,
    Extrema,
    Area,
    Whole
};

void Analyse(benchmark::State& State, TQuestion Question, int Samples = Columns)
{
    TAnalysis Analysis(u'.');
    Analysis.SetSamples(Samples);
    size_t Points = 0;
    for (auto _ : State)
    {
        if (Question == TQuestion::Roots || Question == TQuestion::Whole)
            Points += Analysis.Roots(F5, 0, -10, 10).Points.size();
        if (Question == TQuestion::Extrema || Question == TQuestion::Whole)
            Points += Analysis.Extrema(F5, 0, -10, 10).Points.size();
        if (Question == TQuestion::Area || Question == TQuestion::Whole)
            Points += Analysis.Area(F5, 0, -10, 10).Points.size();
        if (Question == TQuestion::Whole)
            Points += Analysis.ValueAt(F5, 0, 1).Points.size();
    }
    State.counters["points"] = benchmark::Counter(double(Points), benchmark::Counter::kAvgIterations);
}

template <typename TFloat> void NativeRoots(benchmark::State& State)
{
    auto F = [](TFloat x)
    { return std::sin(x) / x + std::log(std::abs(x) + 1) - std::tanh(x * TFloat(0.5)) * 2; };
    size_t Roots = 0;
    for (auto _ : State)
    {
        TFloat PrevX = -10, PrevY = F(PrevX);
        for (int i = 1; i <= Columns; ++i)
        {
            const TFloat X = TFloat(-10) + TFloat(20) * i / Columns, Y = F(X);
            if ((PrevY < 0) != (Y < 0))
            {
                std::uintmax_t Iterations = 100;
                benchmark::DoNotOptimize(boost::math::tools::toms748_solve(
                    F, PrevX, X, PrevY, Y, boost::math::tools::eps_tolerance<TFloat>(), Iterations));
                ++Roots;
            }
            PrevX = X;
            PrevY = Y;
        }
    }
    State.counters["points"] = benchmark::Counter(double(Roots), benchmark::Counter::kAvgIterations);
}
} // namespace

BENCHMARK_CAPTURE(Analyse, Roots, TQuestion::Roots)
    ->Name("Analysis/Roots/F5/523")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Analyse, Extrema, TQuestion::Extrema)
    ->Name("Analysis/Extrema/F5/523")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Analyse, Area, TQuestion::Area)
    ->Name("Analysis/Area/F5/523")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Analyse, Whole, TQuestion::Whole)
    ->Name("Analysis/Whole/F5/523")
    ->Unit(benchmark::kMicrosecond);
// The panel samples at least the default of 4096 points.
BENCHMARK_CAPTURE(Analyse, Panel, TQuestion::Whole, TAnalysisRequest::DefaultSamples)
    ->Name("Analysis/Whole/F5/4096")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(NativeRoots<long double>)
    ->Name("Analysis/NativeLongDouble/Roots/F5/523")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(NativeRoots<double>)->Name("Analysis/NativeDouble/Roots/F5/523")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
