#include "expr/TIntervalRunner.h"

#include "expr/IntervalFunctions.h"
#include "expr/IntervalIntegerOps.h"
#include "expr/ProgramInterpreter.h"
#include "expr/TExprProgram.h"

namespace
{
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

// Intervals: each operation by its interval rule (TInterval, IntervalIntegerOps,
// IntervalFunctions); the leaves bound by Bind, every other one the point it holds.
struct TIntervalRunner::TIntervals
{
    using TValue = TInterval;
    const TIntervalRunner& Runner;

    TInterval Leaf(const Float80* Storage) const { return Runner.Leaf(Storage); }
    static TInterval Constant(double Value) { return TInterval::Point(Float80(Value)); }
    template <int Op> static TInterval Arith(const TInterval& a, const TInterval& b)
    {
        if constexpr (Op == 0)
            return a + b;
        else if constexpr (Op == 1)
            return a - b;
        else if constexpr (Op == 2)
            return a * b;
        else
            return a / b;
    }
    template <int Op> static TInterval Pair(const TInterval& a, const TInterval& b, bool Same)
    {
        return Same ? SameOperands(Op, a) : Arith<Op>(a, b);
    }
    template <TExprOpCode Code> static TInterval Binary(const TInterval& a, const TInterval& b)
    {
        using C = TExprOpCode;
        if constexpr (Code == C::Equal)
            return Equal(a, b);
        else if constexpr (Code == C::NotEqual)
            return NotEqual(a, b);
        else if constexpr (Code == C::Less)
            return Less(a, b);
        else if constexpr (Code == C::LessEqual)
            return LessEqual(a, b);
        else if constexpr (Code == C::Greater)
            return Greater(a, b);
        else if constexpr (Code == C::GreaterEqual)
            return GreaterEqual(a, b);
        else if constexpr (Code == C::Cmp)
            return Cmp(a, b);
        else if constexpr (Code == C::Or)
            return Or(a, b);
        else if constexpr (Code == C::Xor)
            return Xor(a, b);
        else
            return And(a, b);
    }
    static TInterval Integer(IntegerOps::TOperator Op, const TInterval& a, const TInterval& b)
    {
        return IntervalIntegerOps::Apply(Op, a, b);
    }
    static TInterval Negate(const TInterval& a) { return -a; }
    static TInterval Not(const TInterval& a) { return ::Not(a); }
    static TInterval Bnot(const TInterval& a) { return IntervalIntegerOps::Bnot(a); }
    static TInterval Call1(TUnaryRoutine Routine, const TInterval& a)
    {
        return IntervalFunctions::Unary(Routine, a);
    }
    static TInterval Call2(TBinaryRoutine Routine, const TInterval& a, const TInterval& b)
    {
        return IntervalFunctions::Binary(Routine, a, b);
    }
};

TInterval TIntervalRunner::RunInstructions(const TExprProgram& Program, const TExprInstruction* Stop,
                                           TInterval* Left)
{
    if (Stack.size() < Program.StackSize() + 1)
        Stack.resize(Program.StackSize() + 1);
    TIntervals Intervals{*this};
    return ProgramInterpreter::Run<TIntervals, true>(Program, Intervals, Stack.data(), Stop, Left);
}
