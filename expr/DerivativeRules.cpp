#include "expr/DerivativeRules.h"

#include "expr/FunctionLibrary.h"
#include "expr/MathLib.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace DerivativeRules
{
namespace
{
constexpr Float80 NaN = std::numeric_limits<Float80>::quiet_NaN();

// The first and second derivative of a routine of one argument at a point. Infinite: the
// slope is unbounded there (Sqrt at 0); D1 and D2 mean nothing then.
struct TSlope
{
    Float80 D1 = 0;
    Float80 D2 = 0;
    bool Infinite = false;
};
// log10(e) = 1 / ln 10, rounded to long double.
constexpr Float80 Log10OfE = 0.434294481903251827651128918916605082294397005803666566114L;

TSlope Unbounded()
{
    return {NaN, NaN, true};
}

// 1 - u*u and u*u - 1 as products, exact near |u| = 1 where the square would cancel.
Float80 OneMinusSquare(Float80 u)
{
    return (1 - u) * (1 + u);
}
Float80 SquareMinusOne(Float80 u)
{
    return (u - 1) * (u + 1);
}

struct TSinCos
{
    Float80 Sin, Cos;
};
// u is within MathLib::MaxAngle: the value has been computed.
TSinCos SinCos(Float80 u)
{
    return {MathLib::Sin(u), MathLib::Cos(u)};
}

// ---- the rules, one per routine: f'(u) and f''(u), v being f(u) ----
// The rules take sine, cosine and the hyperbolic functions from MathLib, the routines the
// values come from, so that a derivative that equals a value (the second of Sin, say) is that
// value to the last bit.
// Beyond |u| = 2 the rules with squares work in w = 1/u, so that u*u never overflows where
// the value is defined and small derivatives do not vanish early.

TSlope Sqrt(Float80 u, Float80 v)
{
    if (u == 0)
        return Unbounded();
    const Float80 D1 = 0.5L / v;
    return {D1, -0.5L * D1 / u};
}

// The derivative is the value itself, as accurate as Exp's own method (|u| ulp or so).
TSlope Exp(Float80, Float80 v)
{
    return {v, v};
}

TSlope Ln(Float80 u, Float80)
{
    const Float80 D1 = 1 / u;
    return {D1, -D1 * D1};
}

TSlope LogBase10(Float80 u, Float80)
{
    const Float80 D1 = Log10OfE / u;
    return {D1, -D1 / u};
}

TSlope LogBase2(Float80 u, Float80)
{
    const Float80 D1 = MathLib::Log2OfE() / u;
    return {D1, -D1 / u};
}

// d/du ArcSin u = 1 / sqrt(1 - u^2); ArcCos is its negative.
TSlope ArcSin(Float80 u, Float80)
{
    const Float80 m = OneMinusSquare(u);
    if (m == 0)
        return Unbounded();
    const Float80 r = std::sqrt(m);
    return {1 / r, u / (m * r)};
}

TSlope ArcCos(Float80 u, Float80 v)
{
    const TSlope s = ArcSin(u, v);
    return {-s.D1, -s.D2, s.Infinite};
}

// d/du ArcTan u = 1 / (1 + u^2); ArcCot is its negative.
TSlope ArcTan(Float80 u, Float80)
{
    if (std::fabs(u) <= 2)
    {
        const Float80 s = 1 + u * u;
        return {1 / s, -2 * u / (s * s)};
    }
    const Float80 w = 1 / u;
    const Float80 s = 1 + w * w;
    return {w * w / s, -2 * w * w * w / (s * s)};
}

TSlope ArcCot(Float80 u, Float80 v)
{
    const TSlope s = ArcTan(u, v);
    return {-s.D1, -s.D2};
}

// ArcSec u is arcsec |u|: d/du = 1 / (u sqrt(u^2 - 1)) for both signs of u. ArcCsc u is
// arccsc |u|, whose derivative is the negative.
TSlope ArcSec(Float80 u, Float80)
{
    if (std::fabs(u) < 2)
    {
        const Float80 m = SquareMinusOne(u);
        if (m == 0)
            return Unbounded();
        const Float80 r = std::sqrt(m);
        return {1 / (u * r), -(2 * u * u - 1) / (u * u * m * r)};
    }
    const Float80 w = 1 / u, a = std::fabs(w);
    const Float80 n = OneMinusSquare(w), r = std::sqrt(n);
    return {w * a / r, -(2 - w * w) * a * a * a / (n * r)};
}

TSlope ArcCsc(Float80 u, Float80 v)
{
    const TSlope s = ArcSec(u, v);
    return {-s.D1, -s.D2, s.Infinite};
}

// Sin and Cos: the second derivative is minus the value, so one more sine or cosine does.
TSlope Sin(Float80 u, Float80 v)
{
    return {MathLib::Cos(u), -v};
}

TSlope Cos(Float80 u, Float80 v)
{
    return {-MathLib::Sin(u), -v};
}

// Tan and Cot: 1 + v^2 is the square of the secant (cosecant), with no further call.
TSlope Tan(Float80, Float80 v)
{
    const Float80 Sec2 = 1 + v * v;
    return {Sec2, 2 * v * Sec2};
}

TSlope Cot(Float80, Float80 v)
{
    const Float80 Csc2 = 1 + v * v;
    return {-Csc2, 2 * v * Csc2};
}

// Sec and Csc from the value and the one other function: tan = sin * sec, cot = cos * csc.
TSlope Sec(Float80 u, Float80 v)
{
    const Float80 Tan = MathLib::Sin(u) * v;
    return {v * Tan, v * (Tan * Tan + v * v)};
}

// Exsecans is Sec - 1: the secant itself is taken afresh, not from the value.
TSlope Exsecans(Float80 u, Float80)
{
    return Sec(u, 1 / MathLib::Cos(u));
}

TSlope Csc(Float80 u, Float80 v)
{
    const Float80 Cot = MathLib::Cos(u) * v;
    return {-v * Cot, v * (Cot * Cot + v * v)};
}

TSlope Versine(Float80 u, Float80)
{
    const TSinCos t = SinCos(u);
    return {t.Sin, t.Cos};
}

TSlope Coversine(Float80 u, Float80)
{
    const TSinCos t = SinCos(u);
    return {-t.Cos, t.Sin};
}

TSlope Haversine(Float80 u, Float80)
{
    const TSinCos t = SinCos(u);
    return {t.Sin / 2, t.Cos / 2};
}

TSlope ArcSinH(Float80 u, Float80)
{
    if (std::fabs(u) <= 2)
    {
        const Float80 p = 1 + u * u, r = std::sqrt(p);
        return {1 / r, -u / (p * r)};
    }
    const Float80 w = 1 / u, a = std::fabs(w);
    const Float80 q = 1 + w * w, r = std::sqrt(q);
    return {a / r, -w * a / (q * r)};
}

TSlope ArcCosH(Float80 u, Float80)
{
    if (u < 2)
    {
        const Float80 m = SquareMinusOne(u);
        if (m == 0)
            return Unbounded();
        const Float80 r = std::sqrt(m);
        return {1 / r, -u / (m * r)};
    }
    const Float80 w = 1 / u;
    const Float80 n = OneMinusSquare(w), r = std::sqrt(n);
    return {w / r, -w * w / (n * r)};
}

// ArcTanH and ArcCotH share d/du = 1 / (1 - u^2), each on its side of |u| = 1.
TSlope ArcTanH(Float80 u, Float80)
{
    if (std::fabs(u) <= 2)
    {
        const Float80 m = OneMinusSquare(u);
        return {1 / m, 2 * u / (m * m)};
    }
    const Float80 w = 1 / u;
    const Float80 n = OneMinusSquare(w);
    return {-w * w / n, 2 * w * w * w / (n * n)};
}

// ArcCscH u = arsinh(1/u): d/du = -1 / (|u| sqrt(u^2 + 1)).
TSlope ArcCscH(Float80 u, Float80)
{
    if (std::fabs(u) <= 1)
    {
        const Float80 p = 1 + u * u, r = std::sqrt(p);
        return {-1 / (std::fabs(u) * r), (2 * u * u + 1) / (u * std::fabs(u) * p * r)};
    }
    const Float80 w = 1 / u;
    const Float80 q = 1 + w * w, r = std::sqrt(q);
    return {-w * w / r, (2 + w * w) * w * w * w / (q * r)};
}

// ArcSecH u = arsech u on 0 < u <= 1: d/du = -1 / (u sqrt(1 - u^2)).
TSlope ArcSecH(Float80 u, Float80)
{
    const Float80 m = OneMinusSquare(u);
    if (m == 0)
        return Unbounded();
    const Float80 r = std::sqrt(m);
    return {-1 / (u * r), (1 - 2 * u * u) / (u * u * m * r)};
}

// The value v has been computed, so u is inside the range of the other routine too.
TSlope SinH(Float80 u, Float80 v)
{
    return {MathLib::CosH(u), v};
}

TSlope CosH(Float80 u, Float80 v)
{
    return {MathLib::SinH(u), v};
}

// sech^2 = 1 - tanh^2, from the value while it is well away from 1; beyond, from e^-2|u|, as
// 4e / (1 + e)^2, where 1 - v * v would cancel.
TSlope TanH(Float80 u, Float80 v)
{
    Float80 Sech2;
    if (std::fabs(v) < 0.5L)
        Sech2 = OneMinusSquare(v);
    else
    {
        const Float80 e = MathLib::Exp(-2 * std::fabs(u));
        Sech2 = 4 * e / ((1 + e) * (1 + e));
    }
    return {Sech2, -2 * v * Sech2};
}

// CotH is defined where CscH overflows its exponentials; csch^2 is 0 there.
TSlope CotH(Float80 u, Float80 v)
{
    const Float80 Csch = std::fabs(u) > 11356 ? 0 : MathLib::CscH(u), Coth = v;
    return {-Csch * Csch, 2 * Coth * Csch * Csch};
}

TSlope SecH(Float80 u, Float80 v)
{
    const Float80 Sech = v, Tanh = MathLib::TanH(u);
    return {-Sech * Tanh, Sech * (Tanh * Tanh - Sech * Sech)};
}

TSlope CscH(Float80 u, Float80 v)
{
    const Float80 Csch = v, Coth = MathLib::CotH(u);
    return {-Csch * Coth, Csch * (Coth * Coth + Csch * Csch)};
}

// ---- routines of two arguments: the partial derivatives ----

struct TPartials
{
    Float80 A = 0, B = 0;           // df/da, df/db
    Float80 AA = 0, AB = 0, BB = 0; // the second partials
    bool Infinite = false;
};

// Power(b, e) = b^n, n the count of steps Power takes (0 where it takes none). The exponent
// acts only through its integral part: a flat step, so d/de is 0.
TPartials Power(Float80 b, Float80 e, Float80 v)
{
    const auto n32 =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(std::trunc(e))));
    const Float80 n = (e > 0 && n32 > 0) || (e < 0 && n32 < 0) ? Float80(n32) : 0;
    TPartials p;
    if (n == 0)
        return p;
    if (n == 1)
        p.A = 1;
    else if (n == 2)
    {
        p.A = 2 * b;
        p.AA = 2;
    }
    else if (b != 0) // b = 0 with n > 2: both derivatives 0; n < 0 has failed already
    {
        p.A = n * v / b;
        p.AA = (n - 1) * p.A / b;
    }
    return p;
}

// LogBaseN(base, u) = ln u / ln base.
TPartials LogBaseN(Float80 Base, Float80 u, Float80 v)
{
    const Float80 L = std::log(Base);
    TPartials p;
    p.B = 1 / (u * L);
    p.BB = -p.B / u;
    const Float80 BL = Base * L;
    p.A = -v / BL;
    p.AA = v * (L + 2) / (BL * BL);
    p.AB = -p.B / BL;
    return p;
}

// ArcTan2(y, x), the angle of (x, y): d/dy = x / r2, d/dx = -y / r2 with r2 = x^2 + y^2,
// worked out on x and y scaled by a power of 2 so that r2 neither overflows nor underflows.
TPartials ArcTan2(Float80 y, Float80 x, Float80)
{
    TPartials p;
    if (x == 0 && y == 0)
    {
        p.Infinite = true;
        return p;
    }
    const int k = std::ilogb(std::fmax(std::fabs(x), std::fabs(y)));
    const Float80 xs = std::scalbn(x, -k), ys = std::scalbn(y, -k);
    const Float80 r2 = xs * xs + ys * ys;
    p.A = std::scalbn(xs / r2, -k);
    p.B = std::scalbn(-ys / r2, -k);
    const Float80 r4 = r2 * r2;
    p.AA = std::scalbn(-2 * xs * ys / r4, -2 * k);
    p.BB = -p.AA;
    p.AB = std::scalbn((ys * ys - xs * xs) / r4, -2 * k);
    return p;
}

using TUnarySlope = TSlope (*)(Float80 u, Float80 v);
using TBinaryPartials = TPartials (*)(Float80 a, Float80 b, Float80 v);

struct TUnaryRule
{
    TUnaryRoutine Routine;
    TUnarySlope Slope; // nullptr: Abs, whose kink needs the whole argument
};

struct TBinaryRule
{
    TBinaryRoutine Routine;
    TBinaryPartials Partials;
};

// Every routine of the function library (FunctionLibrary.cpp registers the same 37), the
// commonest first, since a call looks its rule up from the start.
constexpr TUnaryRule UnaryRules[] = {
    {MathLib::Sin, Sin},
    {MathLib::Cos, Cos},
    {FunctionLibrary::Sqrt, Sqrt},
    {FunctionLibrary::Exp, Exp},
    {FunctionLibrary::Ln, Ln},
    {FunctionLibrary::Abs, nullptr},
    {MathLib::Tan, Tan},
    {MathLib::ArcTan, ArcTan},
    {MathLib::TanH, TanH},
    {MathLib::SinH, SinH},
    {MathLib::CosH, CosH},
    {MathLib::LogBase10, LogBase10},
    {MathLib::LogBase2, LogBase2},
    {MathLib::ArcCos, ArcCos},
    {MathLib::ArcCot, ArcCot},
    {MathLib::ArcCsc, ArcCsc},
    {MathLib::ArcSec, ArcSec},
    {MathLib::ArcSin, ArcSin},
    {MathLib::Cot, Cot},
    {MathLib::Coversine, Coversine},
    {MathLib::Csc, Csc},
    {MathLib::Exsecans, Exsecans},
    {MathLib::Haversine, Haversine},
    {MathLib::Sec, Sec},
    {MathLib::Versine, Versine},
    {MathLib::ArcCosH, ArcCosH},
    {MathLib::ArcCotH, ArcTanH}, // the same derivative, on |u| > 1
    {MathLib::ArcCscH, ArcCscH},
    {MathLib::ArcSecH, ArcSecH},
    {MathLib::ArcSinH, ArcSinH},
    {MathLib::ArcTanH, ArcTanH},
    {MathLib::CotH, CotH},
    {MathLib::CscH, CscH},
    {MathLib::SecH, SecH},
};

constexpr TBinaryRule BinaryRules[] = {
    {FunctionLibrary::Power, Power},
    {MathLib::LogBaseN, LogBaseN},
    {MathLib::ArcTan2, ArcTan2},
};
static_assert(std::size(UnaryRules) + std::size(BinaryRules) == 37, "one rule per library routine");

const TUnaryRule* Find(TUnaryRoutine Routine)
{
    for (const TUnaryRule& Rule : UnaryRules)
        if (Rule.Routine == Routine)
            return &Rule;
    return nullptr;
}

const TBinaryRule* Find(TBinaryRoutine Routine)
{
    for (const TBinaryRule& Rule : BinaryRules)
        if (Rule.Routine == Routine)
            return &Rule;
    return nullptr;
}

bool DependsOnX(const TDual& u)
{
    return u.D1 != 0 || u.D2 != 0;
}

TDual Undefined(Float80 Value, TFault Kind, TFault& Fault)
{
    if (Fault == TFault::None)
        Fault = Kind;
    return {Value, NaN, NaN};
}

// |u| where u is 0 follows the sign of the first of u', u'' that is not 0: the piece on the
// right of the point.
TDual AbsJet(const TDual& u, Float80 v)
{
    const bool Negative = u.Value != 0 ? u.Value < 0 : u.D1 != 0 ? u.D1 < 0 : u.D2 < 0;
    return Negative ? TDual{v, -u.D1, -u.D2} : TDual{v, u.D1, u.D2};
}
} // namespace

TDual Unary(TUnaryRoutine Routine, const TDual& u, TFault& Fault)
{
    const Float80 v = Routine(u.Value);
    if (!DependsOnX(u))
        return {v, 0, 0};
    const TUnaryRule* Rule = Find(Routine);
    if (!Rule)
        return Undefined(v, TFault::NoRule, Fault);
    if (!Rule->Slope)
        return AbsJet(u, v);
    const TSlope s = Rule->Slope(u.Value, v);
    if (s.Infinite)
        return Undefined(v, TFault::InfiniteSlope, Fault);
    return {v, s.D1 * u.D1, s.D2 * u.D1 * u.D1 + s.D1 * u.D2};
}

TDual Binary(TBinaryRoutine Routine, const TDual& a, const TDual& b, TFault& Fault)
{
    const Float80 v = Routine(a.Value, b.Value);
    if (!DependsOnX(a) && !DependsOnX(b))
        return {v, 0, 0};
    const TBinaryRule* Rule = Find(Routine);
    if (!Rule)
        return Undefined(v, TFault::NoRule, Fault);
    const TPartials p = Rule->Partials(a.Value, b.Value, v);
    if (p.Infinite)
        return Undefined(v, TFault::InfiniteSlope, Fault);
    const Float80 D1 = p.A * a.D1 + p.B * b.D1;
    const Float80 D2 =
        p.AA * a.D1 * a.D1 + 2 * p.AB * a.D1 * b.D1 + p.BB * b.D1 * b.D1 + p.A * a.D2 + p.B * b.D2;
    return {v, D1, D2};
}
} // namespace DerivativeRules
