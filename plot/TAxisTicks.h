#pragma once
// Where the grid lines of one axis stand and what their numbers read, by the axis's rule:
//
//   Round  the step is the smallest of 1, 2 or 5 x 10^k that gives at most Ticks divisions
//          over the view; a line at every multiple of the step inside the view, its number
//          written with the fewest decimals that show the step exactly (0 with no minus).
//   Pi     the step is the smallest of pi/6, pi/4, pi/2, then 1, 2 or 5 x 10^k times pi
//          (k >= 0) that gives at most Ticks divisions; numbers read "π/2", "π", "3π/2",
//          "−π/4".
//   Log    lines at 1 … 9 x 10^k inside the view, numbers at the powers of ten. When the view
//          spans more decades than Ticks, only powers of ten stand, every m-th, m the
//          smallest of 1, 2 or 5 x 10^k decades giving at most Ticks divisions.
//
// Values are plane values; the view maps them to pixels. A multiple counts as inside the
// view when it lies within a millionth of a step of it, so a bound that is a multiple is not
// lost to rounding. Ticks below 1 give no line.
#include "expr/Float80.h"

#include <QString>

#include <cstdint>
#include <vector>

enum class TTickRule
{
    Even, // the drawable part divided evenly, the program's first rule, drawn elsewhere
    Round,
    Pi,
    Log,
};

struct TTick
{
    Float80 Value = 0;
    QString Text; // empty: a line without a number
};

class TAxisTicks
{
  public:
    // The step of a round axis over Span (> 0) with at most Ticks (>= 1) divisions.
    static Float80 RoundStep(Float80 Span, int32_t Ticks);
    // The step of a pi axis as a fraction of pi: Numerator / Denominator.
    struct TPiStep
    {
        int64_t Numerator = 1, Denominator = 1;
        Float80 Value() const;
        bool operator==(const TPiStep&) const = default;
    };
    static TPiStep PiStep(Float80 Span, int32_t Ticks);

    // The lines of the axis from Low to High (Low < High; both > 0 for Log), in increasing
    // value. Sep is the decimal separator of the numbers.
    static std::vector<TTick> Ticks(TTickRule Rule, Float80 Low, Float80 High, int32_t Ticks, char16_t Sep);

    // The number of a line of an evenly divided axis at Value: Decimals decimals (the
    // document's, clamped to 0..18), cut to the MaxChars characters that can show.
    static QString EvenText(Float80 Value, int32_t Decimals, char16_t Sep, size_t MaxChars);
    // The number of a round line at Value on an axis of step Step.
    static QString RoundText(Float80 Value, Float80 Step, char16_t Sep);
    // The number of the line at Multiple steps of Step from 0 on a pi axis.
    static QString PiText(int64_t Multiple, TPiStep Step);
    // The number of the power 10^Exponent.
    static QString PowerText(int64_t Exponent, char16_t Sep);

    // The bounds (Low, High) moved by Steps divisions of the rule (Round: its step; Pi: its
    // step; Log: a Ticks-th of the view's decades, multiplying both). Even is not handled here.
    static std::pair<Float80, Float80> Pan(TTickRule Rule, Float80 Low, Float80 High, int32_t Ticks,
                                           int Steps);
};
