// The fused instructions of compiled programs (a leaf right operand, two leaves, two leaves
// as the right operand of another operator) against the reference evaluator: the same value
// to the last bit, or the same error, for every pair of operators and for operands that make
// either the inner or the outer operation fail.
#include "ExprTestSupport.h"

#include "expr/FunctionLibrary.h"
#include "expr/TExprProgram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

using namespace ExprTest;

namespace
{
// x values that reach every fault: zero divisors, 0/0, overflow and underflow of products.
const std::array<Float80, 8> Xs = {0, 1, -1, 3, 0.1L, 1e4000L, -1e4000L, 1e-4000L};

struct TFusionSetup : TPlotSetup
{
    // The first x at which a compiled path differs from the reference, or "".
    std::string Difference(const std::u16string& Text) { return TPlotSetup::Difference(Text, Xs); }

    bool Contains(const std::u16string& Text, TExprOpCode Code)
    {
        const auto Program = Evaluator->Compile(Text);
        const auto& Instructions = Program->Code();
        return std::any_of(Instructions.begin(), Instructions.end(),
                           [Code](const TExprInstruction& I) { return I.Code == Code; });
    }
};

const std::array<const char16_t*, 4> ArithmeticOperators = {u"+", u"-", u"*", u"/"};
// Leaves: the variable, constants a double holds (2, 0) and ones it does not (0.1, 1e4000, Pi).
const std::array<const char16_t*, 6> Leaves = {u"x", u"2", u"0", u"0.1", u"1e4000", u"Pi"};
// Left operands that already hold a value on the stack, one of them failing by itself.
const std::array<const char16_t*, 3> LeftOperands = {u"x", u"Sin(x*0)+1e4000", u"(1/x)"};

TEST(FusedInstructions, TwoLeavesUnderEveryOperatorAgreeWithTheReference)
{
    TFusionSetup Setup;
    for (const char16_t* Op : ArithmeticOperators)
        for (const char16_t* a : Leaves)
            for (const char16_t* b : Leaves)
            {
                const std::u16string Pair = std::u16string(a) + Op + b;
                // Alone (onto the empty stack), and pushed above a value the next operator uses.
                for (const std::u16string& Text : {Pair, u"x<" + Pair, u"Sqrt(Abs(x))+" + Pair + u"*x"})
                    ASSERT_EQ(Setup.Difference(Text), "") << ToUtf8(Text);
            }
}

TEST(FusedInstructions, PairsAsRightOperandsAgreeWithTheReference)
{
    TFusionSetup Setup;
    for (const char16_t* Outer : ArithmeticOperators)
        for (const char16_t* Inner : ArithmeticOperators)
            for (const char16_t* Left : LeftOperands)
                for (const char16_t* a : Leaves)
                    for (const char16_t* b : Leaves)
                    {
                        // "*" and "/" bind tighter: the pair needs parentheses under them.
                        const bool Tight = Inner[0] == u'*' || Inner[0] == u'/';
                        const std::u16string Pair = std::u16string(a) + Inner + b;
                        const std::u16string Text =
                            std::u16string(Left) + Outer + (Tight ? Pair : u"(" + Pair + u")");
                        ASSERT_EQ(Setup.Difference(Text), "") << ToUtf8(Text);
                    }
}

TEST(FusedInstructions, LeafRightOperandsAndChainsAgreeWithTheReference)
{
    TFusionSetup Setup;
    const char16_t* Texts[] = {
        u"x*x*x*x",
        u"x-1-2-3",
        u"1/x/x",
        u"x*0.5+0.25",
        u"2-3*x",
        u"(2-3)*x",
        u"x*x-3*x+2",
        u"1/x+1/x",
        u"x/(x-x)",
        u"0/x-x/0",
        u"-x*x",
        u"x*-x",
        u"1e4000*x*x",
        u"x-(x-(x-(x-x)))",
        u"x*(x+(x*(x+1)))",
        u"1+(2+(3+(4*x)))",
        u"(x*x)/(x*x)",
        u"x*x < x+x",
        u"Sin(x*0.05)",
        u"Power(x*x, 2)*x",
    };
    for (const char16_t* Text : Texts)
        EXPECT_EQ(Setup.Difference(Text), "") << ToUtf8(Text);
}

// A deep right operand keeps a value below the top at every level: the stack must hold them.
TEST(FusedInstructions, DeepRightOperandsKeepEveryValueBelow)
{
    TFusionSetup Setup;
    std::u16string Text = u"x";
    for (int i = 0; i < 60; ++i)
        Text = u"x*x-(" + Text + u")*x";
    EXPECT_EQ(Setup.Difference(Text), "");
}

// Constants travel as doubles where that keeps every bit: a negative zero keeps its sign,
// and a constant one bit finer than a double keeps that bit.
TEST(FusedInstructions, ConstantsKeepAllTheirBits)
{
    TFusionSetup Setup;
    Setup.Evaluator->RegisterConstant(u"NegZero", -0.0L);
    Setup.Evaluator->RegisterConstant(u"Fine", 1 + 0x1p-60L);
    const char16_t* Texts[] = {u"NegZero*x",   u"x*NegZero", u"NegZero",     u"x-NegZero*x", u"Fine*x",
                               u"x*Fine-Fine", u"Fine-1",    u"x<Fine*Fine", u"1/NegZero",   u"NegZero/x"};
    for (const char16_t* Text : Texts)
        EXPECT_EQ(Setup.Difference(Text), "") << ToUtf8(Text);
    Setup.X = 1;
    EXPECT_EQ(Setup.Evaluator->Run(*Setup.Evaluator->Compile(u"Fine-1")), 0x1p-60L);
    EXPECT_TRUE(std::signbit(Setup.Evaluator->Run(*Setup.Evaluator->Compile(u"NegZero*x"))));
}

// The shapes above are meant to run as single fused instructions: if the compiler stopped
// fusing, the tests above would no longer cover them.
TEST(FusedInstructions, CommonShapesBecomeOneInstruction)
{
    TFusionSetup Setup;
    struct Row
    {
        const char16_t* Text;
        TExprOpCode Expected;
    };
    const Row Rows[] = {
        {u"x*0.5", TExprOpCode::SetProduct},      {u"1/x", TExprOpCode::SetQuotient},
        {u"x<x+2", TExprOpCode::PushSum},         {u"x*x-3*x", TExprOpCode::SubProduct},
        {u"x/(x-1)", TExprOpCode::DivDifference}, {u"Sin(x)*0.5", TExprOpCode::MulOperand},
        {u"Sin(x)-x", TExprOpCode::SubOperand},
    };
    for (const Row& r : Rows)
        EXPECT_TRUE(Setup.Contains(r.Text, r.Expected)) << ToUtf8(r.Text);
    EXPECT_EQ(Setup.Evaluator->Compile(u"1/x")->Code().size(), 2u); // the quotient, then End
}
} // namespace
