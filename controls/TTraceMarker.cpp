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

void TTraceMarker::SetTangent(std::optional<QLineF> Line)
{
    if (Line == FTangent)
        return;
    auto Area = [](const std::optional<QLineF>& L)
    { return L ? QRectF(L->p1(), L->p2()).normalized().toAlignedRect().adjusted(-1, -1, 1, 1) : QRect(); };
    const QRect Old = Area(FTangent);
    FTangent = Line;
    Box.update(Old | Area(FTangent));
}

QRect TTraceMarker::Bounds() const
{
    if (!FPosition)
        return QRect();
    return QRect(FPosition->x() - Arm, FPosition->y() - Arm, 2 * Arm + 1, 2 * Arm + 1);
}

void TTraceMarker::Paint(QPainter& Painter) const
{
    Painter.setRenderHint(QPainter::Antialiasing, false);
    if (FTangent)
    {
        Painter.setPen(QPen(QColor(0xD0, 0, 0), 0));
        Painter.drawLine(*FTangent);
    }
    if (!FPosition)
        return;
    const QPoint c = *FPosition;
    Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter.setPen(QPen(Qt::black, 0));
    // The centre pixel once, so the two strokes do not invert it back.
    Painter.drawLine(c.x() - Arm, c.y(), c.x() + Arm, c.y());
    Painter.drawLine(c.x(), c.y() - Arm, c.x(), c.y() - 1);
    Painter.drawLine(c.x(), c.y() + 1, c.x(), c.y() + Arm);
}
