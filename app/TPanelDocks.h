#pragma once
// The docks beside the plot, opened from the Tools menu on the right and made when first
// opened: the Analyse panel, the Graph panel and the Parameters panel. The window grows by a
// dock's width, so the plot keeps its size. What the Graph panel edits is applied here as Enter
// applies a formula: recorded for Undo, the graphs shown, the plot drawn again.
#include "plot/TFunc.h"

#include <functional>
#include <memory>

class QComboBox;
class QDockWidget;
class QMainWindow;
class QPainter;
class QWidget;
class TAnalysisPanel;
class TGraphPanel;
class TParametersPanel;
class TPlotModel;
class TUndoObject;

class TPanelDocks
{
  public:
    struct THooks
    {
        std::function<void(std::unique_ptr<TUndoObject>)> Record; // pushes an undo record
        std::function<void()> Changed;                            // redraw, errors may show again
        std::function<void(int Index)> GraphChanged;              // graph Index is new or changed
        std::function<void(const std::exception&)> Report;        // the application's error report
    };

    // Selector: the graph list, whose current graph the panels follow. Surface: the plot surface,
    // over which the analysis lays its marks.
    TPanelDocks(QMainWindow& Window, TPlotModel& Model, char16_t DecimalSeparator, QComboBox& Selector,
                QWidget& Surface, THooks Hooks);
    ~TPanelDocks();

    void Analyse();
    void Graph();
    void Parameters();
    // The model changed: the open panels show it.
    void ModelChanged();
    // The analysis marks on a copied or printed picture, when the user asked for them.
    void DrawMarks(QPainter& Painter, int Width, int Height, int Margin, double Scale) const;
    // Applies an edited graph as Enter applies a formula, recorded for Undo.
    void ApplyGraph(int Index, const TFunc& Edited);
    // Adds a graph of Kind derived from graph Of (0-based), in its colour, dashed, and selects it.
    void AddDerivedGraph(int Of, TGraphKind Kind);

  private:
    void Open(QDockWidget& Dock);
    // Puts Graph in place of graph Index, if the list has it (undo of the Graph panel).
    void PutGraph(int Index, const TFunc& Graph);

    QMainWindow& Window;
    TPlotModel& Model;
    const char16_t Sep;
    QComboBox& Selector;
    QWidget& Surface;
    THooks Hooks;
    std::unique_ptr<TAnalysisPanel> AnalysisPanel;
    std::unique_ptr<TGraphPanel> GraphPanel;
    std::unique_ptr<TParametersPanel> ParametersPanel;
};
