#pragma once
// Habits from other plotters, read into Vendrel's language. A text that does not read is read
// once more by a wider grammar that also knows
//
//   a^b, a**b, a² and a³    -> Power(a, b) for an integer b, else Exp(b*Ln(a)) (a > 0 only)
//   e^x and e alone          -> Exp(x), Exp(1)        (when the field has no name e)
//   2x, 2(x+1), )(, x(x+1)   -> the product written out with *
//   |a|                      -> Abs(a)
//   π                        -> Pi
//   == and !=                -> = and <>
//   floor, ceil, round, sign, max, min, and asin, atanh, log10, pow and their kin, by name
//
// and the rewrite is offered only when it reads in the field (TFormulaCheck): a hint never
// proposes a text that fails again. Where a habit has no equivalent (a factorial, "%" on real
// numbers, a log of no stated base), the hint says so and offers no text. Every place the
// rewrite does not touch is copied as the user wrote it, blanks included. Nothing is rewritten
// here without being asked: the editor shows the hint and applies it only on the user's word.
#include <optional>
#include <string>
#include <string_view>

class TFormulaCheck;

class THabitRewriter
{
  public:
    struct THint
    {
        std::u16string Rewrite; // empty: no equivalent, only the note
        std::string Note;       // one sentence per habit met, in a fixed order
    };

    explicit THabitRewriter(const TFormulaCheck& Check) : Check(Check) {}

    // The hint for Text: nothing when Text reads already, when no habit is met, or when the
    // rewrite would not read either.
    std::optional<THint> Hint(std::u16string_view Text) const;

    // The integer operators work on signed 64-bit integers: floor, ceil and round through div
    // hold for |a| below this.
    static constexpr long double IntegerLimit = 9223372036854775808.0L;

  private:
    const TFormulaCheck& Check;
};
