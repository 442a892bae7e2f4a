// Whether a field's formula reads, found without computing it.
#include "ExprTestSupport.h"
#include "expr/TFormulaCheck.h"

#include <gtest/gtest.h>

namespace
{
std::string Outcome(const TFormulaCheck& Check, std::u16string_view Text)
{
    const auto Failure = Check.Check(Text);
    if (!Failure)
        return "reads";
    return Failure->ClassName + ": " + Failure->Message + " at [" + std::to_string(Failure->Place.Start) +
           ", " + std::to_string(Failure->Place.End) + ")";
}

TEST(FormulaCheck, FindsTheParseErrorThatAComputationWouldHide)
{
    const std::vector<std::u16string> Function = {u"x", u"a"};
    const TFormulaCheck Check(u'.', Function);
    const std::pair<std::u16string, std::string> Rows[] = {
        {u"Sin(x)*a + Pi", "reads"},
        {u"Ln(0)^2", "EExprEvalError: Parse error: Unknown symbol: '0' at [5, 6)"}, // Ln(0) would fail first
        {u"1/0 + ", "EExprEvalError: Parse error: Factor expected at [6, 6)"},
        {u"t*t^2", "EExprEvalError: Parse error: Unknown symbol: '0' at [3, 4)"}, // t is put in as 0
        {u"T", "EExprEvalError: Parse error: Unknown symbol: 'T' at [0, 1)"},     // only t is the time
        {u"2t", "reads"},                                                         // 20, as the plot reads it
        {u"s + 1", "EExprEvalError: Parse error: Unknown symbol: 's' at [0, 1)"},
        {u"x + 1.5e99999", "EConvertError: '1.5e99999' is not a valid floating point value at [4, 13)"},
    };
    for (const auto& [Text, Expected] : Rows)
        EXPECT_EQ(Outcome(Check, Text), Expected) << ToUtf8(Text);
}

TEST(FormulaCheck, KnowsTheFieldsOwnNames)
{
    const std::vector<std::u16string> Curve = {u"s", u"S", u"phase"};
    const TFormulaCheck Check(u'.', Curve, false);
    EXPECT_EQ(Outcome(Check, u"Cos(s)*PHASE"), "reads");
    EXPECT_EQ(Outcome(Check, u"t"), "EExprEvalError: Parse error: Unknown symbol: 't' at [0, 1)");
    EXPECT_EQ(Check.Arity(u"ARCTAN2"), 2);
    EXPECT_EQ(Check.Arity(u"sqrt"), 1);
    EXPECT_EQ(Check.Arity(u"pi"), 0);
    EXPECT_EQ(Check.Arity(u"Phase"), 0);
    EXPECT_EQ(Check.Arity(u"x"), -1);
}
} // namespace
