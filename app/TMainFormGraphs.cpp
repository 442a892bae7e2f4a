// The main window's Graph panel: graph kinds, their formulas and derived graphs.
#include "app/TMainForm.h"

#include "app/TFormulaAssist.h"
#include "app/TGraphPanel.h"
#include "app/TGraphUndo.h"
#include "app/TUndoMan.h"
#include "controls/TFormulaEdit.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>

void TMainForm::GraphExecute()
{
    if (!GraphPanel)
    {
        GraphPanel = std::make_unique<TGraphPanel>(
            PlotModel, DecimalSeparator, [this] { return ComboBox->currentIndex(); },
            [this](int Index, const TFunc& Edited) { Guard([&] { ApplyGraph(Index, Edited); }); },
            [this](int Of, TGraphKind Kind) { Guard([&] { AddDerivedGraph(Of, Kind); }); }, this);
        connect(ComboBox, &QComboBox::currentIndexChanged, GraphPanel.get(),
                [this] { GraphPanel->ModelChanged(); });
        TFormulaAssist::RecordUndoIn(*GraphPanel, [this](auto Record) { PushUndo(std::move(Record)); });
        OpenDock(GraphPanel.get());
    }
    GraphPanel->ModelChanged();
    GraphPanel->show();
    GraphPanel->raise();
}

void TMainForm::OpenDock(QDockWidget* Dock)
{
    addDockWidget(Qt::RightDockWidgetArea, Dock);
    Dock->show();
    const int Separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    resize(width() + Dock->sizeHint().width() + Separator, height());
}

void TMainForm::ApplyGraph(int Index, const TFunc& Edited)
{
    if (Index < 0 || Index >= PlotModel.FuncList.Count())
        return;
    TFunc& Graph = PlotModel.FuncList.Item(Index);
    if (!(Graph == Edited))
    {
        UndoMan->Push(std::make_unique<TGraphUndo>(Index, Graph,
                                                   [this](int At, const TFunc& Old) { PutGraph(At, Old); }));
        UpdateUndo();
        Graph = Edited;
    }
    if (Index == ComboBox->currentIndex())
        FuncEdit->SetFormula(Graph.Func);
    PlotModel.GraphsEnabled = true;
    ViewChanged();
    if (GraphPanel)
        GraphPanel->ModelChanged();
}

void TMainForm::PutGraph(int Index, const TFunc& Graph)
{
    if (Index < 0 || Index >= PlotModel.FuncList.Count())
        return;
    PlotModel.FuncList.Item(Index) = Graph;
    if (Index == ComboBox->currentIndex())
        FuncEdit->SetFormula(Graph.Func);
    if (GraphPanel)
        GraphPanel->ModelChanged();
}

// The new graph takes the colour of the graph it comes from, in a dashed line, so the two
// read as a pair; it is selected like a graph added with Add.
void TMainForm::AddDerivedGraph(int Of, TGraphKind Kind)
{
    if (Of < 0 || Of >= PlotModel.FuncList.Count())
        return;
    TFunc Graph;
    Graph.Kind = Kind;
    Graph.Of = Of + 1;
    Graph.Order = 1;
    Graph.FromText = QStringLiteral("0");
    Graph.Color = PlotModel.FuncList.Item(Of).Color;
    Graph.Style = 1;
    PlotModel.FuncList.Add(Graph);
    const int Count = PlotModel.FuncList.Count();
    ComboBox->addItem(QString::number(Count));
    ComboBox->setCurrentIndex(Count - 1);
    PlotModel.GraphsEnabled = true;
    ViewChanged();
}
