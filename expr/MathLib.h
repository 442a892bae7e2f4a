#pragma once
// The mathematical library behind 32 of the formula functions. Every routine computes its
// value to within the bound of MathLibAccuracy.h (a unit or two in the last place of
// Float80) wherever it is defined, and raises errors instead of returning infinities or
// not-a-number:
// EDomainError for arguments outside the function's domain (checked first, except
// where the check tests a computed quantity), EInvalidOp / EZeroDivide / EOverflow for
// faults of the arithmetic.
#include "expr/Float80.h"

#include <bit>
#include <cstdint>

namespace MathLib
{
// The memory layout of an x87 extended value: 64-bit significand with explicit
// integer bit, then sign and 15-bit biased exponent, then padding to 16 bytes.
struct TExtendedBits
{
    std::uint64_t Significand;
    std::uint16_t SignExponent;
    std::uint16_t Padding[3];
};
static_assert(sizeof(TExtendedBits) == sizeof(Float80));

constexpr Float80 FromBits(std::uint16_t SignExponent, std::uint64_t Significand)
{
    return std::bit_cast<Float80>(TExtendedBits{Significand, SignExponent, {0, 0, 0}});
}

// One unit in the last place above the extended value nearest to pi; the formulas
// have always seen this value as "Pi", so it stays.
inline constexpr Float80 Pi = FromBits(0x4000, 0xC90FDAA22168C236);
// 2^63: the largest argument of the trigonometric functions.
inline constexpr Float80 MaxAngle = 9223372036854775808.0L;
// 8192 * ln 2: beyond it TanH is +-1 to full precision.
inline constexpr Float80 TanHLimit = FromBits(0x400B, 0xB17217F7D1CF79AB);

static_assert(Pi == static_cast<Float80>(0xC90FDAA22168C236ULL) / 4611686018427387904.0L);
static_assert(MaxAngle == static_cast<Float80>(1ULL << 63));

// Raises EDomainError "Domain check failure in MathLib" when Failed holds.
void DomainCheck(bool Failed);

// Constants at full Float80 precision, loaded by the processor.
Float80 Log2OfE();
Float80 LnOf2();
Float80 Log10Of2();

// Auxiliary routines (not registered as formula functions).
Float80 Log2(Float80 x);               // log2 x; EZeroDivide for 0, EInvalidOp below 0
Float80 Sqrt(Float80 x);               // square root; EInvalidOp below 0
Float80 Ln(Float80 x);                 // ln x, no domain check
Float80 Exp(Float80 x);                // e^x; EOverflow beyond about 11356.5
Float80 ArcTan2(Float80 y, Float80 x); // the angle of the point (x, y)
Float80 ArcTan(Float80 x);             // ArcTan2(x, 1)
Float80 GuardedExp(Float80 x);
Float80 Sgn(Float80 x);

// The registered functions of the library.
Float80 LogBase10(Float80 x);
Float80 LogBase2(Float80 x);
Float80 LogBaseN(Float80 Base, Float80 x);
Float80 ArcCos(Float80 x);
Float80 ArcCot(Float80 x);
Float80 ArcCsc(Float80 x);
Float80 ArcSec(Float80 x);
Float80 ArcSin(Float80 x);
Float80 Cos(Float80 x);
Float80 Cot(Float80 x);
Float80 Coversine(Float80 x);
Float80 Csc(Float80 x);
Float80 Exsecans(Float80 x);
Float80 Haversine(Float80 x);
Float80 Sec(Float80 x);
Float80 Sin(Float80 x);
Float80 Tan(Float80 x);
Float80 Versine(Float80 x);
Float80 ArcCosH(Float80 x);
Float80 ArcCotH(Float80 x);
Float80 ArcCscH(Float80 x);
Float80 ArcSecH(Float80 x);
Float80 ArcSinH(Float80 x);
Float80 ArcTanH(Float80 x);
Float80 CosH(Float80 x);
Float80 CotH(Float80 x);
Float80 CscH(Float80 x);
Float80 SecH(Float80 x);
Float80 SinH(Float80 x);
Float80 TanH(Float80 x);
} // namespace MathLib
