#include "controls/TWindowBox.h"

#include "controls/FocusRect.h"
#include "plot/TPlotTarget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>

namespace
{
Qt::MouseButton HeldButton(Qt::MouseButtons Buttons)
{
    for (Qt::MouseButton B : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (Buttons & B)
            return B;
    return Qt::NoButton;
}
} // namespace

TWindowBox::TWindowBox(QWidget* Parent) : QWidget(Parent), FColor(clWindow)
{
    resize(105, 105);
    // Not a tab stop; a click focuses it, as the owner also does on every mouse-down.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    SetColor(clWindow);
}

void TWindowBox::SetOnPaint(TPaintHandler Handler)
{
    OnPaint = std::move(Handler);
    if (!OnPaint)
        Picture = QImage();
    Invalidate();
}

void TWindowBox::SetDoubleBuffered(bool Value)
{
    if (FDoubleBuffered == Value)
        return;
    FDoubleBuffered = Value;
    Picture = QImage();
    Invalidate();
}

void TWindowBox::SetColor(TColor Value)
{
    FColor = Value;
    QPalette Pal = palette();
    Pal.setColor(QPalette::Window, ToQColor(Value));
    setPalette(Pal);
    Invalidate();
}

void TWindowBox::Invalidate()
{
    PictureValid = false;
    update();
}

void TWindowBox::SetRubberBand(const QRect& Band)
{
    if (Band == FRubberBand)
        return;
    FRubberBand = Band;
    update();
}

void TWindowBox::ClearRubberBand()
{
    SetRubberBand(QRect());
}

void TWindowBox::AddOverlay(TOverlayPainter Painter)
{
    Overlays.push_back(std::move(Painter));
}

void TWindowBox::TransformPicture(const QTransform& Step)
{
    FPictureTransform = FPictureTransform * Step;
    update();
}

bool TWindowBox::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress)
    {
        auto* Key = static_cast<QKeyEvent*>(e);
        int Code = Key->key();
        emit KeyDown(Code, Key->modifiers());
        if (Code == 0)
        {
            e->accept();
            return true;
        }
        // Not handled: Tab and Backtab traverse the focus as usual, other keys go on
        // to keyPressEvent and, ignored there, to the parent.
    }
    else if (e->type() == QEvent::NativeGesture)
    {
        auto* Gesture = static_cast<QNativeGestureEvent*>(e);
        emit NativeGesture(Gesture->gestureType(), Gesture->value(), Gesture->position());
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void TWindowBox::PreparePainter(QPainter& Painter) const
{
    Painter.setFont(font());
    Painter.setBrush(ToQColor(FColor));
}

void TWindowBox::RenderPicture()
{
    const double Ratio = devicePixelRatioF();
    const QSize Size = DeviceSize(size(), Ratio);
    if (Picture.size() != Size)
        Picture = QImage(Size, QImage::Format_RGB32);
    // Drawn in device pixels, without the scaling a painter gives an image of a ratio above
    // 1, and shown at the ratio, one image pixel on one screen pixel.
    Picture.setDevicePixelRatio(1);
    Picture.fill(ToQColor(FColor));
    {
        QPainter Painter(&Picture);
        PreparePainter(Painter);
        OnPaint(Painter, Size, Ratio);
    }
    Picture.setDevicePixelRatio(Ratio);
    PictureValid = true;
    FPictureTransform.reset();
    emit PictureRendered();
}

bool TWindowBox::PictureFits() const
{
    const double Ratio = devicePixelRatioF();
    return PictureValid && Picture.devicePixelRatio() == Ratio && Picture.size() == DeviceSize(size(), Ratio);
}

void TWindowBox::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    if (OnPaint)
    {
        if (!FDoubleBuffered)
        {
            PreparePainter(Painter);
            OnPaint(Painter, size(), 1);
            Painter.resetTransform();
            Painter.setClipping(false);
        }
        else
        {
            // A new size or ratio needs a new picture; any other paint that Invalidate()
            // did not ask for (an expose, the rubber band) shows the kept one.
            if (!PictureFits())
                RenderPicture();
            if (!FPictureTransform.isIdentity())
            {
                Painter.fillRect(rect(), ToQColor(FColor));
                Painter.setTransform(FPictureTransform);
            }
            Painter.drawImage(0, 0, Picture);
            Painter.resetTransform();
        }
    }
    for (const TOverlayPainter& Overlay : Overlays)
    {
        Painter.save();
        Overlay(Painter);
        Painter.restore();
    }
    DrawFocusRect(Painter, FRubberBand);
}

void TWindowBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        LeftCaptured = true;
    emit MouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void TWindowBox::mouseMoveEvent(QMouseEvent* e)
{
    QPoint Pos = e->position().toPoint();
    if (Reaches(Pos))
        emit MouseMove(HeldButton(e->buttons()), e->modifiers(), Pos);
}

void TWindowBox::leaveEvent(QEvent*)
{
    emit MouseLeave();
}

void TWindowBox::wheelEvent(QWheelEvent* e)
{
    emit Wheel(e->angleDelta(), e->pixelDelta(), e->phase(), e->modifiers(), e->position());
    e->accept();
}

void TWindowBox::mouseReleaseEvent(QMouseEvent* e)
{
    QPoint Pos = e->position().toPoint();
    bool Reached = Reaches(Pos);
    if (e->button() == Qt::LeftButton)
        LeftCaptured = false;
    if (Reached)
        emit MouseUp(e->button(), e->modifiers(), Pos);
}
