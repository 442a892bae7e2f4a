#pragma once
// An animated, lossless WebP through libwebp's animation encoder: every frame shows for the
// same delay, and the animation loops for ever.
#include "export/TFrameSink.h"

#include <QSize>
#include <QString>

struct WebPAnimEncoder;

class TWebPWriter : public TFrameSink
{
  public:
    TWebPWriter(const QString& Path, QSize Size, int DelayMs);
    ~TWebPWriter() override;
    void Add(const QImage& Frame) override;
    void Commit() override;

  private:
    QString Path;
    QSize Size;
    int DelayMs;
    int TimestampMs = 0;
    WebPAnimEncoder* Encoder = nullptr;
};
