#include "app/TAnalysisMarks.h"

#include "app/AnalysisNumber.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace
{
constexpr QRgb MarkColor = 0xC01010;
constexpr int Radius = 4;
constexpr int Margin = 5; // the plot surface's margin

QString Number(Float80 Value, char16_t Sep)
{
    return AnalysisNumber(Value, 6, Sep);
}
} // namespace

TAnalysisMarks::TAnalysisMarks(const TPlotModel& ModelIn, char16_t DecimalSeparator, QWidget* Surface)
    : QWidget(Surface), Model(ModelIn), Sep(DecimalSeparator)
{
    setObjectName(QStringLiteral("AnalysisMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(Surface->rect());
    Surface->installEventFilter(this);
    show();
}

void TAnalysisMarks::SetMarks(std::vector<TMark> Marks)
{
    Items = std::move(Marks);
    update();
}

QString TAnalysisMarks::Label(const TMark& Mark, char16_t DecimalSeparator)
{
    const QString Comma = DecimalSeparator == u',' ? QStringLiteral("; ") : QStringLiteral(", ");
    return QLatin1Char('(') + Number(Mark.X, DecimalSeparator) + Comma + Number(Mark.Y, DecimalSeparator) +
           QLatin1Char(')');
}

void TAnalysisMarks::Draw(QPainter& Painter, int Width, int Height, int PlotMargin, qreal Scale) const
{
    if (Items.empty())
        return;
    TPlotView View;
    int32_t OriginY = 0;
    try
    {
        View = TPlotView::Compute(Model, Width, Height, PlotMargin, Sep);
        OriginY = View.OriginY();
    }
    catch (const std::exception&)
    {
        return;
    }
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(QColor(MarkColor), Scale));
    Painter.setBrush(Qt::NoBrush);
    const qreal R = Radius * Scale;
    for (const TMark& Mark : Items)
    {
        const Float80 Px = View.ColumnAt(Mark.X);
        const Float80 Py = View.RowAt(Mark.Y, OriginY);
        // Far outside the picture: nothing to show (and nothing that fits a coordinate).
        if (!(std::fabs(Px) < 1e6L && std::fabs(Py) < 1e6L))
            continue;
        const QPointF At{double(Px), double(Py)};
        Painter.drawEllipse(At, R, R);
        Painter.drawText(At + QPointF(R + 2 * Scale, -R - 2 * Scale), Label(Mark, Sep));
    }
    Painter.restore();
}

bool TAnalysisMarks::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == parentWidget() && Event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(Watched, Event);
}

void TAnalysisMarks::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Draw(Painter, width(), height(), Margin, 1);
}
