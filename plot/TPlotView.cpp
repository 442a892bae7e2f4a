#include "plot/TPlotView.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"
#include "expr/TextToFloat.h"
#include "plot/TPlotModel.h"

#include <cmath>
#include <limits>

int64_t Round64(Float80 Value)
{
    return IntegerOps::Round64(Value);
}

int32_t PixelPosition(int64_t Margin, int64_t Offset)
{
    // Offset comes from Round64, so the sum can leave int64 only by a margin's worth.
    int64_t Sum = 0;
    if (__builtin_add_overflow(Margin, Offset, &Sum) || Sum < std::numeric_limits<int32_t>::min() ||
        Sum > std::numeric_limits<int32_t>::max())
        throw EViewRangeError(std::string(Msg::ViewOutOfRange));
    return int32_t(Sum);
}

static Float80 ConvertBound(const QString& Text, char16_t Sep)
{
    return TextToFloat(Text.toStdU16String(), Sep);
}

// Widens the shorter direction of the view about its centre so that a plane unit covers as
// many pixels across as up.
static void EqualizeScales(TPlotView& v)
{
    if (v.InnerWidth <= 0 || v.InnerHeight <= 0)
        return;
    const Float80 PerPixelX = FDiv(FSub(v.Right, v.Left), Float80(v.InnerWidth));
    const Float80 PerPixelY = FDiv(FSub(v.Top, v.Bottom), Float80(v.InnerHeight));
    if (PerPixelX > PerPixelY)
    {
        const Float80 Centre = FAdd(v.Bottom, FMul(FSub(v.Top, v.Bottom), 0.5L));
        const Float80 Half = FMul(PerPixelX, Float80(v.InnerHeight) / 2);
        v.Top = FAdd(Centre, Half);
        v.Bottom = FSub(Centre, Half);
    }
    else if (PerPixelY > PerPixelX)
    {
        const Float80 Centre = FAdd(v.Left, FMul(FSub(v.Right, v.Left), 0.5L));
        const Float80 Half = FMul(PerPixelY, Float80(v.InnerWidth) / 2);
        v.Right = FAdd(Centre, Half);
        v.Left = FSub(Centre, Half);
    }
}

static Float80 LogOfBound(Float80 Bound)
{
    if (!(Bound > 0))
        throw EViewRangeError(std::string(Msg::LogAxisNotPositive));
    return std::log10(Bound);
}

TPlotView TPlotView::Compute(const TPlotModel& Model, int Width, int Height, int Margin, char16_t Sep)
{
    TPlotView v;
    v.Margin = Margin;
    v.Left = ConvertBound(Model.LeftText, Sep);
    v.Right = ConvertBound(Model.RightText, Sep);
    v.Top = ConvertBound(Model.TopText, Sep);
    v.Bottom = ConvertBound(Model.BottomText, Sep);
    v.LogX = Model.Options.LogX;
    v.LogY = Model.Options.LogY;
    if (Model.Options.EqualScales && !v.LogX && !v.LogY)
    {
        v.InnerWidth = int64_t(Width) - 2 * int64_t(Margin);
        v.InnerHeight = int64_t(Height) - 2 * int64_t(Margin);
        EqualizeScales(v);
    }

    v.TickStepX = FDiv(FSub(v.Right, v.Left), Model.TicksByX);
    v.TickStepY = FDiv(FSub(v.Top, v.Bottom), Model.TicksByY);
    v.InnerWidth = int64_t(Width) - 2 * int64_t(Margin);
    v.InnerHeight = int64_t(Height) - 2 * int64_t(Margin);
    v.ScaleX = FDiv(Float80(v.InnerWidth), FSub(v.Right, v.Left));
    v.ScaleY = FDiv(Float80(v.InnerHeight), FSub(v.Top, v.Bottom));
    // ((Right - Left) - Right) rather than -Left: the rounding of the difference is part
    // of where the axis lands.
    if (v.LogX)
    {
        v.LogLeft = LogOfBound(v.Left);
        v.ScaleX = FDiv(Float80(v.InnerWidth), FSub(LogOfBound(v.Right), v.LogLeft));
        v.OriginX = Margin;
    }
    else
        v.OriginX = PixelPosition(Margin, Round64(FMul(FSub(FSub(v.Right, v.Left), v.Right), v.ScaleX)));
    if (v.LogY)
    {
        v.LogTop = LogOfBound(v.Top);
        v.ScaleY = FDiv(Float80(v.InnerHeight), FSub(v.LogTop, LogOfBound(v.Bottom)));
    }
    v.TickPixelsX = FDiv(Float80(v.InnerWidth), Model.TicksByX);
    v.TickPixelsY = FDiv(Float80(v.InnerHeight), Model.TicksByY);
    return v;
}

int32_t TPlotView::OriginY() const
{
    if (LogY)
        return PixelPosition(Margin, InnerHeight);
    return PixelPosition(Margin, Round64(FMul(Top, ScaleY)));
}

Float80 TPlotView::PlaneX(int64_t Px) const
{
    if (LogX)
        return std::pow(Float80(10), LogLeft + Float80(Px - Margin) / ScaleX);
    return FDiv(Float80(Px - OriginX), ScaleX);
}

Float80 TPlotView::PlaneY(int64_t Py, int32_t Origin) const
{
    if (LogY)
        return std::pow(Float80(10), LogTop - Float80(Py - Margin) / ScaleY);
    return FDiv(Float80(int64_t(Origin) - Py), ScaleY);
}

Float80 TPlotView::ColumnAt(Float80 x) const
{
    if (LogX)
        return x > 0 ? Float80(Margin) + (std::log10(x) - LogLeft) * ScaleX : -HUGE_VALL;
    return Float80(OriginX) + x * ScaleX;
}

Float80 TPlotView::RowAt(Float80 y, int32_t Origin) const
{
    if (LogY)
        return y > 0 ? Float80(Margin) + (LogTop - std::log10(y)) * ScaleY : HUGE_VALL;
    return Float80(Origin) - y * ScaleY;
}

int64_t TPlotView::RowOf(Float80 y, int32_t Origin, bool& Overflow) const
{
    Overflow = false;
    // On a logarithmic axis 0 and below lie infinitely far down: the curve falls off the
    // bottom of the picture there, and a fill stops at the axis.
    if (LogY)
        return y > 0 ? Margin + Round64((LogTop - std::log10(y)) * ScaleY) : INT64_MAX;
    const int64_t d = Round64(FMul(y, ScaleY));
    int64_t r = 0;
    Overflow = __builtin_sub_overflow(int64_t(Origin), d, &r);
    return Overflow ? (d > 0 ? INT64_MIN : INT64_MAX) : r;
}
