#pragma once
// An animated, lossless WebP through libwebp's animation encoder: every frame shows for the
// same delay, and the animation loops for ever. A size beyond the encoder's (MaxWebPSide) is
// refused at once. A frame is handed to the encoder without a copy of our own: the encoder
// keeps its own canvases, so one frame costs the picture and those.
#include "export/TFrameSink.h"

#include <QSize>
#include <QString>

class TPartialOutput;
struct WebPAnimEncoder;

class TWebPWriter : public TFrameSink
{
  public:
    TWebPWriter(const QString& Path, QSize Size, int DelayMs, TPartialOutput* Partial = nullptr);
    ~TWebPWriter() override;
    void Add(const QImage& Frame) override;
    void Commit() override;

  private:
    // Throws EExportError naming the encoder's complaint.
    [[noreturn]] void EncoderFailed() const;

    QString Path;
    QSize Size;
    int DelayMs;
    TPartialOutput* Partial;
    int TimestampMs = 0;
    WebPAnimEncoder* Encoder = nullptr;
};
