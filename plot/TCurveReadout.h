#pragma once
// The status bar's reading of a graph that is not a function. A parametric or polar curve is
// read at its point nearest the mouse: the curve is sampled evenly over s from S0 to S1 and the
// nearest sample refined between its neighbours, so the reading names the s of that point. An
// inverse graph is read in the mouse's row, as a function is in its column.
#include "expr/Float80.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TPlotReadout.h"

#include <QPoint>

#include <memory>

class TPlotModel;
struct TPlotView;

class TCurveReadout
{
  public:
    // Samples of the first, even pass.
    static constexpr int Samples = 2048;

    TCurveReadout(const TPlotModel& Model, char16_t DecimalSeparator);
    ~TCurveReadout();

    // Adds the reading of graph Graph at Pixel to r (its text and marker). Y is the plane y of
    // the pixel's row. Never throws an evaluation error: its message stands in the text.
    void Read(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, Float80 Y, int Width,
              int Height, int Graph);

  private:
    void ReadSampled(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, int Width, int Height,
                     int Graph, Float80 T);
    void ReadDerived(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, int Height, int Graph,
                     Float80 T);
    void ReadInverse(TReadout& r, const TPlotView& View, QPoint Pixel, Float80 Y, int Width, int Height,
                     int Graph, Float80 T);

    const TPlotModel& Model;
    char16_t Sep;
    TCurveEvaluators Evaluators;
};
