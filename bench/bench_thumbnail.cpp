// The whole process a file manager runs for a thumbnail: `vendrel --render DOC OUT --size
// 256x256` on scene S (ten graphs, five formulas twice, all dash styles, fills on), wall
// clock from spawn to exit, beside `vendrel --version`, the floor of starting the program
// at all. The target for the thumbnail is 150 ms. The counter cpu_ms is the child's own
// user and system time, which the load of a busy machine does not inflate.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{
constexpr double TargetMs = 150.0;

const char* const SceneS[] = {"Sin(x*0.05)", "x*x-3*x+2", "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)", "1/x",
                              "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2"};

// Scene S as a document, in a fresh temporary folder; returns the folder.
std::string WriteSceneS()
{
    char Folder[] = "/tmp/vendrel-bench-XXXXXX";
    if (!mkdtemp(Folder))
        return {};
    const unsigned Colors[] = {0x0000FF, 0x00A000, 0xFF0000, 0x808000, 0x800080,
                               0x004080, 0x000000, 0x0080FF, 0xFF8000, 0x408040};
    const unsigned Fills[] = {0xC0FFC0, 0xFFE0E0, 0xE0E0FF, 0xE0FFFF, 0xFFFFE0};
    std::ofstream Doc(std::string(Folder) + "/S.vdg", std::ios::binary);
    Doc << "[Main]\r\nFuncCount=10\r\nLeft=0.1\r\nRight=20.1\r\n";
    for (int i = 0; i < 10; ++i)
        Doc << "Func" << i + 1 << '=' << SceneS[i % 5] << "\r\nColor" << i + 1 << '=' << Colors[i] << "\r\nBG"
            << i + 1 << '=' << Fills[i % 5] << "\r\nStyleStr" << i + 1 << '=' << i % 5 << "\r\n";
    return Folder;
}

// Runs the program with Arguments and waits for it, adding its processor time to CpuSeconds;
// false when it cannot start or fails.
bool RunProgram(std::vector<std::string> Arguments, double& CpuSeconds)
{
    Arguments.insert(Arguments.begin(), VENDREL_EXECUTABLE);
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments)
        Argv.push_back(Argument.data());
    Argv.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t Child = 0;
    const int Error = posix_spawn(&Child, Argv[0], &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    int Status = 0;
    rusage Usage{};
    if (Error != 0 || wait4(Child, &Status, 0, &Usage) != Child)
        return false;
    CpuSeconds += double(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
                  double(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) * 1e-6;
    return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

void Process(benchmark::State& State, const std::vector<std::string>& Arguments)
{
    double CpuSeconds = 0;
    for (auto _ : State)
    {
        const auto Start = std::chrono::steady_clock::now();
        if (!RunProgram(Arguments, CpuSeconds))
        {
            State.SkipWithError("vendrel failed");
            return;
        }
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    State.counters["cpu_ms"] = CpuSeconds * 1e3 / double(State.iterations());
}

void Register(const std::string& Folder)
{
    benchmark::RegisterBenchmark("Thumbnail/Process/Version",
                                 [](benchmark::State& State) { Process(State, {"--version"}); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.5);
    benchmark::RegisterBenchmark("Thumbnail/Process/S/256x256",
                                 [=](benchmark::State& State) {
                                     Process(State, {"--render", Folder + "/S.vdg", Folder + "/S.png",
                                                     "--size", "256x256", "--filled"});
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
}
} // namespace

int main(int argc, char** argv)
{
    const std::string Folder = WriteSceneS();
    if (Folder.empty())
        return 1;
    Register(Folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove((Folder + "/S.png").c_str());
    std::remove((Folder + "/S.vdg").c_str());
    std::remove(Folder.c_str());
    std::printf("target for the thumbnail process: %.0f ms\n", TargetMs);
    return 0;
}
