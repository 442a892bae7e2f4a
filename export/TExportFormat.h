#pragma once
// The kinds of file an export writes, and how a file name chooses one.
#include <QString>

#include <optional>

enum class TExportFormat
{
    Png,
    Svg,
    Pdf,
    WebP,   // animated, lossless
    Gif,    // animated
    Frames, // a folder of numbered PNGs
};

// The format a file name's extension names (case-insensitive): .png, .svg, .pdf, .webp,
// .gif; nothing for any other.
std::optional<TExportFormat> FormatForFile(const QString& FileName);
// The extension of a format, without the dot ("png"); empty for a folder of frames.
QString ExtensionOf(TExportFormat Format);
bool IsAnimation(TExportFormat Format);
