// The grammar: values of every operator, the integer conversions, every parse error with
// its class, and the limits on nesting and length.
#include "ExprTestSupport.h"

#include <chrono>
#include <cstdint>

using namespace ExprTest;

namespace
{
struct TValueCase
{
    const char* Name;
    const char16_t* Text;
    Float80 X;
    Float80 Value;
};

void PrintTo(const TValueCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

class GrammarValue : public testing::TestWithParam<TValueCase>
{
};

TEST_P(GrammarValue, IsExact)
{
    const TValueCase& c = GetParam();
    TTestEvaluator t;
    t.X = c.X;
    Float80 v = 0;
    ASSERT_EQ(ErrorOf([&] { v = t.Evaluator.EvaluateText(c.Text); }), "no error") << c.Name;
    EXPECT_EQ(Exact(v), Exact(c.Value)) << c.Name;
}

constexpr Float80 Int64Min = -9223372036854775808.0L;

const TValueCase ValueCases[] = {
    // Precedence and associativity.
    {"product binds tighter than sum", u"2 + 3 * 4", 0, 14},
    {"parentheses group", u"(2 + 3) * 4", 0, 20},
    {"subtraction is left-associative", u"2 - 3 - 4", 0, -5},
    {"division is left-associative", u"8 / 4 / 2", 0, 1},
    {"a prefix minus binds tighter than a product", u"-2 * 3", 0, -6},
    {"a sign after an operator", u"2 * -3", 0, -6},
    {"minus minus", u"2 - -3", 0, 5},
    {"double prefix minus", u"- - 2", 0, 2},
    {"prefix plus", u"+ + 2", 0, 2},
    {"not binds tighter than a sum", u"not 0 + 1", 0, 2},
    {"not 1 plus 1", u"not 1 + 1", 0, 1},
    {"comparisons chain from the left", u"1 < 2 < 3", 0, 1},
    {"descending chain is false", u"3 > 2 > 1", 0, 0},
    {"a sum binds tighter than a comparison", u"1 + 1 = 2", 0, 1},
    {"a comparison inside a function argument", u"Twice(x > 0)", 3, 2},
    {"a function inside its own argument", u"Twice(Twice(x))", 3, 12},
    {"a binary routine gets its arguments in order", u"Minus(10, 3)", 0, 7},
    {"nested binary calls", u"Minus(Minus(10, 3), Minus(1, 2))", 0, 8},
    {"the decimal fraction rounds once", u"0.1", 0, 0.1L},
    {"variable and constant", u"Pi * x", 2, 2 * 3.14159265358979323846L},
    // Comparisons.
    {"cmp less", u"1 cmp 2", 0, -1},
    {"cmp greater", u"2 cmp 1", 0, 1},
    {"cmp equal", u"2 cmp 2", 0, 0},
    {"equal", u"1 = 1", 0, 1},
    {"not equal of equals", u"1 <> 1", 0, 0},
    {"less or equal", u"2 <= 2", 0, 1},
    {"greater or equal", u"1 >= 2", 0, 0},
    {"negative zero equals zero", u"-0 = 0", 0, 1},
    // Logic.
    {"or of falses", u"0 or 0", 0, 0},
    {"or is 1 not the operand", u"2 or 0", 0, 1},
    {"xor of trues", u"2 xor 3", 0, 0},
    {"xor of one true", u"0 xor 3", 0, 1},
    {"and of non-integers", u"2 and 0.5", 0, 1},
    {"and with a zero", u"2 and 0", 0, 0},
    {"not zero", u"not 0", 0, 1},
    {"not five", u"not 5", 0, 0},
    {"not negative zero", u"not -0", 0, 1},
    {"keywords in capitals", u"1 CMP 2", 0, -1},
    {"keywords in mixed case", u"7 Mod 4 + NOT 0", 0, 4},
    {"bnot of zero", u"bnot 0", 0, -1},
    {"bnot rounds first", u"bnot 2.5", 0, -3},
    // Integer operators and rounding.
    {"mod rounds half up to even", u"x mod 3", 7.5L, 2},
    {"mod rounds half down to even", u"x mod 3", 6.5L, 0},
    {"mod keeps the dividend's sign", u"x mod 3", -4, -1},
    {"negative dividend mod", u"-7 mod 2", 0, -1},
    {"div truncates", u"7 div 2", 0, 3},
    {"div truncates toward zero", u"-7 div 2", 0, -3},
    {"div rounds its operands", u"7.5 div 2.5", 0, 4},
    {"the smallest integer div -1 wraps", u"(0 - 9223372036854775807 - 1) div -1", 0, Int64Min},
    {"the smallest integer mod -1 is 0", u"(0 - 9223372036854775807 - 1) mod -1", 0, 0},
    {"shl", u"1 shl 3", 0, 8},
    {"shl into the sign bit", u"1 shl 63", 0, Int64Min},
    {"shl by 64 clears", u"1 shl 64", 0, 0},
    {"shl by 127 clears", u"1 shl 127", 0, 0},
    {"a negative count shifts by its low five bits", u"1 shl -1", 0, 2147483648.0L},
    {"count 128 reads as -128", u"1 shl 128", 0, 1},
    {"count 256 reads as 0", u"3 shl 256", 0, 3},
    {"count 255 reads as -1", u"1 shl 255", 0, 2147483648.0L},
    {"shr is logical", u"-1 shr 60", 0, 15},
    {"shr by 64 clears", u"-1 shr 64", 0, 0},
    {"band", u"5 band 3", 0, 1},
    {"bor", u"5 bor 3", 0, 7},
    {"bxor", u"5 bxor 3", 0, 6},
    {"bor rounds half to even down", u"2.5 bor 0", 0, 2},
    {"bor rounds half to even up", u"3.5 bor 0", 0, 4},
    {"negative halves round to even", u"-2.5 bor 0", 0, -2},
    {"the largest integer survives bor", u"9223372036854775807 bor 0", 0, 9223372036854775807.0L},
    {"the smallest integer survives bor", u"-9223372036854775808 bor 0", 0, Int64Min},
    // Arithmetic edge values.
    {"underflow is silent", u"1e-4000 * 1e-4000", 0, 0},
    {"negation of zero", u"-(0)", 0, -0.0L},
};

INSTANTIATE_TEST_SUITE_P(Parser, GrammarValue, testing::ValuesIn(ValueCases));

struct TErrorCase
{
    const char* Name;
    const char16_t* Text;
    std::string Expected;
};

void PrintTo(const TErrorCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

class GrammarError : public testing::TestWithParam<TErrorCase>
{
};

TEST_P(GrammarError, HasItsClassAndMessage)
{
    const TErrorCase& c = GetParam();
    TTestEvaluator t;
    t.X = 2;
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.EvaluateText(c.Text); }), c.Expected) << c.Name;
}

std::string Parse(std::string_view Message, std::string_view Argument = {})
{
    return Error("EExprEvalError", Message, Argument);
}

const TErrorCase ErrorCases[] = {
    {"an empty text", u"", Parse(Msg::FactorExpected)},
    {"a closing parenthesis alone", u")", Parse(Msg::FactorExpected)},
    {"an operator first", u"*2", Parse(Msg::FactorExpected)},
    {"an operator last", u"2+", Parse(Msg::FactorExpected)},
    {"an unclosed parenthesis", u"(1+2", Parse(Msg::ParenExpected)},
    {"there is no power operator", u"2^3", Parse(Msg::UnknownSymbol, "2")},
    {"a power after a variable names the variable", u"-x^2", Parse(Msg::UnknownSymbol, "x")},
    {"two numbers", u"2 3", Parse(Msg::UnknownSymbol, "3")},
    {"two names", u"x y", Parse(Msg::UnknownSymbol, "y")},
    {"a surplus parenthesis names the last name", u"Twice(x))", Parse(Msg::UnknownSymbol, "x")},
    {"an unknown name", u"Sqr0(x)", Parse(Msg::UnknownSymbol, "Sqr0")},
    {"mod as an operand is a name", u"mod 3", Parse(Msg::UnknownSymbol, "mod")},
    {"an invalid character after an operand", u"1 \u0001", Parse(Msg::UnknownSymbol, "1")},
    {"a period is not an operand", u".5", Parse(Msg::FactorExpected)},
    {"division by zero", u"7 / 0", Error("EZeroDivide", Msg::ZeroDivide)},
    {"zero by zero", u"0 / 0", Error("EInvalidOp", Msg::InvalidOp)},
    {"negative by zero", u"-1 / -0", Error("EZeroDivide", Msg::ZeroDivide)},
    {"mod by zero", u"7 mod 0", Error("EDivByZero", Msg::DivByZero)},
    {"div by zero", u"7 div 0", Error("EDivByZero", Msg::DivByZero)},
    {"div by a divisor that rounds to zero", u"7 div 0.5", Error("EDivByZero", Msg::DivByZero)},
    {"an integer operand beyond 64 bits", u"1e30 bor 1", Error("EInvalidOp", Msg::InvalidOp)},
    {"the integer just past the range", u"9223372036854775808 bor 0", Error("EInvalidOp", Msg::InvalidOp)},
    {"bnot beyond 64 bits", u"bnot 1e19", Error("EInvalidOp", Msg::InvalidOp)},
    {"a product overflows", u"1e4000 * 1e4000", Error("EOverflow", Msg::Overflow)},
    {"a sum overflows", u"1.1e4932 + 1.1e4932", Error("EOverflow", Msg::Overflow)},
    {"a quotient overflows", u"1e4000 / 1e-4000", Error("EOverflow", Msg::Overflow)},
    {"and evaluates its right side", u"0 and (1/0)", Error("EZeroDivide", Msg::ZeroDivide)},
    {"or evaluates its right side", u"1 or (1/0)", Error("EZeroDivide", Msg::ZeroDivide)},
    {"xor evaluates its right side", u"1 xor Root(-1)", Error("EDomainError", Msg::DomainCheck)},
    {"the left operand fails first", u"(1/0) + (0/0)", Error("EZeroDivide", Msg::ZeroDivide)},
    {"a number is converted when it is reached", u"(1 + 1e5000",
     Error("EConvertError", Msg::InvalidFloat, "1e5000")},
    {"a routine error passes unchanged", u"Root(x - 3)", Error("EDomainError", Msg::DomainCheck)},
};

INSTANTIATE_TEST_SUITE_P(Parser, GrammarError, testing::ValuesIn(ErrorCases));

TEST(Parser, TruthValuesAreExactlyOneAndZero)
{
    TTestEvaluator t;
    for (const char16_t* Text : {u"5 = 5", u"-3 or 0", u"0.1 and 7", u"not 0", u"0.5 xor 0"})
        EXPECT_EQ(Exact(t.Evaluator.EvaluateText(Text)), Exact(1)) << ToUtf8(Text);
}

// Deep nesting must fail cleanly instead of exhausting the stack.
TEST(Parser, RefusesNestingDeeperThanTheLimit)
{
    constexpr size_t Deep = 100000;
    TTestEvaluator t;
    const std::u16string Texts[] = {
        std::u16string(Deep, u'(') + u"1" + std::u16string(Deep, u')'),
        std::u16string(Deep, u'-') + u"1",
        []
        {
            std::u16string s;
            for (size_t i = 0; i < Deep; ++i)
                s += u"not ";
            return s + u"1";
        }(),
        []
        {
            std::u16string s;
            for (size_t i = 0; i < Deep; ++i)
                s += u"Twice(";
            return s + u"1" + std::u16string(Deep, u')');
        }(),
        []
        {
            std::u16string s;
            for (size_t i = 0; i < Deep; ++i)
                s += u"Minus(1,";
            return s + u"1" + std::u16string(Deep, u')');
        }(),
    };
    for (const auto& Text : Texts)
        EXPECT_EQ(ErrorOf([&] { t.Evaluator.EvaluateText(Text); }), Parse(Msg::NestingTooDeep))
            << ToUtf8(Text.substr(0, 12));
    EXPECT_EQ(t.Evaluator.EvaluateText(u"Twice(1)"), 2) << "the evaluator still works";
}

TEST(Parser, AcceptsNestingUpToTheLimit)
{
    TTestEvaluator t;
    // Each level of parentheses is one step of the signed-factor recursion, plus the
    // innermost operand itself.
    const size_t Levels = TExprEvalParser::MaxDepth - 1;
    std::u16string Text = std::u16string(Levels, u'(') + u"7" + std::u16string(Levels, u')');
    EXPECT_EQ(t.Evaluator.EvaluateText(Text), 7);
    Text = u"(" + Text + u")";
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.EvaluateText(Text); }), Parse(Msg::NestingTooDeep));
    EXPECT_EQ(t.Evaluator.EvaluateText(std::u16string(TExprEvalParser::MaxDepth - 1, u'-') + u"1"), -1);
}

TEST(Parser, EvaluatesAMillionCharacterFormula)
{
    TTestEvaluator t;
    std::u16string Text = u"1";
    while (Text.size() < 1000000)
        Text += u"+1";
    EXPECT_EQ(t.Evaluator.EvaluateText(Text), Float80((Text.size() + 1) / 2));

    std::u16string Products = u"x";
    while (Products.size() < 1000000)
        Products += u"*x/x";
    t.X = 1;
    EXPECT_EQ(t.Evaluator.EvaluateText(Products), 1);
}
} // namespace
