#pragma once
// The status bar's readout: while the mouse is over the plot, the plane point under it and the
// selected graph's value there, with the trace marker on the graph; nothing once the mouse has
// left. It reads again whenever the surface draws a new picture (an animation tick, a zoom) or
// the view moves under a resting mouse, and never asks for a drawing itself. When asked
// (View > Show Tangent), the marker carries the tangent through the graph's point.
#include "plot/TPlotReadout.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QStatusBar;
class TGraphEvaluator;
class TPlotModel;
class TTraceMarker;
class TWindowBox;

class TStatusReadout : public QObject
{
    Q_OBJECT

  public:
    // SelectedGraph gives the index of the graph the readout follows.
    TStatusReadout(TWindowBox& Box, QStatusBar& Bar, const TPlotModel& Model, TGraphEvaluator& Evaluator,
                   std::function<int()> SelectedGraph);

    void MouseAt(QPoint Pos);
    void MouseLeft();
    // Reads again at the last mouse position (the model changed under it).
    void Refresh();
    void SetShowTangent(bool Show);

  private:
    TWindowBox& Box;
    QStatusBar& Bar;
    TPlotReadout Readout;
    std::function<int()> SelectedGraph;
    TTraceMarker* FMarker;
    std::optional<QPoint> Mouse;
    bool ShowTangent = false;
};
