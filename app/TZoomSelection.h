#pragma once
// The zoom rectangle while it is dragged over the plot, in surface pixels: where the button
// went down and where the mouse is now. A value: the window holds one only while a drag is on.
#include <QPoint>
#include <QRect>

#include <algorithm>

struct TZoomSelection
{
    QPoint Start;
    QPoint End;

    // The normalised rectangle: corners (x1, y1) and (x2, y2), both inclusive.
    QRect Rect() const
    {
        return QRect(QPoint(std::min(Start.x(), End.x()), std::min(Start.y(), End.y())),
                     QPoint(std::max(Start.x(), End.x()), std::max(Start.y(), End.y())));
    }
    // The band's outline runs from corner to corner; a click with no movement shows nothing.
    QRect Band() const
    {
        const QRect r = Rect();
        return QRect(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top());
    }
    // No width or no height: there is nothing to zoom to.
    bool Flat() const { return Start.x() == End.x() || Start.y() == End.y(); }
};
