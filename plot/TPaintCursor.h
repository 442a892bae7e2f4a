#pragma once
// Where a paint job stands, in one place: the stage it is at and, within the curves, what is
// made and how many runs are drawn. A paint that its budget stopped keeps it, and the next
// paint of the same inputs takes it up there.
#include <cstddef>

enum class TPaintStage
{
    Ground, // the background, the fills, the grid, numbers, arrows and axes
    Curves, // the curves of every graph, frame by frame
    Legend, // the legend, when asked for
    Done,
};

struct TPaintCursor
{
    TPaintStage Stage = TPaintStage::Ground;
    bool Begun = false;     // the frames know the view, the evaluator and the width
    bool TextsMade = false; // every frame's texts are made
    bool RunsMade = false;  // the curves' runs are made
    size_t RunsDrawn = 0;   // of them, this many are drawn
    // A curve failed and was reported: the rest of the picture shows no graphs (no legend).
    bool CurveFailed = false;
};
