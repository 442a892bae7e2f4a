#pragma once
// PNG bytes of a picture, made quickly: a plot has few colours, so a picture of at most 256
// colours is written with an exact palette (one byte a pixel instead of four, and no
// filtering), and the compression level is a light one. Decoded, the PNG gives back every
// pixel exactly.
#include <QByteArray>

class QImage;

class TPngEncoder
{
  public:
    // The zlib level: 1 compresses a plot nearly as well as the default 6, several times faster.
    static constexpr int CompressionLevel = 1;

    static QByteArray Encode(const QImage& Image);
};
