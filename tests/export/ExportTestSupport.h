#pragma once
// A small plot to export, and ways to read back what the writers wrote with readers that
// share no code with them: Qt's image readers, libwebp's demuxer and decoder, giflib's reader.
#include "export/TPlotPicture.h"
#include "plot/TPlotModel.h"

#include <QImage>
#include <QString>

#include <vector>

namespace ExportTest
{
// Two moving graphs with a fill, motion blur of 3 frames.
inline TPlotModel Scene()
{
    TPlotModel Model;
    TFunc Wave(QStringLiteral("Sin(x*t)*5"));
    Wave.Color = 0x0000FF;
    Wave.BGColor = 0xC0FFC0;
    TFunc Line(QStringLiteral("x/2+t"));
    Line.Style = 1;
    Model.FuncList.Assign({Wave, Line});
    Model.GraphsEnabled = true;
    Model.FilledGraphs = true;
    Model.FramesCount = 3;
    Model.TimeText = QStringLiteral("1");
    return Model;
}

inline TPlotPicture Picture()
{
    return TPlotPicture(Scene(), u'.', clWhite, QFont(QStringLiteral("DejaVu Sans"), 8));
}

struct TDecodedFrame
{
    QImage Image;
    int DurationMs = 0;
};

std::vector<TDecodedFrame> ReadWebP(const QString& Path);
// Each frame as the GIF shows it, its delay in hundredths, and its palette's size.
struct TGifFrame
{
    QImage Image;
    int DelayCs = 0;
    int PaletteSize = 0;
};
std::vector<TGifFrame> ReadGif(const QString& Path);

// The share of pixels two pictures of one size have equal, 0 .. 1.
double EqualShare(const QImage& a, const QImage& b);
// The pixels of Expected of curve colour Colour that Actual has nowhere within one pixel,
// away from crossings with black curves and axes.
int MissedCurvePixels(const QImage& Expected, const QImage& Actual, QRgb Colour);
} // namespace ExportTest
