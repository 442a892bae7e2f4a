#include "expr/AngleReduction.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
using Limb = std::uint64_t;

// 2/pi to 384 bits: 2/pi = 0.A2F9836E... (hexadecimal), most significant word first.
constexpr Limb TwoOverPi[6] = {0xA2F9836E4E441529ULL, 0xFC2757D1F534DDC0ULL, 0xDB6295993C439041ULL,
                               0xFE5163ABDEBBC561ULL, 0xB7246E3A424DD2E0ULL, 0x06492EEA09D1921CULL};
// pi/2 = PiOver2Hi + PiOver2Lo to about 128 bits.
constexpr Float80 PiOver2Hi = 0xC90FDAA22168C235P-63L;
constexpr Float80 PiOver2Lo = -0xECE675D1FC8F8CBBP-129L;
constexpr Float80 QuarterPi = 0.785398163397448309615660845819875721L;

// Below 2^24 the reduction subtracts n * pi/2 in three parts (Cody and Waite): the first two
// have 40 significant bits, so that their products with n < 2^24 are exact; together they hold
// pi/2 to 2^-146. A remainder below 2^-20 (an argument next to a multiple) would keep too few
// correct bits and takes the long way.
constexpr Float80 ShortReductionLimit = 0x1p24L;
constexpr Float80 PiOver2Part1 = 0xC90FDAA221p-39L;
constexpr Float80 PiOver2Part2 = 0xD18469898Dp-80L;
constexpr Float80 PiOver2Part3 = -0x75D1FC8F8CBB5BF7p-145L;
constexpr Float80 TwoOverPiValue = 0x517CC1B727220A95p-63L;
constexpr Float80 ShortRemainderLimit = 0x1p-20L;
// Adding and subtracting 1.5 * 2^63 rounds a Float80 below 2^62 to an integer.
constexpr Float80 RoundingShift = 0x3p62L;

constexpr int Limbs = 7; // 64 x 384 bits

// The 64 bits of N starting at bit Position (bits below 0 read as 0).
Limb BitsAt(const Limb (&N)[Limbs], int Position)
{
    if (Position <= -64)
        return 0;
    if (Position < 0)
        return N[0] << -Position;
    const int Word = Position / 64, Shift = Position % 64;
    const Limb Low = Word < Limbs ? N[Word] >> Shift : 0;
    const Limb High = (Shift != 0 && Word + 1 < Limbs) ? N[Word + 1] << (64 - Shift) : 0;
    return Low | High;
}
} // namespace

namespace
{
TReducedAngle LongReduction(Float80 x);
}

TReducedAngle ReduceAngle(Float80 x)
{
    const Float80 a = std::fabs(x);
    if (a <= QuarterPi)
        return {0, {x, 0}};
    if (a < ShortReductionLimit)
    {
        // The shifted sum holds n in the low bits of its significand (its unit is 1): the
        // quadrant is read from there, without a conversion to an integer.
        const Float80 Shifted = x * TwoOverPiValue + RoundingShift;
        const Float80 n = Shifted - RoundingShift;
        std::uint64_t Significand;
        std::memcpy(&Significand, &Shifted, sizeof Significand);
        const Float80 Head = x - n * PiOver2Part1; // exact: the two are close, the product exact
        TTwoFloat80 r = TwoFloat80::Sum(Head, -(n * PiOver2Part2));
        r = TwoFloat80::QuickSum(r.Hi, r.Lo - n * PiOver2Part3);
        if (std::fabs(r.Hi) >= ShortRemainderLimit)
            return {static_cast<unsigned>(Significand & 3), r};
    }
    return LongReduction(x);
}

namespace
{
// Payne and Hanek: the product of the argument's 64-bit significand with 384 bits of 2/pi, in
// integers.
TReducedAngle LongReduction(Float80 x)
{
    const Float80 a = std::fabs(x);
    // a = m * 2^k with a 64-bit integer m and -64 <= k <= 0.
    int e;
    const Float80 Mantissa = std::frexp(a, &e); // a = Mantissa * 2^e, 0.5 <= Mantissa < 1
    const Limb m = static_cast<Limb>(std::ldexp(Mantissa, 64));
    const int k = e - 64;
    // N = m * TwoOverPi; a * 2/pi = N * 2^(k - 384).
    Limb N[Limbs] = {};
    unsigned __int128 Carry = 0;
    for (int i = 0; i < 6; ++i)
    {
        const unsigned __int128 p = static_cast<unsigned __int128>(m) * TwoOverPi[5 - i] + Carry;
        N[i] = static_cast<Limb>(p);
        Carry = p >> 64;
    }
    N[6] = static_cast<Limb>(Carry);
    const int Point = 384 - k; // the bit of weight 1
    unsigned Quadrant = static_cast<unsigned>(BitsAt(N, Point) & 3);
    // The fraction below the point, rounded to the nearest quarter turn: a fraction of a half
    // or more counts from the next multiple, negatively.
    bool Negative = false;
    if ((BitsAt(N, Point - 1) & 1) != 0)
    {
        Negative = true;
        ++Quadrant;
        // 2^Point - fraction: complement the bits below the point and add one.
        Limb Borrow = 1;
        for (int i = 0; i < Limbs; ++i)
        {
            const Limb Bits = ~N[i];
            N[i] = Bits + Borrow;
            Borrow = (Borrow != 0 && N[i] == 0) ? 1 : 0;
        }
    }
    // Clear everything from the point up.
    for (int i = 0; i < Limbs; ++i)
    {
        const int Low = i * 64;
        if (Low >= Point)
            N[i] = 0;
        else if (Low + 64 > Point)
            N[i] &= (Limb(1) << (Point - Low)) - 1;
    }
    // The leading 128 bits of the fraction.
    int Top = -1;
    for (int i = Limbs - 1; i >= 0; --i)
        if (N[i] != 0)
        {
            Top = i * 64 + 63 - std::countl_zero(N[i]);
            break;
        }
    TReducedAngle Result;
    Result.Quadrant = Quadrant & 3;
    if (Top < 0)
        return Result; // an exact multiple: never for a long double, but harmless
    const Limb High = BitsAt(N, Top - 63), Low = BitsAt(N, Top - 127);
    const Float80 FHi = std::ldexp(static_cast<Float80>(High), Top - 63 - Point);
    const Float80 FLo = std::ldexp(static_cast<Float80>(Low), Top - 127 - Point);
    // r = f * pi/2 to about 128 bits.
    TTwoFloat80 r = TwoFloat80::Product(FHi, PiOver2Hi);
    r = TwoFloat80::QuickSum(r.Hi, r.Lo + (FHi * PiOver2Lo + FLo * PiOver2Hi));
    if (Negative)
        r = {-r.Hi, -r.Lo};
    if (x < 0)
    {
        r = {-r.Hi, -r.Lo};
        Result.Quadrant = (4 - Result.Quadrant) & 3;
    }
    Result.R = r;
    return Result;
}
} // namespace

namespace
{
// The series of sine and cosine on |r| <= pi/4 (z = r^2 <= 0.62): the first terms in two-part
// arithmetic, the tails (at most a fiftieth of the value) in Float80, through z^9 / 23! and
// z^9 / 22!: what follows is below 2^-76 of the value.
constexpr Float80 SineTail[] = {1.0L / 120,
                                -1.0L / 5040,
                                1.0L / 362880,
                                -1.0L / 39916800,
                                1.0L / 6227020800,
                                -1.0L / 1307674368000,
                                1.0L / 355687428096000,
                                -1.0L / 121645100408832000,
                                1.0L / 51090942171709440000.0L,
                                -1.0L / 25852016738884976640000.0L}; // 1/5! .. -1/23!
constexpr Float80 CosineTail[] = {1.0L / 24,
                                  -1.0L / 720,
                                  1.0L / 40320,
                                  -1.0L / 3628800,
                                  1.0L / 479001600,
                                  -1.0L / 87178291200,
                                  1.0L / 20922789888000,
                                  -1.0L / 6402373705728000,
                                  1.0L / 2432902008176640000.0L,
                                  -1.0L / 1124000727777607680000.0L}; // 1/4! .. -1/22!

template <size_t N> Float80 Horner(const Float80 (&Coefficients)[N], Float80 z)
{
    Float80 p = Coefficients[N - 1];
    for (size_t i = N - 1; i-- > 0;)
        p = Coefficients[i] + z * p;
    return p;
}

// v / 6 to about 128 bits.
TTwoFloat80 SixthOf(TTwoFloat80 v)
{
    const Float80 q = v.Hi / 6;
    const TTwoFloat80 p = TwoFloat80::Product(q, 6);
    return TwoFloat80::QuickSum(q, ((v.Hi - p.Hi) - p.Lo + v.Lo) / 6);
}
} // namespace

// sin r = r - r^3/6 + r^5 (1/5! - z/7! + ...).
TTwoFloat80 SinOfReduced(TTwoFloat80 r)
{
    const TTwoFloat80 z = TwoFloat80::Mul(r, r);
    const TTwoFloat80 Cube = TwoFloat80::Mul(r, z);
    const TTwoFloat80 Sixth = SixthOf(Cube);
    const TTwoFloat80 Head = TwoFloat80::Add(r, {-Sixth.Hi, -Sixth.Lo});
    return TwoFloat80::Add(Head, {Cube.Hi * z.Hi * Horner(SineTail, z.Hi), 0});
}

// 1 - cos r = z/2 - z^2 (1/4! - z/6! + ...), without cancellation.
TTwoFloat80 OneMinusCosOfReduced(TTwoFloat80 r)
{
    const TTwoFloat80 z = TwoFloat80::Mul(r, r);
    return TwoFloat80::Add({z.Hi / 2, z.Lo / 2}, {-(z.Hi * z.Hi) * Horner(CosineTail, z.Hi), 0});
}

TTwoFloat80 CosOfReduced(TTwoFloat80 r)
{
    const TTwoFloat80 v = OneMinusCosOfReduced(r);
    return TwoFloat80::Add(1, {-v.Hi, -v.Lo});
}
