#pragma once
// Helpers shared by the fuzz targets: a private scratch folder per process and a loud stop
// for a broken invariant (libFuzzer records an abort as a finding, with its input).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace Fuzz
{
// A folder of its own for this process, so parallel workers never share files; removed at exit.
inline const std::string& ScratchDir()
{
    struct TScratch
    {
        std::string Path;
        ~TScratch()
        {
            std::error_code Ignored;
            std::filesystem::remove_all(Path, Ignored);
        }
    };
    static const TScratch Scratch = []
    {
        const std::filesystem::path Path =
            std::filesystem::temp_directory_path() / ("vendrel-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(Path);
        return TScratch{Path.string()};
    }();
    return Scratch.Path;
}

[[noreturn]] inline void Fail(const char* What, const std::string& Detail = std::string())
{
    std::fprintf(stderr, "fuzz invariant broken: %s %s\n", What, Detail.c_str());
    std::abort();
}
} // namespace Fuzz
