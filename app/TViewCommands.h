#pragma once
// The view as the four bound editors hold it, and every change of it: Enter in a bound editor,
// the zoom to a dragged rectangle, the pans of the arrow keys, View > Zoom In, Zoom Out and
// Reset View, the wheel and touchpad (through TViewGestures), and presentation options that
// change the axes. Each change is checked alike (TViewNavigation::CheckView's faults, with the
// messages the user knows), recorded for Undo when it is a view change of its own, and written
// into the editors, which the model mirrors; then Changed() lets the window draw again.
#include "app/TZoomSelection.h"
#include "plot/TViewNavigation.h"

#include <functional>

class QLineEdit;
class QWidget;
class TDialogs;
class TPlotModel;

class TViewCommands
{
  public:
    struct TEditors
    {
        QLineEdit *Left, *Top, *Right, *Bottom;
    };
    struct THooks
    {
        std::function<void()> Record;  // pushes an undo record of the four editors
        std::function<void()> Undo;    // takes the last record back
        std::function<void()> Changed; // the view changed on the user's word: draw again
    };

    TViewCommands(TEditors Editors, QWidget& Surface, QWidget& Window, TPlotModel& Model,
                  const TViewNavigation& Navigation, TDialogs& Dialogs, THooks Hooks);

    TBoundTexts Current() const;
    // Writes the four editors (left, top, right, bottom).
    void Set(const TBoundTexts& New);

    // Enter in Sender: a bound editor's pair is checked (Left < Right, Top > Bottom, positive on
    // a logarithmic axis); a refused text is put back to the editor's hint after the message.
    // True when Enter goes on (any other editor, or a pair that holds); EConvertError for a
    // bound that is not a number.
    bool TakeEnter(QLineEdit* Sender);
    // Writes New, first recording the view when Record is set; false, with the view unchanged
    // and the user told why, for a view that cannot be drawn.
    bool Change(const TBoundTexts& New, bool Record);
    // A recorded, redrawn change to New; nothing when New is the view.
    void Move(const TBoundTexts& New);

    // The view that makes the dragged rectangle the whole plot; one too thin to give distinct
    // bounds at three decimals is taken back at once.
    void ZoomTo(const TZoomSelection& Done);
    // One notch closer (Notches > 0) or farther about the plot's centre.
    void Zoom(int Notches);
    // The start view, which the editors' hints hold.
    void Reset();
    // By n grid divisions of the axis's tick rule.
    void PanX(int n);
    void PanY(int n);
    // Takes the presentation options New, or refuses a logarithmic axis whose bounds are not
    // positive with the editors' message.
    bool TakeOptions(const TPlotOptions& New);
    // With equal scales the editors show the bounds drawn, the shorter direction widened.
    void ShowDrawn();

  private:
    // Shows why a view cannot be drawn, the message owned by Owner.
    void Refuse(TViewFault Fault, QWidget* Owner);

    TEditors Edt;
    QWidget& Surface;
    QWidget& Window;
    TPlotModel& Model;
    const TViewNavigation& Navigation;
    TDialogs& Dialogs;
    THooks Hooks;
};
