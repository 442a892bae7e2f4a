#pragma once
// The grid lines and tick numbers of a picture, each axis by its tick rule: the even division
// of the drawable part by the tick count (the program's first rule), or a rule of TAxisTicks
// (round steps, multiples of pi, logarithmic), which also writes every number.
//
// Line I of an evenly divided axis stands at Margin + Round(I x TickPixels); its number is the
// bound plus I steps with the document's Decimals, cut to what fits the picture, 3 pixels right
// of the line just under the x axis and 3 pixels right of the y axis just under the line. A
// number identical to the one just written at the same place adds no pixel and is skipped, so
// huge tick counts stay cheap.
//
// A rule's line at plane value v stands at column Margin + Round((v - Left) x ScaleX) and row
// Margin + Round((Top - v) x ScaleY), the logarithms of v and the bounds in their places on a
// logarithmic axis. Its number is written as the even rule writes it (3 pixels right of the
// line just under the x axis; 3 pixels right of the y axis just under the line), above the x
// axis when that stands on the bottom edge, and left out where it would not lie wholly inside
// the picture.
#include "plot/TAxisTicks.h"

#include <cstdint>
#include <vector>

class TCanvas;
class TPlotModel;
struct TPlotView;

class TTickGrid
{
  public:
    TTickGrid(const TPlotModel& Model, const TPlotView& View, char16_t DecimalSeparator);

    static TTickRule XRuleOf(const TPlotModel& Model);
    static TTickRule YRuleOf(const TPlotModel& Model);

    // In the pen style of the grid and the grid colour; leaves the pen solid.
    void DrawGrid(TCanvas& Canvas, int Width, int Height) const;
    // In the canvas's font and font colour.
    void DrawNumbers(TCanvas& Canvas, int32_t OriginY, int Width, int Height) const;

    // The pixel of a rule's line at plane value v.
    int64_t Column(Float80 v) const;
    int64_t Row(Float80 v) const;

  private:
    // The numbers of the evenly divided x (y) axis.
    void DrawEvenNumbers(TCanvas& Canvas, bool AlongX, int64_t Across) const;

    const TPlotModel& Model;
    const TPlotView& View;
    char16_t Sep;
    TTickRule RuleX, RuleY;
    // The lines of the axes that follow a rule, worked out once for grid and numbers.
    std::vector<TTick> TicksX, TicksY;
};
