// The main window's handlers: editors, paint, graph list, zoom, undo, animation and keys.
#include "app/TMainForm.h"

#include "app/TDialogs.h"
#include "app/TOutputCommands.h"
#include "app/TPaintSlices.h"
#include "app/TStyleComboBox.h"
#include "app/TUndoMan.h"
#include "app/TUndoObject.h"
#include "app/TViewCommands.h"
#include "controls/TColorBtn.h"
#include "controls/TFormulaEdit.h"
#include "controls/TWindowBox.h"
#include "expr/Errors.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <utility>

// --- editors, view menu, paint ---

// Enter in a bound editor is checked by the view commands first, as every view change is.
void TMainForm::EditKeyPress(QLineEdit* Sender, int Key)
{
    if (Key != Qt::Key_Return || Sender == nullptr)
        return;
    if (View->TakeEnter(Sender))
    {
        PlotModel.GraphsEnabled = true;
        PlotModel.FuncList.Last().Func = FuncEdit->Formula();
        ViewChanged();
    }
    WindowBox->setFocus();
}

void TMainForm::ShowExecute()
{
    PlotModel.View.Grid = Grid->isChecked();
    PlotModel.View.Numbers = Numbers->isChecked();
    PlotModel.View.Arrows = Arrows->isChecked();
    PlotModel.View.GridDot = GridDot->isChecked();
    PlotModel.View.GridDash = GridDash->isChecked();
    PlotModel.View.GridSolid = GridSolid->isChecked();
    InvalidatePlot();
}

void TMainForm::WindowBoxPaint(QPainter& Painter, const QSize& Size, double Ratio)
{
    try
    {
        PaintSlices->Paint(Painter, Size,
                           [&](const TPaintBudget* Budget, bool Continue)
                           {
                               DrawPlotOn(
                                   Painter, *Renderer,
                                   TPlotTarget::Screen(Size, Ratio, WindowBox->Color(), WindowBox->font()),
                                   [this](const Exception& Error) { CurveFailed(Error, true); }, Budget,
                                   Continue);
                           });
    }
    catch (const std::exception& Error)
    {
        PlotModel.GraphsEnabled = false;
        ReportPaintError(Error);
    }
}

QImage TMainForm::RenderPlot(double Scale)
{
    return Output->Render(Scale);
}

// --- graph list ---

void TMainForm::AddBtnClick()
{
    const QString Formula = FuncEdit->Formula();
    if (Formula.isEmpty())
        return;
    PlotModel.FuncList.Add(TFunc(Formula));
    GraphChanged(PlotModel.FuncList.Count() - 1);
    FuncEdit->clear();
    ColorBtn->SetColor(clBlack);
}

void TMainForm::GraphChanged(int Index)
{
    if (Index >= ComboBox->count())
    {
        ComboBox->addItem(QString::number(Index + 1));
        ComboBox->setCurrentIndex(Index);
    }
    else if (Index == ComboBox->currentIndex())
        FuncEdit->SetFormula(PlotModel.FuncList.Item(Index).Func);
}

void TMainForm::ComboBoxChange(int Index)
{
    if (Index < 0 || Index >= PlotModel.FuncList.Count())
        return;
    const TFunc& g = PlotModel.FuncList.Item(Index);
    LoadGraphIntoEditors(g.Func, g.Color, g.BGColor, g.Style);
}

void TMainForm::LoadGraphIntoEditors(const QString& Func, int32_t Color, int32_t BGColor, int32_t Style)
{
    FuncEdit->SetFormula(Func);
    ColorBtn->SetColor(Color);
    BGBtn->SetColor(BGColor);
    // A style that only a document can bring (outside 0..4) shows no item.
    StyleComboBox->setCurrentIndex(Style >= 0 && Style < TStyleComboBox::StyleCount ? Style : -1);
    StyleComboBox->update();
}

void TMainForm::ColorBtnClick()
{
    TFunc& g = PlotModel.FuncList.Last();
    const std::optional<TColor> Chosen = Dialogs.ChooseColor(this, g.Color);
    if (!Chosen)
        return;
    g.Color = *Chosen;
    ColorBtn->SetColor(g.Color);
    InvalidatePlot();
    StyleComboBox->update();
}

void TMainForm::BGBtnClick()
{
    TFunc& g = PlotModel.FuncList.Last();
    const std::optional<TColor> Chosen = Dialogs.ChooseColor(this, g.BGColor);
    if (!Chosen)
        return;
    g.BGColor = *Chosen;
    BGBtn->SetColor(g.BGColor);
    InvalidatePlot();
}

void TMainForm::StyleComboBoxClick(int Index)
{
    const int Graph = ComboBox->currentIndex();
    if (Graph >= 0 && Graph < PlotModel.FuncList.Count())
        PlotModel.FuncList.Item(Graph).Style = Index;
}

void TMainForm::StyleComboBoxChange()
{
    InvalidatePlot();
}

// --- mouse zoom and undo ---

void TMainForm::WindowBoxMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint Pos)
{
    Selection = TZoomSelection{Pos, Pos};
    WindowBox->SetRubberBand(Selection->Band());
    WindowBox->setFocus();
}

void TMainForm::WindowBoxMouseMove(Qt::KeyboardModifiers, QPoint Pos)
{
    if (!Selection)
        return;
    Selection->End = Pos;
    WindowBox->SetRubberBand(Selection->Band());
}

void TMainForm::WindowBoxMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)
{
    if (!Selection)
        return;
    const TZoomSelection Done = *Selection;
    WindowBox->ClearRubberBand();
    Selection.reset();
    if (!Done.Flat())
        View->ZoomTo(Done);
}

void TMainForm::Record(std::unique_ptr<TUndoObject> Undo)
{
    UndoMan->Push(std::move(Undo));
    UpdateUndo();
}

void TMainForm::EditUndoExecute()
{
    UndoMan->Pop();
    UpdateUndo();
    ViewChanged();
}

void TMainForm::UpdateUndo()
{
    EditUndo->setEnabled(UndoMan->Count() > 0);
}

// --- animation ---

void TMainForm::ForwardBtnClick()
{
    PlotModel.TimeIncrement = PlotModel.TimeStep;
    PlotModel.TickDirection = 1;
    PlotModel.Animating = true;
    if (!Timer->isActive())
        Timer->start();
}

void TMainForm::BackBtnClick()
{
    PlotModel.TimeIncrement = -PlotModel.TimeStep;
    PlotModel.TickDirection = -1;
    PlotModel.Animating = true;
    if (!Timer->isActive())
        Timer->start();
}

// The picture drawn coarse while the time ran is drawn in full.
void TMainForm::StopBtnClick()
{
    Timer->stop();
    if (std::exchange(PlotModel.Animating, false))
        InvalidatePlot();
}

// While a picture is still being drawn slice by slice, the time waits for it: ticks that
// came faster would only start pictures that are never finished.
void TMainForm::TimerTimer()
{
    if (PaintSlices->Unfinished())
        return;
    TimeEdt->setText(Navigation.StepTime(TimeEdt->text(), PlotModel.TimeIncrement));
    PlotModel.Parameters.Tick(PlotModel.TickDirection);
    InvalidatePlot();
}

// --- keyboard on the plot surface ---

// Every key that reaches the surface ends here, handled or not: Tab keeps the focus. The arrows
// pan; with Ctrl they change the grid counts, which stay at 1 or more (the renderer and the pans
// divide by them).
void TMainForm::EditKeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    struct TArrow
    {
        int Key;
        bool AlongX;
        int Ticks, Pan;
    };
    static constexpr TArrow Arrows[] = {{Qt::Key_Left, true, +1, +1},
                                        {Qt::Key_Up, false, +1, -1},
                                        {Qt::Key_Right, true, -1, -1},
                                        {Qt::Key_Down, false, -1, +1}};
    const int Pressed = Key;
    Key = 0;
    for (const TArrow& Arrow : Arrows)
    {
        if (Arrow.Key != Pressed)
            continue;
        if (!(Shift & Qt::ControlModifier))
            return Arrow.AlongX ? PanX(Arrow.Pan) : PanY(Arrow.Pan);
        int32_t& Ticks = Arrow.AlongX ? PlotModel.TicksByX : PlotModel.TicksByY;
        Ticks = int32_t(std::clamp<int64_t>(int64_t(Ticks) + Arrow.Ticks, 1, INT32_MAX));
        InvalidatePlot();
    }
}

void TMainForm::PanX(int n)
{
    View->PanX(n);
}

void TMainForm::PanY(int n)
{
    View->PanY(n);
}
