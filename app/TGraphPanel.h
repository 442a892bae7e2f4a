#pragma once
// The Graph panel: a dock beside the plot that shows the graph selected in the graph list with
// its kind and the editors its kind asks for (TKindDescriptor::Editors), each captioned by the
// kind: the formula, Y(s), the ends S0 and S1 of s, the graph a derived graph is made from, its
// order, and why the graph draws nothing. Enter in any of its editors, or another kind chosen,
// hands the edited graph to the window, which applies it as Enter in the formula editor applies
// a formula (and records it for Undo). "Add derivative" and "Add integral" add a graph derived
// from the selected one.
#include "plot/TFunc.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QCheckBox;
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
    // Adds a graph of Kind derived from graph Of (0-based).
    using TAddDerived = std::function<void(int Of, TGraphKind Kind)>;

    TGraphPanel(const TPlotModel& Model, char16_t DecimalSeparator, std::function<int()> SelectedGraph,
                TApply Apply, TAddDerived AddDerived, QWidget* Parent);

    // Shows the selected graph as the model has it now.
    void ModelChanged();
    // The selected graph with the panel's values.
    TFunc Edited() const;

  private:
    // An editor's row: its caption and the editor.
    struct TRow
    {
        QLabel* Label;
        QWidget* Editor;
    };

    void CreateControls();
    void Connect();
    TGraphKind KindAt(int Index) const;
    void ShowKind(TGraphKind Kind);
    void ApplyEdits();

    const TPlotModel& Model;
    char16_t Sep;
    std::function<int()> SelectedGraph;
    TApply Apply;
    TAddDerived AddDerived;
    // The kinds in the order of the kind list.
    std::vector<TGraphKind> Kinds;
    bool Loading = false;

    QLabel* GraphLabel = nullptr;
    QComboBox* KindBox = nullptr;
    QLineEdit* FirstEdt = nullptr;
    QLineEdit* SecondEdt = nullptr;
    QLineEdit* FromEdt = nullptr;
    QLineEdit* ToEdt = nullptr;
    QSpinBox* OfSpin = nullptr;
    QComboBox* OrderBox = nullptr;
    QComboBox* MarkerBox = nullptr;
    QCheckBox* JoinedBox = nullptr;
    // In the order of TGraphField.
    std::vector<TRow> Rows;
    QLabel* Problem = nullptr;
    QPushButton* AddDerivativeBtn = nullptr;
    QPushButton* AddIntegralBtn = nullptr;
};
