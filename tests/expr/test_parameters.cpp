// Named parameters: which names are refused and why, and that a formula reads a parameter as
// it reads x, through the literal evaluator, the program's instructions and its machine code
// alike, with no new compile when the value changes.
#include "ExprTestSupport.h"

#include "expr/Errors.h"
#include "expr/TEvaluator.h"
#include "expr/TParameterContext.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace
{
using ExprTest::OutcomeOf;

struct TNameCase
{
    const char* Name;
    std::u16string Candidate;
    std::string Refusal; // empty: accepted
};

const std::string NotAName =
    "is not a name: a parameter's name starts with a letter or '_' and goes on with letters, digits and '_'";
const std::string Reserved =
    "cannot name a parameter: x, y, s, t and Pi have a meaning of their own in formulas";
const std::string Function = "cannot name a parameter: it is the name of a function";

TEST(ParameterNames, AreRefusedWithTheReason)
{
    const TNameCase Cases[] = {
        {"a letter", u"a", ""},
        {"an underscore and digits", u"_k2", ""},
        {"a name character past ASCII after the first", u"a\u00e9", ""},
        {"a name that only contains a function's name", u"Sinus", ""},
        {"empty", u"", "'' " + NotAName},
        {"a digit first", u"2a", "'2a' " + NotAName},
        {"a minus inside", u"a-b", "'a-b' " + NotAName},
        {"a blank inside", u"a b", "'a b' " + NotAName},
        {"a letter past ASCII first", u"\u00e9", "'\u00e9' " + NotAName},
        {"x", u"x", "'x' " + Reserved},
        {"X in capitals", u"X", "'X' " + Reserved},
        {"y", u"y", "'y' " + Reserved},
        {"S in capitals", u"S", "'S' " + Reserved},
        {"t", u"t", "'t' " + Reserved},
        {"T in capitals", u"T", "'T' " + Reserved},
        {"pI in mixed case", u"pI", "'pI' " + Reserved},
        {"a unary function", u"Sin", "'Sin' " + Function},
        {"a function in other case", u"sqrt", "'sqrt' " + Function},
        {"a binary function", u"ARCTAN2", "'ARCTAN2' " + Function},
        {"the last function of the library", u"tanh", "'tanh' " + Function},
    };
    for (const TNameCase& c : Cases)
        EXPECT_EQ(TParameterContext::Refusal(c.Candidate), c.Refusal) << c.Name;
}

TEST(ParameterNames, TwoEqualButForCaseAreOneTooMany)
{
    TParameterContext Context;
    Context.Define({u"k"});
    EXPECT_THROW(Context.Define({u"amp", u"AMP"}), EStringHashMapError);
    // The names before stay.
    EXPECT_EQ(Context.Names(), std::vector<std::u16string>{u"k"});
    EXPECT_NE(Context.Lookup(u"K"), nullptr);
}

// A value in full, as the formula text would hold it.
std::u16string Digits(Float80 Value)
{
    const std::string Text = ExprTest::Exact(Value);
    return std::u16string(Text.begin(), Text.end());
}

struct TParameterSetup : ExprTest::TPlotSetup
{
    TParameterContext Parameters;
    TParameterSetup()
    {
        Parameters.Define({u"a", u"Phase"});
        Evaluator->AddContext(&Parameters);
    }
};

TEST(ParameterReads, AreReadLikeXOnEveryPathWithoutANewCompile)
{
    TParameterSetup Setup;
    const std::u16string Text = u"a*Sin(x + phase) - 1/a";
    const auto Program = Setup.Evaluator->Compile(Text);
    const std::array<Float80, 4> Xs = {-2.5L, 0, 0.75L, 3};
    // 0 in a divides by zero; the others are ordinary values.
    for (const auto& [A, Phase] : {std::pair<Float80, Float80>{1.5L, -0.25L}, {-3, 2}, {0, 1}, {1e300L, 0}})
    {
        Setup.Parameters.SetValue(0, A);
        Setup.Parameters.SetValue(1, Phase);
        EXPECT_EQ(Setup.Difference(Text, Xs), "") << "a = " << double(A);
        for (Float80 x : Xs)
        {
            Setup.X = x;
            // The same as the numbers written into the text in place of the names.
            std::u16string Written = u"(";
            Written.append(Digits(A)).append(u")*Sin(x + (").append(Digits(Phase)).append(u")) - 1/(");
            Written.append(Digits(A)).append(u")");
            EXPECT_EQ(OutcomeOf([&] { return Setup.Evaluator->Run(*Program); }),
                      OutcomeOf([&] { return Setup.Evaluator->EvaluateText(Written); }))
                << "a = " << ExprTest::Exact(A) << " at x = " << double(x);
        }
    }
}

// Assign keeps the storage of names already defined, so a program compiled before reads the new
// values; new names replace it, and say so, since such a program must then be compiled again.
TEST(ParameterReads, AssignKeepsWhatProgramsReadWhileTheNamesStay)
{
    TParameterSetup Setup;
    const auto Program = Setup.Evaluator->Compile(u"a*10 + phase");
    EXPECT_FALSE(Setup.Parameters.Assign({u"a", u"Phase"}, {2, 0.5L}));
    EXPECT_EQ(Setup.Evaluator->Run(*Program), 20.5L);
    // Values missing at the end are 0, as after a new definition.
    EXPECT_FALSE(Setup.Parameters.Assign({u"a", u"Phase"}, {3}));
    EXPECT_EQ(Setup.Evaluator->Run(*Program), 30);
    // The same names in another case, or in another order, are other names.
    EXPECT_TRUE(Setup.Parameters.Assign({u"A", u"Phase"}, {1, 1}));
    EXPECT_TRUE(Setup.Parameters.Assign({u"Phase", u"A"}, {1, 1}));
    EXPECT_EQ(Setup.Evaluator->Run(*Setup.Evaluator->Compile(u"a*10 + phase")), 11);
}

// More parameters than the machine code can hold in registers are read from memory where
// they are used: still machine code, still the same outcome as the other paths.
TEST(ParameterReads, ManyParametersStayInMachineCode)
{
    ExprTest::TPlotSetup Setup;
    TParameterContext Many;
    Many.Define({u"p1", u"p2", u"p3", u"p4", u"p5", u"p6", u"p7", u"p8"});
    for (size_t i = 0; i < Many.Count(); ++i)
        Many.SetValue(i, Float80(i) * 0.75L - 2);
    Setup.Evaluator->AddContext(&Many);
    const std::u16string Texts[] = {
        u"p1*x*x + p2*x + p3",
        u"(p1 + p2*x)/(p3 - p4*x) + p5*p6 - p7/p8",
        u"x/(p1*(p2 - (p3 + (x + p5))))",
        u"p8 - p7 - p6 - p5 - p4 - p3 - p2 - p1 - x",
    };
    const std::array<Float80, 5> Xs = {-2, -0.5L, 0, 1.25L, 1e4000L};
    for (const std::u16string& Text : Texts)
    {
        EXPECT_NE(Setup.Evaluator->Compile(Text)->MachineCode(), nullptr);
        EXPECT_EQ(Setup.Difference(Text, Xs), "");
    }
}

TEST(ParameterReads, AnUndefinedNameKeepsItsMessage)
{
    const std::pair<std::u16string, std::string> Cases[] = {
        {u"b*x", "b"},
        {u"a*x + Phase2", "Phase2"},
        {u"phase + c", "c"},
    };
    for (const auto& [Text, Name] : Cases)
    {
        TParameterSetup With;
        const std::string Expected = "EExprEvalError: Parse error: Unknown symbol: '" + Name + "'";
        EXPECT_EQ(OutcomeOf([&] { return With.Evaluator->EvaluateText(Text); }), Expected);
        EXPECT_EQ(OutcomeOf([&] { return With.Evaluator->Run(*With.Evaluator->Compile(Text)); }), Expected);
    }
}
} // namespace
