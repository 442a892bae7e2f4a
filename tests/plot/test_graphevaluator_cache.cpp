// EvaluateAt runs a program compiled once per text: x is still read at every call, errors
// still pass through, and the cache forgets texts without changing any result.
#include "plot/TGraphEvaluator.h"

#include "expr/Errors.h"

#include <gtest/gtest.h>

#include <string>

TEST(GraphEvaluatorCache, ReadsXAtEveryCallOfTheSameText)
{
    TGraphEvaluator Evaluator(u'.');
    EXPECT_EQ(Evaluator.EvaluateAt(u"x*x-1", 3), 8);
    EXPECT_EQ(Evaluator.EvaluateAt(u"x*x-1", -2), 3);
    EXPECT_THROW(Evaluator.EvaluateAt(u"1/x", 0), EZeroDivide);
    EXPECT_EQ(Evaluator.EvaluateAt(u"1/x", 4), 0.25L);
    EXPECT_THROW(Evaluator.EvaluateAt(u"Ln(x", 0), EDomainError);
    EXPECT_THROW(Evaluator.EvaluateAt(u"Ln(x", 1), EExprEvalError);
}

// More texts than the cache holds, twice over: evicted texts compile again.
TEST(GraphEvaluatorCache, KeepsResultsWhileTextsComeAndGo)
{
    TGraphEvaluator Evaluator(u',');
    for (int Round = 0; Round < 2; ++Round)
        for (int k = 0; k < 600; ++k)
        {
            std::u16string Text = u"x*2+";
            for (char c : std::to_string(k))
                Text += char16_t(c);
            Text += u",5";
            EXPECT_EQ(Evaluator.EvaluateAt(Text, Round), Round * 2 + k + 0.5L) << k;
        }
}
