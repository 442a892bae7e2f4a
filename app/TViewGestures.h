#pragma once
// Zoom and pan by wheel and touchpad on the plot surface. A vertical wheel zooms about the
// point under the mouse, ZoomPerNotch per notch, fractions of a notch in proportion; a
// horizontal wheel, or Shift with the wheel, pans left and right by a grid division per notch;
// a touchpad's two-finger scroll (pixel deltas) pans both ways with the picture following the
// fingers; a pinch zooms like the wheel. Each step writes the bounds at once and shows the
// kept picture moved or scaled to match; the picture is drawn anew when the steps pause.
// A burst of steps within BurstMs of each other, or one touchpad gesture from its start to
// its end and the glide after it, is one undo step. Mouse buttons are not looked at: every drag stays the
// zoom rectangle.
#include "plot/TViewNavigation.h"

#include <QObject>
#include <QPointF>
#include <QTimer>

#include <functional>
#include <optional>

class QTransform;
class TPlotModel;
class TWindowBox;

class TViewGestures : public QObject
{
    Q_OBJECT

  public:
    static constexpr int BurstMs = 500; // steps closer than this are one undo step
    static constexpr int PauseMs = 150; // the picture is drawn anew after this much quiet

    // ChangeView writes New into the bound editors, first recording the current view for
    // undo when Record is set; it returns false, with the view unchanged, when it refuses a
    // view that cannot be drawn (it tells the user why).
    using TChangeView = std::function<bool(const TBoundTexts& New, bool Record)>;

    TViewGestures(TWindowBox& Box, const TPlotModel& Model, const TViewNavigation& Navigation,
                  TChangeView ChangeView);

    // The surface's Wheel and NativeGesture events. A bound text that is not a number raises
    // EConvertError, a step beyond the numbers EViewRangeError; the view stays as it was.
    void Wheel(QPoint AngleDelta, QPoint PixelDelta, Qt::ScrollPhase Phase, Qt::KeyboardModifiers Shift,
               QPointF Pos);
    void NativeGesture(Qt::NativeGestureType Type, qreal Value, QPointF Pos);

  signals:
    // The bounds have changed (the picture follows after the pause).
    void ViewChanged();

  private:
    void Zoom(Float80 Notches, QPointF At);
    void Pan(QPointF Delta);
    // Applies one step; Picture moves the kept picture the same way.
    void Step(const TViewBounds& New, const QTransform& Picture);
    TBoundTexts CurrentTexts() const;
    TViewBounds CurrentBounds() const;
    void BeginGesture();
    void EndGesture();
    void EndBurst();

    TWindowBox& Box;
    const TPlotModel& Model;
    const TViewNavigation& Navigation;
    TChangeView ChangeView;
    // The bounds of the last step as numbers, and the texts written from them: while the
    // editors still show these texts, the next step goes on from the numbers.
    std::optional<TViewBounds> Running;
    TBoundTexts Written;
    bool InBurst = false;
    bool InGesture = false;
    QTimer BurstTimer;
    QTimer PauseTimer;
};
