#pragma once
// A formula compiled into a flat sequence of stack instructions that performs the same
// operations in the same order as the evaluating parser, and raises the same error at the
// same point. Built by TExprCompiler; run by TEvaluator::Run.
//
// The topmost value lives in a register while the program runs; only deeper values go to
// the stack. Leaves (constants and variables) are operands of the instruction that uses
// them, and the commonest shapes of the four arithmetic operators are single instructions:
// a leaf right operand ("x*0.5"), two leaves ("x*x", "1/x") and two leaves as the right
// operand of another operator ("... - 3*x"). A fused instruction performs the same roundings
// and fault tests in the same order as the instructions it replaces.
#include "expr/Errors.h"
#include "expr/Float80.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

enum class TExprOpCode : uint8_t
{
    // Leaves. Set is a push onto the empty stack, where no value waits below.
    Set,  // Top := *A
    Push, // push Top; Top := *A
          // Pop b, pop a, push a op b. The four arithmetic operators keep this order in every
          // group below, so a fused opcode is its group's first opcode plus an offset.
    Add,
    Sub,
    Mul,
    Div,
    // Top := Top op *A.
    AddOperand,
    SubOperand,
    MulOperand,
    DivOperand,
    // Top := *A op *B, onto the empty stack or pushing Top.
    SetSum,
    SetDifference,
    SetProduct,
    SetQuotient,
    PushSum,
    PushDifference,
    PushProduct,
    PushQuotient,
    // Top := Top op1 (*A op2 *B): op1 names the group, op2 the position in it. The pair is
    // computed and tested before op1, as the unfused instructions do.
    AddSum,
    AddDifference,
    AddProduct,
    AddQuotient,
    SubSum,
    SubDifference,
    SubProduct,
    SubQuotient,
    MulSum,
    MulDifference,
    MulProduct,
    MulQuotient,
    DivSum,
    DivDifference,
    DivProduct,
    DivQuotient,
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
    Raise, // the program's stored parse or conversion error; ends the program
    End,   // the value is Top
};

struct TExprInstruction
{
    // Bits of Form: how the leaf operands are read. A constant that a double holds exactly
    // is kept as a double, because loading an 80-bit value costs several times as much as
    // loading a double or reusing a register ("x*x" reads x once).
    static constexpr uint8_t ADouble = 1;
    static constexpr uint8_t BDouble = 2;
    static constexpr uint8_t BSameAsA = 4;

    explicit TExprInstruction(TExprOpCode OpCode) : Code(OpCode) {}

    TExprOpCode Code;
    uint8_t Form = 0;
    // Leaf operands: a constant of the program or a variable's storage, read at run time.
    union
    {
        const Float80* A = nullptr;
        const double* AInDouble;
    };
    union
    {
        const Float80* B = nullptr;
        const double* BInDouble;
    };
    TUnaryRoutine Unary = nullptr;
    TBinaryRoutine Binary = nullptr;
};

class TExprMachineCode;

class TExprProgram
{
  public:
    // The error a Raise instruction throws: the two kinds that reading the text can find.
    enum class TErrorKind : uint8_t
    {
        Parse,   // EExprEvalError
        Convert, // EConvertError
    };

    TExprProgram();
    ~TExprProgram();
    // Instructions point into the program's own constants: moving keeps them in place,
    // copying would not.
    TExprProgram(TExprProgram&&);
    TExprProgram& operator=(TExprProgram&&);
    TExprProgram(const TExprProgram&) = delete;
    TExprProgram& operator=(const TExprProgram&) = delete;

    // Emission, in the order in which the parser would perform the operations.
    void EmitConst(Float80 Value);
    void EmitLoad(const Float80* Variable);
    // Any opcode without an operand.
    void Emit(TExprOpCode Code);
    void EmitCall1(TUnaryRoutine Routine);
    void EmitCall2(TBinaryRoutine Routine);
    // The error ends the program; Place is where reading the text stopped.
    void EmitRaise(TErrorKind Kind, std::string Message, TTextPlace Place);
    // Ends the emission: a program runs only once finished, and takes no more instructions.
    // A program of plain arithmetic is translated into machine code here.
    void Finish();

    // A program for a text that uses a symbol of a kind the compiler does not know: running
    // it means reading Text with the reference evaluator.
    static TExprProgram ReadingText(std::u16string_view Text);
    bool NeedsReference() const { return FNeedsReference; }
    const std::u16string& Text() const { return FText; }

    // Values that Run may hold below the top at once.
    size_t StackSize() const { return FStackSize; }
    const std::vector<TExprInstruction>& Code() const { return FCode; }
    // What a Raise instruction throws, for another runner of the instructions.
    [[noreturn]] void RaiseError() const { RaiseStoredError(); }

    // Executes the instructions of a finished program (an unfinished one yields 0); Stack
    // must have room for StackSize() values.
    Float80 Run(Float80* Stack) const;

    // The storage of the variables the program reads, each once.
    const std::vector<const Float80*>& Variables() const { return FVariables; }
    // The program as machine code, or nullptr when it is not of the kind translated.
    const TExprMachineCode* MachineCode() const { return FMachineCode.get(); }

  private:
    void EmitLeaf(TExprInstruction Leaf);
    bool FuseArithmetic(TExprOpCode Code);
    void Append(const TExprInstruction& Instruction, int StackEffect);
    [[noreturn]] void RaiseStoredError() const;

    std::vector<TExprInstruction> FCode;
    // A deque never moves its elements, so instructions can point at them.
    std::deque<Float80> FConstants;
    std::deque<double> FDoubleConstants;
    size_t FStackSize = 0;
    // Values the program holds at this point of the emission, the top included.
    int FStackDepth = 0;
    TErrorKind FErrorKind = TErrorKind::Parse;
    std::string FErrorMessage;
    TTextPlace FErrorPlace;
    bool FNeedsReference = false;
    bool FFinished = false;
    std::u16string FText;
    // The storage of the variables the program reads, once each.
    std::vector<const Float80*> FVariables;
    std::unique_ptr<TExprMachineCode> FMachineCode;
};
