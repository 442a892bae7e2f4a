// Derivatives of F1 .. F5: f alone (the compiled program as the renderer runs it, and its
// instructions without machine code), f with f' and f'' in one run that carries them, and
// f' and f'' by central differences in long double (three runs of f). Each iteration is one
// point of a sweep over [-10, 10] that never hits 0. After the table come the cost ratios
// and the accuracy: the largest relative error of f' and f'' over the sweep, of the
// carried derivatives and of the central differences, against the derivatives written out
// by hand in native long double. The ratios are of processor time, which a busy machine
// disturbs less than the time on the clock.
#include "BenchFormulas.h"
#include "BenchReport.h"
#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace
{
using BenchFormulas::Formulas;

// The midpoints of 2000 cells of width 0.01 between -10 and 10.
std::vector<Float80> Sweep()
{
    std::vector<Float80> Xs(2000);
    for (size_t k = 0; k < Xs.size(); ++k)
        Xs[k] = -10 + (static_cast<Float80>(k) + 0.5L) * 0.01L;
    return Xs;
}

// f' and f'' of F1 .. F5 written out by hand, for x != 0.
struct TNative
{
    long double D1, D2;
};
TNative NativeDerivatives(size_t Index, long double x)
{
    using std::cos, std::exp, std::fabs, std::sin, std::sqrt, std::tanh;
    switch (Index)
    {
    case 0:
    {
        const long double k = 0.05L;
        return {k * cos(k * x), -k * k * sin(k * x)};
    }
    case 1:
        return {2 * x - 3, 2};
    case 2:
    {
        // sqrt|x| cos 3x + exp(-x^2)
        const long double s = sqrt(fabs(x)), sg = x > 0 ? 1 : -1, g = exp(-x * x);
        const long double ds = sg / (2 * s), dds = -1 / (4 * s * fabs(x));
        const long double c = cos(3 * x), sn = sin(3 * x);
        return {ds * c - 3 * s * sn - 2 * x * g, dds * c - 6 * ds * sn - 9 * s * c + (4 * x * x - 2) * g};
    }
    case 3:
        return {-1 / (x * x), 2 / (x * x * x)};
    default:
    {
        // sin x / x + ln(|x| + 1) - 2 tanh(x / 2)
        const long double s = sin(x), c = cos(x), a = fabs(x), sg = x > 0 ? 1 : -1;
        const long double th = tanh(x / 2), sech2 = 1 - th * th;
        return {(x * c - s) / (x * x) + sg / (a + 1) - sech2,
                (-x * x * s - 2 * x * c + 2 * s) / (x * x * x) - 1 / ((a + 1) * (a + 1)) + th * sech2};
    }
    }
}

struct TSetup
{
    explicit TSetup(size_t Index)
        : Evaluator(MakePlotEvaluator(u'.', &X)), Program(Evaluator->Compile(Formulas[Index]))
    {
    }
    Float80 X = 0;
    std::unique_ptr<TEvaluator> Evaluator;
    std::shared_ptr<const TExprProgram> Program;
    TDualRunner Runner{*Evaluator};
};

template <typename TStep> void Sweeping(benchmark::State& State, TStep Step)
{
    const std::vector<Float80> Xs = Sweep();
    size_t k = 0;
    for (auto _ : State)
    {
        Step(Xs[k]);
        k = (k + 1) % Xs.size();
    }
    State.SetItemsProcessed(State.iterations());
}

// The value alone, by the machine code or by the program's instructions.
void Values(benchmark::State& State, size_t Index, bool MachineCode)
{
    TSetup S(Index);
    S.Evaluator->SetMachineCode(MachineCode);
    Sweeping(State,
             [&](Float80 x)
             {
                 S.X = x;
                 benchmark::DoNotOptimize(S.Evaluator->Run(*S.Program));
             });
}

void Value(benchmark::State& State, size_t Index)
{
    Values(State, Index, true);
}

void ValueInstructions(benchmark::State& State, size_t Index)
{
    Values(State, Index, false);
}

void Dual(benchmark::State& State, size_t Index)
{
    TSetup S(Index);
    Sweeping(State,
             [&](Float80 x)
             {
                 S.X = x;
                 benchmark::DoNotOptimize(S.Runner.Run(*S.Program, &S.X));
             });
}

// f' and f'' from f at x - h, x and x + h, with the step that balances rounding against
// truncation for each: eps^(1/3) and eps^(1/4) times max(1, |x|).
TNative CentralDifferences(TSetup& S, Float80 x)
{
    auto F = [&](Float80 At)
    {
        S.X = At;
        return S.Evaluator->Run(*S.Program);
    };
    const Float80 Scale = std::max(1.0L, std::fabs(x));
    const Float80 h1 = std::cbrt(LDBL_EPSILON) * Scale, h2 = std::sqrt(std::sqrt(LDBL_EPSILON)) * Scale;
    const Float80 f0 = F(x);
    return {(F(x + h1) - F(x - h1)) / (2 * h1), (F(x + h2) - 2 * f0 + F(x - h2)) / (h2 * h2)};
}

void CentralDifference(benchmark::State& State, size_t Index)
{
    TSetup S(Index);
    Sweeping(State, [&](Float80 x) { benchmark::DoNotOptimize(CentralDifferences(S, x)); });
}

struct TErrors
{
    long double DualD1 = 0, DualD2 = 0, DiffD1 = 0, DiffD2 = 0;
};

TErrors Accuracy(size_t Index)
{
    TSetup S(Index);
    TErrors E;
    auto Relative = [](long double Got, long double Want)
    { return Want == 0 ? std::fabs(Got) : std::fabs(Got - Want) / std::fabs(Want); };
    for (Float80 x : Sweep())
    {
        const TNative Want = NativeDerivatives(Index, x);
        S.X = x;
        const TDual d = S.Runner.Run(*S.Program, &S.X);
        const TNative c = CentralDifferences(S, x);
        E.DualD1 = std::max(E.DualD1, Relative(d.D1, Want.D1));
        E.DualD2 = std::max(E.DualD2, Relative(d.D2, Want.D2));
        E.DiffD1 = std::max(E.DiffD1, Relative(c.D1, Want.D1));
        E.DiffD2 = std::max(E.DiffD2, Relative(c.D2, Want.D2));
    }
    return E;
}

class TDerivativeReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                Seconds[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-4s %14s %20s %18s   %-26s %-26s\n", "", "Dual/Value", "Dual/Instructions",
                    "CentralDiff/Value", "max rel. error f' dual/cd", "max rel. error f'' dual/cd");
        for (size_t i = 0; i < Formulas.size(); ++i)
        {
            std::string Name = "/F";
            Name += std::to_string(i + 1);
            const TErrors E = Accuracy(i);
            std::printf("F%zu   %14s %20s %18s   %.1Le / %-14.1Le %.1Le / %.1Le\n", i + 1,
                        Ratio("Deriv/Dual" + Name, "Deriv/Value" + Name).c_str(),
                        Ratio("Deriv/Dual" + Name, "Deriv/ValueInstructions" + Name).c_str(),
                        Ratio("Deriv/CentralDifference" + Name, "Deriv/Value" + Name).c_str(), E.DualD1,
                        E.DiffD1, E.DualD2, E.DiffD2);
        }
    }

  private:
    std::string Ratio(const std::string& Numerator, const std::string& Denominator) const
    {
        return BenchReport::Ratio(Seconds, Numerator, Denominator);
    }

    std::map<std::string, double> Seconds;
};
} // namespace

int main(int argc, char** argv)
{
    for (size_t i = 0; i < Formulas.size(); ++i)
    {
        std::string Suffix = "/F";
        Suffix += std::to_string(i + 1);
        benchmark::RegisterBenchmark(("Deriv/Value" + Suffix).c_str(), Value, i);
        benchmark::RegisterBenchmark(("Deriv/ValueInstructions" + Suffix).c_str(), ValueInstructions, i);
        benchmark::RegisterBenchmark(("Deriv/Dual" + Suffix).c_str(), Dual, i);
        benchmark::RegisterBenchmark(("Deriv/CentralDifference" + Suffix).c_str(), CentralDifference, i);
    }
    return BenchReport::RunWithTable<TDerivativeReporter>(argc, argv);
}
