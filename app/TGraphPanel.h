#pragma once
// The Graph panel: a dock beside the plot that shows the graph selected in the graph list by
// kind (function, parametric, polar, inverse, derivative, integral) with all its formulas: X(s)
// and Y(s), R(s), g(y), the ends S0 and S1 of s, or the graph a derived graph is made from. Enter
// in any of its editors, or another kind chosen, hands the edited graph to the window, which
// applies it as Enter in the formula editor applies a formula (and records it for Undo). "Add
// derivative" and "Add integral" add a graph derived from the selected one.
#include "plot/TFunc.h"

#include <QDockWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TPlotModel;

class TGraphPanel : public QDockWidget
{
    Q_OBJECT

  public:
    using TApply = std::function<void(int Index, const TFunc& Edited)>;
    using TAddDerived = std::function<void(int Of, TGraphKind Kind)>;

    TGraphPanel(const TPlotModel& Model, char16_t DecimalSeparator, std::function<int()> SelectedGraph,
                TApply Apply, TAddDerived AddDerived, QWidget* Parent);

    // Shows the selected graph as the model has it now.
    void ModelChanged();
    // The selected graph with the panel's values.
    TFunc Edited() const;

  private:
    void CreateControls();
    void ShowKind(TGraphKind Kind);
    void ApplyEdits();

    const TPlotModel& Model;
    char16_t Sep;
    std::function<int()> SelectedGraph;
    TApply Apply;
    TAddDerived AddDerived;
    bool Loading = false;

    QLabel* GraphLabel = nullptr;
    QComboBox* KindBox = nullptr;
    QLabel* FirstLabel = nullptr;
    QLineEdit* FirstEdt = nullptr;
    QLabel* SecondLabel = nullptr;
    QLineEdit* SecondEdt = nullptr;
    QLabel* FromLabel = nullptr;
    QLineEdit* FromEdt = nullptr;
    QLabel* ToLabel = nullptr;
    QLineEdit* ToEdt = nullptr;
    QLabel* OfLabel = nullptr;
    QSpinBox* OfSpin = nullptr;
    QLabel* OrderLabel = nullptr;
    QComboBox* OrderBox = nullptr;
    QLabel* Problem = nullptr;
    QPushButton* AddDerivativeBtn = nullptr;
    QPushButton* AddIntegralBtn = nullptr;
};
