#include "export/TWebPWriter.h"

#include "export/Errors.h"
#include "export/TPictureWriter.h"

#include <QByteArray>
#include <QImage>

#include <webp/encode.h>
#include <webp/mux.h>

namespace
{
// The encoder's fastest lossless effort: a plot's long runs of one colour need no more, and
// the file stays exact whatever the effort.
constexpr int LosslessMethod = 0;
constexpr float LosslessQuality = 10.0f;
} // namespace

TWebPWriter::TWebPWriter(const QString& PathIn, QSize SizeIn, int Delay)
    : Path(PathIn), Size(SizeIn), DelayMs(Delay)
{
    TPictureWriter::CheckTarget(Path);
    WebPAnimEncoderOptions Options;
    if (!WebPAnimEncoderOptionsInit(&Options))
        ThrowExport(ExportText::CannotWrite(Path));
    Options.anim_params.loop_count = 0;
    Options.anim_params.bgcolor = 0xFFFFFFFF;
    Options.allow_mixed = 0;
    Encoder = WebPAnimEncoderNew(Size.width(), Size.height(), &Options);
    if (!Encoder)
        ThrowExport(ExportText::CannotWrite(Path));
}

TWebPWriter::~TWebPWriter()
{
    WebPAnimEncoderDelete(Encoder);
}

void TWebPWriter::Add(const QImage& Frame)
{
    WebPConfig Config;
    if (!WebPConfigInit(&Config) || !WebPConfigLosslessPreset(&Config, LosslessMethod))
        ThrowExport(ExportText::CannotWrite(Path));
    Config.lossless = 1;
    Config.quality = LosslessQuality;
    Config.exact = 1;

    const QImage Pixels = Frame.convertToFormat(QImage::Format_ARGB32);
    WebPPicture Picture;
    if (!WebPPictureInit(&Picture))
        ThrowExport(ExportText::CannotWrite(Path));
    Picture.use_argb = 1;
    Picture.width = Pixels.width();
    Picture.height = Pixels.height();
    // QImage's ARGB32 is one 0xAARRGGBB word a pixel, as libwebp's ARGB.
    const bool Imported = WebPPictureImportBGRA(&Picture, Pixels.constBits(), int(Pixels.bytesPerLine()));
    const bool Added = Imported && WebPAnimEncoderAdd(Encoder, &Picture, TimestampMs, &Config);
    WebPPictureFree(&Picture);
    if (!Added)
        ThrowExport(ExportText::CannotWrite(Path));
    TimestampMs += DelayMs;
}

void TWebPWriter::Commit()
{
    // The last frame's duration is the time from its timestamp to this one.
    WebPData Data;
    WebPDataInit(&Data);
    if (!WebPAnimEncoderAdd(Encoder, nullptr, TimestampMs, nullptr) ||
        !WebPAnimEncoderAssemble(Encoder, &Data))
        ThrowExport(ExportText::CannotWrite(Path));
    const QByteArray Bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(Data.bytes), qsizetype(Data.size));
    try
    {
        TPictureWriter::SaveBytes(Bytes, Path);
    }
    catch (...)
    {
        WebPDataClear(&Data);
        throw;
    }
    WebPDataClear(&Data);
}
