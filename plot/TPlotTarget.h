#pragma once
// Where one picture of the plot goes: its size, margin and arrow size in the device's pixels,
// the background and the font. The screen, the clipboard bitmap, the printer and --render
// all set their canvas up and draw through DrawPlotOn, so the set-up is written once.
#include "plot/TColor.h"

#include <QFont>
#include <QSize>

#include <functional>
#include <optional>

class Exception;
class QPainter;
class TPlotRenderer;

// The margin around the plot area and the arrow size (also the curves' pen width) of the
// picture on screen, on the clipboard and from --render, in pixels.
inline constexpr int ScreenMargin = 5;
inline constexpr int ScreenArrowSize = 3;

struct TPlotTarget
{
    QSize Size; // the picture, in device pixels
    int Margin = ScreenMargin;
    int ArrowSize = ScreenArrowSize;
    TColor Background = clWhite;  // the brush the picture's background is filled with
    std::optional<QFont> Font;    // of the tick numbers; none: the painter's font

    // The picture of the plot surface, of the clipboard and of --render.
    static TPlotTarget Screen(QSize Size, TColor Background, const QFont& Font);
    // A printed page: white, in the printer's own font.
    static TPlotTarget Page(QSize Size, int Margin, int ArrowSize);
};

// Draws the plot on Painter as Target says. Errors leave as they leave DrawPlot.
void DrawPlotOn(QPainter& Painter, TPlotRenderer& Renderer, const TPlotTarget& Target,
                const std::function<void(const Exception&)>& ReportCurveError);
