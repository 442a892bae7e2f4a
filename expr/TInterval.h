#pragma once
// An enclosure of a formula's values over a box of its variables (a rectangle of x and y),
// with the two flags of Tupper's reliable graphing: whether the formula is defined on the
// whole box and whether it is continuous there. Relations are classified from these.
//
// What an interval promises, for every point p of the box (real coordinates):
//   - Values: Lo <= Hi, both finite. Wherever the formula is defined at p, its exact value
//     lies in [Lo, Hi]; and at every Float80 point of the box where the point evaluator gives
//     a value (TExprProgram::Run), that value lies in [Lo, Hi] too.
//   - Defined: Yes   the formula is defined at every point of the box: no domain error, no
//                    division by zero, no result that rounds beyond the largest Float80;
//              No    it is defined at no point of the box, and the point evaluator fails at
//                    every Float80 point of it with an error the classification counts as an
//                    undefined point (EZeroDivide, EInvalidOp, EDomainError, EOverflow,
//                    EDivByZero); Lo and Hi then mean nothing;
//              Maybe anything between, or what cannot be told.
//   - Continuous: Yes   the exact value is continuous on the whole box (Defined is Yes);
//                 No    the formula is defined nowhere in the box;
//                 Maybe anything else.
// A wrong Yes or No is a fault; Maybe is always allowed. Every operation below keeps these
// promises: the arithmetic rounds outward (OutwardRounding.h), so the exact result of any
// operands inside the intervals, and the nearest-rounded result the point evaluator takes,
// both lie inside.
//
// Truth values follow the point rules: a comparison or a logical operator gives [1, 1]
// where it is true on the whole box, [0, 0] where false on the whole box, [0, 1] where it
// may be either; an operand is true where it is not 0.
#include "expr/Float80.h"

#include <cstdint>

enum class TTri : uint8_t
{
    No,
    Maybe,
    Yes,
};

// The weaker of two: No < Maybe < Yes.
constexpr TTri Weaker(TTri a, TTri b)
{
    return a < b ? a : b;
}

class TInterval
{
  public:
    Float80 Lo = 0, Hi = 0;
    TTri Defined = TTri::Yes;
    TTri Continuous = TTri::Yes;

    // The interval [Lo, Hi] of a formula defined and continuous on the whole box.
    static TInterval Of(Float80 Lo, Float80 Hi) { return {Lo, Hi, TTri::Yes, TTri::Yes}; }
    static TInterval Point(Float80 v) { return Of(v, v); }
    // Defined nowhere on the box.
    static TInterval Undefined() { return {0, 0, TTri::No, TTri::No}; }
    // Nothing known: every finite value, maybe undefined, maybe discontinuous.
    static TInterval Unknown();

    bool IsPoint() const { return Lo == Hi; }
    bool Contains(Float80 v) const { return Lo <= v && v <= Hi; }
    // Whether every value is 0, or none is: the truth of the formula where it is defined.
    bool CertainlyZero() const { return Lo == 0 && Hi == 0; }
    bool CertainlyNonZero() const { return Lo > 0 || Hi < 0; }
    // Defined and continuous on the whole box.
    bool Proven() const { return Defined == TTri::Yes && Continuous == TTri::Yes; }

    // Flags of a result computed from this operand (or these two): the operands' own,
    // weakened by what the operation itself adds (OwnDefined: Maybe where it fails at some
    // point of the box; OwnContinuous: Maybe where it may jump).
    TInterval WithFlagsOf(const TInterval& a, TTri OwnDefined = TTri::Yes,
                          TTri OwnContinuous = TTri::Yes) const;
    TInterval WithFlagsOf(const TInterval& a, const TInterval& b, TTri OwnDefined = TTri::Yes,
                          TTri OwnContinuous = TTri::Yes) const;
};

// The largest finite Float80: the bound of the values wherever a result may overflow.
inline constexpr Float80 MaxFloat80 = 1.18973149535723176502e+4932L;

// Arithmetic, as the point rules' +, -, *, / and the prefix minus.
TInterval operator+(const TInterval& a, const TInterval& b);
TInterval operator-(const TInterval& a, const TInterval& b);
TInterval operator*(const TInterval& a, const TInterval& b);
TInterval operator/(const TInterval& a, const TInterval& b);
TInterval operator-(const TInterval& a);
// a * a for the same variable: never below 0 (a product of two independent intervals could be).
TInterval Square(const TInterval& a);

// Comparisons and logical operators, with the point rules' results 0 and 1 (Cmp: -1, 0, 1).
TInterval Equal(const TInterval& a, const TInterval& b);
TInterval NotEqual(const TInterval& a, const TInterval& b);
TInterval Less(const TInterval& a, const TInterval& b);
TInterval LessEqual(const TInterval& a, const TInterval& b);
TInterval Greater(const TInterval& a, const TInterval& b);
TInterval GreaterEqual(const TInterval& a, const TInterval& b);
TInterval Cmp(const TInterval& a, const TInterval& b);
TInterval And(const TInterval& a, const TInterval& b);
TInterval Or(const TInterval& a, const TInterval& b);
TInterval Xor(const TInterval& a, const TInterval& b);
TInterval Not(const TInterval& a);
