#include "expr/IntervalFunctions.h"

#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/IntervalPower.h"
#include "expr/MathLib.h"
#include "expr/MathLibAccuracy.h"
#include "expr/TValueHull.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string_view>

namespace
{
constexpr Float80 Inf = std::numeric_limits<Float80>::infinity();
constexpr Float80 NaN = std::numeric_limits<Float80>::quiet_NaN();
// pi and pi/2 as the nearest Float80 (the limits they stand for are widened like values).
constexpr Float80 PiValue = 3.14159265358979323846264338327950288L;
constexpr Float80 HalfPi = 1.57079632679489661923132169163975144L;
constexpr Float80 TwoOverPi = 0.636619772367581343075535053490057448L;

// The routine's value at x, or false where it fails.
bool Evaluate(TUnaryRoutine Routine, Float80 x, Float80& Value)
{
    try
    {
        Value = Routine(x);
        return true;
    }
    catch (const Exception&)
    {
        return false;
    }
}

bool Evaluate(TBinaryRoutine Routine, Float80 a, Float80 b, Float80& Value)
{
    try
    {
        Value = Routine(a, b);
        return true;
    }
    catch (const Exception&)
    {
        return false;
    }
}

// ---- functions monotone between the ends of their domain pieces ----

// A piece of the domain on which the function is continuous and monotone, except for at most
// one turn (an extremum) at TurnAt. An open end lies outside the domain; the limit at an end is
// the value there (or approached there), an infinity where the function is unbounded.
struct TPiece
{
    Float80 From, To;
    bool FromOpen, ToOpen;
    Float80 FromLimit, ToLimit;
    Float80 TurnAt = NaN;
    Float80 TurnValue = 0; // exact
};

struct TPieceFunction
{
    TUnaryRoutine Routine;
    double Bound; // MathLibAccuracy's, in ulp
    std::array<TPiece, 2> Pieces;
    int Count;
    bool NonNegative; // the routine never returns a value below 0
};

// Open and closed ends, for reading the table.
constexpr bool Open = true, Closed = false;

constexpr TPieceFunction Monotone(std::u16string_view Name, TUnaryRoutine Routine, TPiece Piece,
                                  bool NonNegative = false)
{
    return {Routine, MathLibAccuracy::UlpBound(Name), {Piece, Piece}, 1, NonNegative};
}

constexpr TPieceFunction TwoPieces(std::u16string_view Name, TUnaryRoutine Routine, TPiece Left, TPiece Right)
{
    return {Routine, MathLibAccuracy::UlpBound(Name), {Left, Right}, 2, false};
}

// clang-format off
const TPieceFunction PieceFunctions[] = {
    Monotone(u"Sqrt", FunctionLibrary::Sqrt, {0, Inf, Closed, Open, 0, Inf}, true),
    Monotone(u"Exp", FunctionLibrary::Exp, {-Inf, Inf, Open, Open, 0, Inf}, true),
    Monotone(u"Ln", FunctionLibrary::Ln, {0, Inf, Open, Open, -Inf, Inf}),
    Monotone(u"Abs", FunctionLibrary::Abs, {-Inf, Inf, Open, Open, Inf, Inf, 0, 0}, true),
    Monotone(u"LogBase10", MathLib::LogBase10, {0, Inf, Open, Open, -Inf, Inf}),
    Monotone(u"LogBase2", MathLib::LogBase2, {0, Inf, Open, Open, -Inf, Inf}),
    Monotone(u"ArcCos", MathLib::ArcCos, {-1, 1, Closed, Closed, PiValue, 0}),
    TwoPieces(u"ArcCot", MathLib::ArcCot, {-Inf, 0, Open, Open, 0, -HalfPi}, {0, Inf, Open, Open, HalfPi, 0}),
    TwoPieces(u"ArcCsc", MathLib::ArcCsc, {-Inf, -1, Open, Open, 0, HalfPi}, {1, Inf, Open, Open, HalfPi, 0}),
    TwoPieces(u"ArcSec", MathLib::ArcSec, {-Inf, -1, Open, Closed, HalfPi, 0}, {1, Inf, Closed, Open, 0, HalfPi}),
    Monotone(u"ArcSin", MathLib::ArcSin, {-1, 1, Closed, Closed, -HalfPi, HalfPi}),
    Monotone(u"ArcTan", MathLib::ArcTan, {-Inf, Inf, Open, Open, -HalfPi, HalfPi}),
    Monotone(u"ArcCosH", MathLib::ArcCosH, {1, Inf, Closed, Open, 0, Inf}),
    TwoPieces(u"ArcCotH", MathLib::ArcCotH, {-Inf, -1, Open, Open, 0, -Inf}, {1, Inf, Open, Open, Inf, 0}),
    TwoPieces(u"ArcCscH", MathLib::ArcCscH, {-Inf, 0, Open, Open, 0, -Inf}, {0, Inf, Open, Open, Inf, 0}),
    Monotone(u"ArcSecH", MathLib::ArcSecH, {0, 1, Open, Closed, Inf, 0}),
    Monotone(u"ArcSinH", MathLib::ArcSinH, {-Inf, Inf, Open, Open, -Inf, Inf}),
    Monotone(u"ArcTanH", MathLib::ArcTanH, {-1, 1, Open, Open, -Inf, Inf}),
    Monotone(u"CosH", MathLib::CosH, {-Inf, Inf, Open, Open, Inf, Inf, 0, 1}),
    TwoPieces(u"CotH", MathLib::CotH, {-Inf, 0, Open, Open, -1, -Inf}, {0, Inf, Open, Open, Inf, 1}),
    TwoPieces(u"CscH", MathLib::CscH, {-Inf, 0, Open, Open, 0, -Inf}, {0, Inf, Open, Open, Inf, 0}),
    Monotone(u"SecH", MathLib::SecH, {-Inf, Inf, Open, Open, 0, 0, 0, 1}),
    Monotone(u"SinH", MathLib::SinH, {-Inf, Inf, Open, Open, -Inf, Inf}),
    Monotone(u"TanH", MathLib::TanH, {-Inf, Inf, Open, Open, -1, 1}),
};
// clang-format on

// One end x of the part of a piece the interval covers: the routine's value there, or the
// piece's limit where x is an open end (by monotony the limit lies beyond every value between
// x and the part's other end). Where the routine fails at x although the piece holds it (an
// overflow), the whole range of the piece stands in for its values.
void AddEnd(const TPieceFunction& F, const TPiece& P, Float80 x, bool OnOpenEnd, Float80 Limit,
            TValueHull& Hull, bool& Failed)
{
    Float80 Value;
    if (OnOpenEnd)
        return Hull.AddLimit(Limit, F.Bound);
    if (Evaluate(F.Routine, x, Value))
        return Hull.Add(Value, F.Bound);
    Hull.AddLimit(P.FromLimit, F.Bound);
    Hull.AddLimit(P.ToLimit, F.Bound);
    if (!std::isnan(P.TurnAt))
        Hull.Add(P.TurnValue, F.Bound);
    Failed = true;
}

TInterval EnclosePieces(const TPieceFunction& F, const TInterval& a)
{
    if (a.Defined == TTri::No)
        return TInterval::Undefined();
    TValueHull Hull;
    bool Within = false; // the whole interval lies inside one piece
    bool Failed = false;
    for (int i = 0; i < F.Count; ++i)
    {
        const TPiece& P = F.Pieces[size_t(i)];
        const Float80 s = std::max(a.Lo, P.From), e = std::min(a.Hi, P.To);
        const bool StartsOpen = s == P.From && P.FromOpen;
        const bool EndsOpen = e == P.To && P.ToOpen;
        if (s > e || (s == e && (StartsOpen || EndsOpen)))
            continue;
        Within = Within || (s == a.Lo && e == a.Hi && !StartsOpen && !EndsOpen);
        AddEnd(F, P, s, StartsOpen, P.FromLimit, Hull, Failed);
        AddEnd(F, P, e, EndsOpen, P.ToLimit, Hull, Failed);
        if (s <= P.TurnAt && P.TurnAt <= e)
            Hull.Add(P.TurnValue, F.Bound);
    }
    if (Hull.Empty())
        return TInterval::Undefined(); // wholly outside the domain
    if (F.NonNegative)
        Hull.ClampToNonNegative();
    const TTri Own = Within && !Failed ? TTri::Yes : TTri::Maybe;
    return Hull.Interval(TTri::Yes, TTri::Yes).WithFlagsOf(a, Own, Own);
}

// ---- the trigonometric functions: extrema and poles at multiples of pi/2 ----

enum class TCriticalKind : uint8_t
{
    None,
    Extremum,
    Pole,
};

struct TCritical
{
    TCriticalKind Kind;
    Float80 Value; // of an extremum, exact
};

// At[r]: the function at x = n pi/2 for n = r (mod 4); monotone between these points.
struct TPeriodicFunction
{
    TUnaryRoutine Routine;
    double Bound;
    std::array<TCritical, 4> At;
};

constexpr TCritical None{TCriticalKind::None, 0}, Pole{TCriticalKind::Pole, 0};
constexpr TCritical Extremum(Float80 Value)
{
    return {TCriticalKind::Extremum, Value};
}

constexpr TPeriodicFunction Periodic(std::u16string_view Name, TUnaryRoutine Routine,
                                     std::array<TCritical, 4> At)
{
    return {Routine, MathLibAccuracy::UlpBound(Name), At};
}

// clang-format off
const TPeriodicFunction PeriodicFunctions[] = {
    //        name           routine              0 (mod 4)        pi/2             pi               3pi/2
    Periodic(u"Sin",       MathLib::Sin,       {None,           Extremum(1),     None,            Extremum(-1)}),
    Periodic(u"Cos",       MathLib::Cos,       {Extremum(1),    None,            Extremum(-1),    None}),
    Periodic(u"Tan",       MathLib::Tan,       {None,           Pole,            None,            Pole}),
    Periodic(u"Cot",       MathLib::Cot,       {Pole,           None,            Pole,            None}),
    Periodic(u"Sec",       MathLib::Sec,       {Extremum(1),    Pole,            Extremum(-1),    Pole}),
    Periodic(u"Csc",       MathLib::Csc,       {Pole,           Extremum(1),     Pole,            Extremum(-1)}),
    Periodic(u"Coversine", MathLib::Coversine, {None,           Extremum(0),     None,            Extremum(2)}),
    Periodic(u"Versine",   MathLib::Versine,   {Extremum(0),    None,            Extremum(2),     None}),
    Periodic(u"Haversine", MathLib::Haversine, {Extremum(0),    None,            Extremum(1),     None}),
    Periodic(u"Exsecans",  MathLib::Exsecans,  {Extremum(0),    Pole,            Extremum(-2),    Pole}),
};
// clang-format on

// How far x * TwoOverPi may lie from x / (pi/2): the constant and the product each round to
// within 2^-64 relatively; the slack is 16 times that, plus a subnormal's spacing.
Float80 QuarterTurnSlack(Float80 q)
{
    return std::fabs(q) * 0x1p-60L + LDBL_TRUE_MIN;
}

int Residue(Float80 n)
{
    const int r = int(std::fmod(n, Float80(4)));
    return r < 0 ? r + 4 : r;
}

TInterval EnclosePeriodic(const TPeriodicFunction& F, const TInterval& a)
{
    if (a.Defined == TTri::No || a.Lo > MathLib::MaxAngle || a.Hi < -MathLib::MaxAngle)
        return TInterval::Undefined();
    TTri Own = TTri::Yes;
    const Float80 Lo = std::max(a.Lo, -MathLib::MaxAngle), Hi = std::min(a.Hi, MathLib::MaxAngle);
    if (Lo != a.Lo || Hi != a.Hi)
        Own = TTri::Maybe; // partly beyond the largest angle
    // The multiples n of pi/2 that may lie in [Lo, Hi]; four in a row hold every kind.
    const Float80 ql = Lo * TwoOverPi, qh = Hi * TwoOverPi;
    const Float80 First = std::ceil(ql - QuarterTurnSlack(ql)), Last = std::floor(qh + QuarterTurnSlack(qh));
    TValueHull Hull;
    for (Float80 n = First; n <= Last && n < First + 4; ++n)
    {
        const TCritical& C = F.At[size_t(Residue(n))];
        if (C.Kind == TCriticalKind::Pole)
            return TInterval::Unknown().WithFlagsOf(a);
        if (C.Kind == TCriticalKind::Extremum)
            Hull.Add(C.Value, F.Bound);
    }
    Float80 AtLo, AtHi;
    if (!Evaluate(F.Routine, Lo, AtLo) || !Evaluate(F.Routine, Hi, AtHi))
        return TInterval::Unknown().WithFlagsOf(a);
    Hull.Add(AtLo, F.Bound);
    Hull.Add(AtHi, F.Bound);
    return Hull.Interval(TTri::Yes, TTri::Yes).WithFlagsOf(a, Own, Own);
}

// ---- functions of two arguments ----

// The logarithm of x to the base b: log2 x / log2 b. Monotone in x on each side of b = 1,
// and in b on each side of x = 1, so the extremes lie at the corners of the parts of the box
// cut at x = 1 (where the value is 0) and at b = 1 (a pole).
TInterval EncloseLogBaseN(const TInterval& b, const TInterval& x)
{
    if (b.Defined == TTri::No || x.Defined == TTri::No || x.Hi <= 0 || b.Hi <= 0 || (b.Lo == 1 && b.Hi == 1))
        return TInterval::Undefined();
    const bool XTouchesZero = x.Lo <= 0, BTouchesZero = b.Lo <= 0;
    TTri Own = XTouchesZero || BTouchesZero ? TTri::Maybe : TTri::Yes;
    if (b.Contains(1) || (XTouchesZero && BTouchesZero))
    {
        // Near base 1 the quotient is unbounded unless log x is 0 throughout.
        TInterval r = TInterval::Unknown().WithFlagsOf(b, x);
        if (x.Lo == 1 && x.Hi == 1)
            r.Lo = r.Hi = 0;
        return r;
    }
    constexpr double Bound = MathLibAccuracy::UlpBound(u"LogBaseN");
    TValueHull Hull;
    const Float80 Xs[] = {x.Lo, x.Hi, 1};
    const Float80 Bs[] = {b.Lo, b.Hi};
    for (Float80 xv : Xs)
    {
        if (xv <= 0 || xv < x.Lo || xv > x.Hi)
            continue;
        for (Float80 bv : Bs)
        {
            if (bv <= 0)
                continue;
            Float80 Value;
            if (!Evaluate(MathLib::LogBaseN, bv, xv, Value))
                return TInterval::Unknown().WithFlagsOf(b, x);
            Hull.Add(Value, Bound);
        }
    }
    if (XTouchesZero) // log2 x tends to -infinity: the quotient to -infinity over a base above 1
        Hull.Include(b.Lo > 1 ? -Inf : Inf, b.Lo > 1 ? -Inf : Inf);
    if (BTouchesZero) // log2 b tends to -infinity: the quotient to 0
        Hull.Include(0, 0);
    return Hull.Interval(TTri::Yes, TTri::Yes).WithFlagsOf(b, x, Own, Own);
}

// The angle of the point (x, y), from -pi to pi. A box that holds the origin or meets the
// negative x axis (where the angle jumps from pi to -pi, and a signed zero y picks the side)
// gets the whole range; any other box has its extreme angles at its corners.
TInterval EncloseArcTan2(const TInterval& y, const TInterval& x)
{
    if (y.Defined == TTri::No || x.Defined == TTri::No)
        return TInterval::Undefined();
    constexpr double Bound = MathLibAccuracy::UlpBound(u"ArcTan2");
    TValueHull Hull;
    if (y.Contains(0) && x.Lo <= 0)
    {
        Hull.AddLimit(-PiValue, Bound);
        Hull.AddLimit(PiValue, Bound);
        return Hull.Interval(TTri::Yes, TTri::Yes).WithFlagsOf(y, x, TTri::Yes, TTri::Maybe);
    }
    for (Float80 yv : {y.Lo, y.Hi})
        for (Float80 xv : {x.Lo, x.Hi})
        {
            Float80 Value;
            if (!Evaluate(MathLib::ArcTan2, yv, xv, Value))
                return TInterval::Unknown().WithFlagsOf(y, x);
            Hull.Add(Value, Bound);
        }
    return Hull.Interval(TTri::Yes, TTri::Yes).WithFlagsOf(y, x);
}
} // namespace

namespace IntervalFunctions
{
TInterval Unary(TUnaryRoutine Routine, const TInterval& a)
{
    for (const TPieceFunction& F : PieceFunctions)
        if (F.Routine == Routine)
            return EnclosePieces(F, a);
    for (const TPeriodicFunction& F : PeriodicFunctions)
        if (F.Routine == Routine)
            return EnclosePeriodic(F, a);
    return TInterval::Unknown().WithFlagsOf(a);
}

TInterval Binary(TBinaryRoutine Routine, const TInterval& a, const TInterval& b)
{
    if (Routine == FunctionLibrary::Power)
        return IntervalPower::Enclose(a, b);
    if (Routine == MathLib::LogBaseN)
        return EncloseLogBaseN(a, b);
    if (Routine == MathLib::ArcTan2)
        return EncloseArcTan2(a, b);
    return TInterval::Unknown().WithFlagsOf(a, b);
}
} // namespace IntervalFunctions
