#include "plot/TCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

int64_t ScaledPixels(int64_t Pixels, double Scale)
{
    const int64_t Scaled = std::llround(double(Pixels) * Scale);
    return Pixels >= 1 ? std::max<int64_t>(1, Scaled) : Scaled;
}

TCanvas::TCanvas(QPainter& Painter, bool AllowRaster) : FPainter(Painter)
{
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    if (QPaintDevice* Device = FPainter.device())
    {
        // A printer painter may carry an offset; screens and images have none.
        const QRect Visible = FPainter.combinedTransform()
                                  .inverted()
                                  .mapRect(QRectF(0, 0, Device->width(), Device->height()))
                                  .toAlignedRect();
        VisibleLeft = Visible.left();
        VisibleTop = Visible.top();
        VisibleRight = int64_t(Visible.left()) + Visible.width();
        VisibleBottom = int64_t(Visible.top()) + Visible.height();
    }
    FFont = FPainter.font();
    if (AllowRaster)
        FindRasterTarget();
}

// Writing a pixel straight into the image gives what QPainter gives only when QPainter
// would write the opaque colour unchanged to exactly that pixel: a 32-bit image whose
// pixels hold 0xAARRGGBB (opaque colours are 0xFFRRGGBB in all three formats), no
// transform, no clip, plain source-over at full opacity.
void TCanvas::FindRasterTarget()
{
    QPaintDevice* Device = FPainter.device();
    if (!Device || Device->devType() != QInternal::Image)
        return;
    auto* Image = static_cast<QImage*>(Device);
    const QImage::Format Format = Image->format();
    if (Format != QImage::Format_RGB32 && Format != QImage::Format_ARGB32 &&
        Format != QImage::Format_ARGB32_Premultiplied)
        return;
    if (FPainter.combinedTransform().type() != QTransform::TxNone || FPainter.hasClipping() ||
        FPainter.compositionMode() != QPainter::CompositionMode_SourceOver || FPainter.opacity() != 1.0)
        return;
    // The painter already holds the image's own buffer; a shared image would be copied
    // by bits() and the two would part.
    if (!Image->isDetached())
        return;
    Bits = reinterpret_cast<uint32_t*>(Image->bits());
    Stride = Image->bytesPerLine() / 4;
    VisibleLeft = 0;
    VisibleTop = 0;
    VisibleRight = Image->width();
    VisibleBottom = Image->height();
}

void TCanvas::FillRect(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2)
{
    X1 = std::max(X1, VisibleLeft);
    Y1 = std::max(Y1, VisibleTop);
    X2 = std::min(X2, VisibleRight);
    Y2 = std::min(Y2, VisibleBottom);
    if (X1 >= X2 || Y1 >= Y2)
        return;
    if (!Bits)
    {
        FPainter.fillRect(int(X1), int(Y1), int(X2 - X1), int(Y2 - Y1), ToQColor(BrushColor));
        return;
    }
    const uint32_t Pixel = ToQColor(BrushColor).rgba();
    uint32_t* Row = Bits + Y1 * Stride + X1;
    for (int64_t r = Y1; r < Y2; ++r, Row += Stride)
        std::fill(Row, Row + (X2 - X1), Pixel);
}

void TCanvas::MoveTo(int64_t X, int64_t Y)
{
    PenX = X;
    PenY = Y;
}

bool TCanvas::PatternOn(int64_t Step) const
{
    const int64_t Unit = std::max(PenWidth, 1);
    switch (PenStyle)
    {
    case TPenStyle::Dash:
        return Step % (24 * Unit) < 18 * Unit;
    case TPenStyle::Dot:
        return Step % (6 * Unit) < 3 * Unit;
    case TPenStyle::Solid:
        break;
    }
    return true;
}

void TCanvas::FillRun(int64_t X, int64_t Y, int64_t W, int64_t H)
{
    if (!Bits)
    {
        FPainter.fillRect(int(X), int(Y), int(W), int(H), ToQColor(PenColor));
        return;
    }
    const uint32_t Pixel = ToQColor(PenColor).rgba();
    uint32_t* Row = Bits + Y * Stride + X;
    for (int64_t r = 0; r < H; ++r, Row += Stride)
        std::fill(Row, Row + W, Pixel);
}

// The line is walked along its major axis: step i (0 <= i < n, n = the larger of |dx| and
// |dy|) lights the pixel whose minor coordinate is the ideal line's, rounded. Only the
// steps whose major coordinate lies on the device are visited, so a line of any length
// costs at most one device width or height; the dash pattern is counted from the start
// of the line all the same. Neighbouring lit pixels on one row (or column) are painted
// as one run, PenWidth pixels thick across the line.
void TCanvas::LineTo(int64_t X, int64_t Y)
{
    const int64_t X0 = PenX, Y0 = PenY;
    MoveTo(X, Y);
    const int64_t Dx = X - X0, Dy = Y - Y0;
    const int64_t Adx = std::llabs(Dx), Ady = std::llabs(Dy);
    const int64_t N = std::max(Adx, Ady);
    if (N == 0)
        return;
    const bool XMajor = Adx >= Ady;
    const int64_t MajorStart = XMajor ? X0 : Y0;
    const int64_t MajorSign = (XMajor ? Dx : Dy) < 0 ? -1 : 1;
    const int64_t MinorStart = XMajor ? Y0 : X0;
    const int64_t MinorSign = (XMajor ? Dy : Dx) < 0 ? -1 : 1;
    const int64_t MinorDelta = XMajor ? Ady : Adx;
    const int64_t MajorLo = XMajor ? VisibleLeft : VisibleTop;
    const int64_t MajorHi = XMajor ? VisibleRight : VisibleBottom; // exclusive
    const int64_t MinorLo = XMajor ? VisibleTop : VisibleLeft;
    const int64_t MinorHi = XMajor ? VisibleBottom : VisibleRight;
    // Across the line, step i covers Minor - Above .. Minor - Above + Thick - 1.
    const int64_t Thick = std::max(PenWidth, 1);
    const int64_t Above = Thick / 2;
    auto Visible = [&](int64_t Minor) { return Minor - Above < MinorHi && Minor - Above + Thick > MinorLo; };

    // Steps whose major coordinate is visible.
    int64_t First = 0, Last = N - 1;
    if (MajorSign > 0)
    {
        First = std::max(First, MajorLo - MajorStart);
        Last = std::min(Last, MajorHi - 1 - MajorStart);
    }
    else
    {
        First = std::max(First, MajorStart - (MajorHi - 1));
        Last = std::min(Last, MajorStart - MajorLo);
    }

    bool InRun = false;
    int64_t RunMajor = 0, RunMinor = 0, RunLength = 0;
    auto Flush = [&]
    {
        if (!InRun)
            return;
        const int64_t Lo = MajorSign > 0 ? RunMajor : RunMajor - RunLength + 1;
        const int64_t Across = std::max(RunMinor - Above, MinorLo);
        const int64_t AcrossEnd = std::min(RunMinor - Above + Thick, MinorHi);
        if (XMajor)
            FillRun(Lo, Across, RunLength, AcrossEnd - Across);
        else
            FillRun(Across, Lo, AcrossEnd - Across, RunLength);
        InRun = false;
    };
    if (First > Last)
        return;
    if (MinorDelta == 0 && PenStyle == TPenStyle::Solid)
    {
        // A solid horizontal or vertical line: one run.
        if (!Visible(MinorStart))
            return;
        InRun = true;
        RunMajor = MajorStart + MajorSign * First;
        RunMinor = MinorStart;
        RunLength = Last - First + 1;
        Flush();
        return;
    }
    // The minor offset of step i is (2 i MinorDelta + N) div 2N; it is carried from step to
    // step as quotient and remainder (MinorDelta <= N, so it grows by at most one per step).
    const __int128 Denominator = 2 * __int128(N);
    const __int128 Start = __int128(2) * First * MinorDelta + N;
    int64_t Quotient = int64_t(Start / Denominator);
    __int128 Remainder = Start % Denominator;
    for (int64_t i = First; i <= Last; ++i)
    {
        const int64_t Major = MajorStart + MajorSign * i;
        const int64_t Minor = MinorStart + MinorSign * Quotient;
        Remainder += 2 * __int128(MinorDelta);
        if (Remainder >= Denominator)
        {
            Remainder -= Denominator;
            ++Quotient;
        }
        const bool Lit = PatternOn(i) && Visible(Minor);
        if (Lit && InRun && Minor == RunMinor)
        {
            ++RunLength;
            continue;
        }
        Flush();
        if (Lit)
        {
            InRun = true;
            RunMajor = Major;
            RunMinor = Minor;
            RunLength = 1;
        }
    }
    Flush();
}

void TCanvas::VerticalRun(int64_t X, int64_t Top, int64_t Bottom)
{
    Top = std::max(Top, VisibleTop);
    Bottom = std::min(Bottom, VisibleBottom - 1);
    if (X >= VisibleLeft && X < VisibleRight && Top <= Bottom)
        FillRun(X, Top, 1, Bottom - Top + 1);
}

void TCanvas::TextOut(int64_t X, int64_t Y, const QString& Text)
{
    // A text this far off the device cannot reach it, and QPainter takes int coordinates.
    constexpr int64_t Reach = 1 << 20;
    if (X < VisibleLeft - Reach || Y < VisibleTop - Reach || X > VisibleRight + Reach ||
        Y > VisibleBottom + Reach)
        return;
    FPainter.setFont(FFont);
    FPainter.setPen(ToQColor(FontColor));
    const QFontMetrics Metrics(FFont, FPainter.device());
    FPainter.drawText(int(X), int(Y + Metrics.ascent()), Text);
}

size_t TCanvas::NumberTextCapacity(int64_t X) const
{
    if (NarrowestDigit == 0)
    {
        const QFontMetricsF Metrics(FFont, FPainter.device());
        qreal Narrowest = Metrics.horizontalAdvance(QLatin1Char('0'));
        for (QChar c : QStringLiteral("0123456789-.,"))
            Narrowest = std::min(Narrowest, Metrics.horizontalAdvance(c));
        NarrowestDigit = std::max<int64_t>(1, int64_t(Narrowest));
    }
    // A few characters to spare for glyphs that reach past their advance.
    const int64_t Step = NarrowestDigit;
    constexpr int64_t Spare = 3;
    const int64_t Room = std::max<int64_t>(0, VisibleRight - X);
    return size_t(std::min<int64_t>(Room / Step + Spare, int64_t(1) << 30));
}
