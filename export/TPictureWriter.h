#pragma once
// Writes one picture of a plot: PNG through the raster path, SVG and PDF through QPainter
// (lines, fills and text stay vectors, text stays text). The file is written under a
// temporary name and renamed over the target only when complete: a failure throws
// EExportError("cannot write ...") and leaves the old file as it was.
#include "export/TExportFormat.h"

#include <QSize>
#include <QString>

class QByteArray;
class QSaveFile;
class TPlotPicture;

class TPictureWriter
{
  public:
    // The resolution SVG and PDF are made at: the one images have, so a text takes the
    // same pixels in every format.
    static constexpr int DotsPerInch = 96;

    static void Write(TPlotPicture& Picture, TExportFormat Format, QSize Size, const QString& Path);
    // Opens a temporary file beside Path to be renamed over it by Commit; only a regular
    // file or none is ever replaced. Both throw EExportError("cannot write Path").
    static void Open(QSaveFile& File, const QString& Path);
    static void Commit(QSaveFile& File, const QString& Path);
    // Bytes into Path, complete or not at all.
    static void SaveBytes(const QByteArray& Bytes, const QString& Path);

  private:
    static void WriteSvg(TPlotPicture& Picture, QSize Size, const QString& Path);
    static void WritePdf(TPlotPicture& Picture, QSize Size, const QString& Path);
};
