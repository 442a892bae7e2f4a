#pragma once
// The trace marker: a small cross on the selected graph at the mouse's column, laid over the
// drawing surface's picture as an overlay, so it never reaches Copy or Print. It inverts the
// pixels it covers, so it shows on the curve, the fills and the background alike. With it,
// when asked, the tangent through the marked point: a thin red line across the surface, under
// the cross.
#include <QLineF>
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
    // The tangent's segment in surface pixels; none hides it.
    void SetTangent(std::optional<QLineF> Line);
    std::optional<QLineF> Tangent() const { return FTangent; }

    void Paint(QPainter& Painter) const;

  private:
    QRect Bounds() const;

    TWindowBox& Box;
    std::optional<QPoint> FPosition;
    std::optional<QLineF> FTangent;
};
