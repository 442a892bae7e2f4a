#pragma once
// A push button that shows a colour swatch instead of its caption. A click is an
// ordinary clicked(); the button never opens a colour chooser itself.
#include "plot/TColor.h"

#include <QImage>
#include <QPushButton>

class TColorBtn : public QPushButton
{
    Q_OBJECT

  public:
    explicit TColorBtn(QWidget* Parent = nullptr);

    // The swatch colour (0x00BBGGRR). Setting a new value emits Changed() and repaints;
    // setting the current value does neither.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    // The second colour of a two-colour Pattern: dark pattern pixels show Color,
    // light ones BkColor. Without a pattern it has no visible effect.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);

    // An optional tile for the swatch; an empty image means a solid swatch.
    const QImage& Pattern() const { return FPattern; }
    void SetPattern(const QImage& Value);

    // The outline of the focused or default button: true while the button has the
    // focus or is the window's default button.
    bool DefaultFrame() const { return hasFocus() || isDefault(); }

  signals:
    void Changed();

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    void DrawPanel(QPainter& Painter, QRect& R);
    void DrawSwatch(QPainter& Painter);
    QBrush SwatchBrush() const;

    TColor FBkColor;
    TColor FColor;
    QImage FPattern;
};
