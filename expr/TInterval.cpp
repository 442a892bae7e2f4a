#include "expr/TInterval.h"

#include "expr/OutwardRounding.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace
{
using OutwardRounding::TBracket;

// The flags of a result whose definedness is Defined: continuity needs definedness.
TTri ContinuityUnder(TTri Defined, TTri Continuous)
{
    if (Defined == TTri::No)
        return TTri::No;
    if (Defined == TTri::Maybe || Continuous == TTri::No)
        return TTri::Maybe;
    return Continuous;
}

// [Lo, Hi] from the outward bounds of an operation's results, with the operands' flags. An
// infinite bound is a result that rounds beyond the largest Float80: the point rules raise
// EOverflow there, so the formula is undefined at those points; when even the nearest bound
// is infinite, everywhere.
TInterval Settle(Float80 Lo, Float80 Hi, const TInterval& a, const TInterval& b)
{
    TInterval r = TInterval::Of(Lo, Hi).WithFlagsOf(a, b);
    if (r.Defined == TTri::No)
        return TInterval::Undefined();
    if (Lo == INFINITY || Hi == -INFINITY)
        return TInterval::Undefined();
    if (Lo == -INFINITY || Hi == INFINITY)
    {
        r.Lo = std::max(Lo, -MaxFloat80);
        r.Hi = std::min(Hi, MaxFloat80);
        r.Defined = TTri::Maybe;
        r.Continuous = TTri::Maybe;
    }
    return r;
}

// The hull of several brackets.
TInterval SettleHull(std::initializer_list<TBracket> Brackets, const TInterval& a, const TInterval& b)
{
    Float80 Lo = INFINITY, Hi = -INFINITY;
    for (const TBracket& Each : Brackets)
    {
        Lo = std::min(Lo, Each.Lo);
        Hi = std::max(Hi, Each.Hi);
    }
    return Settle(Lo, Hi, a, b);
}

TInterval Truth(bool CanBeFalse, bool CanBeTrue)
{
    return TInterval::Of(CanBeFalse ? 0 : 1, CanBeTrue ? 1 : 0);
}

// A comparison's or logical operator's result: constant where one value is possible, so
// continuous wherever defined.
TInterval Decided(TInterval r, const TInterval& a, const TInterval& b)
{
    r = r.WithFlagsOf(a, b);
    if (r.Defined == TTri::Yes)
        r.Continuous = r.IsPoint() ? TTri::Yes : TTri::Maybe;
    return r;
}

TInterval Decided(TInterval r, const TInterval& a)
{
    return Decided(r, a, a);
}

// Whether the operand may be false (0) and may be true (not 0) where it is defined.
bool MayBeFalse(const TInterval& a)
{
    return a.Contains(0);
}
bool MayBeTrue(const TInterval& a)
{
    return !a.CertainlyZero();
}

// a / b for a divisor that holds 0 only at one end, or within: the quotients of the divisor's
// non-zero values are unbounded on the side the signs give.
TInterval DivideAcrossZero(const TInterval& a, const TInterval& b)
{
    TInterval r = TInterval::Of(-MaxFloat80, MaxFloat80).WithFlagsOf(a, b, TTri::Maybe, TTri::Maybe);
    if (a.CertainlyZero())
    {
        r.Lo = r.Hi = 0;
        return r;
    }
    if (b.Lo < 0 && b.Hi > 0)
        return r;
    // One-signed divisor touching 0: sign(a) * sign(b) decides the unbounded side.
    const Float80 Far = b.Lo == 0 ? b.Hi : b.Lo;
    const bool DivisorPositive = b.Lo == 0;
    if (a.Lo >= 0)
    {
        const TBracket q = OutwardRounding::Div(a.Lo, Far);
        if (DivisorPositive)
            r.Lo = q.Lo;
        else
            r.Hi = q.Hi;
    }
    else if (a.Hi <= 0)
    {
        const TBracket q = OutwardRounding::Div(a.Hi, Far);
        if (DivisorPositive)
            r.Hi = q.Hi;
        else
            r.Lo = q.Lo;
    }
    r.Lo = std::clamp(r.Lo, -MaxFloat80, MaxFloat80);
    r.Hi = std::clamp(r.Hi, -MaxFloat80, MaxFloat80);
    return r;
}
} // namespace

TInterval TInterval::Unknown()
{
    return {-MaxFloat80, MaxFloat80, TTri::Maybe, TTri::Maybe};
}

TInterval TInterval::WithFlagsOf(const TInterval& a, TTri OwnDefined, TTri OwnContinuous) const
{
    return WithFlagsOf(a, a, OwnDefined, OwnContinuous);
}

TInterval TInterval::WithFlagsOf(const TInterval& a, const TInterval& b, TTri OwnDefined,
                                 TTri OwnContinuous) const
{
    TInterval r = *this;
    r.Defined = Weaker(Weaker(a.Defined, b.Defined), Weaker(Defined, OwnDefined));
    r.Continuous = ContinuityUnder(
        r.Defined, Weaker(Weaker(a.Continuous, b.Continuous), Weaker(Continuous, OwnContinuous)));
    return r;
}

TInterval operator+(const TInterval& a, const TInterval& b)
{
    return SettleHull({OutwardRounding::Add(a.Lo, b.Lo), OutwardRounding::Add(a.Hi, b.Hi)}, a, b);
}

TInterval operator-(const TInterval& a, const TInterval& b)
{
    return SettleHull({OutwardRounding::Sub(a.Lo, b.Hi), OutwardRounding::Sub(a.Hi, b.Lo)}, a, b);
}

// By the signs of the operands, the two products that bound the result (both across 0: four).
TInterval operator*(const TInterval& a, const TInterval& b)
{
    using OutwardRounding::Mul;
    auto Between = [&](Float80 l1, Float80 l2, Float80 h1, Float80 h2)
    { return Settle(Mul(l1, l2).Lo, Mul(h1, h2).Hi, a, b); };
    if (a.Lo >= 0)
    {
        if (b.Lo >= 0)
            return Between(a.Lo, b.Lo, a.Hi, b.Hi);
        return b.Hi <= 0 ? Between(a.Hi, b.Lo, a.Lo, b.Hi) : Between(a.Hi, b.Lo, a.Hi, b.Hi);
    }
    if (a.Hi <= 0)
    {
        if (b.Lo >= 0)
            return Between(a.Lo, b.Hi, a.Hi, b.Lo);
        return b.Hi <= 0 ? Between(a.Hi, b.Hi, a.Lo, b.Lo) : Between(a.Lo, b.Hi, a.Lo, b.Lo);
    }
    if (b.Lo >= 0)
        return Between(a.Lo, b.Hi, a.Hi, b.Hi);
    if (b.Hi <= 0)
        return Between(a.Hi, b.Lo, a.Lo, b.Lo);
    return SettleHull({Mul(a.Lo, b.Lo), Mul(a.Lo, b.Hi), Mul(a.Hi, b.Lo), Mul(a.Hi, b.Hi)}, a, b);
}

TInterval operator/(const TInterval& a, const TInterval& b)
{
    if (a.Defined == TTri::No || b.Defined == TTri::No || b.CertainlyZero())
        return TInterval::Undefined(); // x / 0 divides by zero, 0 / 0 is invalid
    if (b.Contains(0))
        return DivideAcrossZero(a, b);
    using OutwardRounding::Div;
    return SettleHull({Div(a.Lo, b.Lo), Div(a.Lo, b.Hi), Div(a.Hi, b.Lo), Div(a.Hi, b.Hi)}, a, b);
}

TInterval operator-(const TInterval& a)
{
    TInterval r = a;
    r.Lo = -a.Hi;
    r.Hi = -a.Lo;
    return r;
}

TInterval Square(const TInterval& a)
{
    using OutwardRounding::Mul;
    if (a.Lo >= 0)
        return SettleHull({Mul(a.Lo, a.Lo), Mul(a.Hi, a.Hi)}, a, a);
    if (a.Hi <= 0)
        return SettleHull({Mul(a.Hi, a.Hi), Mul(a.Lo, a.Lo)}, a, a);
    const Float80 Far = std::max(-a.Lo, a.Hi);
    return SettleHull({{0, 0}, Mul(Far, Far)}, a, a);
}

TInterval Equal(const TInterval& a, const TInterval& b)
{
    const bool Disjoint = a.Hi < b.Lo || b.Hi < a.Lo;
    const bool SamePoint = a.IsPoint() && b.IsPoint() && a.Lo == b.Lo;
    return Decided(Truth(!SamePoint, !Disjoint), a, b);
}

TInterval NotEqual(const TInterval& a, const TInterval& b)
{
    const TInterval e = Equal(a, b);
    return Decided(Truth(e.Hi == 1, e.Lo == 0), a, b);
}

TInterval Less(const TInterval& a, const TInterval& b)
{
    return Decided(Truth(a.Hi >= b.Lo, a.Lo < b.Hi), a, b);
}

TInterval LessEqual(const TInterval& a, const TInterval& b)
{
    return Decided(Truth(a.Hi > b.Lo, a.Lo <= b.Hi), a, b);
}

TInterval Greater(const TInterval& a, const TInterval& b)
{
    return Less(b, a);
}

TInterval GreaterEqual(const TInterval& a, const TInterval& b)
{
    return LessEqual(b, a);
}

TInterval Cmp(const TInterval& a, const TInterval& b)
{
    const bool MayBeAbove = a.Hi > b.Lo;
    const bool MayBeBelow = a.Lo < b.Hi;
    const bool MayBeEqual = !(a.Hi < b.Lo || b.Hi < a.Lo);
    const Float80 Lo = MayBeBelow ? -1 : MayBeEqual ? 0 : 1;
    const Float80 Hi = MayBeAbove ? 1 : MayBeEqual ? 0 : -1;
    return Decided(TInterval::Of(Lo, Hi), a, b);
}

TInterval And(const TInterval& a, const TInterval& b)
{
    return Decided(Truth(MayBeFalse(a) || MayBeFalse(b), MayBeTrue(a) && MayBeTrue(b)), a, b);
}

TInterval Or(const TInterval& a, const TInterval& b)
{
    return Decided(Truth(MayBeFalse(a) && MayBeFalse(b), MayBeTrue(a) || MayBeTrue(b)), a, b);
}

TInterval Xor(const TInterval& a, const TInterval& b)
{
    // True where exactly one is true: possible unless both are decided alike.
    const bool CanDiffer = (MayBeTrue(a) && MayBeFalse(b)) || (MayBeFalse(a) && MayBeTrue(b));
    const bool CanAgree = (MayBeTrue(a) && MayBeTrue(b)) || (MayBeFalse(a) && MayBeFalse(b));
    return Decided(Truth(CanAgree, CanDiffer), a, b);
}

TInterval Not(const TInterval& a)
{
    return Decided(Truth(MayBeTrue(a), MayBeFalse(a)), a);
}
