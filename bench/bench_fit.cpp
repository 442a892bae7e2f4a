// Data sets and fits at their largest sizes:
//  - a 5-parameter fit, a*Exp(-b*x) + c*Sin(d*x + e), to 10,000 points, from a start some
//    per cent off; beside it the native baseline: the same Eigen Levenberg-Marquardt on the
//    same model written in C++ with its analytic Jacobian (no evaluator, no exact polish);
//  - reading 1,000,000 rows of "x,y" text (guess and read); beside it strtold on each field;
//  - drawing 1,000,000 markers at 1920x1080 (target: 50 ms) and the line joining them;
//    beside the markers, QPainter::drawPoints of the same points (one pixel each);
//  - the whole paint (grid, axes, numbers and a points graph of 1,000,000 points) at 1920x1080,
//    beside the same paint without the points graph;
//  - a document of 1,000,000 points saved and read, of data as a file gives them (short
//    decimals) and of long doubles of every binade (hexadecimal), with its size.
#include "BenchPaintLoop.h"
#include "analysis/TDelimitedText.h"
#include "analysis/TLeastSquaresFit.h"
#include "plot/TCanvas.h"
#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPlotRenderer.h"

#include <Eigen/Dense>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <unsupported/Eigen/NonLinearOptimization>

#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr long double Truth[5] = {2.5L, 0.3L, 0.75L, 2.0L, 0.5L};
constexpr long double Start[5] = {2.4L, 0.31L, 0.7L, 2.02L, 0.45L};
constexpr int FitPoints = 10'000;

long double Model(long double x, const long double* p)
{
    return p[0] * std::exp(-p[1] * x) + p[2] * std::sin(p[3] * x + p[4]);
}

TDataTable FitData()
{
    std::mt19937 Random(5);
    std::normal_distribution<double> Noise(0, 0.01);
    std::vector<TDataPoint> Points;
    std::vector<uint32_t> Lines;
    for (int i = 0; i < FitPoints; ++i)
    {
        const long double x = i * 10.0L / FitPoints;
        Points.push_back({x, Model(x, Truth) + Noise(Random)});
        Lines.push_back(uint32_t(i + 1));
    }
    return TDataTable(std::move(Points), std::move(Lines));
}

void FitFiveParameters(benchmark::State& State)
{
    const TDataTable Data = FitData();
    const std::vector<std::u16string> Names = {u"a", u"b", u"c", u"d", u"e"};
    int Iterations = 0;
    for (auto _ : State)
    {
        TLeastSquaresFit Fit;
        Fit.SetParameters(Names, std::vector<Float80>(Start, Start + 5));
        const TFitResult Result = Fit.Fit(u"a*Exp(-b*x) + c*Sin(d*x + e)", Data, Names);
        if (!Result.Converged())
            State.SkipWithError(Result.Message.c_str());
        Iterations = Result.Iterations;
    }
    State.counters["iterations"] = Iterations;
}

struct TNativeModel
{
    using Scalar = long double;
    using InputType = Eigen::Matrix<long double, Eigen::Dynamic, 1>;
    using ValueType = InputType;
    using JacobianType = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
    const TDataTable& Data;
    int inputs() const { return 5; }
    int values() const { return int(Data.Count()); }
    int operator()(const InputType& p, ValueType& r) const
    {
        for (size_t i = 0; i < Data.Count(); ++i)
            r[Eigen::Index(i)] = Model(Data.Point(i).X, p.data()) - Data.Point(i).Y;
        return 0;
    }
    int df(const InputType& p, JacobianType& J) const
    {
        for (size_t i = 0; i < Data.Count(); ++i)
        {
            const long double x = Data.Point(i).X, e = std::exp(-p[1] * x), s = std::sin(p[3] * x + p[4]),
                              c = std::cos(p[3] * x + p[4]);
            const Eigen::Index k = Eigen::Index(i);
            J(k, 0) = e;
            J(k, 1) = -p[0] * x * e;
            J(k, 2) = s;
            J(k, 3) = p[2] * x * c;
            J(k, 4) = p[2] * c;
        }
        return 0;
    }
};

void NativeFit(benchmark::State& State)
{
    const TDataTable Data = FitData();
    for (auto _ : State)
    {
        TNativeModel Functor{Data};
        Eigen::LevenbergMarquardt<TNativeModel, long double> Minimiser(Functor);
        Eigen::Matrix<long double, Eigen::Dynamic, 1> p(5);
        for (int j = 0; j < 5; ++j)
            p[j] = Start[j];
        Minimiser.minimize(p);
        benchmark::DoNotOptimize(p.data());
    }
}

std::string MillionRows()
{
    std::string Bytes = "x,y\n";
    char Line[64];
    for (int i = 0; i < 1'000'000; ++i)
        Bytes.append(Line,
                     size_t(std::snprintf(Line, sizeof Line, "%.6f,%.9g\n", i * 1e-3, std::sin(i * 1e-3))));
    return Bytes;
}

void ReadMillionRows(benchmark::State& State)
{
    const std::string Bytes = MillionRows();
    for (auto _ : State)
    {
        const TDelimitedText Text(Bytes);
        benchmark::DoNotOptimize(Text.Read(Text.Guess()).Count());
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Bytes.size()));
}

void NativeStrtold(benchmark::State& State)
{
    const std::string Bytes = MillionRows();
    for (auto _ : State)
    {
        std::vector<long double> Values;
        Values.reserve(2'000'000);
        const char* p = Bytes.c_str() + 4;
        char* End = nullptr;
        while (*p)
        {
            Values.push_back(std::strtold(p, &End));
            p = End + 1;
        }
        benchmark::DoNotOptimize(Values.data());
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Bytes.size()));
}

std::vector<QPoint> MillionPositions()
{
    std::mt19937 Random(9);
    std::vector<QPoint> At(1'000'000);
    for (QPoint& p : At)
        p = QPoint(int(Random() % 1920), int(Random() % 1080));
    return At;
}

void DrawMillionMarkers(benchmark::State& State, TMarkerShape Shape)
{
    const std::vector<QPoint> At = MillionPositions();
    QImage Image(1920, 1080, QImage::Format_RGB32);
    const TMarkerPainter Markers(Shape, TMarkerPainter::DefaultSize, 0x0000C0);
    for (auto _ : State)
    {
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        Markers.DrawMarkers(Canvas, At);
    }
}

void DrawMillionPointsWithQPainter(benchmark::State& State)
{
    const std::vector<QPoint> At = MillionPositions();
    QImage Image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : State)
    {
        QPainter Painter(&Image);
        Painter.setPen(QColor(0xC0, 0, 0));
        Painter.drawPoints(At.data(), int(At.size()));
    }
}

void DrawMillionPointJoin(benchmark::State& State)
{
    // A measured signal: the points in order along x, y wandering.
    std::vector<QPoint> At(1'000'000);
    for (int64_t i = 0; i < int64_t(At.size()); ++i)
        At[size_t(i)] = QPoint(int(i * 1920 / int64_t(At.size())),
                               540 + int(400 * std::sin(double(i) * 1e-4)) + int(i * 7919 % 31));
    QImage Image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : State)
    {
        QPainter Painter(&Image);
        TMarkerPainter::DrawJoin(Painter, At, QPen(QColor(0, 0, 0xC0), 1));
    }
}
// A measured signal of a million points over the view -10 .. 10, as a file writes them (x with
// five decimals, y with four) and the import reads them.
std::shared_ptr<const TDataTable> MillionPoints()
{
    std::mt19937 Random(13);
    std::normal_distribution<double> Noise(0, 0.3);
    std::string Text = "x,y\n";
    char Line[64];
    for (int i = 0; i < 1'000'000; ++i)
    {
        const double x = -10 + 20.0 * i / 1e6;
        Text.append(Line, size_t(std::snprintf(Line, sizeof Line, "%.5f,%.4f\n", x,
                                               6 * std::sin(x) + Noise(Random))));
    }
    const TDelimitedText File(Text);
    return std::make_shared<const TDataTable>(File.Read(File.Guess()));
}

// The window's whole paint of a points graph (Shape; none: the picture without it).
void PaintMillionMarkers(benchmark::State& State, int Shape, bool Joined)
{
    TPlotModel Model;
    Model.GraphsEnabled = true;
    if (Shape >= 0)
    {
        TFunc Graph(QStringLiteral("signal"));
        Graph.Kind = TGraphKind::Points;
        Graph.Data = MillionPoints();
        Graph.Marker = TMarkerShape(Shape);
        Graph.Joined = Joined;
        Graph.Color = 0xC00000;
        Model.FuncList.Assign({Graph});
    }
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : State)
        State.SetIterationTime(BenchPaintLoop::TimedPaint(State, Renderer, Image, 5));
}

// A million points in a document, saved and read back; Full: long doubles of every binade.
void PointsDocument(benchmark::State& State, bool Full, bool Read)
{
    std::shared_ptr<const TDataTable> Data = MillionPoints();
    if (Full)
    {
        std::mt19937_64 Random(17);
        std::vector<TDataPoint> Points(Data->Count());
        for (TDataPoint& p : Points)
            for (Float80* v : {&p.X, &p.Y})
            {
                const uint64_t Significand = Random() | (uint64_t(1) << 63);
                const uint16_t Exponent = uint16_t(1 + Random() % 32766);
                std::memcpy(v, &Significand, 8);
                std::memcpy(reinterpret_cast<char*>(v) + 8, &Exponent, 2);
            }
        std::vector<uint32_t> Lines(Points.size());
        for (size_t i = 0; i < Lines.size(); ++i)
            Lines[i] = Data->Line(i);
        Data = std::make_shared<const TDataTable>(std::move(Points), std::move(Lines));
    }
    TPlotModel Model;
    TFunc Graph(QStringLiteral("signal"));
    Graph.Kind = TGraphKind::Points;
    Graph.Data = Data;
    Model.FuncList.Assign({Graph});
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("points.vdg"));
    TDocument::Save(Path, Model);
    for (auto _ : State)
        if (Read)
        {
            TPlotModel Back;
            TDocument::Read(Path, Back);
            if (!Back.FuncList.Item(0).Data || !(*Back.FuncList.Item(0).Data == *Data))
                State.SkipWithError("the points did not come back");
        }
        else
        {
            QFile::remove(Path);
            TDocument::Save(Path, Model);
        }
    State.counters["MB"] = double(QFileInfo(Path).size()) / 1e6;
}
} // namespace

BENCHMARK(FitFiveParameters)->Unit(benchmark::kMillisecond);
BENCHMARK(NativeFit)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadMillionRows)->Unit(benchmark::kMillisecond);
BENCHMARK(NativeStrtold)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawMillionMarkers, Dot, TMarkerShape::Dot)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawMillionMarkers, Circle, TMarkerShape::Circle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawMillionMarkers, Cross, TMarkerShape::Cross)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawMillionPointsWithQPainter)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawMillionPointJoin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintMillionMarkers, NoPoints, -1, false)
    ->Name("Paint/NoPoints/1920x1080")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintMillionMarkers, Dot, 0, false)
    ->Name("Paint/MillionMarkers/Dot/1920x1080")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintMillionMarkers, Circle, 1, false)
    ->Name("Paint/MillionMarkers/Circle/1920x1080")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintMillionMarkers, Joined, 0, true)
    ->Name("Paint/MillionMarkers/DotJoined/1920x1080")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PointsDocument, SaveDecimal, false, false)
    ->Name("PointsDocument/Save/Decimal/1000000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PointsDocument, ReadDecimal, false, true)
    ->Name("PointsDocument/Read/Decimal/1000000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PointsDocument, SaveFull, true, false)
    ->Name("PointsDocument/Save/Full/1000000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PointsDocument, ReadFull, true, true)
    ->Name("PointsDocument/Read/Full/1000000")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
