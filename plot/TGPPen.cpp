#include "plot/TGPPen.h"

#include <QColor>

TGPPen::TGPPen(uint32_t Argb, float Width)
    : FPen(QColor::fromRgba(Argb), qreal(Width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
{
}

void TGPPen::SetDashStyle(int32_t Style)
{
    static constexpr Qt::PenStyle Styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
    FPen.setStyle(Style >= 0 && Style < 5 ? Styles[Style] : Qt::SolidLine);
}
