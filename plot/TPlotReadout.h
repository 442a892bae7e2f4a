#pragma once
// What the plot shows under one pixel of the screen's picture: the plane point there and the
// selected graph's reading, written for the status bar, and the pixel of the graph's point for
// the trace marker. The graph's kind reads it (a function in the pixel's column with its slope,
// a parametric curve at its point nearest the pixel, ...), from the same evaluators, compiled
// programs and pixel mapping as the picture, so it is the value the curve was drawn from; a
// reading never draws.
#include <QLineF>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class TCurveEvaluators;
class TGraphEvaluator;
class TPlotModel;

struct TReadout
{
    QString Text;                  // "x = …    y = …    f1(x) = …    f1'(x) = …"; empty: nothing
    std::optional<QPoint> Marker;  // the graph's point in the pixel's column, when the picture
                                   // shows the graphs and the point is on the surface
    std::optional<QLineF> Tangent; // the tangent through the graph's point, where the marker
                                   // stands and the slope is defined
};

class TPlotReadout
{
  public:
    TPlotReadout(const TPlotModel& Model, TGraphEvaluator& Evaluator);
    ~TPlotReadout();

    // The reading at Pixel of a Width x Height picture for graph Graph (0-based). Numbers are
    // in the 15-significant-digit form; where the graph is undefined, or any text cannot be
    // read, the error's message stands in place of the value. Never throws an evaluation error.
    TReadout At(QPoint Pixel, int Width, int Height, int Graph) const;

  private:
    const TPlotModel& Model;
    TGraphEvaluator& Evaluator;
    // The evaluators of every variable, "x" being Evaluator.
    std::unique_ptr<TCurveEvaluators> Evaluators;
};
