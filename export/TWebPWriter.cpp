#include "export/TWebPWriter.h"

#include "export/Errors.h"
#include "export/TExportLimits.h"
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
static_assert(ExportLimits::MaxWebPSide == WEBP_MAX_DIMENSION);
} // namespace

TWebPWriter::TWebPWriter(const QString& PathIn, QSize SizeIn, int Delay, TPartialOutput* PartialIn)
    : Path(PathIn), Size(SizeIn), DelayMs(Delay), Partial(PartialIn)
{
    if (Size.width() > ExportLimits::MaxWebPSide || Size.height() > ExportLimits::MaxWebPSide)
        ThrowExport(Msg::TooLargeFor(Size, QStringLiteral("WebP"), ExportLimits::MaxWebPSide));
    TPictureWriter::CheckTarget(Path);
    WebPAnimEncoderOptions Options;
    if (!WebPAnimEncoderOptionsInit(&Options))
        ThrowExport(Msg::CannotWrite(Path));
    Options.anim_params.loop_count = 0;
    Options.anim_params.bgcolor = 0xFFFFFFFF;
    Options.allow_mixed = 0;
    Encoder = WebPAnimEncoderNew(Size.width(), Size.height(), &Options);
    if (!Encoder)
        EncoderFailed();
}

TWebPWriter::~TWebPWriter()
{
    WebPAnimEncoderDelete(Encoder);
}

void TWebPWriter::Add(const QImage& Frame)
{
    WebPConfig Config;
    if (!WebPConfigInit(&Config) || !WebPConfigLosslessPreset(&Config, LosslessMethod))
        ThrowExport(Msg::CannotWrite(Path));
    Config.lossless = 1;
    Config.quality = LosslessQuality;
    Config.exact = 1;

    // QImage's RGB32 and ARGB32 are one 0xAARRGGBB word a pixel (RGB32's alpha always 0xFF), as
    // libwebp's ARGB: the encoder reads the frame's own pixels, which it copies and never
    // changes. Other formats are converted first.
    const bool Direct = Frame.format() == QImage::Format_RGB32 || Frame.format() == QImage::Format_ARGB32;
    const QImage Pixels = Direct ? Frame : Frame.convertToFormat(QImage::Format_ARGB32);
    WebPPicture Picture;
    if (!WebPPictureInit(&Picture))
        ThrowExport(Msg::CannotWrite(Path));
    Picture.use_argb = 1;
    Picture.width = Pixels.width();
    Picture.height = Pixels.height();
    Picture.argb = const_cast<uint32_t*>(reinterpret_cast<const uint32_t*>(Pixels.constBits()));
    Picture.argb_stride = int(Pixels.bytesPerLine() / 4);
    if (!WebPAnimEncoderAdd(Encoder, &Picture, TimestampMs, &Config))
        EncoderFailed();
    TimestampMs += DelayMs;
}

void TWebPWriter::Commit()
{
    // The last frame's duration is the time from its timestamp to this one.
    WebPData Data;
    WebPDataInit(&Data);
    if (!WebPAnimEncoderAdd(Encoder, nullptr, TimestampMs, nullptr) ||
        !WebPAnimEncoderAssemble(Encoder, &Data))
        EncoderFailed();
    const QByteArray Bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(Data.bytes), qsizetype(Data.size));
    try
    {
        TPictureWriter::SaveBytes(Bytes, Path, Partial);
    }
    catch (...)
    {
        WebPDataClear(&Data);
        throw;
    }
    WebPDataClear(&Data);
}

void TWebPWriter::EncoderFailed() const
{
    const char* Reason = Encoder ? WebPAnimEncoderGetError(Encoder) : "the encoder cannot start";
    ThrowExport(Msg::CannotEncode(Path, QString::fromUtf8(Reason && *Reason ? Reason : "no reason given")));
}
