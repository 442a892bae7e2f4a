#include "expr/MathLib.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"

#include <cmath>

namespace MathLib
{
namespace
{
// The x87 instructions themselves. The processor works in the default extended
// precision and round-to-nearest; no exception is unmasked, so faults show up as
// infinities or NaN that the callers turn into errors.
//
// fsin, fcos and fptan take |x| < 2^63 and leave a larger argument as it is, but MaxAngle
// lets |x| = 2^63 itself through: there the C library, which reduces any argument, answers.
constexpr Float80 X87AngleLimit = 0x1p63L;

Float80 X87Sin(Float80 x)
{
    if (std::fabs(x) >= X87AngleLimit) [[unlikely]]
        return std::sin(x);
    Float80 r;
    asm("fsin" : "=t"(r) : "0"(x));
    return r;
}

Float80 X87Cos(Float80 x)
{
    if (std::fabs(x) >= X87AngleLimit) [[unlikely]]
        return std::cos(x);
    Float80 r;
    asm("fcos" : "=t"(r) : "0"(x));
    return r;
}

// fptan pushes 1.0 above the tangent when the argument was in range; when it was not
// (C2 set) it leaves the argument alone and pushes nothing, so pop only on success.
Float80 X87Tan(Float80 x)
{
    if (std::fabs(x) >= X87AngleLimit) [[unlikely]]
        return std::tan(x);
    Float80 r;
    asm("fptan\n\t"
        "fnstsw %%ax\n\t"
        "testb $4, %%ah\n\t"
        "jnz 1f\n\t"
        "fstp %%st(0)\n"
        "1:"
        : "=t"(r)
        : "0"(x)
        : "ax", "cc");
    return r;
}

// The angle of (x, y): atan(y / x) with the quadrant of the point.
Float80 X87ArcTan2(Float80 y, Float80 x)
{
    Float80 r;
    asm("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
    return r;
}

// Factor * log2 x in one instruction, so the product is rounded once.
Float80 X87YLog2X(Float80 Factor, Float80 x)
{
    Float80 r;
    asm("fyl2x" : "=t"(r) : "0"(x), "u"(Factor) : "st(1)");
    return r;
}

// 2^f - 1 for -1 <= f <= 1.
Float80 X87TwoToFMinus1(Float80 f)
{
    Float80 r;
    asm("f2xm1" : "=t"(r) : "0"(f));
    return r;
}

// m * 2^n for an integral n.
Float80 X87Scale(Float80 m, Float80 n)
{
    Float80 r;
    asm("fscale" : "=t"(r) : "0"(m), "u"(n));
    return r;
}

// Rounds to the nearest integer, ties to even (the default rounding mode).
Float80 X87RoundToNearest(Float80 y)
{
    Float80 r;
    asm("frndint" : "=t"(r) : "0"(y));
    return r;
}

// Factor * log2 x with the faults of a logarithm: log of 0 divides by zero, log of a
// negative number is invalid.
Float80 ScaledLog2(Float80 Factor, Float80 x)
{
    if (x == 0)
        RaiseZeroDivide();
    if (x < 0)
        RaiseInvalidOp();
    return CheckResult(X87YLog2X(Factor, x));
}

// 2^(n + f) = (2^f - 1 + 1) * 2^n for the split y = n + f chosen by the caller.
Float80 TwoToSplitPower(Float80 n, Float80 f)
{
    return CheckResult(X87Scale(X87TwoToFMinus1(f) + 1, n));
}

void CheckAngle(Float80 x)
{
    DomainCheck(std::fabs(x) > MaxAngle);
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
    return ScaledLog2(1, x);
}

Float80 Sqrt(Float80 x)
{
    if (x < 0)
        RaiseInvalidOp();
    return std::sqrt(x);
}

Float80 Ln(Float80 x)
{
    return ScaledLog2(LnOf2(), x);
}

Float80 Exp(Float80 x)
{
    Float80 y = FMul(x, Log2OfE());
    Float80 n = X87RoundToNearest(y);
    return TwoToSplitPower(n, y - n);
}

Float80 Exp2Floor(Float80 x)
{
    Float80 y = FMul(x, Log2OfE());
    Float80 n = std::floor(y);
    return TwoToSplitPower(n, y - n);
}

Float80 ArcTan2(Float80 y, Float80 x)
{
    return X87ArcTan2(y, x);
}

Float80 ArcTan(Float80 x)
{
    return X87ArcTan2(x, 1);
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
    return ScaledLog2(Log10Of2(), x);
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
    return ArcTan2(Sqrt(FSub(1, FMul(x, x))), x);
}

Float80 ArcCot(Float80 x)
{
    DomainCheck(x == 0);
    return ArcTan(FDiv(1, x));
}

Float80 ArcCsc(Float80 x)
{
    return ArcSec(FDiv(x, Sqrt(FSub(FMul(x, x), 1))));
}

Float80 ArcSec(Float80 x)
{
    return ArcTan(Sqrt(FSub(FMul(x, x), 1)));
}

Float80 ArcSin(Float80 x)
{
    DomainCheck(std::fabs(x) > 1);
    return ArcTan2(x, Sqrt(FSub(1, FMul(x, x))));
}

// ---- trigonometric ----

Float80 Cos(Float80 x)
{
    CheckAngle(x);
    return X87Cos(x);
}

Float80 Cot(Float80 x)
{
    CheckAngle(x);
    return FDiv(1, X87Tan(x));
}

Float80 Coversine(Float80 x)
{
    return FSub(1, Sin(x));
}

// The zero test needs the sine, so it follows the computation.
Float80 Csc(Float80 x)
{
    Float80 s = Sin(x);
    DomainCheck(s == 0);
    return FDiv(1, s);
}

Float80 Exsecans(Float80 x)
{
    return FSub(Sec(x), 1);
}

Float80 Haversine(Float80 x)
{
    return FMul(FSub(1, Cos(x)), 0.5L);
}

Float80 Sec(Float80 x)
{
    CheckAngle(x);
    return FDiv(1, X87Cos(x));
}

Float80 Sin(Float80 x)
{
    CheckAngle(x);
    return X87Sin(x);
}

Float80 Tan(Float80 x)
{
    CheckAngle(x);
    return X87Tan(x);
}

Float80 Versine(Float80 x)
{
    return FSub(1, Cos(x));
}

// ---- inverse hyperbolic ----

Float80 ArcCosH(Float80 x)
{
    DomainCheck(x < 1);
    return Ln(FAdd(x, Sqrt(FSub(FMul(x, x), 1))));
}

Float80 ArcCotH(Float80 x)
{
    DomainCheck(std::fabs(x) == 1);
    return FMul(0.5L, Ln(FDiv(FAdd(x, 1), FSub(x, 1))));
}

Float80 ArcCscH(Float80 x)
{
    DomainCheck(x == 0);
    return Ln(FDiv(FAdd(FMul(Sgn(x), Sqrt(FAdd(FMul(x, x), 1))), 1), x));
}

Float80 ArcSecH(Float80 x)
{
    DomainCheck(std::fabs(x) > 1);
    return Ln(FDiv(FAdd(Sqrt(FSub(1, FMul(x, x))), 1), x));
}

Float80 ArcSinH(Float80 x)
{
    return Ln(FAdd(x, Sqrt(FAdd(FMul(x, x), 1))));
}

Float80 ArcTanH(Float80 x)
{
    DomainCheck(std::fabs(x) >= 1);
    return Ln(Sqrt(FDiv(FAdd(x, 1), FSub(1, x))));
}

// ---- hyperbolic ----

Float80 CosH(Float80 x)
{
    Float80 c = Exp2Floor(x);
    return FMul(FAdd(c, FDiv(1, c)), 0.5L);
}

Float80 CotH(Float80 x)
{
    return FDiv(1, TanH(x));
}

// The zero test needs both exponentials, so it follows their computation.
Float80 CscH(Float80 x)
{
    Float80 p = GuardedExp(x);
    Float80 q = GuardedExp(-x);
    Float80 Difference = FSub(p, q);
    DomainCheck(Difference == 0);
    return FDiv(2, Difference);
}

Float80 SecH(Float80 x)
{
    Float80 p = GuardedExp(x);
    Float80 q = GuardedExp(-x);
    Float80 Sum = FAdd(p, q);
    DomainCheck(Sum == 0);
    return FDiv(2, Sum);
}

Float80 SinH(Float80 x)
{
    Float80 c = Exp2Floor(x);
    return FMul(FSub(c, FDiv(1, c)), 0.5L);
}

Float80 TanH(Float80 x)
{
    if (x > TanHLimit)
        return 1;
    if (x < -TanHLimit)
        return -1;
    Float80 c = GuardedExp(x);
    Float80 Square = FMul(c, c);
    return FDiv(FSub(Square, 1), FAdd(Square, 1));
}
} // namespace MathLib
