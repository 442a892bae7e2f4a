#pragma once
// Line styles of the curves: the colour conversion for the curve pen and the drawing of
// one item of the style list, which shows a style as a sample line.
#include "plot/TColor.h"

#include <cstdint>

class QPainter;
class QRect;

// Dash styles of a graph's curve; the style list's item index is the style value.
enum TDashStyle : int32_t
{
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
};

// One channel (0..255) of frame K of FramesCount motion-blur frames, moved towards white by
// K / FramesCount of its distance: c + Round((255 - c) * K / FramesCount).
int LightenChannel(int Channel, int K, int FramesCount);
// The three channels of Color, lightened separately.
TColor LightenColor(TColor Color, int K, int FramesCount);

// Draws item Index of the style list: one line of width 3 in LineColor with dash style
// Index from the item's left edge to its right edge (the platform's Right, one past the
// last column) on the middle row (Top + Bottom) div 2, Bottom again one past the last row.
// ItemRect is an ordinary QRect covering the item's pixels, so Right = right() + 1 and
// Bottom = bottom() + 1. Nothing else is drawn: no background, text or focus mark.
void DrawStyleItem(QPainter& Painter, const QRect& ItemRect, TColor LineColor, int Index);
