#pragma once
// The presentation options of the picture, each a checkable entry of the View menu and a key
// of the document written only when on. All are off at start, and a picture with all of
// them off is the evenly divided one, unchanged.
//
// Each axis follows one tick rule, the first that applies of: logarithmic (LogX / LogY),
// multiples of pi (PiTicks, the x axis only), round steps (RoundGrid), even divisions.
struct TPlotOptions
{
    bool RoundGrid = false;   // grid at multiples of 1, 2 or 5 times a power of ten
    bool PiTicks = false;     // x grid at multiples of pi/6 … 10^k pi, numbers as "3π/2"
    bool LogX = false;        // x grows geometrically across the columns
    bool LogY = false;        // y grows geometrically up the rows
    bool EqualScales = false; // one unit is as many pixels along x as along y
    bool Legend = false;      // the drawn graphs' lines and formulas in the top right corner
    bool DarkPlot = false;    // near-black ground, light axes, numbers and default lines

    bool operator==(const TPlotOptions&) const = default;
};
