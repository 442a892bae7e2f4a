#pragma once
// The analysis's marks: a small circle at each marked point with its coordinates beside it.
// On screen they live in a transparent widget laid over the plot surface, so they are drawn
// over the kept picture and never into it; Copy and Print draw them only when asked, with
// Draw on their own painter after the plot. Points are in plane units and are placed by
// the view of the moment, so they follow zooms and pans.
#include "expr/Float80.h"

#include <QWidget>

#include <vector>

class QPainter;
class TPlotModel;

class TAnalysisMarks : public QWidget
{
    Q_OBJECT

  public:
    struct TMark
    {
        Float80 X = 0, Y = 0;
    };

    // Lies over Surface and follows its size.
    TAnalysisMarks(const TPlotModel& Model, char16_t DecimalSeparator, QWidget* Surface);

    void SetMarks(std::vector<TMark> Marks);
    const std::vector<TMark>& Marks() const { return Items; }

    // The marks on a picture of Width x Height drawn with Margin; Scale multiplies the circle
    // and the text (1 on screen, more on a printer's page). A view that cannot be computed
    // draws nothing.
    void Draw(QPainter& Painter, int Width, int Height, int Margin, qreal Scale) const;

    // The coordinates as the mark writes them.
    static QString Label(const TMark& Mark, char16_t DecimalSeparator);

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

  private:
    const TPlotModel& Model;
    char16_t Sep;
    std::vector<TMark> Items;
};
