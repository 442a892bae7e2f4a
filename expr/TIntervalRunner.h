#pragma once
// Runs a compiled program on intervals (TInterval): the enclosure of a formula over a box of
// its variables, beside the value runner (TExprProgram::Run) and the derivative runner
// (TDualRunner), over the same instructions.
//
// Each instruction is replaced by its interval rule: +, -, *, / rounded outward, comparisons
// and logical operators with the point rules' 0 and 1, the integer operators as the exact image
// of IntegerOps (IntervalIntegerOps), the library's routines by their enclosures
// (IntervalFunctions). Where an instruction's two leaf operands are one and the same variable
// (x*x, x-x, x/x) the rule knows they are equal at every point: x*x is never below 0.
// Variables are bound to intervals (x and y of a relation); every other leaf, a constant or a
// named parameter, is the point it holds when the run starts. Errors of the point rules do not
// stop the run: they become "defined: maybe" or "no" (TInterval). A program that ends in a
// stored parse or conversion error raises it, as TExprProgram::Run does; a program read by the
// reference evaluator (TExprProgram::NeedsReference) cannot be run on intervals and gives an
// interval that promises nothing.
#include "expr/TInterval.h"

#include <utility>
#include <vector>

class TExprProgram;
struct TExprInstruction;

class TIntervalRunner
{
  public:
    // From now on the leaf reading Variable's storage stands for Value (a later call for the
    // same storage replaces it).
    void Bind(const Float80* Variable, const TInterval& Value);

    TInterval Run(const TExprProgram& Program);

    // The two operands of the program's last operation, which must take two (the comparison at
    // the top of an equation), left and right: everything before it is run, it is not.
    std::pair<TInterval, TInterval> RunOperandsOfLast(const TExprProgram& Program);

  private:
    struct TIntervals;
    // Runs up to Stop (not run; nullptr: to the end). At Stop, the two values it would take
    // are left in Left and the returned top.
    TInterval RunInstructions(const TExprProgram& Program, const TExprInstruction* Stop, TInterval* Left);
    TInterval Leaf(const Float80* Storage) const;

    std::vector<std::pair<const Float80*, TInterval>> Bindings;
    // The values below the top, grown to the largest program run so far.
    std::vector<TInterval> Stack;
};
