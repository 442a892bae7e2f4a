#pragma once
// The fills of one paint, gathered before they are drawn. Every fill line of column px runs
// from the x axis (row OriginY) towards the curve's row r, the end excluded, so it covers
// rows r + 1 .. OriginY above the axis or OriginY .. r - 1 below it: all lines of one
// column contain the axis row, and the lines drawn so far cover one unbroken run of rows.
// Drawing the layers from the top one down and each only where it sticks out of that run
// sets every pixel once and gives the picture that drawing them in order gives. Into image
// memory those runs are written row by row, in spans along the rows: the same pixels,
// without a cache line per pixel.
#include "plot/TColor.h"

#include <cstdint>
#include <vector>

class TCanvas;
class THelperLane;

class TFillLayers
{
  public:
    // A layer over the ones added before: column FirstColumn + j gets the fill line towards
    // Rows[j], for the columns FirstColumn .. EndColumn - 1. Rows must stay until Draw.
    void Add(TColor Color, const int32_t* Rows, int64_t FirstColumn, int64_t EndColumn);
    bool Empty() const { return Layers.empty(); }

    // Draws the layers and forgets them; into image memory, a large area is shared with the
    // Helper, when there is one.
    void Draw(TCanvas& Canvas, int32_t OriginY, THelperLane* Helper);

  private:
    // A large area is written in this many bands of rows.
    static constexpr int32_t RowBands = 8;
    // Calls Run(px, Top, Bottom, Color) for every run of rows a layer adds, top layer first.
    template <class TRun> void ForEachRun(int32_t OriginY, TRun&& Run);
    void DrawRows(TCanvas& Canvas, int32_t OriginY, THelperLane* Helper);

    struct TLayer
    {
        TColor Color;
        const int32_t* Rows;
        int64_t FirstColumn, EndColumn;
    };
    std::vector<TLayer> Layers;
    // Per column, the run of rows covered so far (Low > High: none).
    std::vector<int64_t> Low, High;
    // For the rows: the runs, what changes at each row, and each column's current colour.
    struct TSpan
    {
        int32_t Column, Top, Bottom;
        uint32_t Pixel;
    };
    struct TChange
    {
        int32_t Column;
        uint32_t Pixel; // 0: the column's run ends
    };
    std::vector<TSpan> Spans;
    std::vector<TChange> Changes;
    std::vector<uint32_t> RowStart;
    std::vector<uint32_t> Current;
};
