#pragma once
// What an export may be asked for, the one set of limits of both front ends: the Export Picture
// and Export Animation dialogs and `vendrel --render`. Neither writes a limit of its own.
#include "export/TExportFormat.h"

namespace ExportLimits
{
// The longest side of a picture in pixels: beyond it the frame alone would be an allocation the
// machine may not make. A WebP's side is at most what its encoder takes.
inline constexpr int MaxSide = 16384;
inline constexpr int MaxWebPSide = 16383;
// The shortest side of an exported picture: every format in the dialogs, and SVG, PDF and the
// animations on the command line.
inline constexpr int MinSide = 16;
// The command line draws a PNG from one pixel a side on, as it did before the other formats
// came (scripts make thumbnails that small); the dialogs keep every format to MinSide.
inline constexpr int MinPngSide = 1;

// Device pixels per pixel of `--render --scale`.
inline constexpr double MinScale = 0.25;
inline constexpr double MaxScale = 8;

// A frame's delay in milliseconds. A GIF counts delays in hundredths of a second, so a shorter
// one than 10 ms cannot be told apart from 10 ms; the longest stays within GIF's count of
// hundredths (65535). An animation starts with the window's own pace, a frame every 40 ms.
inline constexpr int MinDelayMs = 10;
inline constexpr int MaxDelayMs = 60000;
inline constexpr int DefaultDelayMs = 40;

// The most frames one animation has.
inline constexpr int MaxFrames = 10000;
} // namespace ExportLimits

// The longest side a picture of the format may have.
int MaxSideOf(TExportFormat Format);
// The shortest side the command line takes for the format (the dialogs: ExportLimits::MinSide).
int LeastSideOf(TExportFormat Format);
