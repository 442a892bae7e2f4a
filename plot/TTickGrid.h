#pragma once
// The grid lines and tick numbers of a picture whose axes follow the tick rules of
// TAxisTicks (round steps, multiples of pi, logarithmic). The renderer draws the evenly
// divided grid itself; it hands the grid and the numbers here whenever an option gives an
// axis another rule, and an axis that keeps the even rule is drawn here exactly as there.
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

    // Whether any axis follows another rule than the even one.
    bool Applies() const { return RuleX != TTickRule::Even || RuleY != TTickRule::Even; }
    TTickRule XRule() const { return RuleX; }
    TTickRule YRule() const { return RuleY; }
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
    const TPlotModel& Model;
    const TPlotView& View;
    char16_t Sep;
    TTickRule RuleX, RuleY;
    // The lines of the axes that follow a rule, worked out once for grid and numbers.
    std::vector<TTick> TicksX, TicksY;
};
