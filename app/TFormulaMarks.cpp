#include "app/TFormulaMarks.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <optional>

namespace
{
// No editor shows more characters than this on either side of its cursor.
constexpr qsizetype Sight = 1000;
} // namespace

TFormulaMarks::TFormulaMarks(QLineEdit* EditorIn) : QWidget(EditorIn), Editor(EditorIn)
{
    setObjectName(EditorIn->objectName() + QStringLiteral("Marks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(EditorIn->rect());
    show();
}

void TFormulaMarks::SetMarks(const TMarks& Marks)
{
    if (Marks == FMarks)
        return;
    FMarks = Marks;
    update();
}

std::optional<qreal> TFormulaMarks::Left(qsizetype Place) const
{
    const QString Text = Editor->displayText();
    const qsizetype Cursor = Editor->cursorPosition();
    if (Place < 0 || Place > Text.size() || std::abs(Place - Cursor) > Sight)
        return std::nullopt;
    // The editor's cursor rectangle is a few pixels wide, centred on the cursor.
    const qreal CursorX = Editor->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center().x();
    const QFontMetricsF Metrics(Editor->font());
    if (Place >= Cursor)
        return CursorX + Metrics.horizontalAdvance(Text.mid(Cursor, Place - Cursor));
    return CursorX - Metrics.horizontalAdvance(Text.mid(Place, Cursor - Place));
}

void TFormulaMarks::paintEvent(QPaintEvent*)
{
    if (!Editor)
        return;
    const QRectF Cursor = Editor->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    QPainter Painter(this);
    Painter.setClipRect(Editor->contentsRect().adjusted(2, 1, -2, -1));
    const auto Box = [&](qsizetype Place, const QColor& Color)
    {
        const auto From = Left(Place), To = Left(Place + 1);
        if (From && To)
            Painter.fillRect(QRectF(*From, Cursor.top(), *To - *From, Cursor.height()), Color);
    };
    if (FMarks.Bracket >= 0)
    {
        const QColor Color = FMarks.Unmatched ? QColor(255, 60, 60, 90) : QColor(40, 120, 255, 70);
        Box(FMarks.Bracket, Color);
        if (FMarks.Partner >= 0)
            Box(FMarks.Partner, Color);
    }
    if (FMarks.WaveFrom < 0)
        return;
    // An empty place (reading stopped at the end) marks the last character.
    const qsizetype From = FMarks.WaveTo > FMarks.WaveFrom ? FMarks.WaveFrom : FMarks.WaveFrom - 1;
    const auto Start = Left(From), End = Left(std::max(FMarks.WaveTo, From + 1));
    if (!Start || !End)
        return;
    QPainterPath Wave;
    const qreal Base = Cursor.bottom() - 1.5;
    Wave.moveTo(*Start, Base);
    for (qreal x = *Start; x < *End; x += 2)
        Wave.lineTo(std::min(x + 2, *End), Base + ((int(std::lround((x - *Start) / 2)) % 2) ? 0 : -2));
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(Qt::red, 1));
    Painter.drawPath(Wave);
}
