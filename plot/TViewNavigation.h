#pragma once
// The arithmetic of moving the view: the zoom to a dragged rectangle, the pan by one grid
// division, and the animation's time step. Each works on the texts of the bound and time
// editors, as the window shows them, and returns the texts to write back.
#include <QRect>
#include <QString>

#include <cstdint>

struct TBoundTexts
{
    QString Left, Top, Right, Bottom;
};

class TViewNavigation
{
public:
    explicit TViewNavigation(char16_t DecimalSeparator) : Separator(DecimalSeparator) {}

    // The view that makes the pixel rectangle (x1, y1)-(x2, y2) of a Width x Height surface the
    // whole plot, each bound written with three decimals. Bounds are read in the order right,
    // top, left, bottom; a text that is not a number raises EConvertError, equal bounds EZeroDivide.
    TBoundTexts Zoom(const TBoundTexts& Current, int Width, int Height, const QRect& Selection) const;

    // Moves the pair (Low, High) by Steps grid divisions of (High - Low) / Ticks; returns the
    // new Low and High in the 15-significant-digit form.
    std::pair<QString, QString> Pan(const QString& Low, const QString& High, int32_t Ticks, int Steps) const;

    // One animation tick: the time text (0 when it is not a number) plus Increment, written
    // with two decimals.
    QString StepTime(const QString& TimeText, float Increment) const;

private:
    char16_t Separator;
};
