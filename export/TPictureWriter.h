#pragma once
// Writes one picture of a plot: PNG through the raster path, SVG and PDF through QPainter
// (lines, fills and text stay vectors, text stays text). The file is written whole or not at
// all by the one whole-or-nothing writer (plot/TSavingFile: a temporary beside the target,
// flushed and renamed over it; a device written directly): a failure throws
// EExportError("cannot write ...") and leaves the old file as it was.
#include "export/TExportFormat.h"

#include <QByteArray>
#include <QSize>
#include <QString>

class TPartialOutput;
class TPlotPicture;

class TPictureWriter
{
  public:
    // The resolution SVG and PDF are made at: the one images have, so a text takes the
    // same pixels in every format.
    static constexpr int DotsPerInch = 96;

    static void Write(TPlotPicture& Picture, TExportFormat Format, QSize Size, const QString& Path);
    // The file's bytes, made in memory; Path only names the file in an error.
    static QByteArray Encode(TPlotPicture& Picture, TExportFormat Format, QSize Size, const QString& Path);
    // Throws EExportError("cannot write Path") where Path names a folder.
    static void CheckTarget(const QString& Path);
    // Bytes into Path through TSavingFile, a device written directly: complete or not at all,
    // as one step of Partial (a device's write is none: it may wait for its reader). Throws
    // EExportError("cannot write Path") on every failure.
    static void SaveBytes(const QByteArray& Bytes, const QString& Path, TPartialOutput* Partial = nullptr);

  private:
    static QByteArray EncodeSvg(TPlotPicture& Picture, QSize Size, const QString& Path);
    static QByteArray EncodePdf(TPlotPicture& Picture, QSize Size, const QString& Path);
};
