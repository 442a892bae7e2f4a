#include "plot/TViewNavigation.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TAxisTicks.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace
{
// The nearest integer, halves to even, as a 32-bit pixel value; a value that does not fit
// is reported rather than wrapped.
int32_t RoundPixel(Float80 v)
{
    Float80 r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        RaiseInvalidOp();
    return int32_t(r);
}

// Pixels between the margins, at least one, so a surface squeezed to nothing still maps.
Float80 InnerSize(int Size)
{
    return Float80(std::max(Size - 2 * TViewNavigation::Margin, 1));
}

// The range [Low, High] scaled about the point a fraction Along the way from Low to High.
std::pair<Float80, Float80> ScaleRange(Float80 Low, Float80 High, Float80 Along, Float80 Notches)
{
    const Float80 Size = FSub(High, Low);
    const Float80 Fixed = FAdd(Low, FMul(Along, Size));
    // Dividing by the factor of a zoom in and multiplying by that of a zoom out keeps one
    // notch in and one out an exact round trip.
    const Float80 f = std::pow(TViewNavigation::ZoomPerNotch, std::fabs(Notches));
    const Float80 NewSize = Notches < 0 ? FMul(Size, f) : FDiv(Size, f);
    return {FSub(Fixed, FMul(Along, NewSize)), FAdd(Fixed, FMul(FSub(1, Along), NewSize))};
}
} // namespace

TBoundTexts TViewNavigation::Zoom(const TBoundTexts& Current, int Width, int Height,
                                  const QRect& Selection) const
{
    const Float80 R = TextToFloat(ToU16(Current.Right), Separator);
    const Float80 T = TextToFloat(ToU16(Current.Top), Separator);
    const Float80 L = TextToFloat(ToU16(Current.Left), Separator);
    const Float80 B = TextToFloat(ToU16(Current.Bottom), Separator);

    // The 10 is twice the plot margin of 5 pixels.
    const Float80 W = FSub(R, L);
    const Float80 H = FSub(T, B);
    const Float80 kx = FDiv(Float80(Width - 10), W);
    const Float80 ky = FDiv(Float80(Height - 10), H);
    const int64_t ox = RoundPixel(FMul(FSub(W, R), kx));
    const int64_t oy = RoundPixel(FMul(FSub(H, T), ky));

    const int64_t x1 = Selection.left(), y1 = Selection.top();
    const int64_t x2 = Selection.right(), y2 = Selection.bottom();
    auto Text = [this](Float80 v) { return FromU16(FormatFixed(v, 3, Separator)); };
    TBoundTexts New;
    New.Left = Text(FDiv(Float80(x1 - 5 - ox), kx));
    New.Top = Text(FDiv(Float80(Height - 5 - y1 - oy), ky));
    New.Right = Text(FDiv(Float80(x2 - 5 - ox), kx));
    New.Bottom = Text(FDiv(Float80(Height - 5 - y2 - oy), ky));
    return New;
}

std::pair<QString, QString> TViewNavigation::Pan(const QString& Low, const QString& High, int32_t Ticks,
                                                 int Steps) const
{
    const Float80 L = TextToFloat(ToU16(Low), Separator);
    const Float80 H = TextToFloat(ToU16(High), Separator);
    const Float80 Step = FDiv(FSub(H, L), Float80(Ticks));
    const Float80 Move = FMul(Float80(Steps), Step);
    return {FromU16(FormatGeneral15(FAdd(Move, L), Separator)),
            FromU16(FormatGeneral15(FAdd(Move, H), Separator))};
}

std::pair<QString, QString> TViewNavigation::PanByRule(const QString& Low, const QString& High,
                                                       TTickRule Rule, int32_t Ticks, int Steps) const
{
    const auto [L, H] = TAxisTicks::Pan(Rule, TextToFloat(ToU16(Low), Separator),
                                        TextToFloat(ToU16(High), Separator), Ticks, Steps);
    return {FromU16(FormatGeneral15(L, Separator)), FromU16(FormatGeneral15(H, Separator))};
}

TViewBounds TViewNavigation::ReadBounds(const TBoundTexts& Texts) const
{
    TViewBounds b;
    b.Right = TextToFloat(ToU16(Texts.Right), Separator);
    b.Top = TextToFloat(ToU16(Texts.Top), Separator);
    b.Left = TextToFloat(ToU16(Texts.Left), Separator);
    b.Bottom = TextToFloat(ToU16(Texts.Bottom), Separator);
    return b;
}

TBoundTexts TViewNavigation::WriteBounds(const TViewBounds& b) const
{
    auto Text = [this](Float80 v) { return FromU16(FormatGeneral15(v, Separator)); };
    return {Text(b.Left), Text(b.Top), Text(b.Right), Text(b.Bottom)};
}

TViewBounds TViewNavigation::ZoomAbout(const TViewBounds& View, int Width, int Height, QPointF At,
                                       Float80 Notches)
{
    // Along x the fraction runs from the left bound, along y from the top one, each counted
    // from the margin, as the renderer maps the plane onto the pixels.
    const Float80 AlongX = (Float80(At.x()) - Margin) / InnerSize(Width);
    const Float80 AlongY = (Float80(At.y()) - Margin) / InnerSize(Height);
    TViewBounds New;
    try
    {
        std::tie(New.Left, New.Right) = ScaleRange(View.Left, View.Right, AlongX, Notches);
        std::tie(New.Top, New.Bottom) = ScaleRange(View.Top, View.Bottom, AlongY, Notches);
    }
    catch (const EMathError&)
    {
        throw EViewRangeError(std::string(Msg::ViewOutOfRange));
    }
    return New;
}

TViewBounds TViewNavigation::Shift(const TViewBounds& View, int Width, int Height, QPointF Delta)
{
    // The picture moves by Delta, so the plane under the surface moves the other way.
    try
    {
        const Float80 dx = FMul(Float80(Delta.x()) / InnerSize(Width), FSub(View.Right, View.Left));
        const Float80 dy = FMul(Float80(Delta.y()) / InnerSize(Height), FSub(View.Top, View.Bottom));
        return {FSub(View.Left, dx), FAdd(View.Top, dy), FSub(View.Right, dx), FAdd(View.Bottom, dy)};
    }
    catch (const EMathError&)
    {
        throw EViewRangeError(std::string(Msg::ViewOutOfRange));
    }
}

TViewFault TViewNavigation::CheckView(const TBoundTexts& Texts, int Width, int Height,
                                      const TPlotOptions& Options) const
{
    const TViewBounds b = ReadBounds(Texts);
    if (b.Left == b.Right || b.Top == b.Bottom)
        return TViewFault::EmptyRange;
    if ((Options.LogX && !(b.Left > 0 && b.Right > 0)) || (Options.LogY && !(b.Top > 0 && b.Bottom > 0)))
        return TViewFault::NotPositive;
    TPlotModel Probe;
    Probe.Options = Options;
    Probe.LeftText = Texts.Left;
    Probe.RightText = Texts.Right;
    Probe.TopText = Texts.Top;
    Probe.BottomText = Texts.Bottom;
    try
    {
        TPlotView::Compute(Probe, Width, Height, Margin, Separator).OriginY();
    }
    catch (const Exception&)
    {
        return TViewFault::OutOfRange;
    }
    return TViewFault::None;
}

namespace
{
// The bounds with Map applied to those of each logarithmic axis (left before right, top before
// bottom, so the first bound that fails is the one reported).
template <typename TMap> TViewBounds OnLogAxes(TViewBounds b, const TPlotOptions& Options, TMap Map)
{
    if (Options.LogX)
        b.Left = Map(b.Left), b.Right = Map(b.Right);
    if (Options.LogY)
        b.Top = Map(b.Top), b.Bottom = Map(b.Bottom);
    return b;
}
} // namespace

TViewBounds TViewNavigation::ToAxisScale(const TViewBounds& b, const TPlotOptions& Options)
{
    return OnLogAxes(b, Options,
                     [](Float80 v)
                     {
                         if (!(v > 0))
                             throw EViewRangeError(std::string(Msg::LogAxisNotPositive));
                         return std::log10(v);
                     });
}

TViewBounds TViewNavigation::FromAxisScale(const TViewBounds& a, const TPlotOptions& Options)
{
    return OnLogAxes(a, Options,
                     [](Float80 e)
                     {
                         const Float80 v = std::pow(Float80(10), e);
                         if (!(v > 0 && std::isfinite(v)))
                             throw EViewRangeError(std::string(Msg::ViewOutOfRange));
                         return v;
                     });
}

TBoundTexts TViewNavigation::ZoomOnAxes(const TBoundTexts& Current, int Width, int Height,
                                        const QRect& Selection, const TPlotOptions& Options) const
{
    // A linear axis zooms as it always has; a logarithmic one to the values its edges show.
    TBoundTexts New = Zoom(Current, Width, Height, Selection);
    TPlotModel Probe;
    Probe.LeftText = Current.Left;
    Probe.RightText = Current.Right;
    Probe.TopText = Current.Top;
    Probe.BottomText = Current.Bottom;
    Probe.Options = Options;
    const TPlotView View = TPlotView::Compute(Probe, Width, Height, Margin, Separator);
    auto Text = [this](Float80 v) { return FromU16(FormatGeneral15(v, Separator)); };
    if (Options.LogX)
    {
        New.Left = Text(View.PlaneX(Selection.left()));
        New.Right = Text(View.PlaneX(Selection.right()));
    }
    if (Options.LogY)
    {
        New.Top = Text(View.PlaneY(Selection.top(), View.OriginY()));
        New.Bottom = Text(View.PlaneY(Selection.bottom(), View.OriginY()));
    }
    return New;
}

QString TViewNavigation::StepTime(const QString& TimeText, float Increment) const
{
    Float80 Time = 0;
    try
    {
        Time = TEvalContext::ReadTime(TimeText, Separator);
    }
    catch (const EConvertError&)
    {
        // A time that is not a number counts as 0 and is replaced by this tick.
    }
    return FromU16(FormatFixed(FAdd(Time, Float80(Increment)), 2, Separator));
}
