#pragma once
// PNG bytes of a picture, made quickly with libpng: a plot is mostly long runs of a few
// colours, so zlib's fastest level with one fixed filter (none for a palette, the left
// neighbour's difference for full colour) takes about 40% of the time of Qt's default
// (level 6, every filter tried on every row) for a file two to three times larger. A
// picture of at most 256 colours is written with an exact palette, one byte a pixel instead
// of three. Decoded, the PNG gives back every pixel exactly.
#include <QByteArray>

class QImage;

class TPngEncoder
{
  public:
    // Empty when libpng fails (it does not, short of memory).
    static QByteArray Encode(const QImage& Image);
};
