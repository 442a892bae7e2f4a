#include "plot/TViewNavigation.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"

#include <cmath>
#include <limits>

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
} // namespace

TBoundTexts TViewNavigation::Zoom(const TBoundTexts& Current, int Width, int Height, const QRect& Selection) const
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
    return {FromU16(FormatGeneral15(FAdd(Move, L), Separator)), FromU16(FormatGeneral15(FAdd(Move, H), Separator))};
}

QString TViewNavigation::StepTime(const QString& TimeText, float Increment) const
{
    Float80 Time = 0;
    try
    {
        Time = TextToFloat(ToU16(TimeText), Separator);
    }
    catch (const EConvertError&)
    {
        // A time that is not a number counts as 0 and is replaced by this tick.
    }
    return FromU16(FormatFixed(FAdd(Time, Float80(Increment)), 2, Separator));
}
