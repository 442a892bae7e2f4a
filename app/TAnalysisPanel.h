#pragma once
// The analysis panel: a dock beside the plot that answers six questions about the graph
// selected in the graph list, over the current view: its roots (with poles and jumps), its
// extrema, its intersections with another graph, its value at an x (with f'(x), f''(x) and
// the tangent there), its area from a to b, and its inflection points. Results fill a table (x, y, kind) at
// 18 significant digits; Copy puts them on the clipboard as tab-separated text; selecting rows marks their
// points over the plot. The work runs off the user-interface thread and starts again whenever the formula,
// the time, the view or a question's input changes (ModelChanged), the stale run being cancelled.
#include "app/TAnalysisRunner.h"

#include <QDockWidget>
#include <QPointer>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableWidget;
class TAnalysisMarks;
class TPlotModel;

class TAnalysisPanel : public QDockWidget
{
    Q_OBJECT

  public:
    // SelectedGraph: the index of the graph the graph list shows. Surface: the plot surface,
    // over which the marks are laid.
    TAnalysisPanel(const TPlotModel& Model, char16_t DecimalSeparator, std::function<int()> SelectedGraph,
                   QWidget* Surface, QWidget* Parent);
    ~TAnalysisPanel() override;

    // Something the analysis reads may have changed: recompute if it did.
    void ModelChanged();
    // The marks on a copied or printed picture, when the user asked for them.
    void DrawMarksForOutput(QPainter& Painter, int Width, int Height, int Margin, qreal Scale) const;

    // The table as Copy puts it on the clipboard.
    QString TableText() const;

    // The tab of the section that asks Question (the tabs follow the order of the questions).
    static constexpr int SectionOf(TAnalysisQuestion Question) { return int(Question); }

  protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

  private:
    void CreateControls();
    // The request for what the panel shows now; false, with Problem set, when it cannot be
    // made (no formula, a bound or time that is not a number, ...).
    bool MakeRequest(TAnalysisRequest& Request, QString& Problem) const;
    bool ReadInputs(TAnalysisRequest& Request, QString& Problem) const;
    QString RequestKey(const TAnalysisRequest& Request) const;
    void ShowResult(const TAnalysisResult& Result, const QString& Error);
    void FillOtherGraphs();
    void MarkSelectedRows();
    void CopyClick();
    void StopClick();
    QString Number(Float80 Value) const;

    const TPlotModel& Model;
    const char16_t Sep;
    std::function<int()> SelectedGraph;
    TAnalysisRunner Runner;
    // A child of the plot surface, which may go first.
    QPointer<TAnalysisMarks> Marks;
    TAnalysisResult Shown;
    QString LastKey;
    bool Dirty = true;

    QLabel* GraphLabel = nullptr;
    QTabBar* Sections = nullptr;
    QStackedWidget* Inputs = nullptr;
    QComboBox* OtherGraph = nullptr;
    QLineEdit* ValueX = nullptr;
    QLineEdit* AreaFrom = nullptr;
    QLineEdit* AreaTo = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* Status = nullptr;
    QPushButton* CopyBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QCheckBox* MarksInOutput = nullptr;
};
