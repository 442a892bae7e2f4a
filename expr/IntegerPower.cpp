#include "expr/IntegerPower.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TwoFloat80.h"

#include <algorithm>
#include <cmath>

namespace
{
// A value (Hi + Lo) * 2^Exponent with Hi in [0.5, 1): the product of many factors never leaves
// the range, however far their power would.
struct TScaled
{
    TTwoFloat80 Mantissa;
    std::int64_t Exponent = 0;
};

TScaled Normalized(TTwoFloat80 v, std::int64_t Exponent)
{
    int Shift;
    const Float80 Hi = std::frexp(v.Hi, &Shift);
    return {{Hi, std::ldexp(v.Lo, -Shift)}, Exponent + Shift};
}

TScaled Times(const TScaled& a, const TScaled& b)
{
    return Normalized(TwoFloat80::Mul(a.Mantissa, b.Mantissa), a.Exponent + b.Exponent);
}
} // namespace

namespace
{
// A short exponent and a base whose powers stay far inside the range: squaring and
// multiplying on two parts needs no scaling.
constexpr std::int64_t ShortCount = 64;
constexpr Float80 ShortBaseLow = 0x1p-200L, ShortBaseHigh = 0x1p200L;

Float80 ShortPower(Float80 Base, std::int64_t n)
{
    std::uint64_t Count = static_cast<std::uint64_t>(n < 0 ? -n : n);
    TTwoFloat80 Square{Base, 0};
    TTwoFloat80 Result{1, 0};
    bool First = true;
    for (;;)
    {
        if (Count & 1)
        {
            Result = First ? Square : TwoFloat80::Mul(Result, Square);
            First = false;
        }
        Count >>= 1;
        if (Count == 0)
            break;
        Square = TwoFloat80::Mul(Square, Square);
    }
    if (n < 0)
        return TwoFloat80::Divide({1, 0}, Result);
    return Result.Value();
}
} // namespace

Float80 IntegerPower(Float80 Base, std::int64_t n)
{
    if (n == 0)
        return 1;
    if (n == 1)
        return Base;
    if (n == 2)
        return CheckResult(Base * Base); // one rounding already
    const Float80 Magnitude = std::fabs(Base);
    if (n >= -ShortCount && n <= ShortCount && Magnitude > ShortBaseLow && Magnitude < ShortBaseHigh)
        return ShortPower(Base, n);
    if (Base == 0)
    {
        if (n < 0)
            RaiseZeroDivide();
        return (n % 2 != 0) ? Base : 0.0L; // the sign of -0 survives an odd power
    }
    const bool Negative = std::signbit(Base) && (n % 2 != 0);
    // |n| as unsigned: -INT64_MIN does not fit the signed type.
    std::uint64_t Count = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    TScaled Square = Normalized({std::fabs(Base), 0}, 0);
    TScaled Result{{1, 0}, 0};
    for (;;)
    {
        if (Count & 1)
            Result = Times(Result, Square);
        Count >>= 1;
        if (Count == 0)
            break;
        Square = Times(Square, Square);
    }
    if (n < 0)
        Result = Normalized(TwoFloat80::Reciprocal(Result.Mantissa), -Result.Exponent);
    // Far outside the range the value is 0 or an overflow whatever the mantissa; ldexp takes int.
    const std::int64_t Exponent = std::clamp<std::int64_t>(Result.Exponent, -40000, 40000);
    const Float80 Value = std::ldexp(Result.Mantissa.Value(), static_cast<int>(Exponent));
    return CheckResult(Negative ? -Value : Value);
}
