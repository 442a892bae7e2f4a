// Point evaluation: x through the variable, the time as text in the formula.
#include "plot/TGraphEvaluator.h"

#include "expr/Errors.h"
#include "plot/TFuncList.h"

#include <gtest/gtest.h>

namespace
{
TFuncList Graphs(const QString& Formula)
{
    TFuncList List;
    List.Item(0).Func = Formula;
    return List;
}
} // namespace

TEST(GraphEvaluator, EvaluatesWithXStoredAndTimeInsertedAsText)
{
    struct Row
    {
        const char* Formula;
        Float80 X, T, Expected;
    };
    const Row Rows[] = {
        {"x*t", 3, 0.5L, 1.5L},       {"X+1", 2, 0, 3},
        {"2t", 0, 0.5L, 20.5L},       // the text is spliced in as it stands
        {"t*100000", 0, 0.00001L, 1}, // 1E-5 reaches the formula
        {"Sqrt(t)+x", 1, 4, 3},       // the t inside Sqrt stays
        {"-t", 0, -1.5L, 1.5L},
    };
    TGraphEvaluator Evaluator(u'.');
    for (const Row& r : Rows)
        EXPECT_NEAR(double(Evaluator.EvaluateGraph(Graphs(r.Formula), 0, r.X, r.T)), double(r.Expected),
                    1e-12)
            << r.Formula;
}

TEST(GraphEvaluator, FormulaAtTimeIsTheTextEvaluateGraphReads)
{
    TGraphEvaluator Evaluator(u'.');
    const TFuncList List = Graphs("Sin(x*t)+T");
    EXPECT_EQ(Evaluator.FormulaAtTime(List, 0, 2.5e20L), u"Sin(x*2.5E20)+T");
    EXPECT_EQ(Evaluator.FormulaAtTime(List, 0, 0.05L), u"Sin(x*0.05)+T");
    TGraphEvaluator Comma(u',');
    EXPECT_EQ(Comma.FormulaAtTime(List, 0, -1.5L), u"Sin(x*-1,5)+T");
    EXPECT_NEAR(double(Comma.EvaluateGraph(Graphs("x*t"), 0, 3, 0.5L)), 1.5, 1e-15);
}

TEST(GraphEvaluator, ErrorsPassThroughWithTheirClass)
{
    TGraphEvaluator Evaluator(u'.');
    EXPECT_THROW(Evaluator.EvaluateGraph(Graphs("1/x"), 0, 0, 0), EZeroDivide);
    EXPECT_THROW(Evaluator.EvaluateGraph(Graphs("Sqrt(x)"), 0, -1, 0), EDomainError);
    EXPECT_THROW(Evaluator.EvaluateGraph(Graphs("x+"), 0, 1, 0), EExprEvalError);
    // T is never the time parameter: it names nothing.
    EXPECT_THROW(Evaluator.EvaluateGraph(Graphs("T"), 0, 1, 0), EExprEvalError);
}
