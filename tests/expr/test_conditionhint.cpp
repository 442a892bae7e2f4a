// Combined conditions: "and", "or" and "xor" bind tighter than the comparisons, so a combination
// without brackets reads, but not as meant. The hint brackets each condition; the rewrite must
// give, at every point, the truth of the conditions as meant, computed here by C++.
#include "expr/FunctionLibrary.h"
#include "expr/TConditionHint.h"
#include "expr/TEvaluator.h"
#include "expr/TFormulaCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
struct TRow
{
    const char* Name;
    std::u16string Text;
    std::u16string Rewrite; // empty: no hint
    std::function<bool(long double)> Meant;
};
} // namespace

TEST(ConditionHint, EachConditionOfACombinationIsBracketedAndMeansWhatWasMeant)
{
    const std::vector<std::u16string> Names{u"x"};
    const TFormulaCheck Check(u'.', Names);
    const TConditionHint Hint(Check);
    Float80 X = 0;
    auto Evaluator = MakePlotEvaluator(u'.', &X);
    const TRow Rows[] = {
        {"or of two comparisons", u"x < 2 or x > 3", u"(x < 2) or (x > 3)",
         [](long double x) { return x < 2 || x > 3; }},
        {"and in capitals, no blanks", u"x>=-1AND x<=1", u"(x>=-1)AND (x<=1)",
         [](long double x) { return x >= -1 && x <= 1; }},
        {"and with blanks kept", u"x >= -1  and  x <= 1", u"(x >= -1)  and  (x <= 1)",
         [](long double x) { return x >= -1 && x <= 1; }},
        {"three conditions", u"x < -5 or x = 0 or x > 5", u"(x < -5) or (x = 0) or (x > 5)",
         [](long double x) { return x < -5 || x == 0 || x > 5; }},
        {"xor", u"x > 0 xor x > 2", u"(x > 0) xor (x > 2)", [](long double x) { return (x > 0) != (x > 2); }},
        {"already bracketed", u"(x < 2) or (x > 3)", u"", nullptr},
        {"one comparison and a logical operand", u"x < 2 or 0", u"", nullptr},
        {"inside a call only", u"Abs(x < 2 or x > 3)", u"", nullptr},
        {"integer operators are no logical ones", u"x < 2 bor x > 3", u"", nullptr},
    };
    for (const TRow& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        const std::optional<std::u16string> Rewrite = Hint.Rewrite(Row.Text);
        if (Row.Rewrite.empty())
        {
            EXPECT_FALSE(Rewrite);
            continue;
        }
        ASSERT_TRUE(Rewrite);
        EXPECT_TRUE(*Rewrite == Row.Rewrite);
        for (const long double x : {-7.0L, -5.0L, -1.0L, 0.0L, 1.0L, 2.0L, 2.5L, 3.0L, 6.0L})
        {
            X = x;
            EXPECT_EQ(Evaluator->EvaluateText(*Rewrite), Row.Meant(x) ? 1 : 0) << double(x);
        }
    }
}
