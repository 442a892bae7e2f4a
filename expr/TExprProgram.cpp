#include "expr/TExprProgram.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"
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

// The leaf operands of an instruction, read as its Form says.
inline Float80 OperandA(const TExprInstruction& I)
{
    return I.Form & TExprInstruction::ADouble ? Float80(*I.AInDouble) : *I.A;
}

inline Float80 OperandB(const TExprInstruction& I, Float80 a)
{
    if (I.Form & TExprInstruction::BSameAsA)
        return a;
    return I.Form & TExprInstruction::BDouble ? Float80(*I.BInDouble) : *I.B;
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

// The integer operator of an integer opcode: the two enumerations run in the same order.
IntegerOps::TOperator IntegerOperator(TExprOpCode Code)
{
    return IntegerOps::TOperator(int(Code) - int(TExprOpCode::Bor));
}
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

// The cases of one arithmetic operator Op (FAdd, ...) and its group, whose opcodes are named
// after it: Name for the operator on the stack, Pair for its two-leaf forms ("Sum" ...). Every
// fused case reads its leaves first and computes as the unfused instructions would.
#define VENDREL_ARITHMETIC_CASES(Name, Pair, Op)                                                             \
    case TExprOpCode::Name:                                                                                  \
        Top = Op(*--Below, Top);                                                                             \
        break;                                                                                               \
    case TExprOpCode::Name##Operand:                                                                         \
        Top = Op(Top, OperandA(*I));                                                                         \
        break;                                                                                               \
    case TExprOpCode::Set##Pair:                                                                             \
    {                                                                                                        \
        const Float80 a = OperandA(*I);                                                                      \
        Top = Op(a, OperandB(*I, a));                                                                        \
        break;                                                                                               \
    }                                                                                                        \
    case TExprOpCode::Push##Pair:                                                                            \
    {                                                                                                        \
        const Float80 a = OperandA(*I);                                                                      \
        *Below++ = Top;                                                                                      \
        Top = Op(a, OperandB(*I, a));                                                                        \
        break;                                                                                               \
    }                                                                                                        \
        VENDREL_PAIR_CASE(Name, Op, Sum, FAdd)                                                               \
        VENDREL_PAIR_CASE(Name, Op, Difference, FSub)                                                        \
        VENDREL_PAIR_CASE(Name, Op, Product, FMul)                                                           \
        VENDREL_PAIR_CASE(Name, Op, Quotient, FDiv)

// Top := Top Op (*A InnerOp *B): the pair first, then the outer operator.
#define VENDREL_PAIR_CASE(Name, Op, Pair, InnerOp)                                                           \
    case TExprOpCode::Name##Pair:                                                                            \
    {                                                                                                        \
        const Float80 a = OperandA(*I);                                                                      \
        Top = Op(Top, InnerOp(a, OperandB(*I, a)));                                                          \
        break;                                                                                               \
    }

// Pop a, Top := a Compare Top as 1 or 0.
#define VENDREL_COMPARISON_CASE(Name, Compare)                                                               \
    case TExprOpCode::Name:                                                                                  \
        Top = Truth(*--Below Compare Top);                                                                   \
        break;

// One switch in an endless loop: the program's last instruction (End or Raise) leaves it,
// so there is no end test per instruction, and every opcode has a case, so there is no range
// test either. Top stays in a register throughout.
Float80 TExprProgram::Run(Float80* Stack) const
{
    if (!FFinished)
        return 0;
    // The topmost value lives in Top, the ones below it in Stack[0 .. Below).
    Float80 Top = 0;
    Float80* Below = Stack;
    for (const TExprInstruction* I = FCode.data();; ++I)
    {
        switch (I->Code)
        {
        case TExprOpCode::Set:
            Top = OperandA(*I);
            break;
        case TExprOpCode::Push:
            *Below++ = Top;
            Top = OperandA(*I);
            break;
            VENDREL_ARITHMETIC_CASES(Add, Sum, FAdd)
            VENDREL_ARITHMETIC_CASES(Sub, Difference, FSub)
            VENDREL_ARITHMETIC_CASES(Mul, Product, FMul)
            VENDREL_ARITHMETIC_CASES(Div, Quotient, FDiv)
            VENDREL_COMPARISON_CASE(Equal, ==)
            VENDREL_COMPARISON_CASE(NotEqual, !=)
            VENDREL_COMPARISON_CASE(Less, <)
            VENDREL_COMPARISON_CASE(LessEqual, <=)
            VENDREL_COMPARISON_CASE(Greater, >)
            VENDREL_COMPARISON_CASE(GreaterEqual, >=)
        case TExprOpCode::Cmp:
        {
            const Float80 a = *--Below;
            Top = a > Top ? 1 : a < Top ? -1 : 0;
            break;
        }
        // The left operand is popped before the test: a short-circuit must not skip the pop.
        case TExprOpCode::Or:
        {
            const Float80 a = *--Below;
            Top = Truth(Top != 0 || a != 0);
            break;
        }
        case TExprOpCode::Xor:
        {
            const Float80 a = *--Below;
            Top = Truth((a != 0) != (Top != 0));
            break;
        }
        case TExprOpCode::And:
        {
            const Float80 a = *--Below;
            Top = Truth(a != 0 && Top != 0);
            break;
        }
        case TExprOpCode::Bor:
        case TExprOpCode::Bxor:
        case TExprOpCode::IntDiv:
        case TExprOpCode::IntMod:
        case TExprOpCode::Shl:
        case TExprOpCode::Shr:
        case TExprOpCode::Band:
        {
            const Float80 a = *--Below;
            Top = IntegerOps::Apply(IntegerOperator(I->Code), a, Top);
            break;
        }
        case TExprOpCode::Negate:
            Top = -Top;
            break;
        case TExprOpCode::Not:
            Top = Truth(Top == 0);
            break;
        case TExprOpCode::Bnot:
            Top = Float80(~IntegerOps::Round64(Top));
            break;
        case TExprOpCode::Call1:
            Top = I->Unary(Top);
            break;
        case TExprOpCode::Call2:
        {
            const Float80 a = *--Below;
            Top = I->Binary(a, Top);
            break;
        }
        case TExprOpCode::Raise:
            RaiseStoredError();
        case TExprOpCode::End:
            return Top;
        default:
            __builtin_unreachable(); // Finish and the emitters write only the opcodes above
        }
    }
}

#undef VENDREL_ARITHMETIC_CASES
#undef VENDREL_PAIR_CASE
#undef VENDREL_COMPARISON_CASE
