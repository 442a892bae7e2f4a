#pragma once
// A value carried as the unevaluated sum of two Float80 (Hi + Lo, |Lo| at most half a unit in
// the last place of Hi): about 128 significant bits, for the few steps of the library where
// one rounding of an intermediate would cost the last bits of a result. The operations are
// the error-free transformations of floating-point arithmetic; they hold while no
// intermediate overflows (products of operands below 2^16000 in magnitude).
#include "expr/Float80.h"

struct TTwoFloat80
{
    Float80 Hi = 0;
    Float80 Lo = 0;

    Float80 Value() const { return Hi + Lo; }
};

namespace TwoFloat80
{
// a + b exactly, as the rounded sum and its error.
inline TTwoFloat80 Sum(Float80 a, Float80 b)
{
    const Float80 s = a + b;
    const Float80 bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly when |a| >= |b| (or a is 0).
inline TTwoFloat80 QuickSum(Float80 a, Float80 b)
{
    const Float80 s = a + b;
    return {s, b - (s - a)};
}

// a split into two halves of 32 significant bits, so that products of halves are exact.
inline TTwoFloat80 Split(Float80 a)
{
    constexpr Float80 Splitter = 4294967297.0L; // 2^32 + 1
    const Float80 t = Splitter * a;
    const Float80 High = t - (t - a);
    return {High, a - High};
}

// a * b exactly, as the rounded product and its error.
inline TTwoFloat80 Product(Float80 a, Float80 b)
{
    const Float80 p = a * b;
    const TTwoFloat80 A = Split(a), B = Split(b);
    return {p, ((A.Hi * B.Hi - p) + A.Hi * B.Lo + A.Lo * B.Hi) + A.Lo * B.Lo};
}

inline TTwoFloat80 Mul(TTwoFloat80 a, TTwoFloat80 b)
{
    const TTwoFloat80 p = Product(a.Hi, b.Hi);
    return QuickSum(p.Hi, p.Lo + (a.Hi * b.Lo + a.Lo * b.Hi));
}

inline TTwoFloat80 Mul(TTwoFloat80 a, Float80 b)
{
    const TTwoFloat80 p = Product(a.Hi, b);
    return QuickSum(p.Hi, p.Lo + a.Lo * b);
}

inline TTwoFloat80 Add(TTwoFloat80 a, TTwoFloat80 b)
{
    const TTwoFloat80 s = Sum(a.Hi, b.Hi);
    return QuickSum(s.Hi, s.Lo + (a.Lo + b.Lo));
}

inline TTwoFloat80 Add(Float80 a, TTwoFloat80 b)
{
    const TTwoFloat80 s = Sum(a, b.Hi);
    return QuickSum(s.Hi, s.Lo + b.Lo);
}

// 1 / a, from the rounded reciprocal and one correction.
inline TTwoFloat80 Reciprocal(TTwoFloat80 a)
{
    const Float80 q = 1 / a.Hi;
    const TTwoFloat80 p = Product(a.Hi, q);
    const Float80 Rest = ((1 - p.Hi) - p.Lo) - a.Lo * q; // 1 - a*q
    return QuickSum(q, Rest * q);
}

// a / b rounded once. A quotient beyond 2^16000 (or infinite) is the plain quotient: its
// correction would overflow, and it is an overflow or near one anyway.
inline Float80 Divide(TTwoFloat80 a, TTwoFloat80 b)
{
    const Float80 q = a.Hi / b.Hi;
    if (!(q < 0x1p16000L && q > -0x1p16000L))
        return q;
    const TTwoFloat80 p = Product(q, b.Hi);
    return q + ((a.Hi - p.Hi) - p.Lo + a.Lo - q * b.Lo) / b.Hi;
}

// a / b for plain operands, to about 128 bits.
inline TTwoFloat80 Quotient(Float80 a, Float80 b)
{
    const Float80 q = a / b;
    const TTwoFloat80 p = Product(q, b);
    return QuickSum(q, ((a - p.Hi) - p.Lo) / b);
}
} // namespace TwoFloat80
