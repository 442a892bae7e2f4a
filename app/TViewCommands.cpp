#include "app/TViewCommands.h"

#include "app/Errors.h"
#include "app/TDialogs.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"
#include "plot/TTickGrid.h"

#include <QLineEdit>
#include <QWidget>

TViewCommands::TViewCommands(TEditors Editors, QWidget& SurfaceIn, QWidget& WindowIn, TPlotModel& ModelIn,
                             const TViewNavigation& NavigationIn, TDialogs& DialogsIn, THooks HooksIn)
    : Edt(Editors), Surface(SurfaceIn), Window(WindowIn), Model(ModelIn), Navigation(NavigationIn),
      Dialogs(DialogsIn), Hooks(std::move(HooksIn))
{
}

TBoundTexts TViewCommands::Current() const
{
    return {Edt.Left->text(), Edt.Top->text(), Edt.Right->text(), Edt.Bottom->text()};
}

void TViewCommands::Set(const TBoundTexts& New)
{
    Edt.Left->setText(New.Left);
    Edt.Top->setText(New.Top);
    Edt.Right->setText(New.Right);
    Edt.Bottom->setText(New.Bottom);
}

void TViewCommands::Refuse(TViewFault Fault, QWidget* Owner)
{
    switch (Fault)
    {
    case TViewFault::NotPositive:
        Dialogs.ShowErrorMessage(Owner, QString::fromUtf8(Msg::LogAxisNotPositive));
        break;
    case TViewFault::EmptyRange:
        Dialogs.ShowErrorMessage(Owner, QString::fromLatin1(Msg::WrongRange));
        break;
    case TViewFault::OutOfRange:
        Dialogs.ShowError(&Window, QString::fromUtf8(Msg::ViewOutOfRange));
        break;
    case TViewFault::None:
        break;
    }
}

// Only the sender's pair is read: its lower bound must lie below its upper one (an empty or
// reversed range is refused), and above 0 on a logarithmic axis.
bool TViewCommands::TakeEnter(QLineEdit* Sender)
{
    const bool AlongX = Sender == Edt.Left || Sender == Edt.Right;
    if (!AlongX && Sender != Edt.Top && Sender != Edt.Bottom)
        return true;
    const char16_t Sep = Navigation.DecimalSeparator();
    auto Value = [Sep](QLineEdit* Edit) { return TextToFloat(ToU16(Edit->text()), Sep); };
    // Read in the order left, right or top, bottom: the first that is no number is reported.
    const Float80 First = Value(AlongX ? Edt.Left : Edt.Top);
    const Float80 Low = AlongX ? First : Value(Edt.Bottom);
    const Float80 High = AlongX ? Value(Edt.Right) : First;
    TViewFault Fault = TViewFault::None;
    if (AlongX ? Low >= High : High <= Low)
        Fault = TViewFault::EmptyRange;
    else if ((AlongX ? Model.Options.LogX : Model.Options.LogY) && !(Low > 0))
        Fault = TViewFault::NotPositive;
    if (Fault == TViewFault::None)
        return true;
    Refuse(Fault, Sender);
    Sender->setText(Sender->toolTip());
    return false;
}

bool TViewCommands::Change(const TBoundTexts& New, bool Record)
{
    const TViewFault Fault = Navigation.CheckView(New, Surface.width(), Surface.height(), Model.Options);
    if (Fault != TViewFault::None)
    {
        Refuse(Fault, &Surface);
        return false;
    }
    if (Record)
        Hooks.Record();
    Set(New);
    return true;
}

void TViewCommands::Move(const TBoundTexts& New)
{
    if (New == Current())
        return;
    if (Change(New, true))
        Hooks.Changed();
}

// The record is made before any bound is computed, so a failing zoom leaves it.
void TViewCommands::ZoomTo(const TZoomSelection& Done)
{
    Hooks.Record();
    const TPlotOptions& Options = Model.Options;
    const int W = Surface.width(), H = Surface.height();
    Set(Options.LogX || Options.LogY ? Navigation.ZoomOnAxes(Current(), W, H, Done.Rect(), Options)
                                     : Navigation.Zoom(Current(), W, H, Done.Rect()));
    if (Edt.Left->text() == Edt.Right->text() || Edt.Top->text() == Edt.Bottom->text())
        Hooks.Undo();
    else
        Hooks.Changed();
}

void TViewCommands::Zoom(int Notches)
{
    const QPointF Centre(Surface.width() / 2.0, Surface.height() / 2.0);
    const TPlotOptions& Options = Model.Options;
    Move(Navigation.WriteBounds(TViewNavigation::FromAxisScale(
        TViewNavigation::ZoomAbout(TViewNavigation::ToAxisScale(Navigation.ReadBounds(Current()), Options),
                                   Surface.width(), Surface.height(), Centre, Notches),
        Options)));
}

void TViewCommands::Reset()
{
    Move({Edt.Left->toolTip(), Edt.Top->toolTip(), Edt.Right->toolTip(), Edt.Bottom->toolTip()});
}

void TViewCommands::PanX(int n)
{
    const TTickRule Rule = TTickGrid::XRuleOf(Model);
    const auto [Left, Right] =
        Rule == TTickRule::Even
            ? Navigation.Pan(Edt.Left->text(), Edt.Right->text(), Model.TicksByX, n)
            : Navigation.PanByRule(Edt.Left->text(), Edt.Right->text(), Rule, Model.TicksByX, n);
    Edt.Left->setText(Left);
    Edt.Right->setText(Right);
    Hooks.Changed();
}

void TViewCommands::PanY(int n)
{
    const TTickRule Rule = TTickGrid::YRuleOf(Model);
    const auto [Bottom, Top] =
        Rule == TTickRule::Even
            ? Navigation.Pan(Edt.Bottom->text(), Edt.Top->text(), Model.TicksByY, n)
            : Navigation.PanByRule(Edt.Bottom->text(), Edt.Top->text(), Rule, Model.TicksByY, n);
    Edt.Top->setText(Top);
    Edt.Bottom->setText(Bottom);
    Hooks.Changed();
}

bool TViewCommands::TakeOptions(const TPlotOptions& New)
{
    const TViewBounds b = Navigation.ReadBounds(Current());
    const TPlotOptions& Old = Model.Options;
    if ((New.LogX && !Old.LogX && !(b.Left > 0 && b.Right > 0)) ||
        (New.LogY && !Old.LogY && !(b.Top > 0 && b.Bottom > 0)))
    {
        Refuse(TViewFault::NotPositive, &Surface);
        return false;
    }
    Model.Options = New;
    Hooks.Changed();
    return true;
}

void TViewCommands::ShowDrawn()
{
    if (!Model.Options.EqualScales)
        return;
    TPlotView View;
    try
    {
        View = TPlotView::Compute(Model, Surface.width(), Surface.height(), TViewNavigation::Margin,
                                  Navigation.DecimalSeparator());
    }
    catch (const Exception&)
    {
        return; // the paint reports it
    }
    const TBoundTexts Drawn = Navigation.WriteBounds({View.Left, View.Top, View.Right, View.Bottom});
    if (Drawn != Current())
        Set(Drawn);
}
