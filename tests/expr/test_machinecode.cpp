// Programs of plain arithmetic run as machine code: the same value to the last bit as the
// reference evaluator and as the instructions, or the same error, for every x, infinities
// and NaNs included. Overflows, divisions by zero and invalid operations anywhere in a
// formula must be found although the machine code tests only divisors and the result.
#include "ExprTestSupport.h"

#include "expr/FunctionLibrary.h"
#include "expr/TExprMachineCode.h"
#include "expr/TExprProgram.h"

#include <functional>
#include <limits>
#include <random>
#include <string>

using namespace ExprTest;

namespace
{
constexpr Float80 Inf = std::numeric_limits<Float80>::infinity();
constexpr Float80 NaN = std::numeric_limits<Float80>::quiet_NaN();

const Float80 Xs[] = {0,       -0.0L,    1,        -1,       0.1L, -3.5L, 1e19L,
                      1e2000L, -1e2500L, 1e-2000L, 1e-4940L, Inf,  -Inf,  NaN};

struct TSetup : TPlotSetup
{
    // The first x at which machine code, instructions and reference differ, or "".
    std::string Difference(const std::u16string& Text) { return TPlotSetup::Difference(Text, Xs); }
};

} // namespace

TEST(MachineCode, AgreesWithTheInstructionsAndTheReferenceOnGeneratedArithmetic)
{
    TSetup Setup;
    TArithmeticGenerator Generator(1207);
    int Translated = 0;
    for (int i = 0; i < 3000; ++i)
    {
        const std::u16string Text = Generator.Formula();
        Translated += Setup.Evaluator->Compile(Text)->MachineCode() != nullptr;
        ASSERT_EQ(Setup.Difference(Text), "") << ToUtf8(Text);
    }
    // Only formulas too deep for the registers keep the instructions.
    EXPECT_GT(Translated, 2700);
}

TEST(MachineCode, FindsEveryFaultThatTheInstructionsRaise)
{
    struct TRow
    {
        const char16_t* Text;
        Float80 X;
        std::string Expected;
    };
    const TRow Rows[] = {
        {u"1/x", 0, Error("EZeroDivide", Msg::ZeroDivide)},
        {u"x/x", 0, Error("EInvalidOp", Msg::InvalidOp)},
        {u"1/x", Inf, "value 00000000000000000000"}, // a leaf is never tested, 1/inf is 0
        {u"x+1", Inf, Error("EOverflow", Msg::Overflow)},
        {u"1/(x+1)", Inf, Error("EOverflow", Msg::Overflow)}, // vanishes in the machine code
        {u"2/(x*x)", 1e3000L, Error("EOverflow", Msg::Overflow)},
        {u"1/(1/(x-x))", 1, Error("EZeroDivide", Msg::ZeroDivide)},
        {u"x-x", Inf, Error("EInvalidOp", Msg::InvalidOp)},
        {u"x*0", NaN, Error("EInvalidOp", Msg::InvalidOp)},
        {u"x", Inf, "value 7fff8000000000000000"},
        {u"-x", 0, "value 80000000000000000000"},
        {u"x*x-3*x+2", 2, "value 00000000000000000000"},
        {u"1e4930*1000*0", 1, Error("EOverflow", Msg::Overflow)},
        {u"(x*1e4000)/(x*1e4000)", 1e1000L, Error("EOverflow", Msg::Overflow)},
    };
    TSetup Setup;
    for (const TRow& r : Rows)
    {
        const auto Program = Setup.Evaluator->Compile(r.Text);
        ASSERT_NE(Program->MachineCode(), nullptr) << ToUtf8(r.Text);
        Setup.X = r.X;
        EXPECT_EQ(OutcomeOf([&] { return Setup.Evaluator->Run(*Program); }), r.Expected) << ToUtf8(r.Text);
        EXPECT_EQ(Setup.Difference(r.Text), "") << ToUtf8(r.Text);
    }
}

TEST(MachineCode, TranslatesOnlyArithmeticThatFitsTheRegisters)
{
    struct TRow
    {
        const char16_t* Text;
        bool Translated;
    };
    const TRow Rows[] = {
        {u"x*x-3*x+2", true},
        {u"-(x+0.1)/(x-Pi)", true},
        {u"1-(2-(3-(4-x)))", true},
        {u"1-(2-(3-(4-(5-(6-(7-x))))))", false}, // more values than registers
        {u"(((x+1)/(x+2)+(x+3)/(x+4))/((x+5)/(x+6)))", true},
        {u"Sin(x)", false},
        {u"x<1", false},
        {u"x div 2", false},
        {u"1+", false}, // an error to raise
    };
    TSetup Setup;
    for (const TRow& r : Rows)
    {
        EXPECT_EQ(Setup.Evaluator->Compile(r.Text)->MachineCode() != nullptr, r.Translated) << ToUtf8(r.Text);
        EXPECT_EQ(Setup.Difference(r.Text), "") << ToUtf8(r.Text);
    }
}

// The sticky exception flags of the unit are not what the machine code reads: a flag left set
// by earlier work changes nothing.
TEST(MachineCode, IgnoresFlagsLeftByEarlierWork)
{
    TSetup Setup;
    const auto Program = Setup.Evaluator->Compile(u"x*x+1");
    ASSERT_NE(Program->MachineCode(), nullptr);
    volatile Float80 Zero = 0;
    volatile Float80 Flagged = 1 / Zero; // sets the division-by-zero flag
    (void)Flagged;
    Setup.X = 3;
    EXPECT_EQ(Setup.Evaluator->Run(*Program), 10);
}
