#pragma once
// An animation of a plot: frames at the times From, From + Step, ... up to To (included
// where it falls on a step), each drawn as the window draws it while the animation runs
// with that step: the motion-blur trail follows Step. Each frame's time text is the time in
// the 15-digit form the evaluator reads, so frame i is the picture `--render --time` gives
// for that time with the same step. The named parameters tick once a frame, as the window
// ticks them (back when Step is negative): frame i shows their values after i ticks.
#include "export/TAnimationPlan.h"
#include "export/TExportFormat.h"

#include <QString>

#include <functional>
#include <memory>

class TFrameSink;
class TPartialOutput;
class TPlotPicture;

class TAnimationExport
{
  public:
    // The plan's frame count and frame times (TAnimationPlan), as the writers' callers ask.
    static int FrameCount(const TAnimationPlan& Plan) { return Plan.FrameCount(); }
    static Float80 FrameTime(const TAnimationPlan& Plan, int Index) { return Plan.FrameTime(Index); }

    // The writer of an animation format (WebP, Gif or Frames) into Path, taking its steps on
    // disk through Partial when one is given.
    static std::unique_ptr<TFrameSink> MakeSink(TExportFormat Format, const QString& Path,
                                                const TAnimationPlan& Plan,
                                                TPartialOutput* Partial = nullptr);

    // Told after each frame how many of how many are done; answers false to cancel.
    using TProgress = std::function<bool(int Done, int Count)>;

    // Draws every frame into Sink and commits it. Returns false when cancelled (the sink
    // then commits nothing); a drawing or writing error leaves as an exception.
    static bool Run(TPlotPicture& Picture, const TAnimationPlan& Plan, TFrameSink& Sink,
                    const TProgress& Progress);
    // The same without the commit, which is left to the caller.
    static bool DrawFrames(TPlotPicture& Picture, const TAnimationPlan& Plan, TFrameSink& Sink,
                           const TProgress& Progress);
};
