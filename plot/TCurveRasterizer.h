#pragma once
// Draws the curves' wide polylines straight into 32-bit image memory, setting exactly the
// pixels that QPainter's raster engine sets for QPainter::drawPolyline(const QPoint*, int)
// with the same pen on an unclipped, untransformed, non-antialiased painter.
//
// The raster engine strokes a polyline in three steps, and each is repeated here with the
// same floating-point operations in the same order:
//  1. dashing: the polyline is cut into dash sub-polylines along its length (segments wholly
//     outside the device, padded, only advance the pattern);
//  2. stroking (TCurveStroker): each sub-polyline becomes a closed outline: the side offset
//     by half the width to one hand, a flat cap, the other side back, a flat cap; inner
//     corners pass through the joint, outer corners get a miter, clipped square to the offset
//     lines when it is too long;
//  3. filling: the outline's points are rounded to 1/64 pixel and every outline edge is
//     walked down the pixel rows in 16.16 fixed point; a pixel is set when the winding
//     number of the crossings at or left of it is not zero.
// Only the last step is done differently: the winding numbers are summed column by column
// instead of row by row, which gives the same sums in any order. (The stroker's corner test
// also takes a cheaper route to QLineF's answer; see there.)
#include "plot/TCurveStroker.h"

#include <QPen>
#include <QPoint>
#include <QPointF>

#include <cstdint>
#include <vector>

class TCurveRasterizer
{
  public:
    // Bits points at pixel (0, 0) of a Width x Height image of 0xAARRGGBB pixels whose rows
    // are Stride pixels apart.
    TCurveRasterizer(uint32_t* Bits, int64_t Stride, int Width, int Height);
    // Draws into another image of the same size from now on (the scratch buffers, a
    // winding count per pixel among them, are kept).
    void Retarget(uint32_t* NewBits, int64_t NewStride)
    {
        Bits = NewBits;
        Stride = NewStride;
    }
    // Whether the stroker looks corners up (the default); off, the reference it is checked
    // against.
    void UseJoinTable(bool On) { Stroker.UseJoinTable(On); }
    int ImageWidth() const { return Width; }
    int ImageHeight() const { return Height; }

    // Draws the polyline and returns true, or returns false without touching a pixel when
    // the pen or the points are not of the kind this class reproduces (then QPainter must
    // draw it): the pen must be non-cosmetic, wider than 1 pixel, opaque, solid or one of the
    // four standard dash styles without offset, with flat caps and miter joins; every
    // coordinate within +-100000, and no outline edge leaving the image sideways.
    bool DrawPolyline(const QPen& Pen, const QPoint* Points, int Count);

    // One outline edge as the filling walks it: x (16.16, plus half a pixel) at row Top,
    // its change per row, the rows it crosses and +1 or -1 for its direction.
    struct TEdge
    {
        int32_t X;
        int32_t Delta;
        int32_t Top;
        int32_t Bottom;
        int32_t Winding;
    };

    // DrawPolyline in two halves: the outline's edges, worked out without touching the image
    // (so another rasterizer of the same size may do it, on another thread), then the
    // filling. Prepare returns false where DrawPolyline would.
    bool Prepare(const QPen& Pen, const QPoint* Points, int Count, std::vector<TEdge>& Out);
    void FillEdges(const std::vector<TEdge>& Edges, uint32_t Pixel);

    // The filling of an outline of few crossings (which wide curves have) in two halves as
    // well: its crossings sorted by row and, within a row, by column (column * 2, plus 1 when
    // winding up; row y's end at Ends[y - FirstRow]), worked out by any rasterizer of the
    // image's size, then written into the image row by row. Sparse tells whether FillEdges
    // takes that way.
    struct TSortedCrossings
    {
        int32_t FirstRow = 0, LastRow = -1;
        std::vector<uint32_t> Ends;
        std::vector<int32_t> Crossings;
    };
    bool Sparse(const std::vector<TEdge>& Edges) const;
    void SortCrossings(const std::vector<TEdge>& Edges, TSortedCrossings& Out);
    void FillSorted(const TSortedCrossings& In, uint32_t Pixel);

  private:
    // FillEdges for outlines of many crossings: a winding change per pixel of the image.
    void FillDense(const std::vector<TEdge>& Edges, uint32_t Pixel);
    void Dash(const QPen& Pen, double PenWidth);
    bool AddOutline(const std::vector<int32_t>& Outline, const std::vector<int>& ContourEnds,
                    std::vector<TEdge>& Out) const;

    uint32_t* Bits;
    int64_t Stride;
    int Width;
    int Height;
    // Scratch kept from one polyline to the next, so that drawing allocates nothing once the
    // buffers have grown: the points, the dash being built, the outline and its edges.
    TCurveStroker Stroker;
    std::vector<QPointF> Line;
    std::vector<QPointF> DashPoints;
    std::vector<TEdge> Edges;
    // Per row, the running sum of windings; all zero between calls.
    std::vector<int32_t> RowWinding;
    // The sparse filling's row and column starts while sorting (all zero between calls), the
    // crossings sorted by column on the way, and the crossings of FillEdges's outline.
    std::vector<uint32_t> RowStart, ColumnStart;
    std::vector<uint64_t> ByColumn;
    TSortedCrossings Sorted;
    // The dense filling's: per column, the first and last row with a crossing (Height and -1
    // between calls), and the winding changes, column-major (Height per column), all zero
    // between calls.
    std::vector<int32_t> Low;
    std::vector<int32_t> High;
    std::vector<int16_t> Changes;
};
