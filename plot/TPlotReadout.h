#pragma once
// What the plot shows under one pixel of the screen's picture: the plane point there and the
// selected graph's value at its x, written for the status bar, and the pixel of the graph's
// point in that column for the trace marker. The value comes from the same evaluator, the same
// compiled program and the same pixel mapping as the picture, so it is the value the curve was
// drawn from; one reading costs a run of the program and one with derivatives for the slope,
// never a drawing.
#include <QLineF>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class TCurveReadout;
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
    // Readings of graphs that are not functions, made when first needed.
    mutable std::unique_ptr<TCurveReadout> Curves;
};
