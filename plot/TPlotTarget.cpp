#include "plot/TPlotTarget.h"

#include "plot/TCanvas.h"
#include "plot/TPlotRenderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TPlotTarget TPlotTarget::Screen(QSize Size, double Scale, TColor Background, const QFont& Font)
{
    TPlotTarget Target;
    Target.Size = Size;
    Target.Margin = int(ScaledPixels(ScreenMargin, Scale));
    Target.ArrowSize = int(ScaledPixels(ScreenArrowSize, Scale));
    Target.Scale = Scale;
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

QSize DeviceSize(QSize LogicalSize, double Scale)
{
    // A product a rounding error above a whole number still means that number.
    auto Cover = [Scale](int Side) { return int(std::ceil(double(Side) * Scale - 1e-9)); };
    return QSize(Cover(LogicalSize.width()), Cover(LogicalSize.height()));
}

QFont ScaledFont(QFont Font, double Scale)
{
    if (Scale == 1)
        return Font;
    if (Font.pixelSize() > 0)
        Font.setPixelSize(std::max(1, int(std::lround(Font.pixelSize() * Scale))));
    else
        Font.setPointSizeF(Font.pointSizeF() * Scale);
    return Font;
}

void DrawPlotOn(QPainter& Painter, TPlotRenderer& Renderer, const TPlotTarget& Target,
                const std::function<void(const Exception&)>& ReportCurveError, const TPaintBudget* Budget,
                bool Continue)
{
    TCanvas Canvas(Painter);
    Canvas.SetScale(Target.Scale);
    Canvas.SetBrushColor(Target.Background);
    if (Target.Font || Target.Scale != 1)
        Canvas.SetFont(ScaledFont(Target.Font.value_or(Canvas.Font()), Target.Scale));
    Renderer.DrawPlot(Canvas, Target.Size.width(), Target.Size.height(), Target.Margin, Target.ArrowSize,
                      ReportCurveError, Budget, Continue);
}
