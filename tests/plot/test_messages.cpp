// Every message constant against its literal text: the texts are part of what the user sees and
// what scripts read, so a change to any of them must fail here first.
#include "analysis/Errors.h"
#include "plot/Errors.h"

#include <gtest/gtest.h>

#include <string_view>

TEST(Messages, EveryConstantHoldsItsExactText)
{
    const struct
    {
        const char* Name;
        std::string_view Constant;
        std::string_view Text;
    } Rows[] = {
        {"ParenExpected", Msg::ParenExpected, "Parse error: ')' expected"},
        {"FactorExpected", Msg::FactorExpected, "Parse error: Factor expected"},
        {"UnknownSymbol", Msg::UnknownSymbol, "Parse error: Unknown symbol: '%s'"},
        {"FirstParameterExpected", Msg::FirstParameterExpected,
         "Parse error: '(' and function's first parameter expected"},
        {"NextParameterExpected", Msg::NextParameterExpected,
         "Parse error: ',' and another parameter expected"},
        {"CloseParametersExpected", Msg::CloseParametersExpected,
         "Parse error: ')' to close function's parameters expected"},
        {"NestingTooDeep", Msg::NestingTooDeep, "Parse error: Expression nested too deeply"},
        {"InvalidFloat", Msg::InvalidFloat, "'%s' is not a valid floating point value"},
        {"DomainCheck", Msg::DomainCheck, "Domain check failure in MathLib"},
        {"ZeroDivide", Msg::ZeroDivide, "Floating point division by zero"},
        {"InvalidOp", Msg::InvalidOp, "Invalid floating point operation"},
        {"Overflow", Msg::Overflow, "Floating point overflow"},
        {"DivByZero", Msg::DivByZero, "Division by zero"},
        {"DuplicateEntry", Msg::DuplicateEntry, "Duplicate hash list entry: %s"},
        {"UnableToWrite", Msg::UnableToWrite, "Unable to write to %s"},
        {"ViewOutOfRange", Msg::ViewOutOfRange, "The view is out of range"},
        {"NotFinite", AnalysisMsg::NotFinite, "The interval's ends must be finite numbers"},
        {"Reversed", AnalysisMsg::Reversed, "The interval's start must not lie after its end"},
        {"Empty", AnalysisMsg::Empty, "The interval is a single point: give a start below its end"},
        {"TooWide", AnalysisMsg::TooWide, "The interval is wider than 1E18: choose a narrower one"},
        {"UndefinedEverywhere", AnalysisMsg::UndefinedEverywhere,
         "The formula is undefined at every sample of the interval (%s)"},
        {"Cancelled", AnalysisMsg::Cancelled, "The analysis was cancelled"},
        {"AreaOverflow", AnalysisMsg::AreaOverflow, "The area is beyond the largest number"},
        {"MoreResults", AnalysisMsg::MoreResults, "More exist beyond the first %s listed"},
        {"ZeroRun", AnalysisMsg::ZeroRun, "The formula is 0 on the whole stretch from %s"},
        {"LargeErrorEstimate", AnalysisMsg::LargeErrorEstimate,
         "The error estimate is large: the area may not exist (a pole inside the interval?)"},
        {"AreaUndefinedAt", AnalysisMsg::AreaUndefinedAt,
         "The formula is undefined at x = %s inside the interval"},
    };
    for (const auto& Row : Rows)
        EXPECT_EQ(Row.Constant, Row.Text) << Row.Name;
}

TEST(Messages, FormatFillsTheOnePlaceholder)
{
    EXPECT_EQ(Msg::Format(Msg::UnknownSymbol, "Sinn"), "Parse error: Unknown symbol: 'Sinn'");
    EXPECT_EQ(Msg::Format(Msg::UnableToWrite, "/tmp/a %s b.vdg"), "Unable to write to /tmp/a %s b.vdg");
    EXPECT_EQ(Msg::Format(Msg::Overflow, "ignored"), "Floating point overflow");
}
