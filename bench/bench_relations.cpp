// Relations classified pixel by pixel (TRelationClassifier) at 1920x1080 over x in
// [-3.75, 3.75], y in [-2.109375, 2.109375] (pixels of 2^-8 each way): the circle, the four-petal
// rose and Sin(x*x+y*y) = Cos(x*y), each classified in full on one thread and on two (the
// paint's helper lane taking every other band); and the work of one animation tick of
// x*x+y*y = 1+t, a new relation each tick classified down to a coarse level (blocks of 8 or 4
// pixels, or single pixels without their parts). Beside them, the native baseline: what a
// plotter that samples does, f(x, y) = left - right at every pixel corner in long double and a
// mark where the sign changes (no proofs; it loses |x - y| = 0 and draws walls at poles).
// Targets: the circle fully decided within 40 ms, a tick within 40 ms at a coarse level.
//
// Through the real paint (a relation graph drawn by the renderer into a 1920x1080 image, with
// grid, numbers and axes): the circle, the rose and Sin(x*x+y*y) = Cos(x*y) (the helper lane
// sharing the classification), and one animation tick of x*x+y*y = 1+t, a new time each
// paint, without motion blur and with a trail of 5 frames 0.05 apart (five relations a tick,
// computed on the paint's two lanes); the screen's first 100 ms slice of the rose and of
// Sin(x*x+y*y) = Cos(x*y); beside them the same picture without a graph.
#include "BenchPaintLoop.h"

#include "analysis/TRelationClassifier.h"
#include "plot/TFunc.h"
#include "plot/TGraphEvaluator.h"
#include "plot/THelperLane.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotModel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
constexpr int Width = 1920, Height = 1080;
constexpr TRelationView View{-3.75L, 3.75L, -2.109375L, 2.109375L};

const char16_t* Circle = u"x*x+y*y = 1";
const char16_t* Rose = u"Power(x*x+y*y, 3) = 27*x*x*y*y";
const char16_t* Waves = u"Sin(x*x+y*y) = Cos(x*y)";

TRelationInput InputOf(const char16_t* Formula, Float80 Time = 0)
{
    TRelationInput Input;
    Input.Formula = Formula;
    Input.Time = Time;
    return Input;
}

void Count(benchmark::State& State, const TRelationClassifier& C)
{
    size_t Undecided = 0;
    for (TPixelClass p : C.Pixels())
        Undecided += p == TPixelClass::Undecided;
    State.counters["undecided%"] = 100.0 * double(Undecided) / double(C.Pixels().size());
}

void Full(benchmark::State& State, const char16_t* Formula)
{
    for (auto _ : State)
    {
        TRelationClassifier C(InputOf(Formula), View, Width, Height);
        C.Refine();
        State.PauseTiming();
        Count(State, C);
        State.ResumeTiming();
    }
}

// Level by level, the helper lane takes the odd bands while this thread does the even ones.
void TwoLanes(benchmark::State& State, const char16_t* Formula)
{
    THelperLane Helper;
    for (auto _ : State)
    {
        TRelationClassifier C(InputOf(Formula), View, Width, Height);
        for (int Level = 0; Level <= TRelationClassifier::FinestLevel; ++Level)
        {
            const THelperLane::TWait Done(Helper, Helper.Post(
                                                      [&C]
                                                      {
                                                          for (int Band = 1; Band < C.BandCount(); Band += 2)
                                                              C.RefineBand(Band, 1);
                                                      }));
            for (int Band = 0; Band < C.BandCount(); Band += 2)
                C.RefineBand(Band, 0);
        }
    }
}

// One animation tick: the relation at a new time, read and classified down to Level.
void Tick(benchmark::State& State, int Level)
{
    Float80 T = 0;
    for (auto _ : State)
    {
        TRelationClassifier C(InputOf(u"x*x+y*y = 1+t", T), View, Width, Height);
        C.Refine(Level);
        T = T >= 2 ? 0 : T + 0.05L; // radii from 1 to 1.73, inside the view
        State.PauseTiming();
        Count(State, C);
        State.ResumeTiming();
    }
}

// The native baseline: signs of left - right at the pixel corners, a mark where they change.
template <typename TFunction> void NativeSampling(benchmark::State& State, TFunction F)
{
    std::vector<signed char> Signs(size_t(Width + 1) * (Height + 1));
    std::vector<unsigned char> Marked(size_t(Width) * Height);
    for (auto _ : State)
    {
        for (int r = 0; r <= Height; ++r)
            for (int c = 0; c <= Width; ++c)
            {
                const long double x = View.X0 + (View.X1 - View.X0) * c / Width;
                const long double y = View.Y1 - (View.Y1 - View.Y0) * r / Height;
                const long double v = F(x, y);
                Signs[size_t(r) * (Width + 1) + size_t(c)] = v > 0 ? 1 : v < 0 ? -1 : 0;
            }
        for (int r = 0; r < Height; ++r)
            for (int c = 0; c < Width; ++c)
            {
                const size_t i = size_t(r) * (Width + 1) + size_t(c);
                const int s = Signs[i] + Signs[i + 1] + Signs[i + Width + 1] + Signs[i + Width + 2];
                Marked[size_t(r) * Width + size_t(c)] = s != 4 && s != -4;
            }
        benchmark::DoNotOptimize(Marked.data());
    }
}
} // namespace

BENCHMARK_CAPTURE(Full, Circle, Circle)
    ->Name("Relations/Full/Circle/1920x1080")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Full, Rose, Rose)->Name("Relations/Full/Rose/1920x1080")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Full, Waves, Waves)->Name("Relations/Full/SinCos/1920x1080")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TwoLanes, Circle, Circle)
    ->Name("Relations/TwoLanes/Circle/1920x1080")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TwoLanes, Rose, Rose)
    ->Name("Relations/TwoLanes/Rose/1920x1080")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TwoLanes, Waves, Waves)
    ->Name("Relations/TwoLanes/SinCos/1920x1080")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Tick, Blocks8, TRelationClassifier::PixelLevel - 3)
    ->Name("Relations/Tick/Circle1+t/1920x1080/Blocks8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Tick, Blocks4, TRelationClassifier::PixelLevel - 2)
    ->Name("Relations/Tick/Circle1+t/1920x1080/Blocks4")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Tick, Pixels, TRelationClassifier::PixelLevel)
    ->Name("Relations/Tick/Circle1+t/1920x1080/Pixels")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NativeSampling, Circle, [](long double x, long double y) { return x * x + y * y - 1; })
    ->Name("Relations/NativeSampling/Circle/1920x1080")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NativeSampling, Rose,
                  [](long double x, long double y)
                  {
                      const long double s = x * x + y * y;
                      return s * s * s - 27 * x * x * y * y;
                  })
    ->Name("Relations/NativeSampling/Rose/1920x1080")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NativeSampling, Waves,
                  [](long double x, long double y) { return std::sin(x * x + y * y) - std::cos(x * y); })
    ->Name("Relations/NativeSampling/SinCos/1920x1080")
    ->Unit(benchmark::kMillisecond);

namespace
{
TPlotModel PaintModel(const char16_t* Formula, int Frames)
{
    TPlotModel m;
    TFunc Graph{QString::fromStdU16String(Formula)};
    Graph.Kind = TGraphKind::Relation;
    Graph.Color = 0x0000FF;
    m.FuncList.Assign({Graph});
    m.LeftText = QStringLiteral("-3.75");
    m.RightText = QStringLiteral("3.75");
    m.BottomText = QStringLiteral("-2.109375");
    m.TopText = QStringLiteral("2.109375");
    m.MotionBlur = Frames > 1;
    m.FramesCount = Frames;
    m.TimeIncrement = 0.05f;
    m.GraphsEnabled = true;
    return m;
}

// The whole picture, the same each paint (nothing kept from one paint to the next but the
// renderer's tools, as on the screen); beside it the picture without a graph.
void PaintWhole(benchmark::State& State, const char16_t* Formula, bool WithGraph)
{
    TPlotModel Model = PaintModel(Formula, 1);
    Model.GraphsEnabled = WithGraph;
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Seconds = 0;
    for (auto _ : State)
        Seconds += BenchPaintLoop::TimedPaint(State, Renderer, Image, 5);
    State.counters["ms"] = 1000 * Seconds / double(State.iterations());
}

// One animation tick: the time moves on and the whole picture is drawn anew.
void PaintTick(benchmark::State& State, int Frames)
{
    TPlotModel Model = PaintModel(u"x*x+y*y = 1+t", Frames);
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Seconds = 0;
    int Tick = 0;
    for (auto _ : State)
    {
        Model.TimeText = QString::number(0.05 * (Tick++ % 40), 'f', 2);
        Seconds += BenchPaintLoop::TimedPaint(State, Renderer, Image, 5);
    }
    State.counters["ms"] = 1000 * Seconds / double(State.iterations());
}

// The screen's first slice: a paint under a budget of 100 ms, which leaves when the budget is
// spent (or the picture is done).
void FirstSlice(benchmark::State& State, const char16_t* Formula)
{
    TPlotModel Model = PaintModel(Formula, 1);
    TGraphEvaluator Evaluator(u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    double Seconds = 0;
    int Unfinished = 0;
    for (auto _ : State)
    {
        TPlotRenderer Renderer(Model, Evaluator, u'.');
        const auto Start = std::chrono::steady_clock::now();
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        const TPaintBudget Budget(std::chrono::milliseconds(100));
        try
        {
            Renderer.DrawPlot(
                Canvas, Width, Height, 5, 3, [](const Exception&) {}, &Budget);
        }
        catch (const EPaintAbandoned&)
        {
            ++Unfinished;
        }
        Seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    }
    State.counters["ms"] = 1000 * Seconds / double(State.iterations());
    State.counters["unfinished"] = double(Unfinished) / double(State.iterations());
}
} // namespace

int main(int argc, char** argv)
{
    return BenchPaintLoop::Main(
        argc, argv,
        []
        {
            for (const auto& [Name, Formula] :
                 {std::pair{"Circle", Circle}, {"Rose", Rose}, {"SinCos", Waves}})
                benchmark::RegisterBenchmark(
                    (std::string("Relations/Paint/Raster/") + Name + "/1920x1080").c_str(), PaintWhole,
                    Formula, true)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->MinTime(0.5);
            benchmark::RegisterBenchmark("Relations/Paint/Raster/FirstSlice/Rose/1920x1080", FirstSlice, Rose)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Relations/Paint/Raster/FirstSlice/SinCos/1920x1080", FirstSlice,
                                         Waves)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Relations/Paint/Raster/NoGraph/1920x1080", PaintWhole, Circle,
                                         false)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Relations/Paint/Raster/Tick/Circle1+t/1920x1080", PaintTick, 1)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
            benchmark::RegisterBenchmark("Relations/Paint/Raster/Tick/Circle1+t/Blur5/1920x1080", PaintTick,
                                         5)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
        });
}
