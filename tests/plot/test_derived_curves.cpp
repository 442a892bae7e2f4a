// Derivative and integral graphs: their rows against the closed forms, the chains they may
// follow, and the reasons they draw nothing.
#include "test_renderer_support.h"

#include "plot/GraphKind.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TDerivedCurve.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
constexpr int Side = 410;

TFunc Derived(TGraphKind Kind, int Of, int Order = 1, const char* From = "0")
{
    TFunc g;
    g.Kind = Kind;
    g.Of = Of;
    g.Order = Order;
    g.FromText = QString::fromLatin1(From);
    return g;
}

// The rows graph Index of Graphs is traced at, by column.
TCurveGeometry Trace(const std::vector<TFunc>& Graphs, int Index, TPlotView& View, int32_t& OriginY)
{
    TPlotModel m;
    m.FuncList.Assign(Graphs);
    View = TPlotView::Compute(m, Side, Side, 5, u'.');
    OriginY = View.OriginY();
    TGraphEvaluator X(u'.');
    TCurveEvaluators With(u'.');
    With.SetX(&X);
    const TCurveSource& Source = KindOf(Graphs[size_t(Index)]).Source();
    EXPECT_TRUE(Source.Drawn(m.FuncList, Index));
    const TCurveTexts Texts = Source.Texts(m.FuncList, Index, TEvalContext{});
    TCurveTrace In{Texts, With, View};
    In.OriginY = OriginY;
    In.First = 5;
    In.Last = Side - 5;
    TCurveGeometry G;
    Source.Trace(In, G);
    return G;
}
} // namespace

TEST(DerivedCurves, RowsAreThoseOfTheClosedForms)
{
    const TFunc Cubic(QStringLiteral("x*x*x/20-x"));
    const TFunc Cosine(QStringLiteral("Cos(x)"));
    struct
    {
        const char* Name;
        std::vector<TFunc> Graphs;
        std::function<double(double)> Truth;
    } Rows[] = {
        {"first derivative",
         {Cubic, Derived(TGraphKind::Derivative, 1)},
         [](double x) { return 3 * x * x / 20 - 1; }},
        {"second derivative",
         {Cubic, Derived(TGraphKind::Derivative, 1, 2)},
         [](double x) { return 0.3 * x; }},
        {"derivative of a derivative is the second",
         {Cubic, Derived(TGraphKind::Derivative, 1), Derived(TGraphKind::Derivative, 2)},
         [](double x) { return 0.3 * x; }},
        {"integral of Cos from 0 is Sin",
         {Cosine, Derived(TGraphKind::Integral, 1)},
         [](double x) { return std::sin(x); }},
        {"integral from a = 2",
         {Cosine, Derived(TGraphKind::Integral, 1, 1, "2")},
         [](double x) { return std::sin(x) - std::sin(2.0); }},
        {"derivative of an integral is the graph itself",
         {Cosine, Derived(TGraphKind::Integral, 1), Derived(TGraphKind::Derivative, 2)},
         [](double x) { return std::cos(x); }},
        {"integral of a derivative",
         {Cubic, Derived(TGraphKind::Derivative, 1), Derived(TGraphKind::Integral, 2)},
         [](double x) { return x * x * x / 20 - x; }},
    };
    for (const auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        TPlotView View;
        int32_t OriginY = 0;
        const TCurveGeometry G = Trace(Row.Graphs, int(Row.Graphs.size()) - 1, View, OriginY);
        ASSERT_FALSE(G.Error);
        ASSERT_EQ(G.Points.size(), size_t(Side - 10 + 1));
        for (const QPoint& p : G.Points)
        {
            const double x = double(View.PlaneX(p.x()));
            const double Expected = double(OriginY) - Row.Truth(x) * double(View.ScaleY);
            if (std::abs(Expected) < 10000)
            {
                ASSERT_LE(std::abs(p.y() - Expected), 0.5 + 1e-9) << "x = " << x;
            }
        }
    }
}

TEST(DerivedCurves, IntegralsAreCutWhereTheGraphIsUndefinedBetweenAAndX)
{
    // 1/Sqrt(x) is undefined left of 0: the integral from 1 exists right of 0 only.
    TPlotView View;
    int32_t OriginY = 0;
    const TCurveGeometry G = Trace(
        {TFunc(QStringLiteral("1/Sqrt(x)")), Derived(TGraphKind::Integral, 1, 1, "1")}, 1, View, OriginY);
    ASSERT_FALSE(G.Error);
    ASSERT_FALSE(G.Points.empty());
    EXPECT_GT(G.Points.front().x(), View.OriginX);
    for (const QPoint& p : G.Points)
    {
        const double x = double(View.PlaneX(p.x()));
        EXPECT_NEAR(p.y(), double(OriginY) - (2 * std::sqrt(x) - 2) * double(View.ScaleY), 0.5 + 1e-9);
    }
}

TEST(DerivedCurves, ChainsThatCannotBeDrawnSayWhy)
{
    struct
    {
        const char* Name;
        std::vector<TFunc> Graphs;
        QString Problem;
    } Rows[] = {
        {"missing graph",
         {TFunc(QStringLiteral("x")), Derived(TGraphKind::Derivative, 7)},
         QStringLiteral("Graph 7 does not exist.")},
        {"itself",
         {Derived(TGraphKind::Derivative, 1)},
         QStringLiteral("Graph 1 derives from itself through a chain of derived graphs.")},
        {"a loop of two",
         {Derived(TGraphKind::Integral, 2), Derived(TGraphKind::Derivative, 1)},
         QStringLiteral("Graph 2 derives from itself through a chain of derived graphs.")},
        {"third order",
         {TFunc(QStringLiteral("x")), Derived(TGraphKind::Derivative, 1, 2),
          Derived(TGraphKind::Derivative, 2)},
         QStringLiteral("Derivatives beyond the second order are not drawn.")},
        {"no formula",
         {TFunc(), Derived(TGraphKind::Derivative, 1)},
         QStringLiteral("Graph 1 has no formula.")},
    };
    for (const auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        TFuncList List;
        List.Assign(Row.Graphs);
        const int Last = List.Count() - 1;
        EXPECT_EQ(DerivedGraphProblem(List, Last).toStdString(), Row.Problem.toStdString());
        EXPECT_FALSE(KindOf(List.Item(Last)).Source().Drawn(List, Last));
    }
}
