#pragma once
// The colours of the picture's frame under the presentation options. The ordinary picture
// keeps its own (the surface's ground, silver grid, black axes, arrows and numbers); the dark
// plot has a near-black ground, a dark grey grid, light axes, arrows and numbers, and draws
// the default line colour, black, light. Fills and other chosen colours stay as they are.
#include "plot/TColor.h"
#include "plot/TPlotOptions.h"

inline constexpr TColor DarkGround = 0x1E1A1A; // 0x00BBGGRR
inline constexpr TColor DarkGrid = 0x4A4444;
inline constexpr TColor DarkInk = 0xE8E4E4;
// The legend's box: pale on the ordinary picture, a shade above the ground on the dark one.
inline constexpr TColor LegendBox = 0xF8F8F8;
inline constexpr TColor DarkLegendBox = 0x2E2A2A;
inline constexpr TColor LegendEdge = 0xA0A0A0;
inline constexpr TColor DarkLegendEdge = 0x6A6464;

inline TColor GridColor(const TPlotOptions& Options)
{
    return Options.DarkPlot ? DarkGrid : clSilver;
}

// Axes, arrow heads and numbers.
inline TColor InkColor(const TPlotOptions& Options)
{
    return Options.DarkPlot ? DarkInk : clBlack;
}

// The colour a curve of colour Color is drawn in.
inline TColor LineColor(TColor Color, const TPlotOptions& Options)
{
    return Options.DarkPlot && Color == clBlack ? DarkInk : Color;
}
