#include "app/TPanelDocks.h"

#include "app/TAnalysisPanel.h"
#include "app/TFormulaAssist.h"
#include "app/TGraphPanel.h"
#include "app/TGraphUndo.h"
#include "app/TParameterUndo.h"
#include "app/TParametersPanel.h"
#include "plot/TPlotModel.h"

#include <QComboBox>
#include <QMainWindow>
#include <QStyle>

TPanelDocks::TPanelDocks(QMainWindow& WindowIn, TPlotModel& ModelIn, char16_t DecimalSeparator,
                         QComboBox& SelectorIn, QWidget& SurfaceIn, THooks HooksIn)
    : Window(WindowIn), Model(ModelIn), Sep(DecimalSeparator), Selector(SelectorIn), Surface(SurfaceIn),
      Hooks(std::move(HooksIn))
{
}

TPanelDocks::~TPanelDocks() = default;

void TPanelDocks::Open(QDockWidget& Dock)
{
    Window.addDockWidget(Qt::RightDockWidgetArea, &Dock);
    Dock.show();
    const int Separator = Window.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &Window);
    Window.resize(Window.width() + Dock.sizeHint().width() + Separator, Window.height());
}

void TPanelDocks::Analyse()
{
    if (!AnalysisPanel)
    {
        AnalysisPanel = std::make_unique<TAnalysisPanel>(
            Model, Sep, [this] { return Selector.currentIndex(); }, &Surface, &Window);
        QObject::connect(&Selector, &QComboBox::currentIndexChanged, AnalysisPanel.get(),
                         [this] { AnalysisPanel->ModelChanged(); });
        Open(*AnalysisPanel);
    }
    AnalysisPanel->show();
    AnalysisPanel->raise();
}

void TPanelDocks::Graph()
{
    if (!GraphPanel)
    {
        const auto Guarded = [this](const std::function<void()>& Action)
        {
            try
            {
                Action();
            }
            catch (const std::exception& Error)
            {
                Hooks.Report(Error);
            }
        };
        GraphPanel = std::make_unique<TGraphPanel>(
            Model, Sep, [this] { return Selector.currentIndex(); },
            [this, Guarded](int Index, const TFunc& Edited) { Guarded([&] { ApplyGraph(Index, Edited); }); },
            [this, Guarded](int Of, TGraphKind Kind) { Guarded([&] { AddDerivedGraph(Of, Kind); }); },
            &Window);
        QObject::connect(&Selector, &QComboBox::currentIndexChanged, GraphPanel.get(),
                         [this] { GraphPanel->ModelChanged(); });
        TFormulaAssist::RecordUndoIn(*GraphPanel, Hooks.Record);
        Open(*GraphPanel);
    }
    GraphPanel->ModelChanged();
    GraphPanel->show();
    GraphPanel->raise();
}

// A slider redraws at once; a change of the parameters is one undo step.
void TPanelDocks::Parameters()
{
    if (!ParametersPanel)
    {
        ParametersPanel = std::make_unique<TParametersPanel>(
            Model, Sep, Hooks.Changed,
            [this](const TParameterList& Before)
            { Hooks.Record(std::make_unique<TParameterUndo>(Model, Before)); },
            &Window);
        Open(*ParametersPanel);
    }
    ParametersPanel->show();
    ParametersPanel->raise();
}

void TPanelDocks::ModelChanged()
{
    if (AnalysisPanel)
        AnalysisPanel->ModelChanged();
    if (ParametersPanel)
        ParametersPanel->ModelChanged();
}

void TPanelDocks::DrawMarks(QPainter& Painter, int Width, int Height, int Margin, double Scale) const
{
    if (AnalysisPanel)
        AnalysisPanel->DrawMarksForOutput(Painter, Width, Height, Margin, Scale);
}

void TPanelDocks::ApplyGraph(int Index, const TFunc& Edited)
{
    if (Index < 0 || Index >= Model.FuncList.Count())
        return;
    TFunc& Graph = Model.FuncList.Item(Index);
    if (!(Graph == Edited))
    {
        Hooks.Record(std::make_unique<TGraphUndo>(Index, Graph,
                                                  [this](int At, const TFunc& Old) { PutGraph(At, Old); }));
        Graph = Edited;
    }
    Hooks.GraphChanged(Index);
    Model.GraphsEnabled = true;
    Hooks.Changed();
    if (GraphPanel)
        GraphPanel->ModelChanged();
}

void TPanelDocks::PutGraph(int Index, const TFunc& Graph)
{
    if (Index < 0 || Index >= Model.FuncList.Count())
        return;
    Model.FuncList.Item(Index) = Graph;
    Hooks.GraphChanged(Index);
    if (GraphPanel)
        GraphPanel->ModelChanged();
}

// The new graph takes the colour of the graph it comes from, in a dashed line, so the two
// read as a pair; it is selected like a graph added with Add.
void TPanelDocks::AddDerivedGraph(int Of, TGraphKind Kind)
{
    if (Of < 0 || Of >= Model.FuncList.Count())
        return;
    TFunc Graph;
    Graph.Kind = Kind;
    Graph.Of = Of + 1;
    Graph.Order = 1;
    Graph.FromText = QStringLiteral("0");
    Graph.Color = Model.FuncList.Item(Of).Color;
    Graph.Style = 1;
    Model.FuncList.Add(Graph);
    Hooks.GraphChanged(Model.FuncList.Count() - 1);
    Model.GraphsEnabled = true;
    Hooks.Changed();
}
