#include "plot/TGridAndAxes.h"

#include "plot/TCanvas.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"
#include "plot/TTickGrid.h"

#include <cstdint>

void TGridAndAxes::DrawArrows(TCanvas& Canvas, int32_t OriginY, int Width, int ArrowSize) const
{
    const int64_t a = ArrowSize;
    const int64_t Tip = int64_t(Width) - View.Margin;
    Canvas.MoveTo(Tip, OriginY);
    Canvas.LineTo(Tip - 3 * a, OriginY - a);
    Canvas.MoveTo(Tip, OriginY);
    Canvas.LineTo(Tip - 3 * a, OriginY + a);
    const int64_t Top = View.Margin;
    Canvas.MoveTo(View.OriginX, Top);
    Canvas.LineTo(View.OriginX - a, Top + 3 * a);
    Canvas.MoveTo(View.OriginX, Top);
    Canvas.LineTo(View.OriginX + a, Top + 3 * a);
}

void TGridAndAxes::DrawAxes(TCanvas& Canvas, int32_t OriginY, int Width, int Height) const
{
    Canvas.MoveTo(View.Margin, OriginY);
    Canvas.LineTo(int64_t(Width) - View.Margin, OriginY);
    Canvas.MoveTo(View.OriginX, View.Margin);
    Canvas.LineTo(View.OriginX, int64_t(Height) - View.Margin);
}

void TGridAndAxes::Draw(TCanvas& Canvas, int32_t OriginY, int Width, int Height, int ArrowSize) const
{
    // Grid, arrows and axes are one pixel of the ordinary picture thick; the fills draw one
    // line per device column, one device pixel wide.
    Canvas.SetPenWidth(int(Canvas.Scaled(1)));
    const TTickGrid Ticks(Model, View, Sep);
    if (Model.View.Grid)
        Ticks.DrawGrid(Canvas, Width, Height);
    // Numbers, arrows and axes are black (light on the dark plot) whatever the fills left in
    // the pen.
    Canvas.SetPenColor(InkColor(Model.Options));
    Canvas.SetPenStyle(TPenStyle::Solid);
    if (Model.Options.DarkPlot)
        Canvas.SetFontColor(DarkInk);
    if (Model.View.Numbers)
        Ticks.DrawNumbers(Canvas, OriginY, Width, Height);
    if (Model.View.Arrows)
        DrawArrows(Canvas, OriginY, Width, ArrowSize);
    DrawAxes(Canvas, OriginY, Width, Height);
}
