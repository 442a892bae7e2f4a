#include "controls/TTraceMarker.h"

#include "controls/TWindowBox.h"

#include <QPainter>

TTraceMarker::TTraceMarker(TWindowBox& BoxIn) : QObject(&BoxIn), Box(BoxIn)
{
    Box.AddOverlay([this](QPainter& Painter) { Paint(Painter); });
}

void TTraceMarker::SetPosition(std::optional<QPoint> Position)
{
    if (Position == FPosition)
        return;
    const QRect Old = Bounds();
    FPosition = Position;
    Box.update(Old | Bounds());
}

QRect TTraceMarker::Bounds() const
{
    if (!FPosition)
        return QRect();
    return QRect(FPosition->x() - Arm, FPosition->y() - Arm, 2 * Arm + 1, 2 * Arm + 1);
}

void TTraceMarker::Paint(QPainter& Painter) const
{
    if (!FPosition)
        return;
    const QPoint c = *FPosition;
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter.setPen(QPen(Qt::black, 0));
    // The centre pixel once, so the two strokes do not invert it back.
    Painter.drawLine(c.x() - Arm, c.y(), c.x() + Arm, c.y());
    Painter.drawLine(c.x(), c.y() - Arm, c.x(), c.y() - 1);
    Painter.drawLine(c.x(), c.y() + 1, c.x(), c.y() + Arm);
}
