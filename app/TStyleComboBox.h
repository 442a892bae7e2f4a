#pragma once
// The line-style list: five items without text, each drawn as a sample line in the colour of
// the line-colour button. The item index is the style value itself.
#include "plot/TColor.h"

#include <QComboBox>

#include <functional>

class TStyleComboBox : public QComboBox
{
    Q_OBJECT

  public:
    static constexpr int ItemHeight = 16;
    static constexpr int StyleCount = 5;

    // LineColor tells the colour to draw the samples in, read at every drawing.
    explicit TStyleComboBox(std::function<TColor()> LineColor, QWidget* Parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* Event) override;

  private:
    std::function<TColor()> LineColor;
};
