#include "export/TPictureWriter.h"

#include "export/Errors.h"
#include "export/TPartialOutput.h"
#include "export/TPlotPicture.h"
#include "export/TPngEncoder.h"

#include "plot/Errors.h"
#include "plot/TSavingFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

void TPictureWriter::CheckTarget(const QString& Path)
{
    if (TSavingFile::TargetKind(Path) == TSavingFile::TTarget::Folder)
        ThrowExport(Msg::CannotWrite(Path));
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
        ThrowExport(Msg::CannotWrite(Path));
    return Bytes;
}

// A device or a pipe is written outside any step of Partial: it may wait for its reader, and it
// leaves no temporary to take away. A file's temporary lives and goes within the step, which
// gives the write up when the export is abandoned.
void TPictureWriter::SaveBytes(const QByteArray& Bytes, const QString& Path, TPartialOutput* Partial)
{
    TSavingFile::TOptions Export;
    Export.GiveUp = [Partial] { return TPartialOutput::Abandoning(Partial); };
    try
    {
        if (TSavingFile::TargetKind(Path) == TSavingFile::TTarget::Device)
        {
            Export.Devices = TSavingFile::TDevices::WriteDirectly;
            TSavingFile::Write(Path, Bytes, Export);
        }
        else
            TPartialOutput::Step(Partial, Path, [&] { TSavingFile::Write(Path, Bytes, Export); });
    }
    catch (const EFileWriteError&)
    {
        ThrowExport(Msg::CannotWrite(Path));
    }
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
            ThrowExport(Msg::CannotWrite(Path));
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
            ThrowExport(Msg::CannotWrite(Path));
        Picture.Draw(Painter, Size.width(), Size.height());
        if (!Painter.end())
            ThrowExport(Msg::CannotWrite(Path));
    }
    return Bytes;
}
