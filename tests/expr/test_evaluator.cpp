// The facade: registration, variables, separators and recovery after errors.
#include "ExprTestSupport.h"

using namespace ExprTest;

namespace
{
TEST(Evaluator, ReadsTheVariableAnewAtEveryCall)
{
    TTestEvaluator t;
    t.X = 2;
    EXPECT_EQ(t.Evaluator.EvaluateText(u"x*x"), 4);
    t.X = 3;
    EXPECT_EQ(t.Evaluator.EvaluateText(u"x*x"), 9);
}

TEST(Evaluator, NamesIgnoreAsciiCase)
{
    TTestEvaluator t;
    t.X = 5;
    EXPECT_EQ(t.Evaluator.EvaluateText(u"X"), 5);
    EXPECT_EQ(t.Evaluator.EvaluateText(u"PI"), t.Evaluator.EvaluateText(u"Pi"));
    EXPECT_EQ(t.Evaluator.EvaluateText(u"twice(x)"), t.Evaluator.EvaluateText(u"TWICE(X)"));
}

TEST(Evaluator, RejectsADuplicateOfEveryKindAndKeepsTheFirst)
{
    TTestEvaluator t;
    t.X = 1;
    Float80 Other = 7;
    const std::string Duplicate = Error("EStringHashMapError", Msg::DuplicateEntry, "X");
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.RegisterVariable(u"X", &Other); }), Duplicate);
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.RegisterConstant(u"X", 1); }), Duplicate);
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.RegisterUnaryFunction(u"X", Twice); }), Duplicate);
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.RegisterBinaryFunction(u"X", Minus); }), Duplicate);
    EXPECT_EQ(t.Evaluator.EvaluateText(u"x"), 1);
}

TEST(Evaluator, RegistrationsTakeEffectAtTheNextCall)
{
    TTestEvaluator t;
    EXPECT_THROW(t.Evaluator.EvaluateText(u"e"), EExprEvalError);
    t.Evaluator.RegisterConstant(u"e", 2.718281828459045235360L);
    EXPECT_EQ(Exact(t.Evaluator.EvaluateText(u"e")), Exact(2.718281828459045235360L));
}

TEST(Evaluator, RecoversAfterEveryKindOfError)
{
    TTestEvaluator t;
    t.X = 4;
    const char16_t* Failing[] = {u"1e5000", u"(1", u"Twice(Root(-1))", u"1/0", u"Minus(Twice(", u"x y"};
    for (const char16_t* Text : Failing)
    {
        EXPECT_THROW(t.Evaluator.EvaluateText(Text), Exception) << ToUtf8(Text);
        EXPECT_EQ(t.Evaluator.EvaluateText(u"Twice(Root(x))"), 4) << "after " << ToUtf8(Text);
    }
}

TEST(Evaluator, FailsAtTheFirstNumberWhileSettingTheText)
{
    TTestEvaluator t;
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.EvaluateText(u"1e5000"); }),
              Error("EConvertError", Msg::InvalidFloat, "1e5000"));
}

TEST(Evaluator, UsesItsDecimalSeparator)
{
    TTestEvaluator Comma(u',');
    EXPECT_EQ(Comma.Evaluator.DecimalSeparator(), u',');
    EXPECT_EQ(Exact(Comma.Evaluator.EvaluateText(u"1,5 * 2")), Exact(3));
    EXPECT_EQ(ErrorOf([&] { Comma.Evaluator.EvaluateText(u"1.5"); }),
              Error("EConvertError", Msg::InvalidFloat, "1.5"));
    // "2,3" is one number under ",": Minus sees one argument.
    EXPECT_EQ(ErrorOf([&] { Comma.Evaluator.EvaluateText(u"Minus(2,3)"); }),
              Error("EExprEvalError", Msg::NextParameterExpected));
    EXPECT_EQ(Comma.Evaluator.EvaluateText(u"Minus(2 ,3)"), -1);
    Comma.X = 5;
    EXPECT_EQ(Comma.Evaluator.EvaluateText(u"Minus(x,3)"), 2);

    TTestEvaluator Period;
    EXPECT_EQ(Period.Evaluator.DecimalSeparator(), u'.');
    EXPECT_EQ(Period.Evaluator.EvaluateText(u"Minus(2,3)"), -1);
}

TEST(Evaluator, NestedCallsOfOneRoutineSeeTheirOwnArguments)
{
    // A symbol inside its own arguments: each call keeps its own binding and argument.
    TTestEvaluator t;
    t.X = 9;
    EXPECT_EQ(t.Evaluator.EvaluateText(u"Minus(Twice(Minus(x, 1)), Twice(Root(x)))"), 10);
}
} // namespace
