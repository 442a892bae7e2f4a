#pragma once
// The seven values of Tools > Settings, as the dialog shows them and reads them back, in the
// dialog's order; the start values are the model's.
#include "plot/TPlotModel.h"

#include <cstdint>

struct TSettingsChoice
{
    int32_t Decimals = 0;
    int32_t TicksByX = 20;
    int32_t TicksByY = 20;
    int32_t FramesCount = 5;
    float TimeStep = TPlotModel::StartTimeStep;
    bool FilledGraphs = false;
    bool MotionBlur = true;

    bool operator==(const TSettingsChoice&) const = default;

    static TSettingsChoice Of(const TPlotModel& m)
    {
        return {m.Decimals, m.TicksByX, m.TicksByY, m.FramesCount, m.TimeStep, m.FilledGraphs, m.MotionBlur};
    }
    void ApplyTo(TPlotModel& m) const
    {
        m.Decimals = Decimals;
        m.TicksByX = TicksByX;
        m.TicksByY = TicksByY;
        m.FramesCount = FramesCount;
        m.TimeStep = TimeStep;
        m.FilledGraphs = FilledGraphs;
        m.MotionBlur = MotionBlur;
    }
};
