// The cost of one full paint: four animated graphs with fills and five motion-blur frames
// on a 1000 x 1000 picture, through DrawPlot and QPainter. Beside it, the same number of
// evaluations of the four formulas as native long double code, without drawing: how far
// the paint is from what the arithmetic alone costs.
#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
constexpr int Side = 1000;
constexpr int Margin = 5;
constexpr int Graphs = 4;
constexpr int Frames = 5;
constexpr float TimeIncrement = 0.05f;

const char* const Formulas[Graphs] = {
    "Sin(x*t)*5",
    "Cos(x*t+1)*3",
    "Sin(x+t)*x/2",
    "Cos(x*x*t)*4",
};

long double NativeFormula(int Index, long double x, long double t)
{
    switch (Index)
    {
    case 0:
        return std::sin(x * t) * 5;
    case 1:
        return std::cos(x * t + 1) * 3;
    case 2:
        return std::sin(x + t) * x / 2;
    default:
        return std::cos(x * x * t) * 4;
    }
}

// Evaluations of one paint without gaps: per graph and frame, the fill evaluates every column
// from margin to margin, the curve every column but the first.
constexpr double EvaluationsPerPaint =
    double(Graphs) * Frames * ((Side - 2 * Margin + 1) + (Side - 2 * Margin));

TPlotModel Scene()
{
    TPlotModel Model;
    std::vector<TFunc> Funcs;
    for (int i = 0; i < Graphs; ++i)
    {
        TFunc Graph(QString::fromLatin1(Formulas[i]));
        Graph.Color = 0x0000FF << (8 * (i % 3));
        Graph.BGColor = 0xC0FFC0;
        Graph.Style = i;
        Funcs.push_back(Graph);
    }
    Model.FuncList.Assign(Funcs);
    Model.TimeText = QStringLiteral("1");
    Model.FilledGraphs = true;
    Model.MotionBlur = true;
    Model.FramesCount = Frames;
    Model.TimeIncrement = TimeIncrement;
    Model.GraphsEnabled = true;
    return Model;
}

void PaintQPainter(benchmark::State& State)
{
    TPlotModel Model = Scene();
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(Side, Side, QImage::Format_RGB32);
    for (auto _ : State)
    {
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        Renderer.DrawPlot(Canvas, Side, Side, Margin, 3,
                          [&](const Exception& Error) { State.SkipWithError(Error.Message()); });
        benchmark::DoNotOptimize(Image.constBits());
    }
    State.counters["evaluations"] =
        benchmark::Counter(EvaluationsPerPaint * double(State.iterations()), benchmark::Counter::kIsRate);
}

void PaintNativeLongDouble(benchmark::State& State)
{
    for (auto _ : State)
    {
        long double Sum = 0;
        for (int g = 0; g < Graphs; ++g)
            for (int k = 0; k < Frames; ++k)
            {
                const long double t = 1 + k * (long double)TimeIncrement;
                for (int Pass = 0; Pass < 2; ++Pass)
                    for (int px = Margin + Pass; px <= Side - Margin; ++px)
                        Sum += NativeFormula(g, (px - Side / 2) / 49.5L, t);
            }
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["evaluations"] =
        benchmark::Counter(EvaluationsPerPaint * double(State.iterations()), benchmark::Counter::kIsRate);
}
} // namespace

BENCHMARK(PaintQPainter)->Name("Paint/QPainter/S4/1000x1000")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintNativeLongDouble)->Name("Paint/NativeLongDouble/S4/1000x1000")->Unit(benchmark::kMillisecond);

// Text needs a QGuiApplication; the paint needs no display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
