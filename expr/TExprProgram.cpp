#include "expr/TExprProgram.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"

#include <algorithm>

namespace
{
Float80 Truth(bool b)
{
    return b ? 1 : 0;
}

// The fused form of a binary arithmetic opcode whose right operand is the instruction just
// emitted (a constant or a variable), or the opcode itself when there is none.
TExprOpCode Fused(TExprOpCode Code, TExprOpCode RightOperand)
{
    const bool IsConst = RightOperand == TExprOpCode::Const;
    if (!IsConst && RightOperand != TExprOpCode::Load)
        return Code;
    switch (Code)
    {
    case TExprOpCode::Add: return IsConst ? TExprOpCode::AddConst : TExprOpCode::AddLoad;
    case TExprOpCode::Sub: return IsConst ? TExprOpCode::SubConst : TExprOpCode::SubLoad;
    case TExprOpCode::Mul: return IsConst ? TExprOpCode::MulConst : TExprOpCode::MulLoad;
    case TExprOpCode::Div: return IsConst ? TExprOpCode::DivConst : TExprOpCode::DivLoad;
    default: return Code;
    }
}

// How many values an opcode leaves on the stack minus how many it takes.
int StackEffect(TExprOpCode Code)
{
    switch (Code)
    {
    case TExprOpCode::Const:
    case TExprOpCode::Load: return 1;
    case TExprOpCode::AddConst:
    case TExprOpCode::SubConst:
    case TExprOpCode::MulConst:
    case TExprOpCode::DivConst:
    case TExprOpCode::AddLoad:
    case TExprOpCode::SubLoad:
    case TExprOpCode::MulLoad:
    case TExprOpCode::DivLoad:
    case TExprOpCode::Negate:
    case TExprOpCode::Not:
    case TExprOpCode::Bnot:
    case TExprOpCode::Call1:
    case TExprOpCode::Raise: return 0;
    default: return -1;
    }
}
} // namespace

void TExprProgram::Append(const TExprInstruction& Instruction, int Effect)
{
    FCode.push_back(Instruction);
    FStackDepth += Effect;
    FStackSize = std::max(FStackSize, size_t(std::max(FStackDepth, 0)));
}

void TExprProgram::EmitConst(Float80 Value)
{
    TExprInstruction I{TExprOpCode::Const, {}};
    I.Value = Value;
    Append(I, 1);
}

void TExprProgram::EmitLoad(const Float80* Variable)
{
    TExprInstruction I{TExprOpCode::Load, {}};
    I.Variable = Variable;
    Append(I, 1);
}

void TExprProgram::Emit(TExprOpCode Code)
{
    // A right operand that is a lone constant or variable is always the last instruction
    // before its operator (any longer operand ends with its own operator), so the two can
    // be one instruction that computes exactly the same.
    if (!FCode.empty())
    {
        const TExprOpCode F = Fused(Code, FCode.back().Code);
        if (F != Code)
        {
            FCode.back().Code = F;
            FStackDepth -= 1;
            return;
        }
    }
    Append(TExprInstruction{Code, {}}, StackEffect(Code));
}

void TExprProgram::EmitCall1(TUnaryRoutine Routine)
{
    TExprInstruction I{TExprOpCode::Call1, {}};
    I.Unary = Routine;
    Append(I, 0);
}

void TExprProgram::EmitCall2(TBinaryRoutine Routine)
{
    TExprInstruction I{TExprOpCode::Call2, {}};
    I.Binary = Routine;
    Append(I, -1);
}

void TExprProgram::EmitRaise(TErrorKind Kind, std::string Message)
{
    FErrorKind = Kind;
    FErrorMessage = std::move(Message);
    Append(TExprInstruction{TExprOpCode::Raise, {}}, 0);
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
        throw EConvertError(FErrorMessage);
    throw EExprEvalError(FErrorMessage);
}

Float80 TExprProgram::Run(Float80* Stack) const
{
    using namespace IntegerOps;
    // The topmost value lives in Top, the ones below it in Stack[0 .. Below). The first
    // push stores the meaningless initial Top, so Below never passes StackSize().
    Float80 Top = 0;
    Float80* Below = Stack;
    for (const TExprInstruction& I : FCode)
    {
        switch (I.Code)
        {
        case TExprOpCode::Const: *Below++ = Top; Top = I.Value; break;
        case TExprOpCode::Load: *Below++ = Top; Top = *I.Variable; break;
        case TExprOpCode::Add: Top = FAdd(*--Below, Top); break;
        case TExprOpCode::Sub: Top = FSub(*--Below, Top); break;
        case TExprOpCode::Mul: Top = FMul(*--Below, Top); break;
        case TExprOpCode::Div: Top = FDiv(*--Below, Top); break;
        case TExprOpCode::AddConst: Top = FAdd(Top, I.Value); break;
        case TExprOpCode::SubConst: Top = FSub(Top, I.Value); break;
        case TExprOpCode::MulConst: Top = FMul(Top, I.Value); break;
        case TExprOpCode::DivConst: Top = FDiv(Top, I.Value); break;
        case TExprOpCode::AddLoad: Top = FAdd(Top, *I.Variable); break;
        case TExprOpCode::SubLoad: Top = FSub(Top, *I.Variable); break;
        case TExprOpCode::MulLoad: Top = FMul(Top, *I.Variable); break;
        case TExprOpCode::DivLoad: Top = FDiv(Top, *I.Variable); break;
        case TExprOpCode::Equal: Top = Truth(*--Below == Top); break;
        case TExprOpCode::NotEqual: Top = Truth(*--Below != Top); break;
        case TExprOpCode::Less: Top = Truth(*--Below < Top); break;
        case TExprOpCode::LessEqual: Top = Truth(*--Below <= Top); break;
        case TExprOpCode::Greater: Top = Truth(*--Below > Top); break;
        case TExprOpCode::GreaterEqual: Top = Truth(*--Below >= Top); break;
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
        case TExprOpCode::Negate: Top = -Top; break;
        case TExprOpCode::Not: Top = Truth(Top == 0); break;
        case TExprOpCode::Bnot: Top = Float80(~Round64(Top)); break;
        case TExprOpCode::Call1: Top = I.Unary(Top); break;
        case TExprOpCode::Call2:
        {
            const Float80 a = *--Below;
            Top = I.Binary(a, Top);
            break;
        }
        case TExprOpCode::Raise: RaiseStoredError();
        default:
        {
            // The integer operators round the right operand before the left.
            const int64_t b = Round64(Top);
            const int64_t a = Round64(*--Below);
            switch (I.Code)
            {
            case TExprOpCode::Bor: Top = Float80(a | b); break;
            case TExprOpCode::Bxor: Top = Float80(a ^ b); break;
            case TExprOpCode::IntDiv: Top = Float80(Div(a, b)); break;
            case TExprOpCode::IntMod: Top = Float80(Mod(a, b)); break;
            case TExprOpCode::Shl: Top = Float80(int64_t(ShiftLeft(uint64_t(a), b))); break;
            case TExprOpCode::Shr: Top = Float80(int64_t(ShiftRight(uint64_t(a), b))); break;
            default: Top = Float80(a & b); break; // Band
            }
        }
        }
    }
    return Top;
}
