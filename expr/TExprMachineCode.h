#pragma once
// A compiled program of arithmetic translated once more, into x87 machine instructions that
// keep the whole value stack in the floating-point registers. It performs the same
// operations in the same order as TExprProgram::Run, with the same rounding (the x87 unit
// is what Run computes on too), but tests only what it must instead of every result.
//
// The test rests on how infinities and NaNs travel: a sum, difference, product or negation
// with a non-finite operand is non-finite, and so is a quotient with a non-finite dividend.
// Only a quotient by a non-finite divisor can be finite (a / inf = 0). The instructions test
// the result of every operation, never a leaf. So when every divisor that is itself the
// result of an operation is tested, a finite result means that every operation's result was
// finite, which is exactly when the instructions raise nothing, and then they compute the
// same values (a division by zero has a non-finite result, too). When the result is not
// finite, or a tested divisor was not, the caller runs the instructions instead, which raise
// the exact error at the exact point, or give the value (an infinite variable alone, say).
//
// Only programs of leaves, the four arithmetic operators and negation are translated, and
// only those whose stack fits the eight registers; calls and the other operators stay with
// the instructions, where a routine's own cost dominates anyway.
#include "expr/Float80.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class TExprProgram;

class TExprMachineCode
{
  public:
    // The translation of Program, or nullptr when the program is of a kind not translated
    // (or executable memory cannot be had).
    static std::unique_ptr<TExprMachineCode> Translate(const TExprProgram& Program);
    ~TExprMachineCode();
    TExprMachineCode(const TExprMachineCode&) = delete;
    TExprMachineCode& operator=(const TExprMachineCode&) = delete;

    // The value, equal to the instructions' when it is finite; otherwise they must be run to
    // find the error or the value.
    Float80 Run() const { return FEntry(); }

    // The largest translated program, in instructions: longer formulas are rare and keep
    // the instructions.
    static constexpr size_t MaxInstructions = 4096;

  private:
    // Returns the value, or a NaN when a divisor was not finite.
    using TEntry = Float80 (*)();

    TExprMachineCode(void* Memory, size_t Size);

    void* FMemory;
    size_t FSize;
    TEntry FEntry;
};
