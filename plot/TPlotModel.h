#pragma once
// Everything the picture is made from: the graphs, the bound and time texts exactly as
// the editors show them, the display settings and the view switches. The main window
// mirrors its editors and menu checks into one of these; the renderer, the document
// file, copy, print and --render all read it.
#include "plot/TFuncList.h"
#include "plot/TParameterList.h"
#include "plot/TPlotOptions.h"

#include <QString>

#include <cstdint>

struct TViewSwitches
{
    bool Grid = true;      // "&Show Grid"
    bool Numbers = true;   // "S&how Numbers"
    bool Arrows = true;    // "Sh&ow Arrows"
    bool GridDot = false;  // "&Dot"   } one radio group:
    bool GridDash = false; // "D&ash" } exactly one of the three
    bool GridSolid = true; // "&Solid" } is on

    bool operator==(const TViewSwitches&) const = default;
};

class TPlotModel
{
  public:
    TFuncList FuncList;

    // The view bounds and the time exist only as texts, converted at every use.
    QString LeftText = QStringLiteral("-10");
    QString RightText = QStringLiteral("10");
    QString BottomText = QStringLiteral("-10");
    QString TopText = QStringLiteral("10");
    QString TimeText = QStringLiteral("0");

    int32_t TicksByX = 20;
    int32_t TicksByY = 20;
    int32_t Decimals = 0;
    int32_t FramesCount = 5;
    float TimeIncrement = 0.0f; // signed time change per tick, and the distance between blur frames
    // The time step at start; the settings dialog first shows it as StartTimeStepText and
    // takes it for a step it cannot read.
    static constexpr float StartTimeStep = 0.05f;
    static constexpr const char* StartTimeStepText = "0.05";
    float TimeStep = StartTimeStep;
    bool FilledGraphs = false;
    bool MotionBlur = true;
    bool GraphsEnabled = false;
    TViewSwitches View;
    // The named parameters, and the way they tick: +1 after Forward, -1 after Back, 0 before
    // either. The blur trail of a paint shows the values 0, 1, ... ticks on in that direction.
    TParameterList Parameters;
    int32_t TickDirection = 0;
    // Whether the time runs (after Forward or Back, until Stop): a picture that refines itself
    // (a relation's pixels) stops at a coarse level then, so that every tick shows a picture; the
    // first picture after Stop is refined in full. Never kept in documents.
    bool Animating = false;
    TPlotOptions Options;

    // The number of motion-blur frames the renderer draws (may be 0 or negative).
    int32_t FrameCount() const { return MotionBlur ? FramesCount : 1; }

    // Field by field, so that a field added later is compared too: a paint taken up again
    // after a pause must draw the model it started with.
    bool operator==(const TPlotModel&) const = default;
};
