// The compiled path against the reference evaluator: for every text and every x, the same
// value to the last bit, or the same error class and message. Formulas come from a seeded
// generator over the whole language (including broken texts), plus a table of the cases
// where the order of operations decides which error wins.
#include "ExprTestSupport.h"

#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TExprProgram.h"
#include "expr/TExprSym.h"

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace ExprTest;

namespace
{
const std::array<Float80, 9> Xs = {0, 1, -1, 0.5L, -2.5L, 3, 100, 12000, 1e19L};

TEST(Compiler, AgreesWithTheReferenceOnGeneratedFormulas)
{
    for (char16_t Separator : {u'.', u','})
    {
        TPlotSetup Setup(Separator);
        TFormulaGenerator Generator(Separator == u'.' ? 20261207 : 7);
        for (int i = 0; i < 2500; ++i)
        {
            const std::u16string Text = Generator.Formula();
            const std::string Found = Setup.Difference(Text, Xs);
            ASSERT_EQ(Found, "") << "formula " << ToUtf8(Text) << " with separator " << char(Separator);
        }
    }
}

// A run that carries derivatives computes the same value, or fails with the same error.
TEST(Compiler, DerivativeRunsCarryThePlainValueOrError)
{
    TPlotSetup Setup;
    TDualRunner Runner(*Setup.Evaluator);
    TFormulaGenerator Generator(1207);
    for (int i = 0; i < 1500; ++i)
    {
        const std::u16string Text = Generator.Formula();
        const auto Program = Setup.Evaluator->Compile(Text);
        for (Float80 x : Xs)
        {
            Setup.X = x;
            const std::string Plain = PlacedOutcomeOf([&] { return Setup.Evaluator->Run(*Program); });
            const std::string Dual = PlacedOutcomeOf([&] { return Runner.Run(*Program, &Setup.X, 0).Value; });
            ASSERT_EQ(Dual, Plain) << "formula " << ToUtf8(Text) << " at x = " << Exact(x);
        }
    }
}

// Texts where which error wins depends on the exact order of operations.
TEST(Compiler, RaisesTheFirstErrorOfTheReference)
{
    struct Row
    {
        const char16_t* Text;
        std::string Expected;
    };
    const Row Rows[] = {
        {u"Ln(0", Error("EDomainError", Msg::DomainCheck)}, // the routine runs before ")" is checked
        {u"Ln(0)1e5000", Error("EDomainError", Msg::DomainCheck)},
        {u"Power(2, 3", Error("EExprEvalError", Msg::CloseParametersExpected)}, // ")" before the routine
        {u"Power(0,-1)1e5000", Error("EConvertError", Msg::InvalidFloat, "1e5000")},
        {u"Power(0,-1)", Error("EZeroDivide", Msg::ZeroDivide)},
        {u"1e5000", Error("EConvertError", Msg::InvalidFloat, "1e5000")},
        {u"x 1e5000", Error("EConvertError", Msg::InvalidFloat, "1e5000")},
        {u"(1/0", Error("EZeroDivide", Msg::ZeroDivide)},
        {u"1/0 + (", Error("EZeroDivide", Msg::ZeroDivide)},
        {u"1/0 + foo", Error("EZeroDivide", Msg::ZeroDivide)},
        {u"foo(1/0)", Error("EExprEvalError", Msg::UnknownSymbol, "foo")},
        {u"2^3", Error("EExprEvalError", Msg::UnknownSymbol, "2")},
        {u"Sin(x)^2", Error("EExprEvalError", Msg::UnknownSymbol, "x")},
        {u"Sin", Error("EExprEvalError", Msg::FirstParameterExpected)},
        {u"Power(2)", Error("EExprEvalError", Msg::NextParameterExpected)},
        {u"", Error("EExprEvalError", Msg::FactorExpected)},
        {u"1 bor 1e19", Error("EInvalidOp", Msg::InvalidOp)},
        {u"1 div 0.4", Error("EDivByZero", Msg::DivByZero)},
        {u"1e4000*1e4000", Error("EOverflow", Msg::Overflow)},
        {u"0/0", Error("EInvalidOp", Msg::InvalidOp)},
        {u"1,5", Error("EExprEvalError", Msg::UnknownSymbol, "1")},
    };
    TPlotSetup Setup(u'.');
    for (const Row& r : Rows)
    {
        Setup.X = 1;
        const auto Program = Setup.Evaluator->Compile(r.Text);
        EXPECT_EQ(ErrorOf([&] { Setup.Evaluator->Run(*Program); }), r.Expected) << ToUtf8(r.Text);
        EXPECT_EQ(Setup.Difference(r.Text, Xs), "") << ToUtf8(r.Text);
    }
}

TEST(Compiler, ReadsNumbersWithTheEvaluatorsSeparator)
{
    TPlotSetup Comma(u',');
    EXPECT_EQ(Comma.Evaluator->Run(*Comma.Evaluator->Compile(u"1,5*2")), 3);
    EXPECT_EQ(ErrorOf([&] { Comma.Evaluator->Run(*Comma.Evaluator->Compile(u"1.5")); }),
              Error("EConvertError", Msg::InvalidFloat, "1.5"));
}

// Nesting through parentheses, prefix operators and function arguments fails at the same
// depth, and an arithmetic error before the deep part still wins.
TEST(Compiler, StopsAtTheParsersNestingLimit)
{
    TPlotSetup Setup(u'.');
    const std::array<std::u16string, 3> Openers = {u"(", u"-", u"Sin("};
    for (const std::u16string& Open : Openers)
        for (int n = 250; n <= 260; ++n)
        {
            std::u16string Text;
            for (int i = 0; i < n; ++i)
                Text += Open;
            Text += u"x";
            if (Open != u"-")
                Text += std::u16string(n, u')');
            EXPECT_EQ(Setup.Difference(Text, Xs), "") << ToUtf8(Open) << " nested " << n;
            EXPECT_EQ(Setup.Difference(u"1/x+" + Text, Xs), "") << ToUtf8(Open) << " nested " << n;
        }
    const auto Deep = Setup.Evaluator->Compile(std::u16string(300, u'(') + u"1");
    EXPECT_EQ(ErrorOf([&] { Setup.Evaluator->Run(*Deep); }), Error("EExprEvalError", Msg::NestingTooDeep));
}

TEST(Compiler, ReadsVariablesWhenRunNotWhenCompiled)
{
    TTestEvaluator t;
    const auto Program = t.Evaluator.Compile(u"x*x-Twice(x)+Minus(x, 1)");
    for (Float80 x : {2.0L, 3.0L, -0.75L})
    {
        t.X = x;
        EXPECT_EQ(t.Evaluator.Run(*Program), x * x - 2 * x + (x - 1));
    }
}

// A symbol of a kind the compiler does not know: the program reads the text instead.
class TCountingSym final : public TExprSym
{
  public:
    using TExprSym::TExprSym;
    Float80 ComputeValue() override { return ++Calls; }
    int Calls = 0;
};

class TEvaluatorWithOwnSymbol : public TEvaluator
{
  public:
    TEvaluatorWithOwnSymbol()
    {
        auto Symbol = std::make_unique<TCountingSym>(u"Count");
        Counter = Symbol.get();
        OwnSymbols->Insert(std::move(Symbol));
    }
    TCountingSym* Counter;
};

TEST(Compiler, LetsTheReferenceReadTextsWithUnknownKindsOfSymbol)
{
    TEvaluatorWithOwnSymbol Evaluator;
    const auto Program = Evaluator.Compile(u"Count*10");
    EXPECT_TRUE(Program->NeedsReference());
    EXPECT_EQ(Evaluator.Run(*Program), 10);
    EXPECT_EQ(Evaluator.Run(*Program), 20);
}
} // namespace
