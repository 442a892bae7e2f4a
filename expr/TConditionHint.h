#pragma once
// The one habit that reads, but not as meant: "and", "or" and "xor" bind tighter than the
// comparisons, so x < 2 or x > 3 reads as x < (2 or x) > 3. Where a text holds, outside every
// bracket, a comparison on both sides of such an operator, the hint offers each side in
// brackets, (x < 2) or (x > 3), and says why; it is offered only when that text reads too.
// Nothing is rewritten without being asked, and a text already bracketed is left alone.
#include <optional>
#include <string>
#include <string_view>

class TFormulaCheck;

class TConditionHint
{
  public:
    static constexpr std::string_view Note =
        "and, or and xor bind tighter than the comparisons: each condition of a combination takes "
        "brackets, (a < b) and (c > d).";

    explicit TConditionHint(const TFormulaCheck& Check) : Check(Check) {}

    // The rewrite of Text with its conditions in brackets, or nothing.
    std::optional<std::u16string> Rewrite(std::u16string_view Text) const;

  private:
    const TFormulaCheck& Check;
};
