// Evaluation speed of five formulas along five paths: the reference evaluator (the text is
// read anew at every call, as EvaluateText does), the same text compiled once
// into a program (as the renderer runs it), native C++ in long double and in double, and the
// muparser library (double, its own bytecode). Each iteration is one evaluation at the next
// x of a sweep over [-10, 10] that never hits 0 exactly. After the console table comes a
// table of ratios: how far the compiled program is from native code, and how much it saves
// over reading the text.
#include "BenchFormulas.h"
#include "BenchReport.h"
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace
{
using BenchFormulas::Formulas;

// The same formulas in muparser's syntax (lower-case names, "ln" for the natural logarithm).
const std::array<const char*, 5> MuParserFormulas = {
    "sin(x*0.05)",
    "x*x-3*x+2",
    "sqrt(abs(x))*cos(3*x)+exp(-x*x)",
    "1/x",
    "sin(x)/x+ln(abs(x)+1)-tanh(x*0.5)*2",
};

template <typename TFloat> TFloat NativeFormula(size_t Index, TFloat x)
{
    using std::abs, std::cos, std::exp, std::log, std::sin, std::sqrt, std::tanh;
    switch (Index)
    {
    case 0:
        return sin(x * TFloat(0.05));
    case 1:
        return x * x - 3 * x + 2;
    case 2:
        return sqrt(abs(x)) * cos(3 * x) + exp(-x * x);
    case 3:
        return 1 / x;
    default:
        return sin(x) / x + log(abs(x) + 1) - tanh(x * TFloat(0.5)) * 2;
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

void Compiled(benchmark::State& State, size_t Index)
{
    const std::vector<Float80> Xs = Sweep();
    Float80 X = 0;
    auto Evaluator = MakePlotEvaluator(u'.', &X);
    const auto Program = Evaluator->Compile(Formulas[Index]);
    size_t k = 0;
    for (auto _ : State)
    {
        X = Xs[k];
        k = (k + 1) % Xs.size();
        benchmark::DoNotOptimize(Evaluator->Run(*Program));
    }
    State.SetItemsProcessed(State.iterations());
}

void MuParser(benchmark::State& State, size_t Index)
{
    std::vector<double> Xs;
    for (Float80 x : Sweep())
        Xs.push_back(static_cast<double>(x));
    double X = 0;
    mu::Parser Parser;
    Parser.DefineVar("x", &X);
    Parser.SetExpr(MuParserFormulas[Index]);
    size_t k = 0;
    for (auto _ : State)
    {
        X = Xs[k];
        k = (k + 1) % Xs.size();
        benchmark::DoNotOptimize(Parser.Eval());
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
// The console table, then per formula the ratios of the measured times per evaluation.
class TRatioReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                Nanoseconds[r.benchmark_name()] = r.GetAdjustedRealTime() * ToNanoseconds(r.time_unit);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-8s %22s %22s %20s\n", "Formula", "Compiled/NativeLongDbl", "Reference/Compiled",
                    "MuParser/Compiled");
        for (size_t i = 0; i < Formulas.size(); ++i)
        {
            // Appended rather than "F" + to_string(...): GCC 12 warns falsely on the latter.
            std::string Name = "F";
            Name += std::to_string(i + 1);
            const std::string F = "/" + Name;
            std::printf("%-8s %22s %22s %20s\n", Name.c_str(),
                        Ratio("Eval/Compiled" + F, "Eval/NativeLongDouble" + F).c_str(),
                        Ratio("Eval/Reference" + F, "Eval/Compiled" + F).c_str(),
                        Ratio("Eval/MuParser" + F, "Eval/Compiled" + F).c_str());
        }
    }

  private:
    static double ToNanoseconds(benchmark::TimeUnit Unit)
    {
        switch (Unit)
        {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1;
        }
    }

    std::string Ratio(const std::string& Numerator, const std::string& Denominator) const
    {
        return BenchReport::Ratio(Nanoseconds, Numerator, Denominator);
    }

    std::map<std::string, double> Nanoseconds;
};

} // namespace

int main(int argc, char** argv)
{
    for (size_t i = 0; i < Formulas.size(); ++i)
    {
        const std::string Suffix = "/F" + std::to_string(i + 1);
        benchmark::RegisterBenchmark(("Eval/Reference" + Suffix).c_str(), Reference, i);
        benchmark::RegisterBenchmark(("Eval/Compiled" + Suffix).c_str(), Compiled, i);
        benchmark::RegisterBenchmark(("Eval/NativeLongDouble" + Suffix).c_str(), Native<long double>, i);
        benchmark::RegisterBenchmark(("Eval/NativeDouble" + Suffix).c_str(), Native<double>, i);
        benchmark::RegisterBenchmark(("Eval/MuParser" + Suffix).c_str(), MuParser, i);
    }
    return BenchReport::RunWithTable<TRatioReporter>(argc, argv);
}
