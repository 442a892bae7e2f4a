#include "app/TViewGestures.h"

#include "controls/TWindowBox.h"
#include "plot/TPlotModel.h"

#include <QTransform>

#include <cmath>

namespace
{
constexpr qreal NotchAngle = 120; // eighths of a degree in one wheel notch
} // namespace

TViewGestures::TViewGestures(TWindowBox& BoxIn, const TPlotModel& ModelIn,
                             const TViewNavigation& NavigationIn, TChangeView Change)
    : QObject(&BoxIn), Box(BoxIn), Model(ModelIn), Navigation(NavigationIn), ChangeView(std::move(Change))
{
    BurstTimer.setSingleShot(true);
    BurstTimer.setInterval(BurstMs);
    connect(&BurstTimer, &QTimer::timeout, this,
            [this]
            {
                if (!InGesture)
                    EndBurst();
            });
    PauseTimer.setSingleShot(true);
    PauseTimer.setInterval(PauseMs);
    connect(&PauseTimer, &QTimer::timeout, &Box, &TWindowBox::Invalidate);
}

void TViewGestures::Wheel(QPoint AngleDelta, QPoint PixelDelta, Qt::ScrollPhase Phase,
                          Qt::KeyboardModifiers Shift, QPointF Pos)
{
    if (Phase == Qt::ScrollBegin)
        BeginGesture();
    if (!PixelDelta.isNull())
        Pan(QPointF(PixelDelta));
    else if (AngleDelta.x() != 0 || (Shift & Qt::ShiftModifier))
    {
        // Some systems turn Shift with the wheel into a horizontal wheel themselves.
        const int Angle = AngleDelta.x() != 0 ? AngleDelta.x() : AngleDelta.y();
        const qreal Division = qreal(std::max(Box.width() - 2 * TViewNavigation::Margin, 1)) /
                               std::max(Model.TicksByX, int32_t(1));
        Pan(QPointF(Angle / NotchAngle * Division, 0));
    }
    else if (AngleDelta.y() != 0)
        Zoom(Float80(AngleDelta.y()) / NotchAngle, Pos);
    if (Phase == Qt::ScrollEnd)
        EndGesture();
}

void TViewGestures::NativeGesture(Qt::NativeGestureType Type, qreal Value, QPointF Pos)
{
    switch (Type)
    {
    case Qt::BeginNativeGesture:
        BeginGesture();
        break;
    case Qt::EndNativeGesture:
        EndGesture();
        break;
    case Qt::ZoomNativeGesture:
        // The picture grows by 1 + Value; a shrink to nothing or less means nothing.
        if (Value > -1 && Value != 0)
            Zoom(std::log1p(Float80(Value)) / std::log(TViewNavigation::ZoomPerNotch), Pos);
        break;
    default:
        break;
    }
}

void TViewGestures::Zoom(Float80 Notches, QPointF At)
{
    // A logarithmic axis zooms on its logarithms.
    const TPlotOptions& Options = Model.Options;
    const TViewBounds New = TViewNavigation::FromAxisScale(
        TViewNavigation::ZoomAbout(TViewNavigation::ToAxisScale(CurrentBounds(), Options), Box.width(),
                                   Box.height(), At, Notches),
        Options);
    const qreal Scale = qreal(std::pow(TViewNavigation::ZoomPerNotch, Notches));
    QTransform Picture;
    Picture.translate(At.x(), At.y());
    Picture.scale(Scale, Scale);
    Picture.translate(-At.x(), -At.y());
    Step(New, Picture);
}

void TViewGestures::Pan(QPointF Delta)
{
    const TPlotOptions& Options = Model.Options;
    Step(TViewNavigation::FromAxisScale(
             TViewNavigation::Shift(TViewNavigation::ToAxisScale(CurrentBounds(), Options), Box.width(),
                                    Box.height(), Delta),
             Options),
         QTransform::fromTranslate(Delta.x(), Delta.y()));
}

TBoundTexts TViewGestures::CurrentTexts() const
{
    return {Model.LeftText, Model.TopText, Model.RightText, Model.BottomText};
}

TViewBounds TViewGestures::CurrentBounds() const
{
    if (Running && CurrentTexts() == Written)
        return *Running;
    return Navigation.ReadBounds(CurrentTexts());
}

void TViewGestures::Step(const TViewBounds& New, const QTransform& Picture)
{
    // Anything else that moved the view since the last step (undo, a drag, a key, a typed
    // bound, a menu entry) ends the burst: this step is a new undo step.
    const bool Record = !InBurst || CurrentTexts() != Written;
    const TBoundTexts Texts = Navigation.WriteBounds(New);
    if (Texts == CurrentTexts())
    {
        // A step finer than the texts' fifteen digits (or none at all): kept in the numbers
        // until it shows, and no undo step until then.
        Running = New;
        Written = Texts;
        return;
    }
    if (!ChangeView(Texts, Record))
        return;
    Running = New;
    Written = Texts;
    InBurst = true;
    BurstTimer.start();
    Box.TransformPicture(Picture);
    PauseTimer.start();
    emit ViewChanged();
}

void TViewGestures::BeginGesture()
{
    EndBurst();
    InGesture = true;
}

void TViewGestures::EndGesture()
{
    // The burst goes on for BurstMs, so the glide a touchpad may send after the fingers have
    // left (momentum) belongs to the same step.
    InGesture = false;
    if (InBurst)
        BurstTimer.start();
    if (PauseTimer.isActive())
    {
        PauseTimer.stop();
        Box.Invalidate();
    }
}

void TViewGestures::EndBurst()
{
    InBurst = false;
    BurstTimer.stop();
}
