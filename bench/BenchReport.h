#pragma once
// Shared by the benches that print a table of ratios after Google Benchmark's own: whether the
// command line asks for another output format, which then passes through untouched.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace BenchReport
{
// Read before benchmark::Initialize, which removes the flags it knows from argv.
inline bool AsksForAnotherFormat(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0 &&
            std::strcmp(argv[i] + 19, "console") != 0)
            return true;
    return false;
}

// The ratio of two benchmarks' times (by name) with two decimals, "-" when either was not run
// (filtered out).
inline std::string Ratio(const std::map<std::string, double>& Times, const std::string& Numerator,
                         const std::string& Denominator)
{
    const auto a = Times.find(Numerator);
    const auto b = Times.find(Denominator);
    if (a == Times.end() || b == Times.end() || b->second <= 0)
        return "-";
    char Text[32];
    std::snprintf(Text, sizeof Text, "%.2f", a->second / b->second);
    return Text;
}

// The benchmarks registered so far, run as the command line says; with the console format the
// report is a TReporter, which adds its table of ratios. The exit status of main.
template <typename TReporter> int RunWithTable(int argc, char** argv)
{
    const bool OtherFormat = AsksForAnotherFormat(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (OtherFormat)
        benchmark::RunSpecifiedBenchmarks();
    else
    {
        TReporter Reporter;
        benchmark::RunSpecifiedBenchmarks(&Reporter);
    }
    benchmark::Shutdown();
    return 0;
}
} // namespace BenchReport
