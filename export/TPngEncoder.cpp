#include "export/TPngEncoder.h"

#include "export/TExactPalette.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

QByteArray TPngEncoder::Encode(const QImage& Image)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    QImageWriter Writer(&Buffer, "png");
    // Qt maps a quality q to the zlib level (100 - q) * 9 / 91.
    Writer.setQuality(100 - (CompressionLevel * 91 + 8) / 9);
    const QImage Indexed = TExactPalette::Indexed(Image);
    if (!Writer.write(Indexed.isNull() ? Image : Indexed))
        return QByteArray();
    return Bytes;
}
