#pragma once
// Bounds of the exact result of one arithmetic operation on two Float80 numbers: the two
// neighbouring Float80 numbers that hold the exact result between them, or the result twice
// when it is exact. This is what rounding the x87 downwards and upwards would give, without
// touching its control word.
//
// The argument. The processor rounds every +, -, *, / to nearest, so the exact result e and
// the rounded r = RN(e) differ by at most half a unit in the last place: e lies in
// [prev(r), next(r)]. One step outward on both sides is always safe. To step only on the side
// where e lies, the rounding error is computed exactly (an error-free transformation):
//   a + b:  TwoSum (Knuth): with s = RN(a + b), bb = s - a, the error
//           (a - (s - bb)) + (b - bb) equals a + b - s exactly, for any a and b.
//   a * b:  TwoProduct (Dekker): a and b split into halves of at most 32 significant bits
//           (Veltkamp, factor 2^32 + 1), the four partial products are exact, and
//           ((ah*bh - p) + ah*bl + al*bh) + al*bl equals a*b - p exactly.
//   a / b:  q = RN(a / b); the remainder a - q*b is a Float80 (a property of a correctly
//           rounded quotient), computed exactly as (a - ph) - pl with (ph, pl) the TwoProduct
//           of q and b (a - ph is exact by Sterbenz's lemma, ph lying within a factor 2 of a).
//           a/b - q = remainder / b, so its sign is the remainder's times b's.
// The sign of the error then says on which side e lies; a zero error means e = r. These
// identities hold while nothing overflows and the partial products do not fall below the
// normal range; outside those magnitudes (checked before) both sides take the step.
//
// A result beyond the largest Float80 comes back as an infinity (the point rules raise
// EOverflow there): Lo and Hi are then the rounded results as they are, infinities included.
#include "expr/Float80.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace OutwardRounding
{
// The exact result lies in [Lo, Hi]; Lo == Hi when it is exact.
struct TBracket
{
    Float80 Lo, Hi;
};

namespace Detail
{
// One step of the 64-bit significand away from or towards zero, for a normal number whose
// neighbour in that direction is normal too (the exponent field from 2 to 0x7FFD); false
// otherwise. The x87 format keeps the integer bit explicitly: a carry out of the significand
// moves into the exponent, and a borrow below the integer bit out of it.
inline bool StepNormal(Float80& v, bool AwayFromZero)
{
    std::uint64_t Significand;
    std::uint16_t SignExponent;
    std::memcpy(&Significand, &v, 8);
    std::memcpy(&SignExponent, reinterpret_cast<const char*>(&v) + 8, 2);
    const unsigned Exponent = SignExponent & 0x7FFF;
    if (Exponent < 2 || Exponent > 0x7FFD || !(Significand >> 63))
        return false;
    if (AwayFromZero)
    {
        if (++Significand == 0)
            Significand = std::uint64_t(1) << 63, ++SignExponent;
    }
    else if (--Significand >> 63 == 0)
        Significand = ~std::uint64_t(0), --SignExponent;
    std::memcpy(&v, &Significand, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &SignExponent, 2);
    return true;
}
} // namespace Detail

inline Float80 NextUp(Float80 v)
{
    if (v != 0 && Detail::StepNormal(v, v > 0))
        return v;
    return std::nextafter(v, std::numeric_limits<Float80>::infinity());
}

inline Float80 NextDown(Float80 v)
{
    if (v != 0 && Detail::StepNormal(v, v < 0))
        return v;
    return std::nextafter(v, -std::numeric_limits<Float80>::infinity());
}

namespace Detail
{
// Magnitudes within which the error-free transformations hold: the split of a factor can
// neither overflow nor leave the normal range, and every partial product and the rounding
// error stay normal numbers (the smallest normal is 2^-16382; the error and the product of
// the two low halves lie up to 2^-128 below the product).
constexpr Float80 SplitLimit = 0x1p16000L;
constexpr Float80 FactorFloor = 0x1p-16300L;
constexpr Float80 ProductFloor = 0x1p-16200L;
constexpr Float80 ProductCeiling = 0x1p16300L;

// The rounded result r with the exact result's error sign (< 0: below r, > 0: above r).
inline TBracket FromError(Float80 r, Float80 Error)
{
    if (Error > 0)
        return {r, NextUp(r)};
    if (Error < 0)
        return {NextDown(r), r};
    return {r, r};
}

// Both neighbours: the exact result is within half a unit of r.
inline TBracket BothSides(Float80 r)
{
    if (!std::isfinite(r))
        return {r, r};
    return {NextDown(r), NextUp(r)};
}

struct TSplit
{
    Float80 High, Low;
};

// Veltkamp's split of a 64-bit significand into two halves of at most 32 bits each.
inline TSplit Split(Float80 a)
{
    const Float80 c = 4294967297.0L * a; // 2^32 + 1
    const Float80 High = c - (c - a);
    return {High, a - High};
}

// a * b - p exactly, p = RN(a * b), for magnitudes within the limits above.
inline Float80 ProductError(Float80 a, Float80 b, Float80 p)
{
    const TSplit A = Split(a), B = Split(b);
    return ((A.High * B.High - p) + A.High * B.Low + A.Low * B.High) + A.Low * B.Low;
}

inline bool ProductIsExactlyKnown(Float80 a, Float80 b, Float80 p)
{
    const Float80 m = std::fabs(p), ma = std::fabs(a), mb = std::fabs(b);
    return ma < SplitLimit && mb < SplitLimit && ma > FactorFloor && mb > FactorFloor && m > ProductFloor &&
           m < ProductCeiling;
}
} // namespace Detail

inline TBracket Add(Float80 a, Float80 b)
{
    const Float80 s = a + b;
    if (!std::isfinite(s))
        return {s, s};
    const Float80 bb = s - a;
    const Float80 Error = (a - (s - bb)) + (b - bb);
    if (!std::isfinite(Error))
        return Detail::BothSides(s);
    return Detail::FromError(s, Error);
}

inline TBracket Sub(Float80 a, Float80 b)
{
    return Add(a, -b);
}

inline TBracket Mul(Float80 a, Float80 b)
{
    const Float80 p = a * b;
    if (!std::isfinite(p) || a == 0 || b == 0)
        return {p, p};
    if (!Detail::ProductIsExactlyKnown(a, b, p))
        return Detail::BothSides(p);
    return Detail::FromError(p, Detail::ProductError(a, b, p));
}

// b must not be 0.
inline TBracket Div(Float80 a, Float80 b)
{
    const Float80 q = a / b;
    if (!std::isfinite(q) || a == 0)
        return {q, q};
    if (q == 0 || !Detail::ProductIsExactlyKnown(q, b, a))
        return Detail::BothSides(q);
    const Float80 ph = q * b;
    const Float80 Remainder = (a - ph) - Detail::ProductError(q, b, ph);
    return Detail::FromError(q, b > 0 ? Remainder : -Remainder);
}
} // namespace OutwardRounding
