// The main window's handlers: editors, paint, graph list, zoom, undo, animation and keys.
#include "app/TMainForm.h"

#include "app/Errors.h"
#include "app/TDialogs.h"
#include "app/TPaintSlices.h"
#include "app/TParameterUndo.h"
#include "app/TPresentationMenu.h"
#include "app/TStyleComboBox.h"
#include "app/TUndoMan.h"
#include "app/TUndoObject.h"
#include "controls/TColorBtn.h"
#include "controls/TFormulaEdit.h"
#include "controls/TWindowBox.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"
#include "plot/TPlotView.h"
#include "plot/TTickGrid.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdint>

// --- editors, view menu, paint ---

void TMainForm::EditKeyPress(QLineEdit* Sender, int Key)
{
    if (Key != Qt::Key_Return || Sender == nullptr)
        return;
    auto Value = [this](QLineEdit* Edit) { return TextToFloat(ToU16(Edit->text()), DecimalSeparator); };
    bool Wrong = false;
    if (Sender == LeftEdt || Sender == RightEdt)
    {
        const Float80 L = Value(LeftEdt);
        Wrong = L >= Value(RightEdt);
    }
    else if (Sender == TopEdt || Sender == BottomEdt)
    {
        const Float80 T = Value(TopEdt);
        Wrong = T <= Value(BottomEdt);
    }
    const TPlotOptions& Log = PlotModel.Options;
    if (!Wrong && ((Log.LogX && (Sender == LeftEdt || Sender == RightEdt) && !(Value(LeftEdt) > 0)) ||
                   (Log.LogY && (Sender == TopEdt || Sender == BottomEdt) && !(Value(BottomEdt) > 0))))
    {
        Dialogs.ShowErrorMessage(Sender, QString::fromUtf8(Msg::LogAxisNotPositive));
        Sender->setText(Sender->toolTip());
        WindowBox->setFocus();
        return;
    }
    if (Wrong)
    {
        Dialogs.ShowErrorMessage(Sender, QString::fromLatin1(Msg::WrongRange));
        Sender->setText(Sender->toolTip());
        WindowBox->setFocus();
        return;
    }
    PlotModel.GraphsEnabled = true;
    PlotModel.FuncList.Last().Func = FuncEdit->Formula();
    ViewChanged();
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
                                   [this](const Exception& Error)
                                   { ReportPaintError(QString::fromUtf8(Error.what())); },
                                   Budget, Continue);
                           });
    }
    catch (const std::exception& Error)
    {
        PlotModel.GraphsEnabled = false;
        ReportPaintError(ErrorText(Error));
    }
}

QImage TMainForm::RenderPlot(double Scale)
{
    QImage Image(DeviceSize(WindowBox->size(), Scale), QImage::Format_RGB32);
    QPainter Painter(&Image);
    DrawPlotOn(Painter, *Renderer,
               TPlotTarget::Screen(Image.size(), Scale, WindowBox->Color(), WindowBox->font()),
               [this](const Exception& Error) { ReportError(Error); });
    return Image;
}

// --- graph list ---

void TMainForm::AddBtnClick()
{
    const QString Formula = FuncEdit->Formula();
    if (Formula.isEmpty())
        return;
    PlotModel.FuncList.Add(TFunc(Formula));
    const int Count = PlotModel.FuncList.Count();
    ComboBox->addItem(QString::number(Count));
    ComboBox->setCurrentIndex(Count - 1);
    FuncEdit->clear();
    ColorBtn->SetColor(clBlack);
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
    if (Done.Flat())
        return;

    // The record is made before any bound is computed, so a failing zoom leaves it.
    RecordView();

    const TPlotOptions& Options = PlotModel.Options;
    SetBounds(Options.LogX || Options.LogY
                  ? Navigation.ZoomOnAxes(CurrentBounds(), WindowBox->width(), WindowBox->height(),
                                          Done.Rect(), Options)
                  : Navigation.Zoom(CurrentBounds(), WindowBox->width(), WindowBox->height(), Done.Rect()));
    // A rectangle too thin to give distinct bounds at three decimals is taken back at once.
    if (LeftEdt->text() == RightEdt->text() || TopEdt->text() == BottomEdt->text())
        EditUndoExecute();
    else
        ViewChanged();
}

void TMainForm::RecordView()
{
    UndoMan->Push(std::make_unique<TUndoObject>(LeftEdt, TopEdt, RightEdt, BottomEdt));
    UpdateUndo();
}

void TMainForm::PushUndo(std::unique_ptr<TUndoObject> Record)
{
    UndoMan->Push(std::move(Record));
    UpdateUndo();
}

void TMainForm::RecordParameters(const TParameterList& Before)
{
    UndoMan->Push(std::make_unique<TParameterUndo>(PlotModel, Before));
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
    if (!Timer->isActive())
        Timer->start();
}

void TMainForm::BackBtnClick()
{
    PlotModel.TimeIncrement = -PlotModel.TimeStep;
    PlotModel.TickDirection = -1;
    if (!Timer->isActive())
        Timer->start();
}

void TMainForm::StopBtnClick()
{
    Timer->stop();
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

void TMainForm::EditKeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    const int Pressed = Key;
    // Every key that reaches the surface ends here, handled or not: Tab keeps the focus.
    Key = 0;
    if (Shift & Qt::ControlModifier)
    {
        // The grid counts stay at 1 or more: the renderer and the pans divide by them.
        auto Change = [this](int32_t& Ticks, int Delta)
        {
            Ticks = int32_t(std::clamp<int64_t>(int64_t(Ticks) + Delta, 1, INT32_MAX));
            InvalidatePlot();
        };
        switch (Pressed)
        {
        case Qt::Key_Left:
            Change(PlotModel.TicksByX, +1);
            break;
        case Qt::Key_Up:
            Change(PlotModel.TicksByY, +1);
            break;
        case Qt::Key_Right:
            Change(PlotModel.TicksByX, -1);
            break;
        case Qt::Key_Down:
            Change(PlotModel.TicksByY, -1);
            break;
        default:
            break;
        }
        return;
    }
    switch (Pressed)
    {
    case Qt::Key_Left:
        PanX(+1);
        break;
    case Qt::Key_Up:
        PanY(-1);
        break;
    case Qt::Key_Right:
        PanX(-1);
        break;
    case Qt::Key_Down:
        PanY(+1);
        break;
    default:
        break;
    }
}

void TMainForm::PanX(int n)
{
    const TTickRule Rule = TTickGrid::XRuleOf(PlotModel);
    const auto [Left, Right] =
        Rule == TTickRule::Even
            ? Navigation.Pan(LeftEdt->text(), RightEdt->text(), PlotModel.TicksByX, n)
            : Navigation.PanByRule(LeftEdt->text(), RightEdt->text(), Rule, PlotModel.TicksByX, n);
    LeftEdt->setText(Left);
    RightEdt->setText(Right);
    ViewChanged();
}

void TMainForm::PanY(int n)
{
    const TTickRule Rule = TTickGrid::YRuleOf(PlotModel);
    const auto [Bottom, Top] =
        Rule == TTickRule::Even
            ? Navigation.Pan(BottomEdt->text(), TopEdt->text(), PlotModel.TicksByY, n)
            : Navigation.PanByRule(BottomEdt->text(), TopEdt->text(), Rule, PlotModel.TicksByY, n);
    TopEdt->setText(Top);
    BottomEdt->setText(Bottom);
    ViewChanged();
}

// --- view menu zoom ---

void TMainForm::ZoomInExecute()
{
    ZoomView(1);
}

void TMainForm::ZoomOutExecute()
{
    ZoomView(-1);
}

// One notch about the centre of the plot.
void TMainForm::ZoomView(int Notches)
{
    const QPointF Centre(WindowBox->width() / 2.0, WindowBox->height() / 2.0);
    const TPlotOptions& Options = PlotModel.Options;
    MoveView(Navigation.WriteBounds(TViewNavigation::FromAxisScale(
        TViewNavigation::ZoomAbout(
            TViewNavigation::ToAxisScale(Navigation.ReadBounds(CurrentBounds()), Options), WindowBox->width(),
            WindowBox->height(), Centre, Notches),
        Options)));
}

// The hints hold the start texts.
void TMainForm::ResetViewExecute()
{
    MoveView({LeftEdt->toolTip(), TopEdt->toolTip(), RightEdt->toolTip(), BottomEdt->toolTip()});
}

TBoundTexts TMainForm::CurrentBounds() const
{
    return {LeftEdt->text(), TopEdt->text(), RightEdt->text(), BottomEdt->text()};
}

void TMainForm::SetBounds(const TBoundTexts& New)
{
    LeftEdt->setText(New.Left);
    TopEdt->setText(New.Top);
    RightEdt->setText(New.Right);
    BottomEdt->setText(New.Bottom);
}

void TMainForm::MoveView(const TBoundTexts& New)
{
    if (New == CurrentBounds())
        return;
    if (ChangeView(New, true))
        ViewChanged();
}

bool TMainForm::ChangeView(const TBoundTexts& New, bool Record)
{
    switch (Navigation.CheckView(New, WindowBox->width(), WindowBox->height(), PlotModel.Options))
    {
    case TViewFault::NotPositive:
        Dialogs.ShowErrorMessage(WindowBox, QString::fromUtf8(Msg::LogAxisNotPositive));
        return false;
    case TViewFault::EmptyRange:
        Dialogs.ShowErrorMessage(WindowBox, QString::fromLatin1(Msg::WrongRange));
        return false;
    case TViewFault::OutOfRange:
        Dialogs.ShowError(this, QString::fromUtf8(Msg::ViewOutOfRange));
        return false;
    case TViewFault::None:
        break;
    }
    if (Record)
        RecordView();
    SetBounds(New);
    // The gestures show the kept picture moved and ask for the new one when they pause.
    LastPaintError.clear();
    return true;
}

// --- presentation options ---

bool TMainForm::PresentationChange(const TPlotOptions& New)
{
    const TViewBounds b = Navigation.ReadBounds(CurrentBounds());
    const TPlotOptions& Old = PlotModel.Options;
    if ((New.LogX && !Old.LogX && !(b.Left > 0 && b.Right > 0)) ||
        (New.LogY && !Old.LogY && !(b.Top > 0 && b.Bottom > 0)))
    {
        Dialogs.ShowErrorMessage(WindowBox, QString::fromUtf8(Msg::LogAxisNotPositive));
        return false;
    }
    PlotModel.Options = New;
    LastPaintError.clear();
    InvalidatePlot();
    return true;
}

void TMainForm::ShowDrawnBounds()
{
    if (!PlotModel.Options.EqualScales || !WindowBox || !LeftEdt)
        return;
    TPlotView View;
    try
    {
        View = TPlotView::Compute(PlotModel, WindowBox->width(), WindowBox->height(), TViewNavigation::Margin,
                                  DecimalSeparator);
    }
    catch (const Exception&)
    {
        return; // the paint reports it
    }
    const TBoundTexts Drawn = Navigation.WriteBounds({View.Left, View.Top, View.Right, View.Bottom});
    if (Drawn == CurrentBounds())
        return;
    LeftEdt->setText(Drawn.Left);
    TopEdt->setText(Drawn.Top);
    RightEdt->setText(Drawn.Right);
    BottomEdt->setText(Drawn.Bottom);
}
