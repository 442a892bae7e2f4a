#pragma once
// The paint's grid, tick numbers, arrow heads and axes, drawn over the fills and under the
// curves. The grid and its numbers, by each axis's tick rule, come from TTickGrid.
#include <cstdint>

class TCanvas;
class TPlotModel;
struct TPlotView;

class TGridAndAxes
{
  public:
    TGridAndAxes(const TPlotModel& Model, const TPlotView& View, char16_t DecimalSeparator)
        : Model(Model), View(View), Sep(DecimalSeparator)
    {
    }

    void Draw(TCanvas& Canvas, int32_t OriginY, int Width, int Height, int ArrowSize) const;

  private:
    void DrawArrows(TCanvas& Canvas, int32_t OriginY, int Width, int ArrowSize) const;
    void DrawAxes(TCanvas& Canvas, int32_t OriginY, int Width, int Height) const;

    const TPlotModel& Model;
    const TPlotView& View;
    char16_t Sep;
};
