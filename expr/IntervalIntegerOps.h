#pragma once
// The integer operators of the formula language over intervals: the exact image of the point
// rules of IntegerOps.h. Each operand is rounded (nearest, ties to even) to the signed 64-bit
// integers it can take, a range; where the rounding leaves the 64-bit range the point rule
// fails (EInvalidOp) and so does "div" or "mod" by 0 (EDivByZero): "defined" says exactly
// where. The result is the hull of the integers the operator gives for the integers of the
// operands:
//   div      truncating quotient, monotone in each operand on each sign part (the
//            quotient of the most negative integer by -1 wraps to itself, as the point rule has it)
//   mod      sign of the dividend; the exact hull for divisor ranges of up to 64 values,
//            otherwise the range |r| < |b| with the dividend's sign and size
//   shl, shr the low byte of the count as the point rule reads it, each count's image exact
//            (a left shift wraps past the sign bit where the operand's range crosses a multiple)
//   band, bor, bxor  the exact least and greatest result, found bit by bit
//   bnot     -a - 1, decreasing.
// The result is constant, and so continuous, where both operands round to one integer each;
// anywhere else it may jump.
#include "expr/IntegerOps.h"
#include "expr/TInterval.h"

namespace IntervalIntegerOps
{
TInterval Apply(IntegerOps::TOperator Op, const TInterval& Left, const TInterval& Right);
TInterval Bnot(const TInterval& a);
} // namespace IntervalIntegerOps
