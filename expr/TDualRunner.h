#pragma once
// Runs a compiled program on values that carry their first and second derivative with
// respect to one variable (TDual): f, f' and f'' at a point in one pass over the same
// instructions TExprProgram::Run executes.
//
// The value is computed exactly as Run computes it, by the same operations in the same order,
// so it is the same number and fails with the same error at the same point. The derivatives
// follow each instruction's rule: the sum, product and quotient rules; 0 for constants, for
// the comparisons, "not", "and", "or", "xor" and the integer operators (flat steps, see
// DerivativeRules.h for the conventions at kinks and steps); the library routines' rules.
// Where the value is defined but a derivative is not, the run ends with an error once the
// value is known:
//   EZeroDivide  the slope is unbounded (Sqrt at 0), and no later flat step removed it
//   EOverflow    a derivative beyond the largest long double
//   ECalcError   the formula calls a routine from outside the library, whose derivative is
//                unknown (Msg::NoDerivative)
// Only the derivatives up to the order asked for are checked; the higher one is then left as
// it came out: not finite where it is undefined.
#include "expr/TDual.h"

#include <vector>

class TEvaluator;
class TExprProgram;

class TDualRunner
{
  public:
    // Evaluator: the one that compiled the programs, which reads the text of a program the
    // compiler could not translate (its value, before the derivative is refused).
    explicit TDualRunner(TEvaluator& Evaluator);

    // The program's value and derivatives with respect to the variable whose storage is
    // Variable (other variables count as constants). Order: 0, 1 or 2.
    TDual Run(const TExprProgram& Program, const Float80* Variable, int Order = 2);

  private:
    TDual RunInstructions(const TExprProgram& Program, const Float80* Variable, int Order);

    TEvaluator& Evaluator;
    // The values below the top, grown to the largest program run so far.
    std::vector<TDual> Stack;
};
