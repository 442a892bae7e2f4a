#pragma once
// The derivative of every routine of the function library, for the runs that carry
// derivatives (TDualRunner). A routine's value is always the routine's own, computed first,
// so it raises exactly the error the plain run raises; the derivatives follow by the chain
// rule from the routine's first and second derivative, computed with the C library's long
// double functions (accurate to about an ulp, where the value's own method may not be).
//
// Where a function is defined but has no derivative, the derivative is taken to be:
//   - at a kink (Abs where its argument is 0): the right-hand derivative, that of the piece
//     the curve follows for growing x;
//   - on a flat step (Power's exponent, which counts only through its integral part, and the
//     comparisons, "not" and integer operators of the runner): 0, on the step itself too;
//   - where the slope is unbounded (Sqrt at 0, ArcSin and ArcCos at -1 and 1, ArcCosH, ArcSec
//     and ArcSecH at 1, ArcTan2 at (0, 0)): undefined, EZeroDivide at the end of the run.
// An argument that does not depend on x (its derivatives both 0) gives derivatives 0
// without the rule being asked, so Sqrt(0) * x has a derivative everywhere.
#include "expr/TDual.h"

#include <cstdint>

namespace DerivativeRules
{
// Something the derivatives met that makes them undefined, kept until the run ends: the
// value goes on being computed, so that an error of the value itself comes first.
enum class TFault : uint8_t
{
    None,
    InfiniteSlope, // raises EZeroDivide
    NoRule,        // a routine from outside the library: ECalcError
};

// Routine applied to u: the routine's value, and the derivatives by the chain rule. The first
// fault met is kept in Fault; the derivatives are then NaN.
TDual Unary(TUnaryRoutine Routine, const TDual& u, TFault& Fault);
// The same for a routine of two arguments, Routine(a, b).
TDual Binary(TBinaryRoutine Routine, const TDual& a, const TDual& b, TFault& Fault);
} // namespace DerivativeRules
