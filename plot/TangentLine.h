#pragma once
// The part of a straight line that crosses a picture: the tangent that the trace marker
// shows, given by one point and its slope in pixels (rows down per column right, any size,
// a vertical line being a slope beyond the picture's height).
#include "expr/Float80.h"

#include <QLineF>
#include <QPointF>

#include <optional>

// The segment of the line through Through with slope PixelSlope inside the rectangle from
// (-1, -1) to (Width + 1, Height + 1); none when the line misses it or the slope is not finite.
std::optional<QLineF> TangentLine(QPointF Through, Float80 PixelSlope, int Width, int Height);
