#pragma once
// The mapping between the plane and the pixels of one drawing, computed afresh from the
// model's bound texts at the start of every DrawPlot (and by anyone else who needs to turn
// a pixel into a plane point, such as the mouse zoom).
#include "expr/Float80.h"
#include "plot/Errors.h"

#include <cstdint>

class TPlotModel;

// Round to the nearest integer, ties to even, in 64 bits. A value outside the 64-bit range
// raises EInvalidOp, as the processor's integer conversion does.
int64_t Round64(Float80 Value);

// Margin + Offset as a 32-bit pixel position; EViewRangeError when it does not fit.
int32_t PixelPosition(int64_t Margin, int64_t Offset);

// Curve rows are clamped to this distance from row 0, so far-off points stay drawable.
inline constexpr int64_t CurveRowClamp = 10000;

struct TPlotView
{
    Float80 Left = 0, Right = 0, Top = 0, Bottom = 0;
    Float80 TickStepX = 0; // plane units per grid division along x
    Float80 TickStepY = 0;
    int64_t InnerWidth = 0; // drawable pixels between the margins
    int64_t InnerHeight = 0;
    Float80 ScaleX = 0; // pixels per plane unit
    Float80 ScaleY = 0;
    int32_t OriginX = 0;     // pixel column of x = 0
    Float80 TickPixelsX = 0; // pixels per grid division (not rounded)
    Float80 TickPixelsY = 0;
    int32_t Margin = 0;
    // Curve rows lie within -RowClamp .. RowClamp: CurveRowClamp in the ordinary picture's
    // pixels, scaled with the picture's other pixel measures.
    int64_t RowClamp = CurveRowClamp;
    // Logarithmic axes: the column (row) then maps to the decimal logarithm of x (y), and
    // ScaleX (ScaleY) is pixels per decade, counted from LogLeft (LogTop). The y axis of a
    // logarithmic x stands on the left edge, the x axis of a logarithmic y on the bottom edge.
    bool LogX = false, LogY = false;
    Float80 LogLeft = 0, LogTop = 0;

    // Converts the bound texts (Left, Right, Top, Bottom, in this order) and computes the
    // table in its documented order, so the first failing step decides the error:
    // EConvertError for a text that is not a number, EZeroDivide for a zero tick count or
    // an empty range, EViewRangeError for an origin beyond 32 bits or a logarithmic axis
    // whose bounds are not both positive. With equal scales (on linear axes) the shorter
    // direction is first widened about its centre, and the bounds are the widened ones.
    static TPlotView Compute(const TPlotModel& Model, int Width, int Height, int Margin,
                             char16_t DecimalSeparator);

    // The pixel row of y = 0. Kept apart from Compute because the renderer computes it at
    // its own steps, after part of the picture may already be drawn.
    int32_t OriginY() const;

    // Plane x of pixel column Px.
    Float80 PlaneX(int64_t Px) const;
    // Plane y of pixel row Py, OriginY being OriginY().
    Float80 PlaneY(int64_t Py, int32_t OriginY) const;
    // The column of plane x, and the row of plane y, not rounded. What a logarithmic axis
    // cannot show (0 or below) lies infinitely far left or down.
    Float80 ColumnAt(Float80 x) const;
    Float80 RowAt(Float80 y, int32_t OriginY) const;
    // The row of plane y as curves and fills round it: OriginY - Round(y * ScaleY) on a
    // linear axis, Margin + Round((LogTop - log10 y) * ScaleY) on a logarithmic one, where 0
    // and below give INT64_MAX (infinitely far down). The difference may leave 64 bits only on
    // a linear axis, and is then reported by Overflow.
    int64_t RowOf(Float80 y, int32_t OriginY, bool& Overflow) const;
};
