#include "app/TStyleComboBox.h"

#include "plot/LineStyle.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace
{
// Draws an item of the open list: the sample line and nothing else.
class TStyleItemDelegate : public QStyledItemDelegate
{
  public:
    explicit TStyleItemDelegate(std::function<TColor()> Color, QObject* Parent)
        : QStyledItemDelegate(Parent), LineColor(std::move(Color))
    {
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        DrawStyleItem(*Painter, Option.rect, LineColor(), Index.row());
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override
    {
        return QSize(Option.rect.width(), TStyleComboBox::ItemHeight);
    }

  private:
    std::function<TColor()> LineColor;
};
} // namespace

TStyleComboBox::TStyleComboBox(std::function<TColor()> Color, QWidget* Parent)
    : QComboBox(Parent), LineColor(std::move(Color))
{
    for (int i = 0; i < StyleCount; ++i)
        addItem(QString());
    setItemDelegate(new TStyleItemDelegate(LineColor, this));
    setCurrentIndex(0);
}

void TStyleComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter Painter(this);
    QStyleOptionComboBox Option;
    initStyleOption(&Option);
    Option.currentText.clear();
    Painter.drawComplexControl(QStyle::CC_ComboBox, Option);
    QRect Field = style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        DrawStyleItem(Painter, Field, LineColor(), currentIndex());
}
