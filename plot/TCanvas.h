#pragma once
// A small device-context layer over QPainter, so that every pixel position the renderer
// computes lands exactly where it should on every device: lines are walked pixel by pixel
// and stop before their end point, as the platform's LineTo does, and text is placed by
// its top-left corner with a transparent background.
#include "plot/TColor.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QPainter;

enum class TPenStyle
{
    Solid,
    Dash, // 18 pixels on, 6 off, times the pen width
    Dot,  // 3 pixels on, 3 off, times the pen width
};

// A pixel measure of the ordinary picture on a device with Scale device pixels per logical
// pixel: Round(Pixels * Scale), and at least 1 for a measure of at least 1. At Scale 1 it is
// Pixels itself.
int64_t ScaledPixels(int64_t Pixels, double Scale);

class TCanvas
{
  public:
    // The painter must outlive the canvas. Antialiasing is switched off on it. On a plain
    // 32-bit image painted without transform, clip or blending, lines are written straight
    // into the image memory (the same pixels QPainter would set, much faster); AllowRaster
    // false keeps every drawing on QPainter.
    explicit TCanvas(QPainter& Painter, bool AllowRaster = true);

    QPainter& Painter() { return FPainter; }
    // The image memory lines are written to, or null when every drawing goes through QPainter.
    uint32_t* RasterBits() const { return Bits; }
    // Pixels from one row of RasterBits to the next.
    int64_t RasterStride() const { return Stride; }

    void SetPenColor(TColor Color) { PenColor = Color; }
    void SetPenStyle(TPenStyle Style) { PenStyle = Style; }
    // Lines are PenWidth device pixels thick across their main direction and centred on it
    // as a wide pen is: the pixels Minor - PenWidth / 2 .. Minor - PenWidth / 2 + PenWidth - 1
    // of each step (width 1: the walked pixel alone). A width below 1 draws as 1.
    void SetPenWidth(int Width) { PenWidth = Width; }
    // Device pixels per logical pixel of the picture: 1 on an ordinary screen, 2 on one of
    // twice the density. The canvas draws in device pixels whatever it is; Scaled turns a
    // pixel measure of the ordinary picture into this device's.
    void SetScale(double Value) { FScale = Value; }
    double Scale() const { return FScale; }
    int64_t Scaled(int64_t Pixels) const { return ScaledPixels(Pixels, FScale); }
    void SetBrushColor(TColor Color) { BrushColor = Color; }
    // The colour the background is filled with.
    TColor Brush() const { return BrushColor; }
    void SetFont(const QFont& Font)
    {
        FFont = Font;
        NarrowestDigit = 0;
    }
    const QFont& Font() const { return FFont; }
    void SetFontColor(TColor Color) { FontColor = Color; }

    // Fills the columns X1 .. X2 - 1 of rows Y1 .. Y2 - 1 with the brush colour.
    void FillRect(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2);
    void MoveTo(int64_t X, int64_t Y);
    // Draws from the current position up to, but not including, (X, Y), then moves there.
    void LineTo(int64_t X, int64_t Y);
    // Fills rows Top .. Bottom (inclusive) of column X with the pen colour, as a solid
    // vertical line over those pixels would.
    void VerticalRun(int64_t X, int64_t Top, int64_t Bottom);
    // Writes Text with its top-left corner at (X, Y) in the font colour.
    void TextOut(int64_t X, int64_t Y, const QString& Text);
    // How many characters of a number written from column X can reach the device: the
    // characters after them start past its right edge and add no pixel.
    size_t NumberTextCapacity(int64_t X) const;

  private:
    bool PatternOn(int64_t Step) const;
    void FillRun(int64_t X, int64_t Y, int64_t W, int64_t H);

    void FindRasterTarget();

    QPainter& FPainter;
    uint32_t* Bits = nullptr;
    int64_t Stride = 0;
    // The part of the plane the device shows, in the painter's coordinates; right and
    // bottom exclusive. Lines are walked only there.
    int64_t VisibleLeft = 0, VisibleTop = 0, VisibleRight = 0, VisibleBottom = 0;
    int64_t PenX = 0;
    int64_t PenY = 0;
    TColor PenColor = clBlack;
    TPenStyle PenStyle = TPenStyle::Solid;
    int PenWidth = 1;
    double FScale = 1;
    TColor BrushColor = clWhite;
    QFont FFont;
    // The narrowest advance of a number's characters in whole pixels, once measured.
    mutable int64_t NarrowestDigit = 0;
    TColor FontColor = clBlack;
};
