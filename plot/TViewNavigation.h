#pragma once
// The arithmetic of moving the view: the zoom to a dragged rectangle, the pan by one grid
// division, and the animation's time step. Each works on the texts of the bound and time
// editors, as the window shows them, and returns the texts to write back. The wheel and
// touchpad steps work on the bounds as numbers instead, so a run of small steps loses
// nothing to the texts between them.
#include "expr/Float80.h"
#include "plot/TAxisTicks.h"
#include "plot/TPlotOptions.h"
#include "plot/TPlotTarget.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include <cstdint>

struct TBoundTexts
{
    QString Left, Top, Right, Bottom;

    bool operator==(const TBoundTexts&) const = default;
};

struct TViewBounds
{
    Float80 Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Why a view cannot be drawn.
enum class TViewFault
{
    None,
    EmptyRange,  // left equals right or top equals bottom
    OutOfRange,  // the renderer's pixel mapping does not fit (EViewRangeError and the like)
    NotPositive, // a logarithmic axis has a bound of 0 or below
};

class TViewNavigation
{
  public:
    explicit TViewNavigation(char16_t DecimalSeparator) : Separator(DecimalSeparator) {}

    char16_t DecimalSeparator() const { return Separator; }

    // The view that makes the pixel rectangle (x1, y1)-(x2, y2) of a Width x Height surface the
    // whole plot, each bound written with three decimals. Bounds are read in the order right,
    // top, left, bottom; a text that is not a number raises EConvertError, equal bounds EZeroDivide.
    TBoundTexts Zoom(const TBoundTexts& Current, int Width, int Height, const QRect& Selection) const;

    // Moves the pair (Low, High) by Steps grid divisions of (High - Low) / Ticks; returns the
    // new Low and High in the 15-significant-digit form.
    std::pair<QString, QString> Pan(const QString& Low, const QString& High, int32_t Ticks, int Steps) const;
    // The same by one division of an axis's tick rule (TAxisTicks::Pan): a round or pi step, or
    // a Ticks-th of a logarithmic axis's decades.
    std::pair<QString, QString> PanByRule(const QString& Low, const QString& High, TTickRule Rule,
                                          int32_t Ticks, int Steps) const;

    // The plot margin of the screen's picture, in (logical) pixels, on each side.
    static constexpr int Margin = ScreenMargin;
    // One wheel notch zooms by this factor.
    static constexpr Float80 ZoomPerNotch = 1.25L;

    // The four texts as numbers, read in the order right, top, left, bottom like Zoom.
    TViewBounds ReadBounds(const TBoundTexts& Texts) const;
    // The four bounds in the 15-significant-digit form of the pans.
    TBoundTexts WriteBounds(const TViewBounds& Bounds) const;

    // The view ZoomPerNotch^Notches times closer (negative Notches: farther) about the point
    // At of a Width x Height surface, which keeps showing the same plane point: the picture
    // scales about At. A view beyond the numbers raises EViewRangeError.
    static TViewBounds ZoomAbout(const TViewBounds& View, int Width, int Height, QPointF At, Float80 Notches);
    // The view whose picture is the current one moved by Delta pixels.
    static TViewBounds Shift(const TViewBounds& View, int Width, int Height, QPointF Delta);

    // Whether DrawPlot can draw these bound texts on a Width x Height surface under Options.
    // A text that is not a number raises EConvertError.
    TViewFault CheckView(const TBoundTexts& Texts, int Width, int Height,
                         const TPlotOptions& Options = {}) const;

    // The bounds on the axes' own scales: a logarithmic axis's bounds by their decimal
    // logarithms, so that the zooms and shifts above, linear on that scale, act on a
    // logarithmic axis geometrically; and back. A bound of 0 or below on a logarithmic axis
    // raises EViewRangeError.
    static TViewBounds ToAxisScale(const TViewBounds& Bounds, const TPlotOptions& Options);
    static TViewBounds FromAxisScale(const TViewBounds& Bounds, const TPlotOptions& Options);
    // Zoom to a dragged rectangle on a view with a logarithmic axis: a linear axis as Zoom
    // does, a logarithmic one to the plane values the picture shows at the rectangle's edges,
    // in the 15-significant-digit form.
    TBoundTexts ZoomOnAxes(const TBoundTexts& Current, int Width, int Height, const QRect& Selection,
                           const TPlotOptions& Options) const;

    // One animation tick: the time text (0 when it is not a number) plus Increment, written
    // with two decimals.
    QString StepTime(const QString& TimeText, float Increment) const;

  private:
    char16_t Separator;
};
