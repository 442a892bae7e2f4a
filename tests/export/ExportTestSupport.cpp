#include "ExportTestSupport.h"

#include <QFile>

#include <gif_lib.h>
#include <webp/decode.h>
#include <webp/demux.h>

namespace ExportTest
{
std::vector<TDecodedFrame> ReadWebP(const QString& Path)
{
    std::vector<TDecodedFrame> Frames;
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return Frames;
    const QByteArray Bytes = File.readAll();
    WebPData Data{reinterpret_cast<const uint8_t*>(Bytes.constData()), size_t(Bytes.size())};
    WebPAnimDecoderOptions Options;
    WebPAnimDecoderOptionsInit(&Options);
    Options.color_mode = MODE_BGRA;
    WebPAnimDecoder* Decoder = WebPAnimDecoderNew(&Data, &Options);
    if (!Decoder)
        return Frames;
    WebPAnimInfo Info;
    WebPAnimDecoderGetInfo(Decoder, &Info);
    int Previous = 0;
    while (WebPAnimDecoderHasMoreFrames(Decoder))
    {
        uint8_t* Pixels = nullptr;
        int Timestamp = 0;
        if (!WebPAnimDecoderGetNext(Decoder, &Pixels, &Timestamp))
            break;
        QImage Frame(int(Info.canvas_width), int(Info.canvas_height), QImage::Format_ARGB32);
        for (int y = 0; y < Frame.height(); ++y)
            memcpy(Frame.scanLine(y), Pixels + size_t(y) * Info.canvas_width * 4,
                   size_t(Info.canvas_width) * 4);
        // A frame's timestamp is when it ends: its duration is the step from the one before.
        Frames.push_back({Frame.convertToFormat(QImage::Format_RGB32), Timestamp - Previous});
        Previous = Timestamp;
    }
    WebPAnimDecoderDelete(Decoder);
    return Frames;
}

std::vector<TGifFrame> ReadGif(const QString& Path)
{
    std::vector<TGifFrame> Frames;
    int Error = 0;
    GifFileType* Gif = DGifOpenFileName(Path.toLocal8Bit().constData(), &Error);
    if (!Gif)
        return Frames;
    if (DGifSlurp(Gif) == GIF_OK)
    {
        QImage Canvas(Gif->SWidth, Gif->SHeight, QImage::Format_RGB32);
        Canvas.fill(Qt::magenta);
        for (int i = 0; i < Gif->ImageCount; ++i)
        {
            const SavedImage& Image = Gif->SavedImages[i];
            const ColorMapObject* Map = Image.ImageDesc.ColorMap ? Image.ImageDesc.ColorMap : Gif->SColorMap;
            GraphicsControlBlock Control{};
            DGifSavedExtensionToGCB(Gif, i, &Control);
            const GifImageDesc& d = Image.ImageDesc;
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x)
                {
                    const GifByteType Index = Image.RasterBits[y * d.Width + x];
                    if (Index == Control.TransparentColor)
                        continue;
                    const GifColorType c = Map->Colors[Index];
                    Canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
                }
            Frames.push_back({Canvas, Control.DelayTime, Map ? Map->ColorCount : 0});
        }
    }
    DGifCloseFile(Gif, &Error);
    return Frames;
}

double EqualShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    const QImage A = a.convertToFormat(QImage::Format_RGB32), B = b.convertToFormat(QImage::Format_RGB32);
    qint64 Equal = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            Equal += (A.pixel(x, y) & 0xFFFFFF) == (B.pixel(x, y) & 0xFFFFFF);
    return double(Equal) / (double(A.width()) * A.height());
}

int MissedCurvePixels(const QImage& Expected, const QImage& Actual, QRgb Colour)
{
    const QImage E = Expected.convertToFormat(QImage::Format_RGB32),
                 A = Actual.convertToFormat(QImage::Format_RGB32);
    // Antialiased edges mix the colour with what lies beside it: near enough is a match.
    auto Near = [&](QRgb p)
    {
        return std::abs(qRed(p) - qRed(Colour)) + std::abs(qGreen(p) - qGreen(Colour)) +
                   std::abs(qBlue(p) - qBlue(Colour)) <=
               96;
    };
    // Where another curve crosses, the two readers may put its dashes a pixel apart over this one.
    auto NearCrossing = [&](int x, int y)
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (E.valid(x + dx, y + dy) && (E.pixel(x + dx, y + dy) & 0xFFFFFF) == 0)
                    return true;
        return false;
    };
    int Missed = 0;
    for (int y = 0; y < E.height(); ++y)
        for (int x = 0; x < E.width(); ++x)
        {
            if ((E.pixel(x, y) & 0xFFFFFF) != (Colour & 0xFFFFFF) || NearCrossing(x, y))
                continue;
            bool Found = false;
            for (int dy = -1; dy <= 1 && !Found; ++dy)
                for (int dx = -1; dx <= 1 && !Found; ++dx)
                    Found = A.valid(x + dx, y + dy) && Near(A.pixel(x + dx, y + dy));
            Missed += !Found;
        }
    return Missed;
}
} // namespace ExportTest
