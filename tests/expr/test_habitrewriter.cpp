// Habits from other plotters: each rewrite must read in its field and give, at several points,
// the value the habit means, computed here by the C++ library in long double, apart from the
// program's own functions.
#include "ExprTestSupport.h"
#include "expr/TFormulaCheck.h"
#include "expr/THabitRewriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
using TReference = std::function<long double(long double)>;

struct THabitRow
{
    const char* Name;
    std::u16string Text;
    std::u16string Rewrite;
    TReference Reference;
    std::vector<long double> Xs;
    // Relative error allowed against the reference; 0: the value must be exact.
    long double Tolerance = 0;
};

// Values of Text in a function graph's field at x; the error's message where there is one.
struct TField
{
    explicit TField(char16_t Sep = u'.', std::vector<std::u16string> Names = {u"x"})
        : Check(Sep, Names), Rewriter(Check), Evaluator(MakePlotEvaluator(Sep, &X))
    {
    }
    TFormulaCheck Check;
    THabitRewriter Rewriter;
    Float80 X = 0;
    std::unique_ptr<TEvaluator> Evaluator;
};

const long double Pi = 3.141592653589793238462643383279502884L;
const long double Ties[] = {-3.5L, -2.5L, -1.5L, -0.5L, 0.5L, 1.5L, 2.5L, 3.5L};

std::vector<long double> With(std::vector<long double> Xs, std::initializer_list<long double> More)
{
    Xs.insert(Xs.end(), More);
    return Xs;
}

TEST(HabitRewriter, RewritesReadAndMeanWhatTheHabitMeans)
{
    const std::vector<long double> Some = {-2.75L, -1, -0.25L, 0.5L, 1, 3.125L};
    const std::vector<long double> Positive = {0.125L, 0.5L, 1, 2, 7.5L, 1000};
    const std::vector<long double> Unit = {-0.875L, -0.5L, 0, 0.25L, 0.75L};
    const std::vector<long double> Steps = With(std::vector<long double>(std::begin(Ties), std::end(Ties)),
                                                {-2.0L, -0.0L, 0.0L, 0.3L, -0.3L, 2.4999999999L, -7.0000001L,
                                                 1e15L + 0.5L, -1e17L - 0.5L, 4503599627370497.5L});
    const THabitRow Rows[] = {
        {"a power with an integer exponent", u"x^2", u"Power(x, 2)", [](long double x) { return x * x; },
         Some},
        {"a negative integer exponent", u"x^-1", u"Power(x, -1)", [](long double x) { return 1 / x; },
         Positive},
        {"a bracketed exponent", u"x^(3)", u"Power(x, 3)", [](long double x) { return x * x * x; }, Some},
        {"the double star", u"x**3", u"Power(x, 3)", [](long double x) { return x * x * x; }, Some},
        {"a superscript two", u"x\u00B2+1", u"Power(x, 2)+1", [](long double x) { return x * x + 1; }, Some},
        {"the power binds tighter than the sign", u"-x^2", u"-Power(x, 2)",
         [](long double x) { return -x * x; }, Some},
        {"powers group from the right",
         u"2^3^x",
         u"Exp(Exp(x*Ln(3))*Ln(2))",
         [](long double x) { return std::pow(2.0L, std::pow(3.0L, x)); },
         {0, 1, 1.5L},
         1e-17L},
        {"a fractional exponent needs a positive base", u"x^0.5", u"Exp(0.5*Ln(x))",
         [](long double x) { return std::sqrt(x); }, Positive, 1e-17L},
        {"a variable exponent",
         u"2^x",
         u"Exp(x*Ln(2))",
         [](long double x) { return std::exp2(x); },
         {-3, -0.5L, 0.25L, 10},
         1e-17L},
        {"a product without its star", u"2x", u"2*x", [](long double x) { return 2 * x; }, Some},
        {"a number before a bracket", u"2(x+1)", u"2*(x+1)", [](long double x) { return 2 * (x + 1); }, Some},
        {"brackets side by side", u"(x+1)(x-1)", u"(x+1)*(x-1)",
         [](long double x) { return (x + 1) * (x - 1); }, Some},
        {"a variable before a bracket", u"x(x+1)", u"x*(x+1)", [](long double x) { return x * (x + 1); },
         Some},
        {"a number before a function", u"3 Sin(x)", u"3*Sin(x)",
         [](long double x) { return 3 * std::sin(x); }, Some, 1e-18L},
        {"a product before a power", u"2x^2", u"2*Power(x, 2)", [](long double x) { return 2 * x * x; },
         Some},
        {"e to a power", u"e^x", u"Exp(x)", [](long double x) { return std::exp(x); }, Some, 1e-18L},
        {"e written after a number", u"2e^(-x*x)", u"2*Exp(-x*x)",
         [](long double x) { return 2 * std::exp(-x * x); }, Some, 1e-18L},
        {"e alone", u"x + e", u"x + Exp(1)", [](long double x) { return x + std::exp(1.0L); }, Some, 1e-18L},
        {"bars around a value", u"|x-1|+|x+1|", u"Abs(x-1)+Abs(x+1)",
         [](long double x) { return std::fabs(x - 1) + std::fabs(x + 1); }, Some},
        {"bars after a number", u"2|x|", u"2*Abs(x)", [](long double x) { return 2 * std::fabs(x); }, Some},
        {"bars inside bars", u"||x|-1|", u"Abs(Abs(x)-1)",
         [](long double x) { return std::fabs(std::fabs(x) - 1); }, Some},
        {"the letter pi", u"2\u03C0x", u"2*Pi*x", [](long double x) { return 2 * Pi * x; }, Some, 1e-18L},
        {"a doubled equals sign", u"x == 1", u"x = 1", [](long double x) { return x == 1 ? 1.0L : 0.0L; },
         Some},
        {"a not-equal with an exclamation mark", u"(x != 1)*x", u"(x <> 1)*x",
         [](long double x) { return x != 1 ? x : 0.0L; }, Some},
        {"floor", u"floor(x)", u"(x div 1 - (x div 1 > x))", [](long double x) { return std::floor(x); },
         Steps},
        {"ceil of an expression", u"ceil(x/2)", u"((x/2) div 1 + ((x/2) div 1 < (x/2)))",
         [](long double x) { return std::ceil(x / 2); }, Steps},
        {"round takes halves away from zero", u"round(x)",
         u"(x div 1 + (((x - x div 1)*2 = 1) and (x > 0)) - (((x - x div 1)*2 = -1) and (x < 0)))",
         [](long double x) { return std::round(x); }, Steps},
        {"sign", u"sign(x)", u"((x > 0) - (x < 0))", [](long double x) { return (x > 0) - (x < 0) + 0.0L; },
         Steps},
        {"sgn is sign", u"sgn(x-1)", u"(((x-1) > 0) - ((x-1) < 0))",
         [](long double x) { return (x > 1) - (x < 1) + 0.0L; }, Some},
        {"max of two", u"max(x, 1)", u"((x >= 1)*x + (x < 1)*1)",
         [](long double x) { return std::fmax(x, 1.0L); }, Some},
        {"min of two", u"min(x, -x)", u"((x <= (-x))*x + (x > (-x))*(-x))",
         [](long double x) { return std::fmin(x, -x); }, Some},
        {"max of three", u"max(1, x, 2)",
         u"((((1 >= x)*1 + (1 < x)*x) >= 2)*((1 >= x)*1 + (1 < x)*x) + "
         u"(((1 >= x)*1 + (1 < x)*x) < 2)*2)",
         [](long double x) { return std::fmax(std::fmax(1.0L, x), 2.0L); }, With(Some, {1.5L, 2.5L})},
        {"pow is a power", u"pow(x, 2)", u"Power(x, 2)", [](long double x) { return x * x; }, Some},
        {"asin", u"asin(x)", u"ArcSin(x)", [](long double x) { return std::asin(x); }, Unit, 1e-18L},
        {"acos", u"acos(x)", u"ArcCos(x)", [](long double x) { return std::acos(x); }, Unit, 1e-18L},
        {"atan", u"atan(x)", u"ArcTan(x)", [](long double x) { return std::atan(x); }, Some, 1e-18L},
        {"atan2 keeps y first", u"atan2(x, -1)", u"ArcTan2(x, -1)",
         [](long double x) { return std::atan2(x, -1.0L); }, Some, 1e-18L},
        {"asinh", u"asinh(x)", u"ArcSinH(x)", [](long double x) { return std::asinh(x); }, Some, 1e-18L},
        {"acosh",
         u"acosh(x)",
         u"ArcCosH(x)",
         [](long double x) { return std::acosh(x); },
         {1.5L, 2, 10},
         1e-18L},
        {"atanh", u"atanh(x)", u"ArcTanH(x)", [](long double x) { return std::atanh(x); }, Unit, 1e-18L},
        {"acoth",
         u"acoth(x)",
         u"ArcCotH(x)",
         [](long double x) { return std::atanh(1 / x); },
         {-3, 1.5L, 4},
         1e-18L},
        {"asech",
         u"asech(x)",
         u"ArcSecH(x)",
         [](long double x) { return std::acosh(1 / x); },
         {0.25L, 0.5L, 1},
         1e-18L},
        {"acsch",
         u"acsch(x)",
         u"ArcCscH(x)",
         [](long double x) { return std::asinh(1 / x); },
         {-3, -0.5L, 0.5L, 2},
         1e-18L},
        {"log10", u"log10(x)", u"LogBase10(x)", [](long double x) { return std::log10(x); }, Positive,
         1e-18L},
        {"log2", u"log2(x)", u"LogBase2(x)", [](long double x) { return std::log2(x); }, Positive, 1e-18L},
        {"several habits at once keep the blanks", u"2x^2 - |x| + e^x", u"2*Power(x, 2) - Abs(x) + Exp(x)",
         [](long double x) { return 2 * x * x - std::fabs(x) + std::exp(x); }, Some, 1e-18L},
        {"habits inside a function's argument", u"Sin(2x)", u"Sin(2*x)",
         [](long double x) { return std::sin(2 * x); }, Some, 1e-18L},
    };
    TField Field;
    for (const THabitRow& Row : Rows)
    {
        const auto Hint = Field.Rewriter.Hint(Row.Text);
        ASSERT_TRUE(Hint.has_value()) << Row.Name;
        EXPECT_EQ(ToUtf8(Hint->Rewrite), ToUtf8(Row.Rewrite)) << Row.Name;
        EXPECT_FALSE(Hint->Note.empty()) << Row.Name;
        for (long double x : Row.Xs)
        {
            Field.X = x;
            const long double Want = Row.Reference(x);
            long double Got = 0;
            ASSERT_NO_THROW(Got = Field.Evaluator->EvaluateText(Hint->Rewrite))
                << Row.Name << " at " << double(x);
            if (Row.Tolerance == 0) // 0 and -0 are the same value here: floor(-0.3) may give either
                EXPECT_TRUE(Got == Want) << Row.Name << " at " << ExprTest::Exact(x) << ": "
                                         << ExprTest::Exact(Got) << " for " << ExprTest::Exact(Want);
            else
                EXPECT_LE(std::fabs(Got - Want), Row.Tolerance * std::fabs(Want))
                    << Row.Name << " at " << double(x);
        }
    }
}

TEST(HabitRewriter, IntegerRoundingFailsPlainlyBeyondTheIntegerRange)
{
    // Past 2^63 the integer operators cannot hold the value: an error, never a wrong number.
    TField Field;
    const auto Hint = Field.Rewriter.Hint(u"floor(x)");
    ASSERT_TRUE(Hint.has_value());
    EXPECT_NE(Hint->Note.find("9.2E18"), std::string::npos);
    Field.X = 1e19L;
    EXPECT_EQ(ExprTest::ErrorOf([&] { Field.Evaluator->EvaluateText(Hint->Rewrite); }),
              ExprTest::Error("EInvalidOp", Msg::InvalidOp));
    Field.X = 9223372036854775807.0L - 0.5L; // below 2^63, the last value with a fraction
    EXPECT_EQ(Field.Evaluator->EvaluateText(Hint->Rewrite), std::floor(Field.X));
}

TEST(HabitRewriter, SaysSoWhereThereIsNoEquivalent)
{
    const std::pair<std::u16string, const char*> Rows[] = {
        {u"x!", "factorial"},
        {u"x % 2", "mod"},
        {u"log(x)", "LogBase10"},
        {u"2x + log(x)", "LogBase10"},
    };
    TField Field;
    for (const auto& [Text, Word] : Rows)
    {
        const auto Hint = Field.Rewriter.Hint(Text);
        ASSERT_TRUE(Hint.has_value()) << ToUtf8(Text);
        EXPECT_TRUE(Hint->Rewrite.empty()) << ToUtf8(Text);
        EXPECT_NE(Hint->Note.find(Word), std::string::npos) << Hint->Note;
    }
}

TEST(HabitRewriter, OffersNothingThatWouldFailAgain)
{
    const std::u16string Rows[] = {
        u"Sin(x)",      // reads already
        u"x^2 + foo",   // the rewrite still names an unknown name
        u"foo(x)",      // no habit
        u"2 3",         // two numbers are no product
        u"Sin x",       // a function without its bracket
        u"1e5000^2",    // a number no grammar reads
        u"(x+1",        // an unclosed bracket
        u"|x",          // an unclosed bar
        u"max(x)",      // max of one argument
        u"2s",          // s is not known in a function graph
        u"floor(x, 2)", // floor takes one argument
        u"x^^2",        // no habit reads it
        u"2^x^",        // an exponent missing
        u"Sin(x))",     // a bracket too many
        u"asec(x)",     // other plotters' asec differs from ArcSec for negative x
    };
    TField Field;
    for (const std::u16string& Text : Rows)
        EXPECT_FALSE(Field.Rewriter.Hint(Text).has_value()) << ToUtf8(Text);
}

TEST(HabitRewriter, FollowsTheNamesAndTheSeparatorOfTheField)
{
    struct TRow
    {
        const char* Name;
        char16_t Sep;
        std::vector<std::u16string> Names;
        std::u16string Text;
        std::u16string Rewrite; // empty: no hint
    };
    const TRow Rows[] = {
        {"a curve knows s", u'.', {u"s"}, u"2s", u"2*s"},
        {"a parameter named e is not Exp(1)", u'.', {u"x", u"e"}, u"e^2", u"Power(e, 2)"},
        {"t is read as the time", u'.', {u"x"}, u"x^t", u"Exp(t*Ln(x))"},
        {"under a comma the arguments of max still part",
         u',',
         {u"x"},
         u"max(x,1)",
         u"((x >= 1)*x + (x < 1)*1)"},
        {"under a comma 2,1 is one number", u',', {u"x"}, u"max(2,1)", u""},
        {"a fraction written with the comma", u',', {u"x"}, u"x^0,5", u"Exp(0,5*Ln(x))"},
    };
    for (const TRow& Row : Rows)
    {
        TFormulaCheck Check(Row.Sep, Row.Names);
        const auto Hint = THabitRewriter(Check).Hint(Row.Text);
        EXPECT_EQ(ToUtf8(Hint ? Hint->Rewrite : u""), ToUtf8(Row.Rewrite)) << Row.Name;
    }
}
} // namespace
