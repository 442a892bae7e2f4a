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

// Random formulas: mostly well-formed, with a share of every kind of fault.
class TFormulaGenerator
{
  public:
    explicit TFormulaGenerator(uint32_t Seed) : Random(Seed) {}

    std::u16string Formula() { return Expression(0); }

  private:
    size_t Pick(size_t Count) { return std::uniform_int_distribution<size_t>(0, Count - 1)(Random); }
    bool Chance(int Percent) { return int(Pick(100)) < Percent; }
    template <size_t N> const char16_t* OneOf(const std::array<const char16_t*, N>& Items)
    {
        return Items[Pick(N)];
    }
    std::u16string Blank() { return Chance(30) ? u" " : u""; }

    std::u16string Expression(int Depth)
    {
        if (Depth > 5)
            return Leaf();
        switch (Pick(10))
        {
        case 0:
        case 1:
            return Leaf();
        case 2:
        case 3:
        case 4:
            return Expression(Depth + 1) + Blank() + Operator() + Blank() + Expression(Depth + 1);
        case 5:
            return std::u16string(OneOf(Prefixes)) + Expression(Depth + 1);
        case 6:
            return u"(" + Expression(Depth + 1) + Closing(u")");
        case 7:
            return Unary(Depth);
        case 8:
            return Binary(Depth);
        default:
            return Chance(15) ? Expression(Depth + 1) + OneOf(Junk) : Leaf();
        }
    }

    // Usually the closing text, sometimes missing or replaced.
    std::u16string Closing(const char16_t* Text)
    {
        if (Chance(97))
            return Text;
        return Chance(50) ? u"" : OneOf(Junk);
    }

    std::u16string Unary(int Depth)
    {
        std::u16string Call = std::u16string(OneOf(UnaryNames));
        if (Chance(2))
            return Call; // no argument list
        return Call + u"(" + Expression(Depth + 1) + Closing(u")");
    }

    std::u16string Binary(int Depth)
    {
        const size_t Which = Pick(BinaryNames.size());
        std::u16string Call = std::u16string(BinaryNames[Which]) + u"(" + Expression(Depth + 1);
        // Power loops once per unit of its exponent: keep the exponent a small literal.
        const std::u16string Second = Which == 0 ? std::u16string(OneOf(Exponents)) : Expression(Depth + 1);
        // Under "," a comma right before a digit is read as part of the number.
        return Call + Closing(u",") + Blank() + Second + Closing(u")");
    }

    // Faults are rare per piece, so that most formulas get far enough to compute.
    std::u16string Leaf()
    {
        if (Chance(50))
            return Chance(6) ? OneOf(BadNumbers) : OneOf(Numbers);
        return Chance(4) ? OneOf(BadNames) : OneOf(Names);
    }
    std::u16string Operator() { return Chance(3) ? OneOf(BadOperators) : OneOf(Operators); }

    std::mt19937 Random;
    static constexpr std::array<const char16_t*, 16> Numbers = {
        u"0",    u"1",  u"2",     u"0.5", u"3.25", u"7E+2",    u"1e", u"1e4930",
        u"1e19", u"10", u"1e308", u"3",   u"0.1",  u"1e-4940", u"64", u"9223372036854775808"};
    // Rejected by the conversion under one separator or both, or cut short by ",".
    static constexpr std::array<const char16_t*, 6> BadNumbers = {u"1e5000", u"1.5",  u"1,5",
                                                                  u"2.",     u"0,25", u"1e-5000"};
    static constexpr std::array<const char16_t*, 4> Names = {u"x", u"X", u"Pi", u"pi"};
    static constexpr std::array<const char16_t*, 3> BadNames = {u"foo", u"t", u"x1"};
    static constexpr std::array<const char16_t*, 27> Operators = {
        u"+",   u"-",   u"*",    u"/",   u"=",   u"<>",   u"<",   u"<=",  u">",
        u">=",  u"cmp", u"or",   u"xor", u"bor", u"BXOR", u"and", u"div", u"mod",
        u"shl", u"shr", u"band", u"+",   u"-",   u"*",    u"/",   u"Mod", u"DIV"};
    static constexpr std::array<const char16_t*, 4> BadOperators = {u"^", u"", u",", u"**"};
    static constexpr std::array<const char16_t*, 6> Prefixes = {u"-",     u"+",  u"not ",
                                                                u"bnot ", u"- ", u"NOT "};
    static constexpr std::array<const char16_t*, 9> Junk = {u")", u",",      u"^2", u" 2",     u" x",
                                                            u"$", u"\u00e9", u"(",  u" 1e5000"};
    static constexpr std::array<const char16_t*, 35> UnaryNames = {
        u"Sqrt",      u"Exp",     u"Ln",       u"Abs",       u"LogBase10", u"LogBase2", u"ArcCos",
        u"ArcCot",    u"ArcCsc",  u"ArcSec",   u"ArcSin",    u"ArcTan",    u"Cos",      u"Cot",
        u"Coversine", u"Csc",     u"Exsecans", u"Haversine", u"Sec",       u"Sin",      u"Tan",
        u"Versine",   u"ArcCosH", u"ArcCotH",  u"ArcCscH",   u"ArcSecH",   u"ArcSinH",  u"ArcTanH",
        u"CosH",      u"CotH",    u"CscH",     u"SecH",      u"SinH",      u"TanH",     u"sin"};
    static constexpr std::array<const char16_t*, 3> BinaryNames = {u"Power", u"LogBaseN", u"ArcTan2"};
    static constexpr std::array<const char16_t*, 7> Exponents = {u"3", u"-2",    u"0.5", u"-0.5",
                                                                 u"0", u"40000", u"x"};
};

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
            const std::string Plain = OutcomeOf([&] { return Setup.Evaluator->Run(*Program); });
            const std::string Dual = OutcomeOf([&] { return Runner.Run(*Program, &Setup.X, 0).Value; });
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
