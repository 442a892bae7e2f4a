#pragma once
// The narrowing of a change of sign that the root finder (the formula's value) and the
// critical-point finder (its first or second derivative) share: toms748_solve brings the
// bracket to within a few units in the last place, then bisection goes on down to neighbouring
// long doubles, so the zero lands on the long double nearest to it as far as G computed in long
// double can tell.
//
// G returns the function's value at X or throws. What it throws passes through unchanged (the
// caller's own "undefined here", the evaluator's errors); only the solver's own complaints
// (it gave up) are caught, and the bisection then starts again from the whole bracket.
#include "expr/Float80.h"

#include <functional>

struct TSignBracket
{
    Float80 Lo = 0, Hi = 0; // Lo < Hi
    Float80 GLo = 0, GHi = 0;
};

// The narrowest bracket found: G of opposite signs at its ends, or 0 at one of them.
TSignBracket NarrowSignChange(const std::function<Float80(Float80)>& G, const TSignBracket& Start);

// -1, 0 or 1.
inline int SignOf(Float80 Y)
{
    return Y > 0 ? 1 : (Y < 0 ? -1 : 0);
}
