#include "export/TGifWriter.h"

#include "export/Errors.h"
#include "export/TExactPalette.h"
#include "export/TPictureWriter.h"

#include <QImage>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
int WriteToFile(GifFileType* Gif, const GifByteType* Bytes, int Length)
{
    static_cast<QByteArray*>(Gif->UserData)->append(reinterpret_cast<const char*>(Bytes), Length);
    return Length;
}

// A GIF palette has a power of two entries, 2 to 256.
int PaletteSize(int Colours)
{
    int Size = 2;
    while (Size < Colours)
        Size *= 2;
    return Size;
}

// The frame as indexes into a palette of at most 256 colours.
struct TIndexedFrame
{
    std::vector<GifColorType> Palette;
    QImage Indexes; // Format_Indexed8 (its own colour table unused)
};

TIndexedFrame IndexFrame(const QImage& Frame)
{
    TIndexedFrame Out;
    Out.Indexes = TExactPalette::Indexed(Frame);
    if (!Out.Indexes.isNull())
    {
        for (QRgb c : Out.Indexes.colorTable())
            Out.Palette.push_back(GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
        return Out;
    }
    // More than 256 colours: giflib's median cut on the three channels.
    const QImage Pixels = Frame.convertToFormat(QImage::Format_RGB32);
    const size_t Count = size_t(Pixels.width()) * size_t(Pixels.height());
    std::vector<GifByteType> Red(Count), Green(Count), Blue(Count), Index(Count);
    size_t i = 0;
    for (int y = 0; y < Pixels.height(); ++y)
    {
        const QRgb* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(y));
        for (int x = 0; x < Pixels.width(); ++x, ++i)
        {
            Red[i] = GifByteType(qRed(Row[x]));
            Green[i] = GifByteType(qGreen(Row[x]));
            Blue[i] = GifByteType(qBlue(Row[x]));
        }
    }
    int Colours = 256;
    Out.Palette.resize(256);
    if (GifQuantizeBuffer(unsigned(Pixels.width()), unsigned(Pixels.height()), &Colours, Red.data(), Green.data(),
                          Blue.data(), Index.data(), Out.Palette.data()) != GIF_OK)
        return TIndexedFrame();
    Out.Palette.resize(size_t(Colours));
    Out.Indexes = QImage(Pixels.size(), QImage::Format_Indexed8);
    for (int y = 0; y < Pixels.height(); ++y)
        std::memcpy(Out.Indexes.scanLine(y), Index.data() + size_t(y) * size_t(Pixels.width()), size_t(Pixels.width()));
    return Out;
}
} // namespace

int TGifWriter::DelayCentiseconds(int DelayMs) { return std::max(1, (DelayMs + 5) / 10); }

TGifWriter::TGifWriter(const QString& PathIn, QSize SizeIn, int Delay)
    : Path(PathIn), Size(SizeIn), DelayMs(Delay)
{
    TPictureWriter::CheckTarget(Path);
    int Error = 0;
    Gif = EGifOpen(&Bytes, WriteToFile, &Error);
    if (!Gif)
        ThrowExport(ExportText::CannotWrite(Path));
    PutHeader();
}

TGifWriter::~TGifWriter()
{
    if (Gif)
        EGifCloseFile(Gif, nullptr);
}

void TGifWriter::Fail() { ThrowExport(ExportText::CannotWrite(Path)); }

void TGifWriter::PutHeader()
{
    EGifSetGifVersion(Gif, true);
    if (EGifPutScreenDesc(Gif, Size.width(), Size.height(), 8, 0, nullptr) != GIF_OK)
        Fail();
    // The application extension that makes viewers loop the animation for ever.
    static const char Netscape[] = "NETSCAPE2.0";
    static const GifByteType Loop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(Gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(Gif, 11, Netscape) != GIF_OK || EGifPutExtensionBlock(Gif, 3, Loop) != GIF_OK ||
        EGifPutExtensionTrailer(Gif) != GIF_OK)
        Fail();
}

void TGifWriter::PutDelay()
{
    GraphicsControlBlock Control;
    Control.DisposalMode = DISPOSE_DO_NOT;
    Control.UserInputFlag = false;
    Control.DelayTime = DelayCentiseconds(DelayMs);
    Control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType Bytes[4];
    const size_t Length = EGifGCBToExtension(&Control, Bytes);
    if (EGifPutExtension(Gif, GRAPHICS_EXT_FUNC_CODE, int(Length), Bytes) != GIF_OK)
        Fail();
}

void TGifWriter::Add(const QImage& Frame)
{
    TIndexedFrame Indexed = IndexFrame(Frame);
    if (Indexed.Indexes.isNull())
        Fail();
    std::vector<GifColorType> Palette = Indexed.Palette;
    Palette.resize(size_t(PaletteSize(int(Palette.size()))), GifColorType{0, 0, 0});
    ColorMapObject* Map = GifMakeMapObject(int(Palette.size()), Palette.data());
    if (!Map)
        Fail();
    PutDelay();
    bool Written = EGifPutImageDesc(Gif, 0, 0, Size.width(), Size.height(), false, Map) == GIF_OK;
    for (int y = 0; Written && y < Size.height(); ++y)
        Written = EGifPutLine(Gif, Indexed.Indexes.scanLine(y), Size.width()) == GIF_OK;
    GifFreeMapObject(Map);
    if (!Written)
        Fail();
}

void TGifWriter::Commit()
{
    GifFileType* Closing = Gif;
    Gif = nullptr;
    if (EGifCloseFile(Closing, nullptr) != GIF_OK)
        Fail();
    TPictureWriter::SaveBytes(Bytes, Path);
}
