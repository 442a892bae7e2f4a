#pragma once
// Enclosures of the function library over intervals (TInterval's promises), for running
// compiled formulas on boxes (TIntervalRunner).
//
// Each function is enclosed from its own routine, the one the point evaluator calls: the
// routine is evaluated where the function's range over the interval is decided (the interval's
// ends, the ends of the domain, the extrema and poles of the trigonometric functions), and
// every value so found is widened by the function's error bound in MathLibAccuracy.h. The
// argument: a routine within B ulp of a function that is monotone between the points
// evaluated keeps every computed value, and the exact function keeps every exact value,
// within the hull of the values found, each widened by B ulp for the exact value there and
// B ulp more for a computed value near it (see Margin in the source). Where a routine fails
// at such a point although the function is defined there (an overflow), the bound on that
// side falls back to the limit of the monotone piece, and the result is "defined: maybe".
//
// Domains: an interval partly outside a function's domain (or holding a pole) gives
// "defined: maybe", one wholly outside "defined: no"; the domain ends and poles are those
// of the exact function, and the routines fail wherever these put a point outside.
// Power's integer exponent follows the point rule exactly: the exponents an interval holds
// are truncated and cut to their low 32 bits as Power does, each part of the result is
// enclosed separately, and "defined" says exactly where the exponent's rule fails.
#include "expr/Float80.h"
#include "expr/TInterval.h"

namespace IntervalFunctions
{
// The enclosure of Routine over a. A routine outside the function library gives an interval
// that promises nothing (TInterval::Unknown, no better defined than a).
TInterval Unary(TUnaryRoutine Routine, const TInterval& a);
// The same for a routine of two arguments, Routine(a, b).
TInterval Binary(TBinaryRoutine Routine, const TInterval& a, const TInterval& b);
} // namespace IntervalFunctions
