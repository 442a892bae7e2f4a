// The cost of the frame of a picture (grid, tick numbers, arrow heads and axes) at 1920 x 1080
// on the raster path, with the evenly divided grid the program has always drawn and with round
// grid steps, beside the same paint with grid and numbers switched off: the background fill
// and the axes, which both grids pay alike. No graph is drawn.
//
// The view is the one two wheel notches in from -10 .. 10 leave about an off-centre point, so
// the round grid's numbers have decimals to work out; 20 divisions each way, as at start.
#include "BenchPaintLoop.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace
{
constexpr int Width = 1920, Height = 1080, Margin = 5;

enum class TFrame
{
    Off,   // grid and numbers off: the fill and the axes
    Even,  // the evenly divided grid and its numbers
    Round, // round grid steps and their numbers
};

void Paint(benchmark::State& State, TFrame Frame)
{
    TPlotModel Model;
    Model.LeftText = QStringLiteral("-5.1438");
    Model.RightText = QStringLiteral("7.6561");
    Model.BottomText = QStringLiteral("-4.3712");
    Model.TopText = QStringLiteral("8.4287");
    Model.View.Grid = Model.View.Numbers = Frame != TFrame::Off;
    Model.Options.RoundGrid = Frame == TFrame::Round;
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    for (auto _ : State)
        BenchPaintLoop::TimedPaint(State, Renderer, Image, Margin);
}
} // namespace

// Text needs a QGuiApplication; the paint needs no display.
int main(int argc, char** argv)
{
    return BenchPaintLoop::Main(
        argc, argv,
        []
        {
            for (const auto& [Name, Frame] : {std::pair{"Paint/Raster/GridOff/1920x1080", TFrame::Off},
                                              std::pair{"Paint/Raster/GridEven/1920x1080", TFrame::Even},
                                              std::pair{"Paint/Raster/GridRound/1920x1080", TFrame::Round}})
                benchmark::RegisterBenchmark(Name, [Frame = Frame](benchmark::State& State)
                                             { Paint(State, Frame); })
                    ->Unit(benchmark::kMicrosecond)
                    ->MinTime(0.5);
        });
}
