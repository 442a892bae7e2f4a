// Export speed. Frames per second of an animated WebP and GIF export of scene S at 523 x 523
// (drawing included; the target is 25, so a ten-second animation exports in ten seconds),
// and the PNG writing of `vendrel --render` at 1920 x 1080: the encoding alone, Qt's default
// against the encoder in use, and the whole process against gnuplot drawing the same ten
// functions into a PNG of the same size, with the ratio printed at the end. Memory: the peak
// resident size of the whole process that writes one 4096 x 4096 frame as a WebP, beside a PNG
// of the same picture, in megabytes and in pictures of that size (4 bytes a pixel). Writing: a
// picture's bytes put in place whole by the export's writer, beside Qt's QSaveFile doing the
// same (temporary, flush, rename), for a PNG of S at 1920 x 1080 and a blank 64 x 64 frame.
#include "BenchScenes.h"

#include "export/TAnimationExport.h"
#include "export/TGifWriter.h"
#include "export/TPictureWriter.h"
#include "export/TPlotPicture.h"
#include "export/TPngEncoder.h"
#include "export/TWebPWriter.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace
{
constexpr int AnimationFrames = 25;
std::map<std::string, double> Seconds; // per benchmark, for the ratios printed at the end

TPlotPicture PictureS()
{
    return TPlotPicture(BenchScenes::SceneS(), u'.', clWhite, QFont(QStringLiteral("DejaVu Sans"), 8));
}

void ExportAnimation(benchmark::State& State, bool Gif)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(Gif ? QStringLiteral("s.gif") : QStringLiteral("s.webp"));
    TPlotPicture Picture = PictureS();
    TAnimationPlan Plan;
    Plan.From = 0;
    Plan.Step = 0.05L;
    Plan.To = Plan.Step * (AnimationFrames - 1);
    Plan.Size = QSize(523, 523);
    for (auto _ : State)
    {
        std::unique_ptr<TFrameSink> Sink;
        if (Gif)
            Sink = std::make_unique<TGifWriter>(Path, Plan.Size, 40);
        else
            Sink = std::make_unique<TWebPWriter>(Path, Plan.Size, 40);
        TAnimationExport::Run(Picture, Plan, *Sink, {});
    }
    State.SetItemsProcessed(State.iterations() * AnimationFrames);
    State.counters["frames_per_s"] =
        benchmark::Counter(double(State.iterations()) * AnimationFrames, benchmark::Counter::kIsRate);
    State.counters["file_kB"] = double(QFile(Path).size()) / 1024;
}

const QImage& Picture1080()
{
    static const QImage Image = []
    {
        TPlotPicture Picture = PictureS();
        return Picture.Render(QSize(1920, 1080));
    }();
    return Image;
}

void EncodePng(benchmark::State& State, bool Fast)
{
    const QImage& Image = Picture1080();
    qint64 Size = 0;
    const auto Start = std::chrono::steady_clock::now();
    for (auto _ : State)
    {
        QByteArray Bytes;
        if (Fast)
            Bytes = TPngEncoder::Encode(Image);
        else
        {
            QBuffer Buffer(&Bytes);
            Buffer.open(QIODevice::WriteOnly);
            Image.save(&Buffer, "PNG"); // what --render wrote with before
        }
        Size = Bytes.size();
        benchmark::DoNotOptimize(Bytes.data());
    }
    Seconds[Fast ? "Png/Fast" : "Png/QtDefault"] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count() /
        double(State.iterations());
    State.counters["file_kB"] = double(Size) / 1024;
}

QString WorkFolder();

// The bytes of a PNG, written over the same file again and again: the picture of S at 1920 x
// 1080, or a blank 64 x 64 frame, where the writing's own steps weigh most.
void SavePicture(benchmark::State& State, QSize Size, bool QtSaveFile)
{
    QImage Blank(Size, QImage::Format_RGB32);
    Blank.fill(Qt::white);
    const QByteArray Bytes = TPngEncoder::Encode(Size == Picture1080().size() ? Picture1080() : Blank);
    const QString Path = WorkFolder() + QStringLiteral("/saved.png");
    for (auto _ : State)
    {
        if (!QtSaveFile)
        {
            TPictureWriter::SaveBytes(Bytes, Path);
            continue;
        }
        QSaveFile File(Path);
        if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || File.write(Bytes) != Bytes.size() ||
            !File.commit())
            return State.SkipWithError("QSaveFile failed");
    }
    State.counters["file_kB"] = double(Bytes.size()) / 1024;
}

// One whole process, as a user runs it, timed from start to exit.
void Process(benchmark::State& State, const std::string& Command)
{
    for (auto _ : State)
    {
        const auto Start = std::chrono::steady_clock::now();
        if (std::system(Command.c_str()) != 0)
        {
            State.SkipWithError(("failed: " + Command).c_str());
            return;
        }
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
}

extern "C" char** environ;

// One whole process; its peak resident size in kilobytes, or -1 when it fails.
long PeakKilobytes(const std::vector<std::string>& Arguments)
{
    std::vector<char*> Argv;
    for (const std::string& a : Arguments)
        Argv.push_back(const_cast<char*>(a.c_str()));
    Argv.push_back(nullptr);
    pid_t Child = 0;
    if (posix_spawn(&Child, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0)
        return -1;
    int Status = 0;
    rusage Usage{};
    if (wait4(Child, &Status, 0, &Usage) != Child || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
        return -1;
    return Usage.ru_maxrss;
}

std::string DocumentS();

void FrameMemory(benchmark::State& State, const std::string& Extension)
{
    constexpr int Side = 4096;
    const std::string Size = std::to_string(Side) + "x" + std::to_string(Side);
    std::vector<std::string> Arguments = {
        VENDREL_BINARY, "--render", DocumentS(),    WorkFolder().toStdString() + "/one." + Extension,
        "--size",       Size,       "--time-limit", "600"};
    if (Extension == "webp")
        Arguments.insert(Arguments.end(), {"--from", "0", "--to", "0", "--step", "1"});
    long Peak = 0;
    for (auto _ : State)
        if ((Peak = PeakKilobytes(Arguments)) < 0)
            return State.SkipWithError("the render failed");
    State.counters["peak_MB"] = double(Peak) / 1024;
    State.counters["pictures"] = double(Peak) * 1024 / (4.0 * Side * Side);
}

QString WorkFolder()
{
    static QTemporaryDir Dir;
    return Dir.path();
}

// Scene S as a document; its path.
std::string DocumentS()
{
    const QString Doc = WorkFolder() + QStringLiteral("/ten.vdg");
    QFile File(Doc);
    if (File.open(QIODevice::WriteOnly))
    {
        const TPlotModel Model = BenchScenes::SceneS();
        File.write("[Main]\r\nFuncCount=10\r\nLeft=0.1\r\nRight=20.1\r\n");
        for (int i = 0; i < Model.FuncList.Count(); ++i)
        {
            const TFunc& f = Model.FuncList.Item(i);
            File.write(QStringLiteral("Func%1=%2\r\nColor%1=%3\r\nBG%1=%4\r\nStyleStr%1=%5\r\n")
                           .arg(i + 1)
                           .arg(f.Func)
                           .arg(f.Color)
                           .arg(f.BGColor)
                           .arg(f.Style)
                           .toUtf8());
        }
    }
    return Doc.toStdString();
}

std::string VendrelCommand()
{
    return std::string(VENDREL_BINARY) + " --render " + DocumentS() + " " + WorkFolder().toStdString() +
           "/vendrel.png --size 1920x1080 --filled 2>/dev/null";
}

std::string GnuplotCommand()
{
    const std::string Script = WorkFolder().toStdString() + "/ten.gp";
    if (FILE* f = std::fopen(Script.c_str(), "w"))
    {
        std::fprintf(f,
                     "set terminal pngcairo size 1920,1080\nset output '%s/gnuplot.png'\n"
                     "set samples 1910\nset xrange [0.1:20.1]\nset yrange [-10:10]\nset grid\n"
                     "f1(x)=sin(x*0.05)\nf2(x)=x*x-3*x+2\nf3(x)=sqrt(abs(x))*cos(3*x)+exp(-x*x)\n"
                     "f4(x)=1/x\nf5(x)=sin(x)/x+log(abs(x)+1)-tanh(x*0.5)*2\n"
                     "plot f1(x), f2(x), f3(x), f4(x), f5(x), f1(x), f2(x), f3(x), f4(x), f5(x)\n",
                     WorkFolder().toStdString().c_str());
        std::fclose(f);
    }
    return "gnuplot " + Script + " 2>/dev/null";
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    benchmark::RegisterBenchmark("Export/WebP/S/523x523",
                                 [](benchmark::State& s) { ExportAnimation(s, false); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Export/GIF/S/523x523",
                                 [](benchmark::State& s) { ExportAnimation(s, true); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Png/QtDefault/S/1920x1080",
                                 [](benchmark::State& s) { EncodePng(s, false); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Png/Fast/S/1920x1080", [](benchmark::State& s) { EncodePng(s, true); })
        ->Unit(benchmark::kMillisecond);
    for (const QSize Size : {QSize(1920, 1080), QSize(64, 64)})
        for (const bool QtSaveFile : {false, true})
            benchmark::RegisterBenchmark(
                QStringLiteral("Save/%1/%2x%3")
                    .arg(QtSaveFile ? QStringLiteral("QSaveFile") : QStringLiteral("WholeFile"))
                    .arg(Size.width())
                    .arg(Size.height())
                    .toStdString()
                    .c_str(),
                [=](benchmark::State& s) { SavePicture(s, Size, QtSaveFile); })
                ->Unit(benchmark::kMicrosecond);
    for (const char* Extension : {"webp", "png"})
        benchmark::RegisterBenchmark((std::string("Memory/") + Extension + "/S/4096x4096").c_str(),
                                     [=](benchmark::State& s) { FrameMemory(s, Extension); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    const std::string Vendrel = VendrelCommand(), Gnuplot = GnuplotCommand();
    benchmark::RegisterBenchmark("Render/Vendrel/S/1920x1080",
                                 [=](benchmark::State& s) { Process(s, Vendrel); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("Render/Gnuplot/S/1920x1080",
                                 [=](benchmark::State& s) { Process(s, Gnuplot); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);

    // Process times are kept by a reporter beside the console's.
    struct TKeepTimes : benchmark::ConsoleReporter
    {
        void ReportRuns(const std::vector<Run>& Runs) override
        {
            ConsoleReporter::ReportRuns(Runs);
            // One figure per process: the run's, or with repetitions their median.
            for (const Run& r : Runs)
                if (r.run_name.str().rfind("Render/", 0) == 0 &&
                    (r.run_type == Run::RT_Iteration || r.aggregate_name == "median"))
                    Seconds[r.run_name.str()] = r.GetAdjustedRealTime() / 1e3;
        }
    } Reporter;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();

    auto Get = [](const char* Prefix)
    {
        for (const auto& [Name, Value] : Seconds)
            if (Name.rfind(Prefix, 0) == 0)
                return Value;
        return 0.0;
    };
    const double Old = Get("Png/QtDefault"), New = Get("Png/Fast"), Whole = Get("Render/Vendrel"),
                 Peer = Get("Render/Gnuplot");
    if (Old > 0 && New > 0 && Whole > 0)
    {
        const double Before = Whole - New + Old; // the same process with Qt's default encoding
        std::printf("PNG encoding: %.1f ms -> %.1f ms; whole --render %.1f ms, %.1f ms before (encoding "
                    "%.0f%% of it); "
                    "target %.1f ms\n",
                    Old * 1e3, New * 1e3, Whole * 1e3, Before * 1e3, 100 * Old / Before,
                    (Before - Old / 2) * 1e3);
    }
    if (Whole > 0 && Peer > 0)
        std::printf("vendrel --render / gnuplot (same ten functions, 1920x1080 PNG): %.2f\n", Whole / Peer);
    return 0;
}
