#pragma once
// Shared by the benches that print a table of ratios after Google Benchmark's own: whether the
// command line asks for another output format, which then passes through untouched.
#include <cstring>

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
} // namespace BenchReport
