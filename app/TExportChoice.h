#pragma once
// What the export dialogs ask for: the picture or animation to write and where.
#include "export/TExportFormat.h"
#include "export/TExportLimits.h"

#include <QSize>
#include <QString>

struct TPictureChoice
{
    TExportFormat Format = TExportFormat::Png; // Png, Svg or Pdf
    QSize Size;
    QString Time;
    bool Filled = false;
    QString FileName;
};

struct TAnimationChoice
{
    TExportFormat Format = TExportFormat::WebP; // WebP, Gif or Frames (FileName a folder)
    QSize Size;
    QString From, To, Step; // times as typed, with the user's decimal separator
    int DelayMs = ExportLimits::DefaultDelayMs;
    QString FileName;
};

// The progress of a long export; Advance answers false once the user has cancelled.
class TExportProgress
{
  public:
    virtual ~TExportProgress() = default;
    virtual bool Advance(int Done) = 0;
};
