#include "plot/TPlotTarget.h"

#include "plot/TCanvas.h"
#include "plot/TPlotRenderer.h"

#include <QPainter>

TPlotTarget TPlotTarget::Screen(QSize Size, TColor Background, const QFont& Font)
{
    TPlotTarget Target;
    Target.Size = Size;
    Target.Background = Background;
    Target.Font = Font;
    return Target;
}

TPlotTarget TPlotTarget::Page(QSize Size, int Margin, int ArrowSize)
{
    TPlotTarget Target;
    Target.Size = Size;
    Target.Margin = Margin;
    Target.ArrowSize = ArrowSize;
    return Target;
}

void DrawPlotOn(QPainter& Painter, TPlotRenderer& Renderer, const TPlotTarget& Target,
                const std::function<void(const Exception&)>& ReportCurveError)
{
    TCanvas Canvas(Painter);
    Canvas.SetBrushColor(Target.Background);
    if (Target.Font)
        Canvas.SetFont(*Target.Font);
    Renderer.DrawPlot(Canvas, Target.Size.width(), Target.Size.height(), Target.Margin, Target.ArrowSize,
                      ReportCurveError);
}
