#include "expr/MathLib.h"

#include "expr/AngleReduction.h"
#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TwoFloat80.h"

#include <cmath>

// The kernels are the C library's long double functions (each measured against references by
// tests/expr/test_accuracy.cpp); what they do not give is written here in forms that do not
// cancel: the quarter-turn reduction of AngleReduction for the functions that vanish where
// sine or cosine is +-1, ln(1 + u) forms next to 1, symmetric forms for negative arguments.
namespace MathLib
{
namespace
{
// 2^33: beyond it sqrt(x^2 - 1) and x agree to far below the last bit.
constexpr Float80 HugeForSquare = 0x1p33L;

// The faults of a logarithm: log of 0 divides by zero, log of a negative number is invalid.
void CheckLogArgument(Float80 x)
{
    if (x == 0)
        RaiseZeroDivide();
    if (x < 0)
        RaiseInvalidOp();
}

void CheckAngle(Float80 x)
{
    DomainCheck(std::fabs(x) > MaxAngle);
}

// Beyond about |x| = 11356.5, e^|x| leaves the Float80 range: the hyperbolic functions that
// are built on it overflow there (and the cosine and sine at very negative x, whose small
// exponential c underflows, divide by it: an overflow, or a division by zero once c is 0).
bool ExpOfMagnitudeOverflows(Float80 x)
{
    return std::fabs(x) > 11356 && std::isinf(expl(std::fabs(x)));
}

[[noreturn]] void RaiseHyperbolicOverflow(Float80 x)
{
    if (x < 0 && Exp(x) == 0)
        RaiseZeroDivide();
    RaiseOverflow();
}

// sqrt(x^2 - 1) for |x| >= 1, with (|x| - 1)(|x| + 1) so that nothing cancels next to 1.
Float80 RootOfSquareMinusOne(Float80 a)
{
    return std::sqrt((a - 1) * (a + 1));
}

// sinh and cosh of |x| < 1/4 by their series in x^2 (to x^17 and x^16: the next terms are below
// 2^-80 of the value), the sums kept to about 128 bits. The library's own hyperbolic functions
// lose a bit or two near 0, where tanh and the reciprocals are the most used.
constexpr Float80 SmallHyperbolic = 0.25L;

struct TSinhCosh
{
    TTwoFloat80 Sinh, Cosh;
};

TSinhCosh SmallSinhCosh(Float80 x)
{
    const Float80 z = x * x;
    Float80 s = 1.0L / 355687428096000.0L, c = 1.0L / 20922789888000.0L; // 1/17!, 1/16!
    constexpr Float80 Odd[] = {
        1.0L / 1307674368000.0L, 1.0L / 6227020800.0L, 1.0L / 39916800.0L, 1.0L / 362880.0L,
        1.0L / 5040.0L,          1.0L / 120.0L,        1.0L / 6.0L}; // 1/15! .. 1/3!
    constexpr Float80 Even[] = {
        1.0L / 87178291200.0L, 1.0L / 479001600.0L, 1.0L / 3628800.0L, 1.0L / 40320.0L,
        1.0L / 720.0L,         1.0L / 24.0L,        1.0L / 2.0L}; // 1/14! .. 1/2!
    for (int i = 0; i < 7; ++i)
    {
        s = Odd[i] + z * s;
        c = Even[i] + z * c;
    }
    return {TwoFloat80::QuickSum(x, x * (z * s)), TwoFloat80::QuickSum(1, z * c)};
}

// tanh |x| = t/(t + 2) and coth |x| = (t + 2)/t with t = e^(2|x|) - 1, the sum t + 2 kept whole:
// an error of t weighs at most its own share in the quotient.
struct TTanhParts
{
    TTwoFloat80 t, tPlus2;
};

TTanhParts TanhParts(Float80 a)
{
    const Float80 t = expm1l(2 * a);
    return {{t, 0}, TwoFloat80::Sum(t, 2)};
}

// Beyond it tanh x rounds to +-1 (1 - tanh 23 is below half a unit of 1 already).
constexpr Float80 TanHIsOne = 40;

// ln(1 + u) for u > -1 given to about 128 bits: the logarithm of the rounded sum (the library's
// logl keeps its relative accuracy next to 1, where its log1pl loses up to two units) and the
// first-order term of the sum's rounding error.
Float80 Log1pOf(TTwoFloat80 u)
{
    const TTwoFloat80 s = TwoFloat80::Add(1, u);
    return logl(s.Hi) + s.Lo / s.Hi;
}

// asinh a for a >= 0 given to about 128 bits. Up to 2 it is ln(1 + u) with
// u = a + a^2/(1 + sqrt(1 + a^2)), every part kept whole; beyond, ln a + ln(1 + sqrt(1 + 1/a^2)),
// two positive terms.
Float80 AsinhOf(TTwoFloat80 a)
{
    if (a.Hi < 0x1p-32L)
        return a.Hi + a.Lo; // asinh a = a - a^3/6: the cube is below a quarter unit
    if (a.Hi > 2)
        return logl(a.Hi) + Log1pOf({std::sqrt(1 + 1 / (a.Hi * a.Hi)), 0}) + a.Lo / a.Hi;
    const TTwoFloat80 Square = TwoFloat80::Mul(a, a);
    const TTwoFloat80 OnePlus = TwoFloat80::Add(1, Square);
    // sqrt(1 + a^2) to about 128 bits: the root and one Newton correction.
    const Float80 r = std::sqrt(OnePlus.Hi);
    const TTwoFloat80 rr = TwoFloat80::Product(r, r);
    const TTwoFloat80 Root = TwoFloat80::QuickSum(r, ((OnePlus.Hi - rr.Hi) - rr.Lo + OnePlus.Lo) / (2 * r));
    const TTwoFloat80 Denominator = TwoFloat80::Add(1, Root);
    const Float80 q = Square.Hi / Denominator.Hi;
    const TTwoFloat80 p = TwoFloat80::Mul(Denominator, q);
    const TTwoFloat80 Fraction =
        TwoFloat80::QuickSum(q, ((Square.Hi - p.Hi) - p.Lo + Square.Lo) / Denominator.Hi);
    return Log1pOf(TwoFloat80::Add(a, Fraction));
}
} // namespace

void DomainCheck(bool Failed)
{
    if (Failed)
        RaiseDomainError();
}

Float80 Log2OfE()
{
    Float80 r;
    asm("fldl2e" : "=t"(r));
    return r;
}

Float80 LnOf2()
{
    Float80 r;
    asm("fldln2" : "=t"(r));
    return r;
}

Float80 Log10Of2()
{
    Float80 r;
    asm("fldlg2" : "=t"(r));
    return r;
}

// ---- auxiliary routines ----

Float80 Log2(Float80 x)
{
    CheckLogArgument(x);
    return log2l(x);
}

Float80 Sqrt(Float80 x)
{
    if (x < 0)
        RaiseInvalidOp();
    return std::sqrt(x);
}

Float80 Ln(Float80 x)
{
    CheckLogArgument(x);
    return logl(x);
}

// x * log2 e itself overflows for |x| near the top of the range (a fault the exponent's
// scaling has always met first).
Float80 Exp(Float80 x)
{
    FMul(x, Log2OfE());
    return CheckResult(expl(x));
}

Float80 ArcTan2(Float80 y, Float80 x)
{
    return atan2l(y, x);
}

Float80 ArcTan(Float80 x)
{
    return atanl(x);
}

Float80 GuardedExp(Float80 x)
{
    if (std::isnan(x) || (std::isinf(x) && x > 0))
        return x;
    if (std::isinf(x))
        return 0;
    return Exp(x);
}

Float80 Sgn(Float80 x)
{
    if (x > 0)
        return 1;
    if (x < 0)
        return -1;
    return 0;
}

// ---- logarithms ----

Float80 LogBase10(Float80 x)
{
    DomainCheck(x <= 0);
    return log10l(x);
}

Float80 LogBase2(Float80 x)
{
    DomainCheck(x <= 0);
    return Log2(x);
}

Float80 LogBaseN(Float80 Base, Float80 x)
{
    DomainCheck(x <= 0 || Base <= 0 || Base == 1);
    return FDiv(Log2(x), Log2(Base));
}

// ---- inverse trigonometric ----

Float80 ArcCos(Float80 x)
{
    DomainCheck(std::fabs(x) > 1);
    return acosl(x);
}

// atan(1/x) as the angle of the point (|x|, 1): no rounding of 1/x, no overflow.
Float80 ArcCot(Float80 x)
{
    DomainCheck(x == 0);
    return std::copysign(atan2l(1, std::fabs(x)), x);
}

// In [0, pi/2] for both signs: the angle whose sine is 1/|x|.
Float80 ArcCsc(Float80 x)
{
    const Float80 a = std::fabs(x);
    if (a < 1)
        RaiseInvalidOp();
    if (a == 1)
        RaiseZeroDivide();
    if (a >= HugeForSquare)
        return atan2l(1, a);
    return atan2l(1, RootOfSquareMinusOne(a));
}

// In [0, pi/2] for both signs: the angle whose cosine is 1/|x|.
Float80 ArcSec(Float80 x)
{
    const Float80 a = std::fabs(x);
    if (a < 1)
        RaiseInvalidOp();
    if (a >= HugeForSquare)
        return atanl(a);
    return atanl(RootOfSquareMinusOne(a));
}

Float80 ArcSin(Float80 x)
{
    DomainCheck(std::fabs(x) > 1);
    return asinl(x);
}

namespace
{
// 1 - cos x and cos x of a reduced angle, each to about 128 bits.
struct TVersine
{
    TTwoFloat80 OneMinusCos, Cos;
};

TVersine VersineOf(const TReducedAngle& a)
{
    auto Negated = [](TTwoFloat80 v) { return TTwoFloat80{-v.Hi, -v.Lo}; };
    switch (a.Quadrant)
    {
    case 0:
        return {OneMinusCosOfReduced(a.R), CosOfReduced(a.R)};
    case 1:
    {
        const TTwoFloat80 s = SinOfReduced(a.R);
        return {TwoFloat80::Add(1, s), Negated(s)};
    }
    case 2:
    {
        const TTwoFloat80 c = CosOfReduced(a.R);
        return {TwoFloat80::Add(1, c), Negated(c)};
    }
    default:
    {
        const TTwoFloat80 s = SinOfReduced(a.R);
        return {TwoFloat80::Add(1, Negated(s)), s};
    }
    }
}

// sin x and cos x to about 2^-75 of their values, from the reduced angle.
struct TSinCos
{
    TTwoFloat80 Sin, Cos;
};

TSinCos SinCosOf(Float80 x)
{
    const TReducedAngle a = ReduceAngle(x);
    const TTwoFloat80 s = SinOfReduced(a.R), c = CosOfReduced(a.R);
    auto Negated = [](TTwoFloat80 v) { return TTwoFloat80{-v.Hi, -v.Lo}; };
    switch (a.Quadrant)
    {
    case 0:
        return {s, c};
    case 1:
        return {c, Negated(s)};
    case 2:
        return {Negated(s), Negated(c)};
    default:
        return {Negated(c), s};
    }
}

// Below it an angle needs no reduction (pi/4 rounded down).
constexpr Float80 QuarterTurnLimit = 0.785398163397448309L;

// sin and cos of a reduced remainder r: the C library's sinl and cosl of its high part (fast
// and within a unit on the quarter turn) and the first-order term of its low part.
Float80 SinOfRemainder(TTwoFloat80 r)
{
    return sinl(r.Hi) + r.Lo * (1 - r.Hi * r.Hi / 2);
}

Float80 CosOfRemainder(TTwoFloat80 r)
{
    return cosl(r.Hi) - r.Lo * r.Hi;
}

// Sin and Cos themselves: the library's functions reduce a large argument in a slow general
// way; the reduction here takes a few operations below 2^24.
Float80 SineOf(Float80 x)
{
    if (std::fabs(x) <= QuarterTurnLimit)
        return sinl(x);
    const TReducedAngle a = ReduceAngle(x);
    const Float80 v = (a.Quadrant & 1) ? CosOfRemainder(a.R) : SinOfRemainder(a.R);
    return (a.Quadrant & 2) ? -v : v;
}

Float80 CosineOf(Float80 x)
{
    if (std::fabs(x) <= QuarterTurnLimit)
        return cosl(x);
    const TReducedAngle a = ReduceAngle(x);
    const Float80 v = (a.Quadrant & 1) ? SinOfRemainder(a.R) : CosOfRemainder(a.R);
    return ((a.Quadrant + 1) & 2) ? -v : v;
}

// 1 / v rounded once; an overflow when v is below the range's reciprocal.
Float80 ReciprocalOf(TTwoFloat80 v)
{
    return CheckResult(TwoFloat80::Divide({1, 0}, v));
}
} // namespace

// ---- trigonometric ----

Float80 Cos(Float80 x)
{
    CheckAngle(x);
    return CosineOf(x);
}

Float80 Cot(Float80 x)
{
    CheckAngle(x);
    if (x == 0)
        RaiseZeroDivide();
    const TSinCos v = SinCosOf(x);
    return CheckResult(TwoFloat80::Divide(v.Cos, v.Sin));
}

// 1 - sin x, from the reduced angle: next to sin x = 1 it is 1 - cos r, by its series.
Float80 Coversine(Float80 x)
{
    CheckAngle(x);
    const TReducedAngle a = ReduceAngle(x);
    switch (a.Quadrant)
    {
    case 0:
    {
        const TTwoFloat80 s = SinOfReduced(a.R);
        return TwoFloat80::Add(1, {-s.Hi, -s.Lo}).Value();
    }
    case 1:
        return OneMinusCosOfReduced(a.R).Value();
    case 2:
        return TwoFloat80::Add(1, SinOfReduced(a.R)).Value();
    default:
        return TwoFloat80::Add(1, CosOfReduced(a.R)).Value();
    }
}

// The zero test needs the sine, so it follows the computation.
Float80 Csc(Float80 x)
{
    CheckAngle(x);
    const TTwoFloat80 s = SinCosOf(x).Sin;
    DomainCheck(s.Hi == 0);
    return ReciprocalOf(s);
}

// sec x - 1 = (1 - cos x) / cos x.
Float80 Exsecans(Float80 x)
{
    CheckAngle(x);
    const TVersine v = VersineOf(ReduceAngle(x));
    const Float80 q = v.OneMinusCos.Hi / v.Cos.Hi;
    // One correction step of the quotient against the two-part operands.
    const TTwoFloat80 p = TwoFloat80::Product(q, v.Cos.Hi);
    const Float80 Rest = ((v.OneMinusCos.Hi - p.Hi) - p.Lo + v.OneMinusCos.Lo - q * v.Cos.Lo) / v.Cos.Hi;
    return CheckResult(q + Rest);
}

Float80 Haversine(Float80 x)
{
    return Versine(x) * 0.5L;
}

Float80 Sec(Float80 x)
{
    CheckAngle(x);
    return ReciprocalOf(SinCosOf(x).Cos);
}

Float80 Sin(Float80 x)
{
    CheckAngle(x);
    return SineOf(x);
}

Float80 Tan(Float80 x)
{
    CheckAngle(x);
    const TSinCos v = SinCosOf(x);
    return TwoFloat80::Divide(v.Sin, v.Cos);
}

Float80 Versine(Float80 x)
{
    CheckAngle(x);
    return VersineOf(ReduceAngle(x)).OneMinusCos.Value();
}

// ---- inverse hyperbolic ----

Float80 ArcCosH(Float80 x)
{
    DomainCheck(x < 1);
    return acoshl(x);
}

// 0.5 * ln((x + 1)/(x - 1)) = sgn x * 0.5 * ln(1 + 2/(|x| - 1)).
Float80 ArcCotH(Float80 x)
{
    const Float80 a = std::fabs(x);
    DomainCheck(a == 1);
    if (a < 1)
        RaiseInvalidOp();
    if (a >= HugeForSquare)
    {
        const Float80 w = 1 / a; // acoth a = w + w^3/3 + ...
        return std::copysign(w + w * w * w / 3, x);
    }
    const TTwoFloat80 d = TwoFloat80::Sum(a, -1);
    const TTwoFloat80 u = TwoFloat80::Reciprocal(d);
    return std::copysign(0.5L * Log1pOf({2 * u.Hi, 2 * u.Lo}), x);
}

// asinh(1/x), with 1/x to about 128 bits; ln(2/|x|) where 1/x would overflow.
Float80 ArcCscH(Float80 x)
{
    DomainCheck(x == 0);
    const Float80 a = std::fabs(x);
    if (a < 0x1p-40L)
        return std::copysign(LnOf2() - logl(a), x);
    if (a >= HugeForSquare)
    {
        const Float80 w = 1 / a; // asinh w = w - w^3/6 + ...
        return std::copysign(w - w * w * w / 6, x);
    }
    const TTwoFloat80 y = TwoFloat80::Quotient(1, a);
    return std::copysign(AsinhOf(y), x);
}

// acosh(1/x) for 0 < x <= 1: ln((1 + sqrt(1 - x^2))/x).
Float80 ArcSecH(Float80 x)
{
    DomainCheck(std::fabs(x) > 1);
    if (x == 0)
        RaiseZeroDivide();
    if (x < 0)
        RaiseInvalidOp();
    const Float80 Root = std::sqrt((1 - x) * (1 + x));
    if (x <= 0.5L)
        return Log1pOf({Root, 0}) - logl(x);
    // ln(1 + u) with u = (1 - x + Root)/x, 1 - x exact here.
    return Log1pOf(TwoFloat80::Quotient((1 - x) + Root, x));
}

Float80 ArcSinH(Float80 x)
{
    return std::copysign(AsinhOf({std::fabs(x), 0}), x);
}

Float80 ArcTanH(Float80 x)
{
    DomainCheck(std::fabs(x) >= 1);
    return atanhl(x);
}

// ---- hyperbolic ----

Float80 CosH(Float80 x)
{
    if (ExpOfMagnitudeOverflows(x))
        RaiseHyperbolicOverflow(x);
    return coshl(x);
}

Float80 CotH(Float80 x)
{
    if (x == 0)
        RaiseZeroDivide();
    if (std::fabs(x) < SmallHyperbolic)
    {
        const TSinhCosh h = SmallSinhCosh(x);
        return CheckResult(TwoFloat80::Divide(h.Cosh, h.Sinh));
    }
    if (std::fabs(x) > TanHIsOne)
        return std::copysign(1.0L, x);
    const TTanhParts p = TanhParts(std::fabs(x));
    return std::copysign(TwoFloat80::Divide(p.tPlus2, p.t), x);
}

// The zero test follows the exponentials' overflow, as it did when they were computed first.
Float80 CscH(Float80 x)
{
    if (ExpOfMagnitudeOverflows(x))
        RaiseOverflow();
    DomainCheck(x == 0);
    if (std::fabs(x) < SmallHyperbolic)
        return CheckResult(TwoFloat80::Divide({1, 0}, SmallSinhCosh(x).Sinh));
    return 1 / sinhl(x);
}

Float80 SecH(Float80 x)
{
    if (ExpOfMagnitudeOverflows(x))
        RaiseOverflow();
    if (std::fabs(x) < SmallHyperbolic)
        return TwoFloat80::Divide({1, 0}, SmallSinhCosh(x).Cosh);
    return 1 / coshl(x);
}

Float80 SinH(Float80 x)
{
    if (ExpOfMagnitudeOverflows(x))
        RaiseHyperbolicOverflow(x);
    if (std::fabs(x) < SmallHyperbolic)
        return SmallSinhCosh(x).Sinh.Value();
    return sinhl(x);
}

Float80 TanH(Float80 x)
{
    if (x > TanHLimit)
        return 1;
    if (x < -TanHLimit)
        return -1;
    if (std::fabs(x) < SmallHyperbolic)
    {
        const TSinhCosh h = SmallSinhCosh(x);
        return TwoFloat80::Divide(h.Sinh, h.Cosh);
    }
    if (std::fabs(x) > TanHIsOne)
        return std::copysign(1.0L, x);
    const TTanhParts p = TanhParts(std::fabs(x));
    return std::copysign(TwoFloat80::Divide(p.t, p.tPlus2), x);
}
} // namespace MathLib
