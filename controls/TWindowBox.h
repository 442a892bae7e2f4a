#pragma once
// The drawing surface the plot lives on. The owner draws the whole client area in the
// OnPaint callback; with double buffering on that drawing goes to an off-screen image
// that is kept, so the zoom rubber band can be laid over the last picture without
// drawing the plot again. Mouse events report button, modifiers and client position;
// a left-button drag keeps reporting while the pointer is outside. Every key pressed
// while the surface has the focus, Tab and the arrow keys included, goes to KeyDown
// before focus traversal sees it. Wheel and touchpad gestures are reported as they come;
// the owner may show the kept picture moved or scaled until it asks for a new one, and may
// lay marks over it (overlays) that never reach the picture itself.
#include "plot/TColor.h"

#include <QImage>
#include <QRect>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <vector>

class TWindowBox : public QWidget
{
    Q_OBJECT

  public:
    // Called with a painter on the whole picture (font and brush already set to the
    // surface's font and Color), the picture's size in pixels and the device pixels per
    // logical pixel it is drawn at. Double buffered, the picture has the screen's device
    // pixels (the client size times the surface's device pixel ratio, which the painter
    // does not apply: a ratio of 2 gives twice the client size and no transform); without
    // double buffering it is the client size at 1. It must draw everything and must not
    // let an exception escape: it runs inside Qt's paint event.
    using TPaintHandler = std::function<void(QPainter&, const QSize&, double Ratio)>;

    explicit TWindowBox(QWidget* Parent = nullptr);

    void SetOnPaint(TPaintHandler Handler);

    void SetDoubleBuffered(bool Value);

    // The surface's own colour: the background it shows before anything is drawn and
    // the brush handed to OnPaint, with which the plot fills its background.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    // Asks for a new picture: OnPaint runs again at the next paint. Use this rather
    // than update(), which with double buffering only shows the kept picture again.
    void Invalidate();

    // No border, so the whole size is the client size.
    int ClientWidth() const { return width(); }
    int ClientHeight() const { return height(); }

    // The rubber band: a dotted, inverting outline along the edge pixels of Band
    // (empty: nothing shows). With double buffering on, changing it repaints from the
    // kept picture and does not call OnPaint.
    void SetRubberBand(const QRect& Band);
    void ClearRubberBand();

    // Marks laid over the shown picture, under the rubber band, in the order added. They
    // draw on the window only, never into the picture OnPaint made, so Copy and Print do
    // not see them; their owner calls update() when its marks change.
    using TOverlayPainter = std::function<void(QPainter&)>;
    void AddOverlay(TOverlayPainter Painter);

    // Shows the kept picture moved by Step after the moves before it (a gesture under way),
    // without calling OnPaint; the uncovered parts show the surface's colour. The next
    // picture OnPaint draws is shown as it is again.
    void TransformPicture(const QTransform& Step);
    QTransform PictureTransform() const { return FPictureTransform; }

  signals:
    // Key is a Qt::Key code; a handler that sets it to 0 has handled the key, and
    // nothing else happens with it (no focus traversal, no propagation to the parent).
    // Shortcuts of the window's actions are dispatched before this signal.
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    // Button is the held button (left before right before middle), or Qt::NoButton.
    void MouseMove(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    // The pointer left the surface.
    void MouseLeave();
    // A wheel or touchpad scroll: AngleDelta in eighths of a degree (120 a notch),
    // PixelDelta in pixels where the device reports them (touchpads), else null.
    void Wheel(QPoint AngleDelta, QPoint PixelDelta, Qt::ScrollPhase Phase, Qt::KeyboardModifiers Shift,
               QPointF Pos);
    // A touchpad gesture; for a pinch (Qt::ZoomNativeGesture) Value is the change of the
    // scale, so the picture grows by 1 + Value.
    void NativeGesture(Qt::NativeGestureType Type, qreal Value, QPointF Pos);
    // OnPaint has just drawn a new picture; overlays are drawn after this.
    void PictureRendered();

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    void RenderPicture();
    // The kept picture shows the current model at the current size and ratio.
    bool PictureFits() const;
    void PreparePainter(QPainter& Painter) const;
    // Only a left-button drag captures the mouse; other buttons report only while the
    // pointer is over the surface, although Qt grabs the mouse for every button.
    bool Reaches(const QPoint& Pos) const { return LeftCaptured || rect().contains(Pos); }

    TPaintHandler OnPaint;
    bool FDoubleBuffered = false;
    TColor FColor;
    QImage Picture;            // the last picture OnPaint drew, when double buffered, in device pixels
    bool PictureValid = false; // Picture shows the current state of the owner's model
    QRect FRubberBand;
    std::vector<TOverlayPainter> Overlays;
    QTransform FPictureTransform;
    bool LeftCaptured = false;
};
