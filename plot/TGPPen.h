#pragma once
// The curve pen: an opaque ARGB colour, a width in pixels (float) and one of five dash
// styles whose dash lengths scale with the width. Caps are flat.
#include <QPen>

#include <cstdint>

class TGPPen
{
  public:
    TGPPen(uint32_t Argb, float Width);

    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; any other value draws solid.
    void SetDashStyle(int32_t Style);

    const QPen& Pen() const { return FPen; }

  private:
    QPen FPen;
};
