// Where reading a formula stopped: the token at which the parser found the fault, the same in
// the reference parser and in the compiled program, and never part of the message.
#include "ExprTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace
{
using ExprTest::TPlotSetup;

struct TPlaceRow
{
    const char* Name;
    std::u16string Text;
    std::string Message;             // class and message, as OutcomeOf gives them
    std::optional<TTextPlace> Place; // none: the error is not one of reading
};

std::optional<TTextPlace> PlaceOf(TEvaluator& Evaluator, const std::u16string& Text)
{
    try
    {
        Evaluator.EvaluateText(Text);
    }
    catch (const Exception& Error)
    {
        return Error.Place();
    }
    return std::nullopt;
}

std::string Unknown(std::string_view Name)
{
    return ExprTest::Error("EExprEvalError", Msg::UnknownSymbol, Name);
}
std::string Parse(std::string_view Message)
{
    return ExprTest::Error("EExprEvalError", Message);
}

TEST(ErrorPlace, IsTheTokenWhereReadingStopped)
{
    const std::u16string Deep = std::u16string(300, u'(') + u"1";
    const TPlaceRow Rows[] = {
        {"a power sign is left over after x", u"x^2", Unknown("x"), TTextPlace{1, 2}},
        {"a name right after a number is left over", u"2x", Unknown("x"), TTextPlace{1, 2}},
        {"blanks before the leftover are not part of it", u"2   3", Unknown("3"), TTextPlace{4, 5}},
        {"an unknown name is the whole name", u"1 + Sqr0(x)", Unknown("Sqr0"), TTextPlace{4, 8}},
        {"a keyword where an operand stands is a name", u"mod 3", Unknown("mod"), TTextPlace{0, 3}},
        {"an empty text stops at its end", u"", Parse(Msg::FactorExpected), TTextPlace{0, 0}},
        {"a text of blanks stops after them", u"   ", Parse(Msg::FactorExpected), TTextPlace{3, 3}},
        {"an operator with nothing after it", u"2+", Parse(Msg::FactorExpected), TTextPlace{2, 2}},
        {"an operator where an operand should be", u"*2", Parse(Msg::FactorExpected), TTextPlace{0, 1}},
        {"an unclosed bracket stops at the end", u"(1+2", Parse(Msg::ParenExpected), TTextPlace{4, 4}},
        {"a bracket closed by something else", u"(1+2 3)", Parse(Msg::ParenExpected), TTextPlace{5, 6}},
        {"a function without its bracket", u"Sin x", Parse(Msg::FirstParameterExpected), TTextPlace{4, 5}},
        {"a function at the end of the text", u"1+Sin", Parse(Msg::FirstParameterExpected), TTextPlace{5, 5}},
        {"a missing second argument", u"Power(2)", Parse(Msg::NextParameterExpected), TTextPlace{7, 8}},
        {"a second argument too many", u"Sin(1, 2)", Parse(Msg::CloseParametersExpected), TTextPlace{5, 6}},
        {"a closing bracket too many names x", u"Sin(x))", Unknown("x"), TTextPlace{6, 7}},
        {"a constant given an argument", u"Pi(1)", Unknown("Pi"), TTextPlace{2, 3}},
        {"a number the conversion rejects", u"1 + 1e5000",
         ExprTest::Error("EConvertError", Msg::InvalidFloat, "1e5000"), TTextPlace{4, 10}},
        {"nesting too deep stops at the bracket past the limit", Deep, Parse(Msg::NestingTooDeep),
         TTextPlace{255, 256}},
        {"a code unit above U+00FF counts as one", u"\u0141 + 1", Parse(Msg::FactorExpected),
         TTextPlace{0, 1}},
        {"a routine's domain error has no place", u"Ln(0", ExprTest::Error("EDomainError", Msg::DomainCheck),
         std::nullopt},
        {"an arithmetic error has no place", u"0/(x-x)", ExprTest::Error("EInvalidOp", Msg::InvalidOp),
         std::nullopt},
    };
    TPlotSetup Setup;
    const std::array<Float80, 2> Xs = {0, 1.5L};
    for (const TPlaceRow& Row : Rows)
    {
        Setup.X = 0;
        EXPECT_EQ(ExprTest::OutcomeOf([&] { return Setup.Evaluator->EvaluateText(Row.Text); }), Row.Message)
            << Row.Name;
        const std::optional<TTextPlace> Place = PlaceOf(*Setup.Evaluator, Row.Text);
        EXPECT_EQ(Place.has_value(), Row.Place.has_value()) << Row.Name;
        if (Place && Row.Place)
        {
            EXPECT_EQ(Place->Start, Row.Place->Start) << Row.Name;
            EXPECT_EQ(Place->End, Row.Place->End) << Row.Name;
        }
        EXPECT_EQ(Setup.Difference(Row.Text, Xs), "") << Row.Name;
    }
}

TEST(ErrorPlace, FollowsTheDecimalSeparator)
{
    // Under "," the run 2,3 is one number, so Power sees no comma; "1.5" is rejected whole.
    TPlotSetup Comma(u',');
    const std::array<Float80, 1> Xs = {0};
    EXPECT_EQ(PlaceOf(*Comma.Evaluator, u"Power(2,3)"), (TTextPlace{9, 10}));
    EXPECT_EQ(PlaceOf(*Comma.Evaluator, u"x + 1.5"), (TTextPlace{4, 7}));
    EXPECT_EQ(Comma.Difference(u"Power(2,3)", Xs), "");
    EXPECT_EQ(Comma.Difference(u"x + 1.5", Xs), "");
}
} // namespace
