#pragma once
// The presentation options in a document: one key of section "Main" each, written as 1 only
// when the option is on, so a document without them is saved byte for byte as before. An
// option switched off over a file that has its key gets 0 there (the file keeps keys the
// writer does not write). Reading takes any value but 0 as on and a missing key as off.
#include "plot/TPlotOptions.h"

#include <array>

class TProfileFile;

struct TPlotOptionKey
{
    const char* Key;
    bool TPlotOptions::*Field;
};

inline constexpr std::array<TPlotOptionKey, 7> PlotOptionKeys{{
    {"RoundGrid", &TPlotOptions::RoundGrid},
    {"PiTicks", &TPlotOptions::PiTicks},
    {"LogX", &TPlotOptions::LogX},
    {"LogY", &TPlotOptions::LogY},
    {"EqualScales", &TPlotOptions::EqualScales},
    {"Legend", &TPlotOptions::Legend},
    {"DarkPlot", &TPlotOptions::DarkPlot},
}};

void WritePlotOptions(TProfileFile& File, const TPlotOptions& Options);
TPlotOptions ReadPlotOptions(const TProfileFile& File);
