#include "expr/TDualRunner.h"

#include "expr/DerivativeRules.h"
#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"

#include <cmath>
#include <limits>

namespace
{
using DerivativeRules::TFault;

TDual Flat(Float80 Value)
{
    return {Value, 0, 0};
}

Float80 Truth(bool b)
{
    return b ? 1 : 0;
}

// The leaf operands of an instruction: constants have derivatives 0, the variable 1.
inline TDual OperandA(const TExprInstruction& I, const Float80* X)
{
    if (I.Form & TExprInstruction::ADouble)
        return Flat(Float80(*I.AInDouble));
    return {*I.A, I.A == X ? 1.0L : 0.0L, 0};
}

inline TDual OperandB(const TExprInstruction& I, const TDual& a, const Float80* X)
{
    if (I.Form & TExprInstruction::BSameAsA)
        return a;
    if (I.Form & TExprInstruction::BDouble)
        return Flat(Float80(*I.BInDouble));
    return {*I.B, I.B == X ? 1.0L : 0.0L, 0};
}

// The four operators: the value as the plain run computes it (same faults), then the
// derivatives, unchecked until the end of the run.
inline TDual DAdd(const TDual& a, const TDual& b)
{
    return {FAdd(a.Value, b.Value), a.D1 + b.D1, a.D2 + b.D2};
}

inline TDual DSub(const TDual& a, const TDual& b)
{
    return {FSub(a.Value, b.Value), a.D1 - b.D1, a.D2 - b.D2};
}

inline TDual DMul(const TDual& a, const TDual& b)
{
    return {FMul(a.Value, b.Value), a.D1 * b.Value + a.Value * b.D1,
            a.D2 * b.Value + 2 * a.D1 * b.D1 + a.Value * b.D2};
}

// (a / b)' = (a' - q b') / b and (a / b)'' = (a'' - 2 q' b' - q b'') / b, with q = a / b.
inline TDual DDiv(const TDual& a, const TDual& b)
{
    const Float80 q = FDiv(a.Value, b.Value);
    if (b.D1 == 0 && b.D2 == 0) // a constant divisor, the common case: one division each
        return {q, a.D1 / b.Value, a.D2 / b.Value};
    const Float80 r = 1 / b.Value;
    const Float80 D1 = (a.D1 - q * b.D1) * r;
    return {q, D1, (a.D2 - 2 * D1 * b.D1 - q * b.D2) * r};
}

IntegerOps::TOperator IntegerOperator(TExprOpCode Code)
{
    return IntegerOps::TOperator(int(Code) - int(TExprOpCode::Bor));
}

// The derivatives asked for, or the error that makes them undefined.
TDual Checked(const TDual& r, int Order, TFault Fault)
{
    const bool Defined = (Order < 1 || std::isfinite(r.D1)) && (Order < 2 || std::isfinite(r.D2));
    if (Defined)
        return r;
    if (Fault == TFault::NoRule)
        throw ECalcError(std::string(Msg::NoDerivative));
    if (Fault == TFault::InfiniteSlope)
        RaiseZeroDivide();
    RaiseOverflow();
}
} // namespace

TDualRunner::TDualRunner(TEvaluator& EvaluatorIn) : Evaluator(EvaluatorIn) {}

TDual TDualRunner::Run(const TExprProgram& Program, const Float80* Variable, int Order)
{
    if (Program.NeedsReference())
    {
        // The value and its errors first; the derivatives of an unknown kind of symbol are not known.
        const Float80 Value = Evaluator.Run(Program);
        if (Order == 0)
            return {Value, std::numeric_limits<Float80>::quiet_NaN(),
                    std::numeric_limits<Float80>::quiet_NaN()};
        throw ECalcError(std::string(Msg::NoDerivative));
    }
    if (Stack.size() < Program.StackSize())
        Stack.resize(Program.StackSize());
    return RunInstructions(Program, Variable, Order);
}

// One case per fused arithmetic opcode, as TExprProgram::Run has them: Name for the operator
// on the stack, Pair for its two-leaf forms, Op its dual operation.
#define VENDREL_DUAL_ARITHMETIC_CASES(Name, Pair, Op)                                                        \
    case TExprOpCode::Name:                                                                                  \
        Top = Op(*--Below, Top);                                                                             \
        break;                                                                                               \
    case TExprOpCode::Name##Operand:                                                                         \
        Top = Op(Top, OperandA(*I, X));                                                                      \
        break;                                                                                               \
    case TExprOpCode::Set##Pair:                                                                             \
    {                                                                                                        \
        const TDual a = OperandA(*I, X);                                                                     \
        Top = Op(a, OperandB(*I, a, X));                                                                     \
        break;                                                                                               \
    }                                                                                                        \
    case TExprOpCode::Push##Pair:                                                                            \
    {                                                                                                        \
        const TDual a = OperandA(*I, X);                                                                     \
        *Below++ = Top;                                                                                      \
        Top = Op(a, OperandB(*I, a, X));                                                                     \
        break;                                                                                               \
    }                                                                                                        \
        VENDREL_DUAL_PAIR_CASE(Name, Op, Sum, DAdd)                                                          \
        VENDREL_DUAL_PAIR_CASE(Name, Op, Difference, DSub)                                                   \
        VENDREL_DUAL_PAIR_CASE(Name, Op, Product, DMul)                                                      \
        VENDREL_DUAL_PAIR_CASE(Name, Op, Quotient, DDiv)

#define VENDREL_DUAL_PAIR_CASE(Name, Op, Pair, InnerOp)                                                      \
    case TExprOpCode::Name##Pair:                                                                            \
    {                                                                                                        \
        const TDual a = OperandA(*I, X);                                                                     \
        Top = Op(Top, InnerOp(a, OperandB(*I, a, X)));                                                       \
        break;                                                                                               \
    }

#define VENDREL_DUAL_COMPARISON_CASE(Name, Compare)                                                          \
    case TExprOpCode::Name:                                                                                  \
        Top = Flat(Truth((--Below)->Value Compare Top.Value));                                               \
        break;

TDual TDualRunner::RunInstructions(const TExprProgram& Program, const Float80* X, int Order)
{
    TFault Fault = TFault::None;
    TDual Top;
    TDual* Below = Stack.data();
    for (const TExprInstruction* I = Program.Code().data();; ++I)
    {
        switch (I->Code)
        {
        case TExprOpCode::Set:
            Top = OperandA(*I, X);
            break;
        case TExprOpCode::Push:
            *Below++ = Top;
            Top = OperandA(*I, X);
            break;
            VENDREL_DUAL_ARITHMETIC_CASES(Add, Sum, DAdd)
            VENDREL_DUAL_ARITHMETIC_CASES(Sub, Difference, DSub)
            VENDREL_DUAL_ARITHMETIC_CASES(Mul, Product, DMul)
            VENDREL_DUAL_ARITHMETIC_CASES(Div, Quotient, DDiv)
            VENDREL_DUAL_COMPARISON_CASE(Equal, ==)
            VENDREL_DUAL_COMPARISON_CASE(NotEqual, !=)
            VENDREL_DUAL_COMPARISON_CASE(Less, <)
            VENDREL_DUAL_COMPARISON_CASE(LessEqual, <=)
            VENDREL_DUAL_COMPARISON_CASE(Greater, >)
            VENDREL_DUAL_COMPARISON_CASE(GreaterEqual, >=)
        case TExprOpCode::Cmp:
        {
            const Float80 a = (--Below)->Value;
            Top = Flat(a > Top.Value ? 1 : a < Top.Value ? -1 : 0);
            break;
        }
        case TExprOpCode::Or:
        {
            const Float80 a = (--Below)->Value;
            Top = Flat(Truth(Top.Value != 0 || a != 0));
            break;
        }
        case TExprOpCode::Xor:
        {
            const Float80 a = (--Below)->Value;
            Top = Flat(Truth((a != 0) != (Top.Value != 0)));
            break;
        }
        case TExprOpCode::And:
        {
            const Float80 a = (--Below)->Value;
            Top = Flat(Truth(a != 0 && Top.Value != 0));
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
            const Float80 a = (--Below)->Value;
            Top = Flat(IntegerOps::Apply(IntegerOperator(I->Code), a, Top.Value));
            break;
        }
        case TExprOpCode::Negate:
            Top = {-Top.Value, -Top.D1, -Top.D2};
            break;
        case TExprOpCode::Not:
            Top = Flat(Truth(Top.Value == 0));
            break;
        case TExprOpCode::Bnot:
            Top = Flat(Float80(~IntegerOps::Round64(Top.Value)));
            break;
        case TExprOpCode::Call1:
            Top = DerivativeRules::Unary(I->Unary, Top, Fault);
            break;
        case TExprOpCode::Call2:
        {
            const TDual a = *--Below;
            Top = DerivativeRules::Binary(I->Binary, a, Top, Fault);
            break;
        }
        case TExprOpCode::Raise:
            Program.RaiseError();
        case TExprOpCode::End:
            return Checked(Top, Order, Fault);
        default:
            __builtin_unreachable(); // the emitters write only the opcodes above
        }
    }
}

#undef VENDREL_DUAL_ARITHMETIC_CASES
#undef VENDREL_DUAL_PAIR_CASE
#undef VENDREL_DUAL_COMPARISON_CASE
