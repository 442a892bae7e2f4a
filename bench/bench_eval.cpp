// Evaluation speed of the reference evaluator (the text is read anew at every call, as
// the plot does) next to the same five formulas compiled as native C++ in long double
// and in double. Each iteration is one evaluation at the next x of a sweep over
// [-10, 10] that never hits 0 exactly.
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace
{
const std::array<const char16_t*, 5> Formulas = {
    u"Sin(x*0.05)",
    u"x*x-3*x+2",
    u"Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)",
    u"1/x",
    u"Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2",
};

template <typename TFloat> TFloat NativeFormula(size_t Index, TFloat x)
{
    using std::abs, std::cos, std::exp, std::log, std::sin, std::sqrt, std::tanh;
    switch (Index)
    {
    case 0: return sin(x * TFloat(0.05));
    case 1: return x * x - 3 * x + 2;
    case 2: return sqrt(abs(x)) * cos(3 * x) + exp(-x * x);
    case 3: return 1 / x;
    default: return sin(x) / x + log(abs(x) + 1) - tanh(x * TFloat(0.5)) * 2;
    }
}

// The midpoints of 2000 cells of width 0.01 between -10 and 10.
std::vector<Float80> Sweep()
{
    std::vector<Float80> Xs(2000);
    for (size_t k = 0; k < Xs.size(); ++k)
        Xs[k] = -10 + (static_cast<Float80>(k) + 0.5L) * 0.01L;
    return Xs;
}

void Reference(benchmark::State& State, size_t Index)
{
    const std::vector<Float80> Xs = Sweep();
    Float80 X = 0;
    auto Evaluator = MakePlotEvaluator(u'.', &X);
    const std::u16string Text = Formulas[Index];
    size_t k = 0;
    for (auto _ : State)
    {
        X = Xs[k];
        k = (k + 1) % Xs.size();
        benchmark::DoNotOptimize(Evaluator->EvaluateText(Text));
    }
    State.SetItemsProcessed(State.iterations());
}

template <typename TFloat> void Native(benchmark::State& State, size_t Index)
{
    std::vector<TFloat> Xs;
    for (Float80 x : Sweep())
        Xs.push_back(static_cast<TFloat>(x));
    size_t k = 0;
    for (auto _ : State)
    {
        TFloat x = Xs[k];
        benchmark::DoNotOptimize(x);
        k = (k + 1) % Xs.size();
        benchmark::DoNotOptimize(NativeFormula(Index, x));
    }
    State.SetItemsProcessed(State.iterations());
}
} // namespace

int main(int argc, char** argv)
{
    for (size_t i = 0; i < Formulas.size(); ++i)
    {
        const std::string Suffix = "/F" + std::to_string(i + 1);
        benchmark::RegisterBenchmark(("Eval/Reference" + Suffix).c_str(), Reference, i);
        benchmark::RegisterBenchmark(("Eval/NativeLongDouble" + Suffix).c_str(), Native<long double>, i);
        benchmark::RegisterBenchmark(("Eval/NativeDouble" + Suffix).c_str(), Native<double>, i);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
