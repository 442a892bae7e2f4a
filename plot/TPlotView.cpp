#include "plot/TPlotView.h"

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

TPlotView TPlotView::Compute(const TPlotModel& Model, int Width, int Height, int Margin, char16_t Sep)
{
    TPlotView v;
    v.Margin = Margin;
    v.Left = ConvertBound(Model.LeftText, Sep);
    v.Right = ConvertBound(Model.RightText, Sep);
    v.Top = ConvertBound(Model.TopText, Sep);
    v.Bottom = ConvertBound(Model.BottomText, Sep);

    v.TickStepX = FDiv(FSub(v.Right, v.Left), Model.TicksByX);
    v.TickStepY = FDiv(FSub(v.Top, v.Bottom), Model.TicksByY);
    v.InnerWidth = int64_t(Width) - 2 * int64_t(Margin);
    v.InnerHeight = int64_t(Height) - 2 * int64_t(Margin);
    v.ScaleX = FDiv(Float80(v.InnerWidth), FSub(v.Right, v.Left));
    v.ScaleY = FDiv(Float80(v.InnerHeight), FSub(v.Top, v.Bottom));
    // ((Right - Left) - Right) rather than -Left: the rounding of the difference is part
    // of where the axis lands.
    v.OriginX = PixelPosition(Margin, Round64(FMul(FSub(FSub(v.Right, v.Left), v.Right), v.ScaleX)));
    v.TickPixelsX = FDiv(Float80(v.InnerWidth), Model.TicksByX);
    v.TickPixelsY = FDiv(Float80(v.InnerHeight), Model.TicksByY);
    return v;
}

int32_t TPlotView::OriginY() const
{
    return PixelPosition(Margin, Round64(FMul(Top, ScaleY)));
}

Float80 TPlotView::PlaneX(int64_t Px) const
{
    return FDiv(Float80(Px - OriginX), ScaleX);
}
