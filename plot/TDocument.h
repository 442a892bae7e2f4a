#pragma once
// The document's serialisation: the model <-> the keys of section "Main" of a profile file.
// The file layer below knows the bytes; this class knows the keys, their order and defaults.
#include "plot/TPlotModel.h"
#include "plot/TProfileFile.h"

#include <QString>

#include <cstdint>

// The values of graph 1 as read for the window's editing controls (formula editor, colour
// buttons, style list), with their defaults when missing.
struct TDocumentGraph1
{
    QString Func;
    TColor Color = clBlack;
    TColor BGColor = clWhite;
    int32_t Style = 0;
};

class TDocument
{
  public:
    // Limits on what a document can bring, so that any file opens and draws in bounded time
    // and memory: at most MaxGraphs graphs, tick counts within +-MaxTicks, frame counts within
    // +-MaxFrames. Zero and negative tick and frame counts are kept; the renderer
    // handles them.
    static constexpr int32_t MaxGraphs = 1000;
    static constexpr int32_t MaxTicks = 10000;
    static constexpr int32_t MaxFrames = 100;

    // Writes the graph keys, FuncCount, the bounds and the four settings, in that order, then
    // the parameters (TParameterDocument).
    static void Write(TProfileFile& File, const TPlotModel& Model);
    // Updates the file at Path in place; throws EFileWriteError.
    static void Save(const QString& Path, const TPlotModel& Model);

    // Replaces the graphs, bounds, Decimals, TicksByX/Y, FramesCount and parameters of Model
    // by the document's and enables the graphs. The time, time step, FilledGraphs, MotionBlur and the
    // view switches stay. A missing file reads as a document without keys. Never throws.
    static TDocumentGraph1 Read(const TProfileFile& File, TPlotModel& Model);
    static TDocumentGraph1 Read(const QString& Path, TPlotModel& Model);
    // Throws EFileReadError when File exists but was not read (not a regular file, too large,
    // unreadable); a missing file is a document without keys and passes.
    static void CheckRead(const TProfileFile& File);
};
