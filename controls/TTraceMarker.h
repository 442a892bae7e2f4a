#pragma once
// The trace marker: a small cross on the selected graph at the mouse's column, laid over the
// drawing surface's picture as an overlay, so it never reaches Copy or Print. It inverts the
// pixels it covers, so it shows on the curve, the fills and the background alike.
#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>

class QPainter;
class TWindowBox;

class TTraceMarker : public QObject
{
    Q_OBJECT

  public:
    // Half the cross's width and height, in pixels.
    static constexpr int Arm = 4;

    // Lays itself over Box's picture for as long as Box lives (Box owns it).
    explicit TTraceMarker(TWindowBox& Box);

    // Where the cross stands; none hides it.
    void SetPosition(std::optional<QPoint> Position);
    std::optional<QPoint> Position() const { return FPosition; }

    void Paint(QPainter& Painter) const;

  private:
    QRect Bounds() const;

    TWindowBox& Box;
    std::optional<QPoint> FPosition;
};
