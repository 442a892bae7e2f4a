#pragma once
// Paints a relation's classified pixels (TRelationClassifier) into the paint's image, pixel
// (0, 0) of the classification at Origin, pixel for pixel:
//   - Holds in full colour, Undecided in the colour mixed half with the background (each
//     channel (c + b) / 2, rounded down), Empty not at all;
//   - a curve in its line colour, each holding or undecided pixel widened by the pen to the
//     line width (a square of LineWidth pixels centred on it, the odd extra pixel to the
//     left and above), undecided ones first so that a holding one wins where they meet, and
//     cut into the dashes of the graph's dash style along the axis the curve runs closer to;
//   - a region filled in its fill colour; its boundary, the undecided pixels and the holding
//     ones beside an empty one (left, right, above, below), in the line colour widened the
//     same way. A dashed boundary (every comparison strict) is drawn in dashes of 3 line
//     widths and gaps as long, counted along the axis the boundary runs closer to.
// Pixels outside the image are skipped.
#include "analysis/TRelationClassifier.h"
#include "plot/TColor.h"

#include <QImage>
#include <QPoint>

class TRelationRaster
{
  public:
    struct TStyle
    {
        TColor Line = clBlack;
        TColor Fill = clBlack;
        TColor Background = clWhite;
        int LineWidth = 1;
        int32_t DashStyle = 0; // a curve's: the graph's dash style (0 solid .. 4 dash-dot-dot)
    };

    // Image: 32 bits per pixel (RGB32 or ARGB32, premultiplied or not: every colour is opaque).
    static void Paint(QImage& Image, QPoint Origin, const TRelationClassifier& Classes, const TStyle& Style);

    // The colour mixed half with the background, as Undecided pixels show.
    static TColor Halfway(TColor Color, TColor Background);
};
