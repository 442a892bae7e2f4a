#include "app/TFormulaHint.h"

#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

TFormulaHint::TFormulaHint(QLineEdit* EditorIn) : QLabel(EditorIn->window()), Editor(EditorIn)
{
    setObjectName(EditorIn->objectName() + QStringLiteral("Hint"));
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(true);
    setTextFormat(Qt::RichText);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(3);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    hide();
}

void TFormulaHint::Show(const QString& Html, bool ClickableIn)
{
    Clickable = ClickableIn;
    setCursor(Clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (Html.isEmpty() || !Editor || !Editor->isVisible())
        return hide();
    if (text() != Html)
        setText(Html);
    Follow();
    show();
    raise();
}

void TFormulaHint::Follow()
{
    if (!Editor)
        return;
    // A dock may float: the line belongs to whichever window holds the editor now.
    if (parentWidget() != Editor->window())
        setParent(Editor->window());
    QWidget* Host = parentWidget();
    const int Width = std::clamp(Editor->width(), 240, std::max(240, Host->width()));
    const int Height = heightForWidth(Width);
    const QPoint Below = Editor->mapTo(Host, QPoint(0, Editor->height()));
    const int Left = std::clamp(Below.x(), 0, std::max(0, Host->width() - Width));
    const int Top = Below.y() + Height <= Host->height() ? Below.y() : Below.y() - Editor->height() - Height;
    setGeometry(Left, std::max(0, Top), Width, Height);
}

void TFormulaHint::mousePressEvent(QMouseEvent* Event)
{
    if (Clickable && Event->button() == Qt::LeftButton)
        emit Clicked();
    Event->accept();
}
