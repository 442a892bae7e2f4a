#pragma once
// Writes one picture of a plot: PNG through the raster path, SVG and PDF through QPainter
// (lines, fills and text stay vectors, text stays text). The file is written under a
// temporary name and renamed over the target only when complete: a failure throws
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
    // Bytes into Path, complete or not at all: written under a temporary name beside it and
    // renamed over it once all of them are on the disk, as one step of Partial. A device or
    // pipe is written to directly and never replaced; it is opened without waiting for a
    // reader (a pipe nobody reads fails at once), and a write it does not take whole fails.
    static void SaveBytes(const QByteArray& Bytes, const QString& Path, TPartialOutput* Partial = nullptr);

  private:
    static QByteArray EncodeSvg(TPlotPicture& Picture, QSize Size, const QString& Path);
    static QByteArray EncodePdf(TPlotPicture& Picture, QSize Size, const QString& Path);
};
