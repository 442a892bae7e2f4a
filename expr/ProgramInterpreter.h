#pragma once
// What each instruction of a compiled program does, written once for every kind of value a
// program runs on: numbers (TExprProgram::Run), numbers carrying their first two derivatives
// (TDualRunner) and intervals (TIntervalRunner). The order in which an instruction reads the
// stack and its leaves and applies its operations is the behaviour (it decides which error a
// formula raises); it is here, and each kind only says what one operation gives. A kind K is
// a class with
//   K::TValue                            the value the stack holds
//   Leaf(const Float80*)                 a leaf stored in 80 bits (a variable or a constant)
//   Constant(double)                     a constant a double holds exactly
//   Arith<Op>(a, b)                      a + b, a - b, a * b, a / b for Op 0, 1, 2, 3
//   Pair<Op>(a, b, Same)                 the same of an instruction's two leaves, Same when
//                                        both read one storage (b is then a)
//   Binary<Code>(a, b)                   the comparisons, Cmp, or, xor and and (a below b)
//   Integer(Operator, a, b)              the integer operators
//   Negate(a), Not(a), Bnot(a)
//   Call1(Routine, a), Call2(Routine, a, b)
// The loop has no end test per instruction: the program's last instruction (End or Raise)
// leaves it, and every opcode has a case. With Stop, the run ends before that instruction
// with the value below the top in *Left (the operands of a final comparison).
#include "expr/IntegerOps.h"
#include "expr/TExprProgram.h"

namespace ProgramInterpreter
{
inline IntegerOps::TOperator IntegerOperator(TExprOpCode Code)
{
    return IntegerOps::TOperator(int(Code) - int(TExprOpCode::Bor));
}

// The first leaf of I, and its second given the first.
template <class K> typename K::TValue LeafA(K& Kind, const TExprInstruction& I)
{
    return I.Form & TExprInstruction::ADouble ? Kind.Constant(*I.AInDouble) : Kind.Leaf(I.A);
}

template <class K> typename K::TValue LeafB(K& Kind, const TExprInstruction& I, const typename K::TValue& a)
{
    if (I.Form & TExprInstruction::BSameAsA)
        return a;
    return I.Form & TExprInstruction::BDouble ? Kind.Constant(*I.BInDouble) : Kind.Leaf(I.B);
}

// *A Op *B of a two-leaf instruction: the leaves are read first.
template <int Op, class K> typename K::TValue LeafPair(K& Kind, const TExprInstruction& I)
{
    const typename K::TValue a = LeafA(Kind, I);
    return Kind.template Pair<Op>(a, LeafB(Kind, I, a), (I.Form & TExprInstruction::BSameAsA) != 0);
}

template <class K, bool CanStop = false>
typename K::TValue Run(const TExprProgram& Program, K& Kind, typename K::TValue* Stack,
                       const TExprInstruction* Stop = nullptr, typename K::TValue* Left = nullptr)
{
    using V = typename K::TValue;
    V Top{};
    V* Below = Stack;

// The cases of one arithmetic operator Op and its group, whose opcodes are named after it:
// Name for the operator on the stack, Pair for its two-leaf forms. A fused case reads its
// leaves and computes the pair before the outer operator, as the unfused instructions would.
#define VENDREL_ARITHMETIC_CASES(Name, Pair, Op)                                                             \
    case TExprOpCode::Name:                                                                                  \
    {                                                                                                        \
        const V a = *--Below;                                                                                \
        Top = Kind.template Arith<Op>(a, Top);                                                               \
        break;                                                                                               \
    }                                                                                                        \
    case TExprOpCode::Name##Operand:                                                                         \
        Top = Kind.template Arith<Op>(Top, LeafA(Kind, *I));                                                 \
        break;                                                                                               \
    case TExprOpCode::Set##Pair:                                                                             \
        Top = LeafPair<Op>(Kind, *I);                                                                        \
        break;                                                                                               \
    case TExprOpCode::Push##Pair:                                                                            \
    {                                                                                                        \
        const V Pushed = LeafPair<Op>(Kind, *I);                                                             \
        *Below++ = Top;                                                                                      \
        Top = Pushed;                                                                                        \
        break;                                                                                               \
    }                                                                                                        \
    case TExprOpCode::Name##Sum:                                                                             \
        Top = Kind.template Arith<Op>(Top, LeafPair<0>(Kind, *I));                                           \
        break;                                                                                               \
    case TExprOpCode::Name##Difference:                                                                      \
        Top = Kind.template Arith<Op>(Top, LeafPair<1>(Kind, *I));                                           \
        break;                                                                                               \
    case TExprOpCode::Name##Product:                                                                         \
        Top = Kind.template Arith<Op>(Top, LeafPair<2>(Kind, *I));                                           \
        break;                                                                                               \
    case TExprOpCode::Name##Quotient:                                                                        \
        Top = Kind.template Arith<Op>(Top, LeafPair<3>(Kind, *I));                                           \
        break;

// Pop a, Top := a Code Top. The left operand is popped before anything is tested: a
// short-circuit must not skip the pop.
#define VENDREL_BINARY_CASE(Code)                                                                            \
    case TExprOpCode::Code:                                                                                  \
    {                                                                                                        \
        const V a = *--Below;                                                                                \
        Top = Kind.template Binary<TExprOpCode::Code>(a, Top);                                               \
        break;                                                                                               \
    }

    for (const TExprInstruction* I = Program.Code().data();; ++I)
    {
        if constexpr (CanStop)
            if (I == Stop)
            {
                *Left = *--Below;
                return Top;
            }
        switch (I->Code)
        {
        case TExprOpCode::Set:
            Top = LeafA(Kind, *I);
            break;
        case TExprOpCode::Push:
            *Below++ = Top;
            Top = LeafA(Kind, *I);
            break;
            VENDREL_ARITHMETIC_CASES(Add, Sum, 0)
            VENDREL_ARITHMETIC_CASES(Sub, Difference, 1)
            VENDREL_ARITHMETIC_CASES(Mul, Product, 2)
            VENDREL_ARITHMETIC_CASES(Div, Quotient, 3)
            VENDREL_BINARY_CASE(Equal)
            VENDREL_BINARY_CASE(NotEqual)
            VENDREL_BINARY_CASE(Less)
            VENDREL_BINARY_CASE(LessEqual)
            VENDREL_BINARY_CASE(Greater)
            VENDREL_BINARY_CASE(GreaterEqual)
            VENDREL_BINARY_CASE(Cmp)
            VENDREL_BINARY_CASE(Or)
            VENDREL_BINARY_CASE(Xor)
            VENDREL_BINARY_CASE(And)
        case TExprOpCode::Bor:
        case TExprOpCode::Bxor:
        case TExprOpCode::IntDiv:
        case TExprOpCode::IntMod:
        case TExprOpCode::Shl:
        case TExprOpCode::Shr:
        case TExprOpCode::Band:
        {
            const V a = *--Below;
            Top = Kind.Integer(IntegerOperator(I->Code), a, Top);
            break;
        }
        case TExprOpCode::Negate:
            Top = Kind.Negate(Top);
            break;
        case TExprOpCode::Not:
            Top = Kind.Not(Top);
            break;
        case TExprOpCode::Bnot:
            Top = Kind.Bnot(Top);
            break;
        case TExprOpCode::Call1:
            Top = Kind.Call1(I->Unary, Top);
            break;
        case TExprOpCode::Call2:
        {
            const V a = *--Below;
            Top = Kind.Call2(I->Binary, a, Top);
            break;
        }
        case TExprOpCode::Raise:
            Program.RaiseError();
        case TExprOpCode::End:
            return Top;
        default:
            __builtin_unreachable(); // the emitters write only the opcodes above
        }
    }
#undef VENDREL_ARITHMETIC_CASES
#undef VENDREL_BINARY_CASE
}
} // namespace ProgramInterpreter
