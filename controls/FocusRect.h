#pragma once
// The dotted, inverting outline that marks focus and the zoom rubber band.
#include <QRect>

class QPainter;

// Inverts every other pixel along the edges of Rect (the pixels whose x + y is even),
// so the outline shows on any background. Drawing the same outline twice restores the
// picture. An empty Rect draws nothing; pixels outside the painter's device are skipped.
void DrawFocusRect(QPainter& Painter, const QRect& Rect);
