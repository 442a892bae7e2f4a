#pragma once
// An animated GIF through giflib: each frame holds only the rectangle that changed since the
// frame before (which stays beneath it) and carries its own palette, exact when that part
// has at most 256 colours and quantised (median cut) otherwise; every frame shows for the
// same delay, in hundredths of a second as GIF counts, and the animation loops for ever.
#include "export/TFrameSink.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class TPartialOutput;
struct GifFileType;

class TGifWriter : public TFrameSink
{
  public:
    TGifWriter(const QString& Path, QSize Size, int DelayMs, TPartialOutput* Partial = nullptr);
    ~TGifWriter() override;
    void Add(const QImage& Frame) override;
    void Commit() override;

    // The GIF delay of a frame delay: hundredths of a second, rounded, at least 1.
    static int DelayCentiseconds(int DelayMs);

  private:
    void PutHeader();
    void PutDelay();
    void Fail();
    QRect ChangedRect(const QImage& Frame) const;

    QString Path;
    QSize Size;
    int DelayMs;
    TPartialOutput* Partial;
    QByteArray Bytes;
    QImage Previous;
    GifFileType* Gif = nullptr;
};
