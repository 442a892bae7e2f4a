#pragma once
// Where the frames of an animation go, one after another, all of the animation's size.
// Nothing is visible at the target until Commit succeeds; a sink destroyed without it
// (cancelled, or a frame failed) removes what it wrote and leaves the old file as it was.
class QImage;

class TFrameSink
{
  public:
    virtual ~TFrameSink() = default;
    virtual void Add(const QImage& Frame) = 0;
    // Puts the complete animation in place; throws EExportError when it cannot.
    virtual void Commit() = 0;
};
