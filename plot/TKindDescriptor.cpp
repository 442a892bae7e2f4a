#include "plot/TKindDescriptor.h"

#include <QPainter>
#include <QPen>

void TKindDescriptor::DrawSample(QPainter& Painter, const QPen& Pen, int Left, int Right, int Middle,
                                 const TFunc&) const
{
    Painter.setPen(Pen);
    Painter.drawLine(Left, Middle, Right, Middle);
}
