#include "controls/TColorBtn.h"

#include "controls/FocusRect.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace
{
const QColor WindowFrame(Qt::black);
const QColor Gray(0x80, 0x80, 0x80);

// A one-pixel frame on the edge pixels of R, in Color.
void FrameRect(QPainter& Painter, const QRect& R, const QColor& Color)
{
    Painter.save();
    Painter.setPen(QPen(Color, 0));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(R.adjusted(0, 0, -1, -1));
    Painter.restore();
}
} // namespace

TColorBtn::TColorBtn(QWidget* Parent) : QPushButton(Parent), FBkColor(clWindow), FColor(clWindow) {}

void TColorBtn::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    emit Changed();
    update();
}

void TColorBtn::SetBkColor(TColor Value)
{
    if (Value == FBkColor)
        return;
    FBkColor = Value;
    update();
}

void TColorBtn::SetPattern(const QImage& Value)
{
    FPattern = Value;
    update();
}

void TColorBtn::paintEvent(QPaintEvent*)
{
    QStylePainter Painter(this);
    QRect R = rect();
    DrawPanel(Painter, R);
    DrawSwatch(Painter);
    if (DefaultFrame())
        DrawFocusRect(Painter, rect().adjusted(4, 4, -4, -4));
}

// The button panel without its caption: a face-coloured rectangle with a shadow
// outline while pressed, the style's bevel otherwise; focused or default buttons get
// a black frame around it.
void TColorBtn::DrawPanel(QPainter& Painter, QRect& R)
{
    if (DefaultFrame())
    {
        FrameRect(Painter, R, WindowFrame);
        R.adjust(1, 1, -1, -1);
    }
    if (isDown())
    {
        Painter.save();
        Painter.setPen(QPen(palette().color(QPalette::Dark), 0));
        Painter.setBrush(palette().color(QPalette::Button));
        Painter.drawRect(R.adjusted(0, 0, -1, -1));
        Painter.restore();
        return;
    }
    QStyleOptionButton Option;
    initStyleOption(&Option);
    Option.rect = R;
    Option.text.clear();
    Option.icon = QIcon();
    Option.state &= ~QStyle::State_HasFocus;
    style()->drawControl(QStyle::CE_PushButtonBevel, &Option, &Painter, this);
}

// The swatch sits 4 pixels inside the client edge (one pixel lower and further right
// while pressed) in a one-pixel outline, black or, when disabled, gray.
void TColorBtn::DrawSwatch(QPainter& Painter)
{
    QRect R = rect().adjusted(4, 4, -4, -4);
    if (isDown())
        R.translate(1, 1);
    FrameRect(Painter, R, isEnabled() ? WindowFrame : Gray);
    R.adjust(1, 1, -1, -1);
    if (!R.isEmpty())
        Painter.fillRect(R, SwatchBrush());
}

QBrush TColorBtn::SwatchBrush() const
{
    if (FPattern.width() == 0 || FPattern.height() == 0)
        return QBrush(ToQColor(FColor));
    // Tiles are aligned to the button's origin, as a pattern brush is.
    QImage Tile = FPattern.convertToFormat(QImage::Format_RGB32);
    const QRgb Fore = ToQColor(FColor).rgb();
    const QRgb Back = ToQColor(FBkColor).rgb();
    for (int Y = 0; Y < Tile.height(); ++Y)
    {
        auto* Line = reinterpret_cast<QRgb*>(Tile.scanLine(Y));
        for (int X = 0; X < Tile.width(); ++X)
            Line[X] = qGray(Line[X]) < 128 ? Fore : Back;
    }
    return QBrush(Tile);
}
