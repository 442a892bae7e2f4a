#include "export/TPngEncoder.h"

#include "export/TExactPalette.h"

#include <QImage>

#include <png.h>
#include <zlib.h>

#include <vector>

namespace
{
void Append(png_structp Png, png_bytep Data, png_size_t Length)
{
    static_cast<QByteArray*>(png_get_io_ptr(Png))
        ->append(reinterpret_cast<const char*>(Data), qsizetype(Length));
}

void Flush(png_structp) {}

// Writes Rows (Height pointers) of Image's size; Palette empty for 32-bit rows of 0xffRRGGBB.
bool WritePng(QByteArray& Out, const QImage& Image, const std::vector<png_color>& Palette)
{
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!Png)
        return false;
    png_infop Info = png_create_info_struct(Png);
    std::vector<png_bytep> Rows(size_t(Image.height()));
    for (int y = 0; y < Image.height(); ++y)
        Rows[size_t(y)] = const_cast<png_bytep>(Image.constScanLine(y));
    // libpng reports its errors by a long jump back here; nothing below owns a resource that
    // the jump would leak.
    if (!Info || setjmp(png_jmpbuf(Png)))
    {
        png_destroy_write_struct(&Png, &Info);
        return false;
    }
    png_set_write_fn(Png, &Out, Append, Flush);
    png_set_compression_level(Png, 1);
    png_set_compression_strategy(Png, Z_DEFAULT_STRATEGY);
    png_set_filter(Png, PNG_FILTER_TYPE_BASE, Palette.empty() ? PNG_FILTER_SUB : PNG_FILTER_NONE);
    const bool Indexed = !Palette.empty();
    png_set_IHDR(Png, Info, png_uint_32(Image.width()), png_uint_32(Image.height()), 8,
                 Indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (Indexed)
        png_set_PLTE(Png, Info, Palette.data(), int(Palette.size()));
    png_set_pHYs(Png, Info, png_uint_32(Image.dotsPerMeterX()), png_uint_32(Image.dotsPerMeterY()),
                 PNG_RESOLUTION_METER);
    png_write_info(Png, Info);
    if (!Indexed)
    {
        // The 32-bit pixels lie in memory as blue, green, red, unused.
        png_set_bgr(Png);
        png_set_filler(Png, 0, PNG_FILLER_AFTER);
    }
    png_write_image(Png, Rows.data());
    png_write_end(Png, nullptr);
    png_destroy_write_struct(&Png, &Info);
    return true;
}
} // namespace

QByteArray TPngEncoder::Encode(const QImage& Source)
{
    const QImage Image =
        Source.format() == QImage::Format_RGB32 ? Source : Source.convertToFormat(QImage::Format_RGB32);
    QByteArray Out;
    const QImage Indexed = TExactPalette::Indexed(Image);
    bool Written = false;
    if (!Indexed.isNull())
    {
        std::vector<png_color> Palette;
        for (QRgb c : Indexed.colorTable())
            Palette.push_back(png_color{png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c))});
        Written = WritePng(Out, Indexed, Palette);
    }
    else
        Written = WritePng(Out, Image, {});
    return Written ? Out : QByteArray();
}
