#pragma once
// The point of a curve s -> (column, row) nearest a pixel, as the status bar reads parametric
// and polar curves: the curve is sampled evenly over s from S0 to S1 at Samples + 1 points, and
// the nearest sample refined by a golden-section search between its neighbours.
#include "expr/Float80.h"

#include <QPoint>

#include <functional>
#include <optional>

// The curve's point at s in device pixels, or none where it is undefined or off the numbers.
struct TCurvePixel
{
    Float80 Column = 0, Row = 0;
};
using TCurvePixelAt = std::function<std::optional<TCurvePixel>(Float80 S)>;

inline constexpr int NearestOnCurveSamples = 2048;

// The s of the point nearest Pixel; none when no sample has a point.
std::optional<Float80> NearestOnCurve(const TCurvePixelAt& At, Float80 S0, Float80 S1, QPoint Pixel);
