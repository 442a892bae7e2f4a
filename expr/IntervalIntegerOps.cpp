#include "expr/IntervalIntegerOps.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace
{
using IntegerOps::TOperator;
constexpr Float80 Two63 = 0x1p63L;
constexpr int64_t Least = std::numeric_limits<int64_t>::min(), Greatest = std::numeric_limits<int64_t>::max();

struct TRange
{
    int64_t Lo, Hi;
};

// The least and greatest of the integers an operator gives.
struct TExtremes
{
    int64_t Lo = Greatest, Hi = Least;
    bool Any = false;
    void Add(int64_t v)
    {
        Lo = std::min(Lo, v);
        Hi = std::max(Hi, v);
        Any = true;
    }
    void Add(TRange r)
    {
        Add(r.Lo);
        Add(r.Hi);
    }
};

// The integers Round64 gives over a; false where it fails everywhere. Rounding is monotone,
// so the ends give the range; ends beyond the 64-bit range fail there.
bool Rounded(const TInterval& a, TRange& R, TTri& Own)
{
    const Float80 Lo = __builtin_rintl(a.Lo), Hi = __builtin_rintl(a.Hi);
    if (Hi < -Two63 || Lo >= Two63)
        return false;
    if (Lo < -Two63 || Hi >= Two63)
        Own = TTri::Maybe;
    R = {Lo < -Two63 ? Least : int64_t(Lo), Hi >= Two63 ? Greatest : int64_t(Hi)};
    return true;
}

// The parts of a range below 0 and from 0 on; false where there is none.
bool NegativePart(TRange r, TRange& Part)
{
    Part = {r.Lo, std::min<int64_t>(r.Hi, -1)};
    return r.Lo < 0;
}
bool NonNegativePart(TRange r, TRange& Part)
{
    Part = {std::max<int64_t>(r.Lo, 0), r.Hi};
    return r.Hi >= 0;
}

uint64_t Magnitude(int64_t v)
{
    return v < 0 ? 0 - uint64_t(v) : uint64_t(v);
}

// ---- div ----

// a div b over one-signed parts: monotone in each, so the corners; except that the least
// integer divided by -1 wraps to itself, taken apart.
void DivideParts(TRange A, TRange B, TExtremes& E)
{
    if (A.Lo == Least && B.Lo <= -1 && B.Hi >= -1)
    {
        E.Add(IntegerOps::Div(Least, -1));
        if (A.Hi > Least)
        {
            E.Add(-A.Hi);
            E.Add(Greatest); // -(Least + 1)
        }
        if (B.Lo <= -2)
            DivideParts(A, {B.Lo, -2}, E);
        if (A.Hi > Least) // the rest of the divisor range with the rest of the dividends
            DivideParts({Least + 1, A.Hi}, B, E);
        return;
    }
    for (int64_t a : {A.Lo, A.Hi})
        for (int64_t b : {B.Lo, B.Hi})
            E.Add(IntegerOps::Div(a, b));
}

// ---- mod ----

// |a| mod d for |a| in [p0, p1]: increasing between multiples of d, every remainder across one.
void AddRemainders(uint64_t p0, uint64_t p1, uint64_t d, bool Negative, TExtremes& E)
{
    uint64_t Lo = 0, Hi = d - 1;
    if (p0 / d == p1 / d)
        Lo = p0 % d, Hi = p1 % d;
    if (Negative)
        E.Add({-int64_t(Hi), -int64_t(Lo)});
    else
        E.Add({int64_t(Lo), int64_t(Hi)});
}

// |a| in [p0, p1] (the sign of the dividend apart) and divisors of magnitude [d0, d1].
void AddModulo(uint64_t p0, uint64_t p1, uint64_t d0, uint64_t d1, bool Negative, TExtremes& E)
{
    constexpr uint64_t Enumerated = 64;
    if (d1 - d0 < Enumerated)
    {
        for (uint64_t d = d0;; ++d)
        {
            AddRemainders(p0, p1, d, Negative, E);
            if (d == d1)
                break;
        }
        return;
    }
    const uint64_t Hi = std::min(p1, d1 - 1);
    E.Add(0);
    E.Add(Negative ? -int64_t(Hi) : int64_t(Hi));
}

void Modulo(TRange A, TRange B, TExtremes& E)
{
    TRange Divisors[2];
    int Count = 0;
    TRange Part;
    if (NegativePart(B, Part))
        Divisors[Count++] = {Part.Lo, Part.Hi};
    if (NonNegativePart(B, Part) && Part.Hi >= 1)
        Divisors[Count++] = {std::max<int64_t>(Part.Lo, 1), Part.Hi};
    for (int i = 0; i < Count; ++i)
    {
        const TRange D = Divisors[i];
        const uint64_t d0 = std::min(Magnitude(D.Lo), Magnitude(D.Hi)),
                       d1 = std::max(Magnitude(D.Lo), Magnitude(D.Hi));
        if (NegativePart(A, Part))
            AddModulo(Magnitude(Part.Hi), Magnitude(Part.Lo), d0, d1, true, E);
        if (NonNegativePart(A, Part))
            AddModulo(uint64_t(Part.Lo), uint64_t(Part.Hi), d0, d1, false, E);
    }
}

// ---- shl, shr ----

// The shift a count makes, as IntegerOps reads it; -1 where everything is shifted out.
int EffectiveShift(int64_t Count)
{
    const int8_t c = int8_t(uint8_t(Count & 0xFF));
    if (c < 0)
        return c & 31;
    return c <= 63 ? c : -1;
}

// a shl s over [a0, a1]: the result grows by 2^s per step of a and falls from 2^63 - 2^s to
// -2^63 where a * 2^s passes 2^63 (mod 2^64), that is at a = 2^(63-s) (mod 2^(64-s)).
TRange ShiftLeftImage(TRange A, int s)
{
    auto Shifted = [s](int64_t v) { return int64_t(uint64_t(v) << s); };
    if (s == 0 || A.Lo == A.Hi)
        return {std::min(Shifted(A.Lo), Shifted(A.Hi)), std::max(Shifted(A.Lo), Shifted(A.Hi))};
    const uint64_t Period = uint64_t(1) << (64 - s), Fall = uint64_t(1) << (63 - s);
    const uint64_t First = uint64_t(A.Lo) + 1; // a fall lands on one of A.Lo + 1 .. A.Hi
    const uint64_t ToFall = (Fall - First) & (Period - 1);
    if (ToFall <= uint64_t(A.Hi) - uint64_t(A.Lo) - 1)
        return {Least, Greatest - ((int64_t(1) << s) - 1)};
    return {Shifted(A.Lo), Shifted(A.Hi)};
}

// a shr s (logical): increasing over each sign part; a negative a reads as 2^64 + a.
void AddShiftRight(TRange A, int s, TExtremes& E)
{
    if (s == 0)
        return E.Add(A);
    TRange Part;
    if (NegativePart(A, Part))
        E.Add({int64_t(uint64_t(Part.Lo) >> s), int64_t(uint64_t(Part.Hi) >> s)});
    if (NonNegativePart(A, Part))
        E.Add({Part.Lo >> s, Part.Hi >> s});
}

void Shift(TOperator Op, TRange A, TRange Counts, TExtremes& E)
{
    const bool EveryByte = uint64_t(Counts.Hi) - uint64_t(Counts.Lo) >= 255;
    const int64_t Last = EveryByte ? Counts.Lo + 255 : Counts.Hi;
    for (int64_t c = Counts.Lo;; ++c)
    {
        const int s = EffectiveShift(c);
        if (s < 0)
            E.Add(0);
        else if (Op == TOperator::Shl)
            E.Add(ShiftLeftImage(A, s));
        else
            AddShiftRight(A, s, E);
        if (c == Last)
            break;
    }
}

// ---- band, bor, bxor ----

// The least or greatest x op y over x in X, y in Y, decided bit by bit from the top. The
// candidates are kept as the set of ways the operands can still be bounded by their ranges
// (tight to the low end, the high end, both or neither of each: 16 states); a bit of the
// result is chosen best among all candidates, and only those that give it go on. Signed order
// is the unsigned order with the top bit flipped, so the ranges and the result are read so.
int64_t BitwiseExtreme(TOperator Op, TRange X, TRange Y, bool Greatest)
{
    constexpr uint64_t Flip = uint64_t(1) << 63;
    const uint64_t XLo = uint64_t(X.Lo) ^ Flip, XHi = uint64_t(X.Hi) ^ Flip;
    const uint64_t YLo = uint64_t(Y.Lo) ^ Flip, YHi = uint64_t(Y.Hi) ^ Flip;
    auto Apply = [Op](int a, int b) {
        return Op == TOperator::Band ? a & b : Op == TOperator::Bor ? a | b : a ^ b;
    };
    // State bits: x tight to its low end, to its high end, y likewise.
    uint32_t States = 1u << 15;
    uint64_t Result = 0;
    for (int i = 63; i >= 0; --i)
    {
        const int Top = i == 63;
        const int xl = int(XLo >> i) & 1, xh = int(XHi >> i) & 1, yl = int(YLo >> i) & 1,
                  yh = int(YHi >> i) & 1;
        int Best = -1;
        uint32_t Next = 0;
        for (int st = 0; st < 16; ++st)
        {
            if (!(States >> st & 1))
                continue;
            for (int bx = 0; bx <= 1; ++bx)
            {
                if (((st & 1) && bx < xl) || ((st & 2) && bx > xh))
                    continue;
                const int sx = ((st & 1) && bx == xl) | (((st & 2) && bx == xh) << 1);
                for (int by = 0; by <= 1; ++by)
                {
                    if (((st & 4) && by < yl) || ((st & 8) && by > yh))
                        continue;
                    const int sy = ((st & 4) && by == yl) | (((st & 8) && by == yh) << 1);
                    const int Key = Apply(bx ^ Top, by ^ Top) ^ Top;
                    const int Score = Greatest ? Key : 1 - Key;
                    if (Score > Best)
                        Best = Score, Next = 0;
                    if (Score == Best)
                        Next |= 1u << (sx | sy << 2);
                }
            }
        }
        const int Key = Greatest ? Best : 1 - Best;
        if (Key ^ Top)
            Result |= uint64_t(1) << i;
        States = Next;
    }
    return int64_t(Result);
}

TInterval FromExtremes(const TExtremes& E, TRange A, TRange B, TTri Own, const TInterval& Left,
                       const TInterval& Right)
{
    if (!E.Any)
        return TInterval::Undefined();
    const bool Constant = A.Lo == A.Hi && B.Lo == B.Hi;
    return TInterval::Of(Float80(E.Lo), Float80(E.Hi))
        .WithFlagsOf(Left, Right, Own, Constant ? TTri::Yes : TTri::Maybe);
}
} // namespace

namespace IntervalIntegerOps
{
TInterval Apply(TOperator Op, const TInterval& Left, const TInterval& Right)
{
    TTri Own = TTri::Yes;
    TRange A, B;
    if (Left.Defined == TTri::No || Right.Defined == TTri::No || !Rounded(Right, B, Own) ||
        !Rounded(Left, A, Own))
        return TInterval::Undefined();
    TExtremes E;
    const bool ByDivisor = Op == TOperator::Div || Op == TOperator::Mod;
    if (ByDivisor && B.Lo <= 0 && B.Hi >= 0)
        Own = TTri::Maybe; // division by zero at b = 0
    TRange Dividends, Divisors;
    switch (Op)
    {
    case TOperator::Div:
        for (bool NegativeDivisor : {true, false})
        {
            if (NegativeDivisor ? !NegativePart(B, Divisors) : !NonNegativePart(B, Divisors))
                continue;
            Divisors.Lo = NegativeDivisor ? Divisors.Lo : std::max<int64_t>(Divisors.Lo, 1);
            if (Divisors.Lo > Divisors.Hi)
                continue;
            if (NegativePart(A, Dividends))
                DivideParts(Dividends, Divisors, E);
            if (NonNegativePart(A, Dividends))
                DivideParts(Dividends, Divisors, E);
        }
        break;
    case TOperator::Mod:
        Modulo(A, B, E);
        break;
    case TOperator::Shl:
    case TOperator::Shr:
        Shift(Op, A, B, E);
        break;
    default: // Band, Bor, Bxor
        E.Add(BitwiseExtreme(Op, A, B, false));
        E.Add(BitwiseExtreme(Op, A, B, true));
        break;
    }
    return FromExtremes(E, A, B, Own, Left, Right);
}

TInterval Bnot(const TInterval& a)
{
    TTri Own = TTri::Yes;
    TRange A;
    if (a.Defined == TTri::No || !Rounded(a, A, Own))
        return TInterval::Undefined();
    return TInterval::Of(Float80(~A.Hi), Float80(~A.Lo))
        .WithFlagsOf(a, Own, A.Lo == A.Hi ? TTri::Yes : TTri::Maybe);
}
} // namespace IntervalIntegerOps
