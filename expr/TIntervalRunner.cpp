#include "expr/TIntervalRunner.h"

#include "expr/IntervalFunctions.h"
#include "expr/IntervalIntegerOps.h"
#include "expr/TExprProgram.h"

namespace
{
IntegerOps::TOperator IntegerOperator(TExprOpCode Code)
{
    return IntegerOps::TOperator(int(Code) - int(TExprOpCode::Bor));
}

// The four operators, where the two operands may be one variable read twice.
TInterval IAdd(const TInterval& a, const TInterval& b)
{
    return a + b;
}
TInterval ISub(const TInterval& a, const TInterval& b)
{
    return a - b;
}
TInterval IMul(const TInterval& a, const TInterval& b)
{
    return a * b;
}
TInterval IDiv(const TInterval& a, const TInterval& b)
{
    return a / b;
}

// x op x for one variable x: x - x is 0 and x / x is 1 wherever x is finite (and not 0).
TInterval SameOperands(int Group, const TInterval& a)
{
    switch (Group)
    {
    case 1: // Sub
        return TInterval::Point(0).WithFlagsOf(a);
    case 2: // Mul
        return Square(a);
    case 3: // Div
        if (a.CertainlyZero())
            return TInterval::Undefined();
        return TInterval::Point(1).WithFlagsOf(a, a.Contains(0) ? TTri::Maybe : TTri::Yes);
    default:
        return a + a;
    }
}

bool SameLeaf(const TExprInstruction& I)
{
    return (I.Form & TExprInstruction::BSameAsA) != 0;
}
} // namespace

void TIntervalRunner::Bind(const Float80* Variable, const TInterval& Value)
{
    for (auto& Binding : Bindings)
        if (Binding.first == Variable)
        {
            Binding.second = Value;
            return;
        }
    Bindings.emplace_back(Variable, Value);
}

TInterval TIntervalRunner::Leaf(const Float80* Storage) const
{
    for (const auto& Binding : Bindings)
        if (Binding.first == Storage)
            return Binding.second;
    return TInterval::Point(*Storage);
}

TInterval TIntervalRunner::Run(const TExprProgram& Program)
{
    if (Program.NeedsReference())
        return TInterval::Unknown();
    return RunInstructions(Program, nullptr, nullptr);
}

std::pair<TInterval, TInterval> TIntervalRunner::RunOperandsOfLast(const TExprProgram& Program)
{
    const auto& Code = Program.Code();
    if (Program.NeedsReference() || Code.size() < 2 || Code.back().Code != TExprOpCode::End)
        return {TInterval::Unknown(), TInterval::Unknown()};
    TInterval Left;
    const TInterval Right = RunInstructions(Program, &Code[Code.size() - 2], &Left);
    return {Left, Right};
}

// The cases of one arithmetic operator group, as TExprProgram::Run has them: Name for the
// operator on the stack, Pair for its two-leaf forms, Op its interval rule, Group its index.
#define VENDREL_INTERVAL_ARITHMETIC_CASES(Name, Pair, Op, Group)                                             \
    case TExprOpCode::Name:                                                                                  \
        Top = Op(*--Below, Top);                                                                             \
        break;                                                                                               \
    case TExprOpCode::Name##Operand:                                                                         \
        Top = Op(Top, OperandA(*I));                                                                         \
        break;                                                                                               \
    case TExprOpCode::Set##Pair:                                                                             \
        Top = LeafPair(*I, Group);                                                                           \
        break;                                                                                               \
    case TExprOpCode::Push##Pair:                                                                            \
        *Below++ = Top;                                                                                      \
        Top = LeafPair(*I, Group);                                                                           \
        break;                                                                                               \
        VENDREL_INTERVAL_PAIR_CASE(Name, Op, Sum, 0)                                                         \
        VENDREL_INTERVAL_PAIR_CASE(Name, Op, Difference, 1)                                                  \
        VENDREL_INTERVAL_PAIR_CASE(Name, Op, Product, 2)                                                     \
        VENDREL_INTERVAL_PAIR_CASE(Name, Op, Quotient, 3)

#define VENDREL_INTERVAL_PAIR_CASE(Name, Op, Pair, InnerGroup)                                               \
    case TExprOpCode::Name##Pair:                                                                            \
        Top = Op(Top, LeafPair(*I, InnerGroup));                                                             \
        break;

#define VENDREL_INTERVAL_BINARY_CASE(Name, Rule)                                                             \
    case TExprOpCode::Name:                                                                                  \
        Top = Rule(*--Below, Top);                                                                           \
        break;

TInterval TIntervalRunner::RunInstructions(const TExprProgram& Program, const TExprInstruction* Stop,
                                           TInterval* Left)
{
    if (Stack.size() < Program.StackSize() + 1)
        Stack.resize(Program.StackSize() + 1);
    auto OperandA = [this](const TExprInstruction& I)
    { return I.Form & TExprInstruction::ADouble ? TInterval::Point(Float80(*I.AInDouble)) : Leaf(I.A); };
    auto OperandB = [this](const TExprInstruction& I)
    { return I.Form & TExprInstruction::BDouble ? TInterval::Point(Float80(*I.BInDouble)) : Leaf(I.B); };
    // *A op *B of a two-leaf instruction, op the Group-th of +, -, *, /.
    auto LeafPair = [&](const TExprInstruction& I, int Group)
    {
        const TInterval a = OperandA(I);
        if (SameLeaf(I))
            return SameOperands(Group, a);
        const TInterval b = OperandB(I);
        switch (Group)
        {
        case 0:
            return a + b;
        case 1:
            return a - b;
        case 2:
            return a * b;
        default:
            return a / b;
        }
    };
    TInterval Top;
    TInterval* Below = Stack.data();
    for (const TExprInstruction* I = Program.Code().data();; ++I)
    {
        if (I == Stop)
        {
            *Left = *--Below;
            return Top;
        }
        switch (I->Code)
        {
        case TExprOpCode::Set:
            Top = OperandA(*I);
            break;
        case TExprOpCode::Push:
            *Below++ = Top;
            Top = OperandA(*I);
            break;
            VENDREL_INTERVAL_ARITHMETIC_CASES(Add, Sum, IAdd, 0)
            VENDREL_INTERVAL_ARITHMETIC_CASES(Sub, Difference, ISub, 1)
            VENDREL_INTERVAL_ARITHMETIC_CASES(Mul, Product, IMul, 2)
            VENDREL_INTERVAL_ARITHMETIC_CASES(Div, Quotient, IDiv, 3)
            VENDREL_INTERVAL_BINARY_CASE(Equal, Equal)
            VENDREL_INTERVAL_BINARY_CASE(NotEqual, NotEqual)
            VENDREL_INTERVAL_BINARY_CASE(Less, Less)
            VENDREL_INTERVAL_BINARY_CASE(LessEqual, LessEqual)
            VENDREL_INTERVAL_BINARY_CASE(Greater, Greater)
            VENDREL_INTERVAL_BINARY_CASE(GreaterEqual, GreaterEqual)
            VENDREL_INTERVAL_BINARY_CASE(Cmp, Cmp)
            VENDREL_INTERVAL_BINARY_CASE(Or, Or)
            VENDREL_INTERVAL_BINARY_CASE(Xor, Xor)
            VENDREL_INTERVAL_BINARY_CASE(And, And)
        case TExprOpCode::Bor:
        case TExprOpCode::Bxor:
        case TExprOpCode::IntDiv:
        case TExprOpCode::IntMod:
        case TExprOpCode::Shl:
        case TExprOpCode::Shr:
        case TExprOpCode::Band:
        {
            const TInterval a = *--Below;
            Top = IntervalIntegerOps::Apply(IntegerOperator(I->Code), a, Top);
            break;
        }
        case TExprOpCode::Negate:
            Top = -Top;
            break;
        case TExprOpCode::Not:
            Top = Not(Top);
            break;
        case TExprOpCode::Bnot:
            Top = IntervalIntegerOps::Bnot(Top);
            break;
        case TExprOpCode::Call1:
            Top = IntervalFunctions::Unary(I->Unary, Top);
            break;
        case TExprOpCode::Call2:
        {
            const TInterval a = *--Below;
            Top = IntervalFunctions::Binary(I->Binary, a, Top);
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
}

#undef VENDREL_INTERVAL_ARITHMETIC_CASES
#undef VENDREL_INTERVAL_PAIR_CASE
#undef VENDREL_INTERVAL_BINARY_CASE
