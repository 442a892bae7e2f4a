#include "controls/FocusRect.h"

#include <QPainter>
#include <QPolygon>

namespace
{
bool IsDot(int X, int Y)
{
    return ((X + Y) & 1) == 0;
}
} // namespace

void DrawFocusRect(QPainter& Painter, const QRect& Rect)
{
    if (Rect.isEmpty())
        return;
    // Each edge pixel is collected once, so corners are not inverted twice.
    QPolygon Dots;
    for (int X = Rect.left(); X <= Rect.right(); ++X)
    {
        if (IsDot(X, Rect.top()))
            Dots << QPoint(X, Rect.top());
        if (Rect.bottom() != Rect.top() && IsDot(X, Rect.bottom()))
            Dots << QPoint(X, Rect.bottom());
    }
    for (int Y = Rect.top() + 1; Y < Rect.bottom(); ++Y)
    {
        if (IsDot(Rect.left(), Y))
            Dots << QPoint(Rect.left(), Y);
        if (Rect.right() != Rect.left() && IsDot(Rect.right(), Y))
            Dots << QPoint(Rect.right(), Y);
    }
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter.setPen(QPen(Qt::black, 0));
    Painter.drawPoints(Dots);
    Painter.restore();
}
