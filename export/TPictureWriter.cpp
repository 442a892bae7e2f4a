#include "export/TPictureWriter.h"

#include "export/Errors.h"
#include "export/TPartialOutput.h"
#include "export/TPlotPicture.h"
#include "export/TPngEncoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <fcntl.h>
#include <unistd.h>

namespace
{
// A pipe opened for writing the usual way waits until someone opens it for reading, for ever
// if nobody does: it is opened without waiting (no reader: "cannot write"), and waits only in
// the writes that follow, for a reader that is there but slow.
void WriteToDevice(const QByteArray& Bytes, const QString& Path)
{
    const int Fd = ::open(QFile::encodeName(Path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        ThrowExport(ExportText::CannotWrite(Path));
    const int Flags = ::fcntl(Fd, F_GETFL);
    QFile Device;
    if (Flags < 0 || ::fcntl(Fd, F_SETFL, Flags & ~O_NONBLOCK) < 0 ||
        !Device.open(Fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
    {
        ::close(Fd);
        ThrowExport(ExportText::CannotWrite(Path));
    }
    if (Device.write(Bytes) != Bytes.size())
        ThrowExport(ExportText::CannotWrite(Path));
}
} // namespace

void TPictureWriter::CheckTarget(const QString& Path)
{
    if (QFileInfo(Path).isDir())
        ThrowExport(ExportText::CannotWrite(Path));
}

void TPictureWriter::Write(TPlotPicture& Picture, TExportFormat Format, QSize Size, const QString& Path)
{
    CheckTarget(Path); // before the drawing, which may take long
    SaveBytes(Encode(Picture, Format, Size, Path), Path);
}

QByteArray TPictureWriter::Encode(TPlotPicture& Picture, TExportFormat Format, QSize Size,
                                  const QString& Path)
{
    switch (Format)
    {
    case TExportFormat::Svg:
        return EncodeSvg(Picture, Size, Path);
    case TExportFormat::Pdf:
        return EncodePdf(Picture, Size, Path);
    default:
        break;
    }
    const QByteArray Bytes = TPngEncoder::Encode(Picture.Render(Size));
    if (Bytes.isEmpty())
        ThrowExport(ExportText::CannotWrite(Path));
    return Bytes;
}

// Unbuffered, the one write reports how much reached the disk: a buffered QSaveFile can commit
// a file that a full disk cut short. A device or a pipe named as the target (/dev/stdout, a
// FIFO) is written to directly: renaming a file over it would replace it.
void TPictureWriter::SaveBytes(const QByteArray& Bytes, const QString& Path, TPartialOutput* Partial)
{
    CheckTarget(Path);
    const QFileInfo Target(Path);
    if (Target.exists() && !Target.isFile())
        return WriteToDevice(Bytes, Path);
    // QSaveFile's temporary lives and goes within the step.
    TPartialOutput::Step(Partial, Path,
                         [&]
                         {
                             QSaveFile File(Path);
                             if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
                                 File.write(Bytes) != Bytes.size() || File.error() != QFileDevice::NoError ||
                                 TPartialOutput::Abandoning(Partial) || !File.commit())
                                 ThrowExport(ExportText::CannotWrite(Path));
                         });
}

QByteArray TPictureWriter::EncodeSvg(TPlotPicture& Picture, QSize Size, const QString& Path)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    QSvgGenerator Generator;
    Generator.setOutputDevice(&Buffer);
    Generator.setResolution(DotsPerInch);
    Generator.setSize(Size);
    Generator.setViewBox(QRect(QPoint(0, 0), Size));
    Generator.setTitle(QStringLiteral("Vendrel plot"));
    {
        QPainter Painter;
        if (!Painter.begin(&Generator))
            ThrowExport(ExportText::CannotWrite(Path));
        Picture.Draw(Painter, Size.width(), Size.height());
        // The generator writes the closing part of the file here.
        Painter.end();
    }
    return Bytes;
}

QByteArray TPictureWriter::EncodePdf(TPlotPicture& Picture, QSize Size, const QString& Path)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter Writer(&Buffer);
        Writer.setResolution(DotsPerInch);
        Writer.setCreator(QStringLiteral("Vendrel"));
        // One page of exactly the picture: its size in points at 96 pixels to the inch.
        const QSizeF Points(Size.width() * 72.0 / DotsPerInch, Size.height() * 72.0 / DotsPerInch);
        Writer.setPageLayout(
            QPageLayout(QPageSize(Points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter Painter;
        if (!Painter.begin(&Writer))
            ThrowExport(ExportText::CannotWrite(Path));
        Picture.Draw(Painter, Size.width(), Size.height());
        if (!Painter.end())
            ThrowExport(ExportText::CannotWrite(Path));
    }
    return Bytes;
}
