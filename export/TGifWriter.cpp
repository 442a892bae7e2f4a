#include "export/TGifWriter.h"

#include "export/Errors.h"
#include "export/TExactPalette.h"
#include "export/TPictureWriter.h"

#include <QHash>
#include <QImage>

#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
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

// More than 256 colours. A plot's colours are a few dozen that cover nearly every pixel (the
// ground, grid, fills, curves and their trail) and a few hundred antialiasing shades of its
// numbers: the common ones keep their exact values, the rest of the palette comes from
// giflib's median cut over the whole frame, and every pixel takes the nearest entry.
TIndexedFrame Quantised(const QImage& Pixels)
{
    const qsizetype Count = qsizetype(Pixels.width()) * Pixels.height();
    QHash<QRgb, qsizetype> Uses;
    for (int y = 0; y < Pixels.height(); ++y)
    {
        const QRgb* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(y));
        for (int x = 0; x < Pixels.width(); ++x)
            ++Uses[Row[x] | 0xFF000000u];
    }
    std::vector<std::pair<qsizetype, QRgb>> ByUse;
    for (auto It = Uses.constBegin(); It != Uses.constEnd(); ++It)
        ByUse.emplace_back(It.value(), It.key());
    std::sort(ByUse.begin(), ByUse.end(), std::greater<>());
    TIndexedFrame Out;
    // Common: at least one pixel in a thousand; at most 192 of them, so the median cut has room.
    for (const auto& [Use, Colour] : ByUse)
        if (Use * 1000 >= Count && Out.Palette.size() < 192)
            Out.Palette.push_back(GifColorType{GifByteType(qRed(Colour)), GifByteType(qGreen(Colour)),
                                               GifByteType(qBlue(Colour))});

    const size_t N = static_cast<size_t>(Count);
    std::vector<GifByteType> Red(N), Green(N), Blue(N), Index(N);
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
    int CutSize = 256 - int(Out.Palette.size());
    std::vector<GifColorType> Cut(256);
    if (GifQuantizeBuffer(unsigned(Pixels.width()), unsigned(Pixels.height()), &CutSize, Red.data(),
                          Green.data(), Blue.data(), Index.data(), Cut.data()) != GIF_OK)
        return TIndexedFrame();
    Out.Palette.insert(Out.Palette.end(), Cut.begin(), Cut.begin() + CutSize);

    QHash<QRgb, uchar> Nearest;
    auto Find = [&](QRgb c)
    {
        auto Found = Nearest.constFind(c);
        if (Found != Nearest.constEnd())
            return *Found;
        int Best = 0, BestDistance = INT_MAX;
        for (size_t p = 0; p < Out.Palette.size(); ++p)
        {
            const int dr = qRed(c) - Out.Palette[p].Red, dg = qGreen(c) - Out.Palette[p].Green,
                      db = qBlue(c) - Out.Palette[p].Blue;
            const int Distance = dr * dr + dg * dg + db * db;
            if (Distance < BestDistance)
            {
                Best = int(p);
                BestDistance = Distance;
            }
        }
        return *Nearest.insert(c, uchar(Best));
    };
    Out.Indexes = QImage(Pixels.size(), QImage::Format_Indexed8);
    for (int y = 0; y < Pixels.height(); ++y)
    {
        const QRgb* Row = reinterpret_cast<const QRgb*>(Pixels.constScanLine(y));
        uchar* Line = Out.Indexes.scanLine(y);
        for (int x = 0; x < Pixels.width(); ++x)
            Line[x] = Find(Row[x] | 0xFF000000u);
    }
    return Out;
}

TIndexedFrame IndexFrame(const QImage& Frame)
{
    TIndexedFrame Out;
    Out.Indexes = TExactPalette::Indexed(Frame);
    if (!Out.Indexes.isNull())
    {
        for (QRgb c : Out.Indexes.colorTable())
            Out.Palette.push_back(
                GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
        return Out;
    }
    return Quantised(Frame.convertToFormat(QImage::Format_RGB32));
}
} // namespace

int TGifWriter::DelayCentiseconds(int DelayMs)
{
    return std::max(1, (DelayMs + 5) / 10);
}

TGifWriter::TGifWriter(const QString& PathIn, QSize SizeIn, int Delay, TPartialOutput* PartialIn)
    : Path(PathIn), Size(SizeIn), DelayMs(Delay), Partial(PartialIn)
{
    TPictureWriter::CheckTarget(Path);
    int Error = 0;
    Gif = EGifOpen(&Bytes, WriteToFile, &Error);
    if (!Gif)
        ThrowExport(Msg::CannotWrite(Path));
    PutHeader();
}

TGifWriter::~TGifWriter()
{
    if (Gif)
        EGifCloseFile(Gif, nullptr);
}

void TGifWriter::Fail()
{
    ThrowExport(Msg::CannotWrite(Path));
}

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

// The smallest rectangle holding every pixel in which Frame differs from Previous; a frame
// equal to the one before still needs one pixel, to carry its delay.
QRect TGifWriter::ChangedRect(const QImage& Frame) const
{
    if (Previous.isNull())
        return Frame.rect();
    int Left = Frame.width(), Right = -1, Top = -1, Bottom = -1;
    for (int y = 0; y < Frame.height(); ++y)
    {
        const QRgb* New = reinterpret_cast<const QRgb*>(Frame.constScanLine(y));
        const QRgb* Old = reinterpret_cast<const QRgb*>(Previous.constScanLine(y));
        int x = 0;
        while (x < Frame.width() && New[x] == Old[x])
            ++x;
        if (x == Frame.width())
            continue;
        int Last = Frame.width() - 1;
        while (New[Last] == Old[Last])
            --Last;
        Left = std::min(Left, x);
        Right = std::max(Right, Last);
        if (Top < 0)
            Top = y;
        Bottom = y;
    }
    if (Top < 0)
        return QRect(0, 0, 1, 1);
    return QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

void TGifWriter::Add(const QImage& Picture)
{
    // Each frame stays under the next one: only what changed is written.
    const QImage Frame = Picture.convertToFormat(QImage::Format_RGB32);
    const QRect Changed = ChangedRect(Frame);
    Previous = Frame;
    TIndexedFrame Indexed = IndexFrame(Frame.copy(Changed));
    if (Indexed.Indexes.isNull())
        Fail();
    std::vector<GifColorType> Palette = Indexed.Palette;
    Palette.resize(size_t(PaletteSize(int(Palette.size()))), GifColorType{0, 0, 0});
    ColorMapObject* Map = GifMakeMapObject(int(Palette.size()), Palette.data());
    if (!Map)
        Fail();
    PutDelay();
    bool Written = EGifPutImageDesc(Gif, Changed.left(), Changed.top(), Changed.width(), Changed.height(),
                                    false, Map) == GIF_OK;
    for (int y = 0; Written && y < Changed.height(); ++y)
        Written = EGifPutLine(Gif, Indexed.Indexes.scanLine(y), Changed.width()) == GIF_OK;
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
    TPictureWriter::SaveBytes(Bytes, Path, Partial);
}
