#pragma once
// Where one picture of the plot goes: its size, margin and arrow size in the device's pixels,
// the scale of the device's pixels, the background and the font. The screen, the clipboard
// bitmap, the printer and --render all set their canvas up and draw through DrawPlotOn, so
// the set-up is written once.
//
// On a device of Scale device pixels per logical pixel (a high-density screen has 2) the
// picture is drawn in device pixels, one evaluation per device column, with every pixel
// measure of the ordinary picture times Scale: margin, arrow size and so the curves' pen
// width and dashes, the thickness and dashes of grid, arrows and axes, the offsets and the
// font of the tick numbers. At Scale 1 every measure is the ordinary one.
#include "plot/TColor.h"

#include <QFont>
#include <QSize>

#include <functional>
#include <optional>

class Exception;
class QPainter;
class TPaintBudget;
class TPlotRenderer;

// The margin around the plot area and the arrow size (also the curves' pen width) of the
// picture on screen, on the clipboard and from --render, in logical pixels.
inline constexpr int ScreenMargin = 5;
inline constexpr int ScreenArrowSize = 3;

struct TPlotTarget
{
    QSize Size; // the picture, in device pixels
    int Margin = ScreenMargin;
    int ArrowSize = ScreenArrowSize;
    double Scale = 1;            // device pixels per logical pixel
    TColor Background = clWhite; // the brush the picture's background is filled with
    std::optional<QFont> Font;   // of the tick numbers, at Scale 1; none: the painter's font

    // The picture of the plot surface, of the clipboard and of --render: Size device pixels
    // at Scale, margin and arrow size scaled from the screen's.
    static TPlotTarget Screen(QSize Size, double Scale, TColor Background, const QFont& Font);
    // A printed page: white, in the printer's own font, measures in printer dots.
    static TPlotTarget Page(QSize Size, int Margin, int ArrowSize);
};

// The device pixels that cover a picture of LogicalSize at Scale (every partly covered
// pixel counted).
QSize DeviceSize(QSize LogicalSize, double Scale);

// Font at Scale times its size.
QFont ScaledFont(QFont Font, double Scale);

// Draws the plot on Painter as Target says. Errors leave as they leave DrawPlot, and so do
// a Budget and Continue.
void DrawPlotOn(QPainter& Painter, TPlotRenderer& Renderer, const TPlotTarget& Target,
                const std::function<void(const Exception&)>& ReportCurveError,
                const TPaintBudget* Budget = nullptr, bool Continue = false);
