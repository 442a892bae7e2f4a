#include "expr/TDualRunner.h"

#include "expr/DerivativeRules.h"
#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerOps.h"
#include "expr/ProgramInterpreter.h"
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

namespace
{
// Numbers with their first and second derivative with respect to X: the value as TNumbers
// computes it, the derivatives by each operation's rule; a comparison, a logical or an
// integer operator is flat. Fault remembers why a routine's derivative is undefined.
struct TDuals
{
    using TValue = TDual;
    // The leaves: constants have derivatives 0, the variable X 1.
    const Float80* X;
    TFault Fault = TFault::None;

    TDual Leaf(const Float80* Storage) const { return {*Storage, Storage == X ? 1.0L : 0.0L, 0}; }
    static TDual Constant(double Value) { return Flat(Float80(Value)); }
    template <int Op> static TDual Arith(const TDual& a, const TDual& b)
    {
        if constexpr (Op == 0)
            return DAdd(a, b);
        else if constexpr (Op == 1)
            return DSub(a, b);
        else if constexpr (Op == 2)
            return DMul(a, b);
        else
            return DDiv(a, b);
    }
    template <int Op> static TDual Pair(const TDual& a, const TDual& b, bool) { return Arith<Op>(a, b); }
    template <TExprOpCode Code> static TDual Binary(const TDual& a, const TDual& b)
    {
        using C = TExprOpCode;
        const Float80 u = a.Value, v = b.Value;
        if constexpr (Code == C::Equal)
            return Flat(Truth(u == v));
        else if constexpr (Code == C::NotEqual)
            return Flat(Truth(u != v));
        else if constexpr (Code == C::Less)
            return Flat(Truth(u < v));
        else if constexpr (Code == C::LessEqual)
            return Flat(Truth(u <= v));
        else if constexpr (Code == C::Greater)
            return Flat(Truth(u > v));
        else if constexpr (Code == C::GreaterEqual)
            return Flat(Truth(u >= v));
        else if constexpr (Code == C::Cmp)
            return Flat(u > v ? 1 : u < v ? -1 : 0);
        else if constexpr (Code == C::Or)
            return Flat(Truth(v != 0 || u != 0));
        else if constexpr (Code == C::Xor)
            return Flat(Truth((u != 0) != (v != 0)));
        else
            return Flat(Truth(u != 0 && v != 0));
    }
    static TDual Integer(IntegerOps::TOperator Op, const TDual& a, const TDual& b)
    {
        return Flat(IntegerOps::Apply(Op, a.Value, b.Value));
    }
    static TDual Negate(const TDual& a) { return {-a.Value, -a.D1, -a.D2}; }
    static TDual Not(const TDual& a) { return Flat(Truth(a.Value == 0)); }
    static TDual Bnot(const TDual& a) { return Flat(Float80(~IntegerOps::Round64(a.Value))); }
    TDual Call1(TUnaryRoutine Routine, const TDual& a) { return DerivativeRules::Unary(Routine, a, Fault); }
    TDual Call2(TBinaryRoutine Routine, const TDual& a, const TDual& b)
    {
        return DerivativeRules::Binary(Routine, a, b, Fault);
    }
};
} // namespace

TDual TDualRunner::RunInstructions(const TExprProgram& Program, const Float80* X, int Order)
{
    TDuals Duals{X};
    const TDual Top = ProgramInterpreter::Run(Program, Duals, Stack.data());
    return Checked(Top, Order, Duals.Fault);
}
