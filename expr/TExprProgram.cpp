#include "expr/TExprProgram.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"
#include "expr/ProgramInterpreter.h"
#include "expr/TExprMachineCode.h"

#include <algorithm>
#include <cstring>

namespace
{
Float80 Truth(bool b)
{
    return b ? 1 : 0;
}

// Position of an arithmetic opcode in its group (Add, Sub, Mul, Div), or -1.
int ArithmeticIndex(TExprOpCode Code)
{
    const int i = int(Code) - int(TExprOpCode::Add);
    return i >= 0 && i < 4 ? i : -1;
}

TExprOpCode InGroup(TExprOpCode First, int Index)
{
    return TExprOpCode(int(First) + Index);
}

bool IsLeaf(TExprOpCode Code)
{
    return Code == TExprOpCode::Set || Code == TExprOpCode::Push;
}

static_assert(int(TExprOpCode::AddOperand) - int(TExprOpCode::Add) == 4);
static_assert(int(TExprOpCode::PushSum) - int(TExprOpCode::SetSum) == 4);
static_assert(int(TExprOpCode::DivQuotient) - int(TExprOpCode::AddSum) == 15);

// Equal to the last of the 80 bits (the sign of a zero included).
bool SameBits(Float80 a, Float80 b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

// How many values an opcode leaves on the stack minus how many it takes (the fused ones
// are never emitted directly).
int StackEffect(TExprOpCode Code)
{
    switch (Code)
    {
    case TExprOpCode::Set:
    case TExprOpCode::Push:
        return 1;
    case TExprOpCode::Negate:
    case TExprOpCode::Not:
    case TExprOpCode::Bnot:
    case TExprOpCode::Call1:
    case TExprOpCode::Raise:
        return 0;
    default:
        return -1;
    }
}

// The integer operator of an integer opcode (ProgramInterpreter::IntegerOperator): the two
// enumerations run in the same order.
static_assert(int(TExprOpCode::Band) - int(TExprOpCode::Bor) == int(IntegerOps::TOperator::Band));
static_assert(int(TExprOpCode::IntMod) - int(TExprOpCode::Bor) == int(IntegerOps::TOperator::Mod));
} // namespace

TExprProgram::TExprProgram() = default;
TExprProgram::~TExprProgram() = default;
TExprProgram::TExprProgram(TExprProgram&&) = default;
TExprProgram& TExprProgram::operator=(TExprProgram&&) = default;

void TExprProgram::Append(const TExprInstruction& Instruction, int Effect)
{
    FCode.push_back(Instruction);
    FStackDepth += Effect;
    // The top is held apart: the stack needs room for the values below it.
    FStackSize = std::max(FStackSize, size_t(std::max(FStackDepth - 1, 0)));
}

void TExprProgram::EmitLeaf(TExprInstruction Leaf)
{
    Leaf.Code = FStackDepth == 0 ? TExprOpCode::Set : TExprOpCode::Push;
    Append(Leaf, 1);
}

void TExprProgram::EmitConst(Float80 Value)
{
    TExprInstruction Leaf{TExprOpCode::Set};
    const double Narrow = double(Value);
    if (SameBits(Float80(Narrow), Value))
    {
        FDoubleConstants.push_back(Narrow);
        Leaf.Form = TExprInstruction::ADouble;
        Leaf.AInDouble = &FDoubleConstants.back();
    }
    else
    {
        FConstants.push_back(Value);
        Leaf.A = &FConstants.back();
    }
    EmitLeaf(Leaf);
}

void TExprProgram::EmitLoad(const Float80* Variable)
{
    TExprInstruction Leaf{TExprOpCode::Set};
    Leaf.A = Variable;
    EmitLeaf(Leaf);
    if (std::find(FVariables.begin(), FVariables.end(), Variable) == FVariables.end())
        FVariables.push_back(Variable);
}

// An arithmetic operator whose right operand is a lone leaf or two leaves under one
// arithmetic operator: that operand is always the last instruction before the operator
// (any longer operand ends with its own operator, a call or a prefix), so the two or three
// instructions become one that computes exactly the same.
bool TExprProgram::FuseArithmetic(TExprOpCode Code)
{
    const int Outer = ArithmeticIndex(Code);
    if (Outer < 0 || FCode.empty())
        return false;
    TExprInstruction& Right = FCode.back();
    if (Right.Code == TExprOpCode::Push)
    {
        // A left operand that is a leaf was pushed just before: both operands are leaves.
        if (FCode.size() >= 2 && IsLeaf(FCode[FCode.size() - 2].Code))
        {
            TExprInstruction& Left = FCode[FCode.size() - 2];
            const bool Pushes = Left.Code == TExprOpCode::Push;
            Left.Code = InGroup(Pushes ? TExprOpCode::PushSum : TExprOpCode::SetSum, Outer);
            if (Right.Form & TExprInstruction::ADouble)
            {
                Left.BInDouble = Right.AInDouble;
                Left.Form |= TExprInstruction::BDouble;
            }
            else
            {
                Left.B = Right.A;
                if (!(Left.Form & TExprInstruction::ADouble) && Left.A == Right.A)
                    Left.Form |= TExprInstruction::BSameAsA;
            }
            FCode.pop_back();
        }
        else
            Right.Code = InGroup(TExprOpCode::AddOperand, Outer);
        FStackDepth -= 1;
        return true;
    }
    const int Inner = int(Right.Code) - int(TExprOpCode::PushSum);
    if (Inner >= 0 && Inner < 4)
    {
        Right.Code = InGroup(TExprOpCode::AddSum, 4 * Outer + Inner);
        FStackDepth -= 1;
        return true;
    }
    return false;
}

void TExprProgram::Emit(TExprOpCode Code)
{
    if (!FuseArithmetic(Code))
        Append(TExprInstruction{Code}, StackEffect(Code));
}

void TExprProgram::EmitCall1(TUnaryRoutine Routine)
{
    TExprInstruction I{TExprOpCode::Call1};
    I.Unary = Routine;
    Append(I, 0);
}

void TExprProgram::EmitCall2(TBinaryRoutine Routine)
{
    TExprInstruction I{TExprOpCode::Call2};
    I.Binary = Routine;
    Append(I, -1);
}

void TExprProgram::EmitRaise(TErrorKind Kind, std::string Message, TTextPlace Place)
{
    FErrorKind = Kind;
    FErrorMessage = std::move(Message);
    FErrorPlace = Place;
    Append(TExprInstruction{TExprOpCode::Raise}, 0);
}

void TExprProgram::Finish()
{
    if (FFinished)
        return;
    if (FCode.empty() || FCode.back().Code != TExprOpCode::Raise)
        FCode.push_back(TExprInstruction{TExprOpCode::End});
    FFinished = true;
    FMachineCode = TExprMachineCode::Translate(*this);
}

TExprProgram TExprProgram::ReadingText(std::u16string_view Text)
{
    TExprProgram Program;
    Program.FNeedsReference = true;
    Program.FText = Text;
    return Program;
}

void TExprProgram::RaiseStoredError() const
{
    if (FErrorKind == TErrorKind::Convert)
    {
        EConvertError Error(FErrorMessage);
        Error.SetPlace(FErrorPlace);
        throw Error;
    }
    EExprEvalError Error(FErrorMessage);
    Error.SetPlace(FErrorPlace);
    throw Error;
}

namespace
{
// Numbers: every operation rounded to Float80 and tested for the arithmetic's faults.
struct TNumbers
{
    using TValue = Float80;

    static Float80 Leaf(const Float80* Storage) { return *Storage; }
    static Float80 Constant(double Value) { return Float80(Value); }
    template <int Op> static Float80 Arith(Float80 a, Float80 b)
    {
        if constexpr (Op == 0)
            return FAdd(a, b);
        else if constexpr (Op == 1)
            return FSub(a, b);
        else if constexpr (Op == 2)
            return FMul(a, b);
        else
            return FDiv(a, b);
    }
    template <int Op> static Float80 Pair(Float80 a, Float80 b, bool) { return Arith<Op>(a, b); }
    template <TExprOpCode Code> static Float80 Binary(Float80 a, Float80 b)
    {
        using C = TExprOpCode;
        if constexpr (Code == C::Equal)
            return Truth(a == b);
        else if constexpr (Code == C::NotEqual)
            return Truth(a != b);
        else if constexpr (Code == C::Less)
            return Truth(a < b);
        else if constexpr (Code == C::LessEqual)
            return Truth(a <= b);
        else if constexpr (Code == C::Greater)
            return Truth(a > b);
        else if constexpr (Code == C::GreaterEqual)
            return Truth(a >= b);
        else if constexpr (Code == C::Cmp)
            return a > b ? 1 : a < b ? -1 : 0;
        else if constexpr (Code == C::Or)
            return Truth(b != 0 || a != 0);
        else if constexpr (Code == C::Xor)
            return Truth((a != 0) != (b != 0));
        else
            return Truth(a != 0 && b != 0);
    }
    static Float80 Integer(IntegerOps::TOperator Op, Float80 a, Float80 b)
    {
        return IntegerOps::Apply(Op, a, b);
    }
    static Float80 Negate(Float80 a) { return -a; }
    static Float80 Not(Float80 a) { return Truth(a == 0); }
    static Float80 Bnot(Float80 a) { return Float80(~IntegerOps::Round64(a)); }
    static Float80 Call1(TUnaryRoutine Routine, Float80 a) { return Routine(a); }
    static Float80 Call2(TBinaryRoutine Routine, Float80 a, Float80 b) { return Routine(a, b); }
};
} // namespace

Float80 TExprProgram::Run(Float80* Stack) const
{
    if (!FFinished)
        return 0;
    TNumbers Numbers;
    return ProgramInterpreter::Run(*this, Numbers, Stack);
}
