#pragma once
// A formula compiled into a flat sequence of stack instructions that performs the same
// operations in the same order as the evaluating parser, and raises the same error at the
// same point. Built by TExprCompiler; run by TEvaluator::Run.
#include "expr/Float80.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TExprOpCode : uint8_t
{
    Const, // push Value
    Load,  // push *Variable, read at run time
    // Pop b, pop a, push a op b.
    Add,
    Sub,
    Mul,
    Div,
    // Pop a, push a op Value (a constant right operand folded into the instruction).
    AddConst,
    SubConst,
    MulConst,
    DivConst,
    // Pop a, push a op *Variable.
    AddLoad,
    SubLoad,
    MulLoad,
    DivLoad,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Cmp,
    Or,
    Xor,
    And,
    // The integer operators round the right operand before the left.
    Bor,
    Bxor,
    IntDiv,
    IntMod,
    Shl,
    Shr,
    Band,
    // Replace the top.
    Negate,
    Not,
    Bnot,
    Call1, // top := Unary(top)
    Call2, // pop b, pop a, push Binary(a, b)
    Raise, // the program's stored parse or conversion error; always the last instruction
};

struct TExprInstruction
{
    TExprOpCode Code;
    union
    {
        Float80 Value;
        const Float80* Variable;
        TUnaryRoutine Unary;
        TBinaryRoutine Binary;
    };
};

class TExprProgram
{
  public:
    // The error a Raise instruction throws: the two kinds that reading the text can find.
    enum class TErrorKind : uint8_t
    {
        Parse,   // EExprEvalError
        Convert, // EConvertError
    };

    // Emission, in the order in which the parser would perform the operations.
    void EmitConst(Float80 Value);
    void EmitLoad(const Float80* Variable);
    // Any opcode without an operand.
    void Emit(TExprOpCode Code);
    void EmitCall1(TUnaryRoutine Routine);
    void EmitCall2(TBinaryRoutine Routine);
    void EmitRaise(TErrorKind Kind, std::string Message);

    // A program for a text that uses a symbol of a kind the compiler does not know: running
    // it means reading Text with the reference evaluator.
    static TExprProgram ReadingText(std::u16string_view Text);
    bool NeedsReference() const { return FNeedsReference; }
    const std::u16string& Text() const { return FText; }

    // Values that Run may hold at once.
    size_t StackSize() const { return FStackSize; }
    const std::vector<TExprInstruction>& Code() const { return FCode; }

    // Executes the instructions; Stack must have room for StackSize() values.
    Float80 Run(Float80* Stack) const;

  private:
    void Append(const TExprInstruction& Instruction, int StackEffect);
    [[noreturn]] void RaiseStoredError() const;

    std::vector<TExprInstruction> FCode;
    size_t FStackSize = 0;
    int FStackDepth = 0;
    TErrorKind FErrorKind = TErrorKind::Parse;
    std::string FErrorMessage;
    bool FNeedsReference = false;
    std::u16string FText;
};
