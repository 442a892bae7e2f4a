#include "plot/LineStyle.h"

#include "plot/TGPGraphics.h"
#include "plot/TGPPen.h"
#include "plot/TPlotView.h"

#include <QRect>

int LightenChannel(int Channel, int K, int FramesCount)
{
    // Frame 0 keeps the colour whatever FramesCount is (it may be 0 with motion blur off).
    if (K == 0)
        return Channel;
    const int64_t Product = int64_t(255 - Channel) * K;
    return Channel + int(Round64(Float80(Product) / Float80(FramesCount)));
}

TColor LightenColor(TColor Color, int K, int FramesCount)
{
    TColor Out = 0;
    for (int Shift = 0; Shift <= 16; Shift += 8)
        Out |= TColor(LightenChannel((Color >> Shift) & 0xFF, K, FramesCount)) << Shift;
    return Out;
}

void DrawStyleItem(QPainter& Painter, const QRect& ItemRect, TColor LineColor, int Index)
{
    // QRect's right() and bottom() are inclusive; the platform's are one past the item.
    const int Left = ItemRect.left(), Right = ItemRect.right() + 1;
    const int Top = ItemRect.top(), Bottom = ItemRect.bottom() + 1;
    const int Middle = (Top + Bottom) / 2;
    TGPGraphics Graphics(Painter);
    TGPPen Pen(ColorToArgb(LineColor), 3.0f);
    Pen.SetDashStyle(Index);
    Graphics.DrawLine(Pen, Left, Middle, Right, Middle);
}
