#include "plot/TDerivedCurve.h"

#include "analysis/TRunningIntegral.h"
#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TimeSubstitution.h"
#include "plot/GraphKind.h"
#include "plot/TCanvas.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TGraphFrames.h"
#include "plot/TKindDescriptor.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotView.h"

#include <algorithm>
#include <set>
#include <string>

namespace
{
// A derived graph read down to its root: the k-th derivative of function Base, integrated
// from From when Integral is set.
struct TChain
{
    int Base = -1;
    int Order = 0;
    bool Integral = false;
    QString From;
    QString Problem; // empty when the chain can be drawn
};

QString Problem(std::string_view Message, int Number)
{
    return QString::fromStdString(Msg::Format(Message, std::to_string(Number)));
}

QString Problem(std::string_view Message)
{
    return QString::fromUtf8(Message);
}

TChain Resolve(const TFuncList& List, int Index, std::set<int>& Seen)
{
    TChain c;
    if (!Seen.insert(Index).second)
    {
        c.Problem = Problem(Msg::DerivesFromItself, Index + 1);
        return c;
    }
    const TFunc& Graph = List.Item(Index);
    const TDerivedRole Role = KindOf(Graph).DerivedRole();
    if (Role == TDerivedRole::Function)
    {
        c.Base = Index;
        if (Graph.Func.isEmpty())
            c.Problem = Problem(Msg::GraphHasNoFormula, Index + 1);
        return c;
    }
    if (Role == TDerivedRole::None)
    {
        c.Problem = Problem(Msg::NotDerivable, Index + 1);
        return c;
    }
    if (Graph.Of < 1 || Graph.Of > List.Count())
    {
        c.Problem = Problem(Msg::NoSuchGraph, Graph.Of);
        return c;
    }
    TChain Below = Resolve(List, Graph.Of - 1, Seen);
    if (!Below.Problem.isEmpty())
        return Below;
    if (Role == TDerivedRole::Integral)
    {
        if (Below.Integral)
        {
            Below.Problem = Problem(Msg::IntegralOfIntegral);
            return Below;
        }
        Below.Integral = true;
        Below.From = Graph.FromText;
        return Below;
    }
    if (Graph.Order != 1 && Graph.Order != 2)
    {
        Below.Problem = Problem(Msg::DerivativeOrder);
        return Below;
    }
    int Order = Graph.Order;
    if (Below.Integral)
    {
        // The derivative of an integral is the graph integrated.
        Below.Integral = false;
        --Order;
    }
    Below.Order += Order;
    if (Below.Order > 2)
        Below.Problem = Problem(Msg::OrderBeyondTwo);
    return Below;
}

TChain Resolve(const TFuncList& List, int Index)
{
    std::set<int> Seen;
    return Resolve(List, Index, Seen);
}

// Whether an error of the graph's derivative leaves a gap: an undefined point, or a derivative
// beyond the largest number.
bool IsGap(const std::exception_ptr& Error)
{
    try
    {
        std::rethrow_exception(Error);
    }
    catch (const Exception& e)
    {
        return IsUndefinedPoint(e) || dynamic_cast<const EOverflow*>(&e) != nullptr;
    }
    catch (...)
    {
        return false;
    }
}

// The integrand or the derivative: f^(k) at x.
Float80 Derived(TGraphEvaluator& With, const TExprProgram& Program, int Order, Float80 X)
{
    if (Order == 0)
        return With.Run(Program, X);
    const TDual d = With.RunDual(Program, X, Order);
    return Order == 1 ? d.D1 : d.D2;
}

// The row of a value, clamped as a function's rows are (on either kind of axis).
int32_t RowOf(const TPlotView& View, int32_t OriginY, Float80 v)
{
    bool Overflow = false;
    return int32_t(std::clamp(View.RowOf(v, OriginY, Overflow), -View.RowClamp, View.RowClamp));
}
} // namespace

QString DerivedGraphProblem(const TFuncList& List, int Index)
{
    return Resolve(List, Index).Problem;
}

bool TDerivedCurve::Drawn(const TFuncList& List, int Index) const
{
    return Resolve(List, Index).Problem.isEmpty();
}

TCurveTexts TDerivedCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    const TChain c = Resolve(List, Index);
    const auto AtTime = [&](const QString& Text)
    { return FormulaAtTime(Text.toStdU16String(), Context.Time, Context.Separator); };
    TCurveTexts Out{{AtTime(List.Item(c.Base).Func)}, c.Order};
    if (c.Integral)
        Out.Formulas.push_back(AtTime(c.From));
    return Out;
}

// Every column is read; an undefined point leaves a gap. An integral is worked out for all
// columns at once, the first time it is traced.
void TDerivedCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    G = TCurveGeometry();
    G.Started = true;
    TGraphEvaluator& With = In.Evaluators.For(u"x");
    const int Order = In.Texts.Order;
    try
    {
        const std::shared_ptr<const TExprProgram> Program = With.Program(In.Texts.Formulas[0]);
        std::vector<Float80> X;
        for (int64_t px = In.First; px <= In.Last; ++px)
            X.push_back(In.View.PlaneX(px));
        std::vector<TRunningIntegral::TValue> Values;
        if (In.Texts.Formulas.size() > 1)
        {
            const Float80 A = In.Evaluators.For(u"").EvaluateAt(In.Texts.Formulas[1], 0);
            Values = TRunningIntegral::Integrate([&](Float80 u) { return Derived(With, *Program, Order, u); },
                                                 IsGap, A, X);
        }
        for (size_t i = 0; i < X.size(); ++i)
        {
            Float80 v = 0;
            bool Defined = true;
            if (!Values.empty())
            {
                Defined = Values[i].Defined;
                v = Values[i].Value;
            }
            else
                try
                {
                    v = Derived(With, *Program, Order, X[i]);
                }
                catch (const Exception& Error)
                {
                    if (!IsGap(std::current_exception()))
                        throw;
                    Defined = false;
                }
            if (!Defined)
            {
                G.EndPiece();
                continue;
            }
            G.Points.emplace_back(int(In.First + int64_t(i)), RowOf(In.View, In.OriginY, v));
        }
    }
    catch (const Exception& Error)
    {
        if (!IsUndefinedPoint(Error))
            G.Error = std::current_exception();
    }
    G.EndPiece();
}

void TDerivedCurve::DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView&, int32_t OriginY,
                             TColor Color) const
{
    Canvas.SetPenColor(Color);
    for (const QPoint& P : G.Points)
    {
        Canvas.MoveTo(P.x(), OriginY);
        Canvas.LineTo(P.x(), P.y());
    }
}

std::optional<Float80> DerivedValueAt(const TFuncList& List, int Index, Float80 X,
                                      const TEvalContext& Context, TCurveEvaluators& Evaluators)
{
    const TChain c = Resolve(List, Index);
    if (!c.Problem.isEmpty())
        throw EExprEvalError(c.Problem.toStdString());
    const auto AtTime = [&](const QString& Text)
    { return FormulaAtTime(Text.toStdU16String(), Context.Time, Context.Separator); };
    TGraphEvaluator& With = Evaluators.For(u"x");
    const auto Program = With.Program(AtTime(List.Item(c.Base).Func));
    if (!c.Integral)
        return Derived(With, *Program, c.Order, X);
    const Float80 A = Evaluators.For(u"").EvaluateAt(AtTime(c.From), 0);
    const std::vector<TRunningIntegral::TValue> v = TRunningIntegral::Integrate(
        [&](Float80 u) { return Derived(With, *Program, c.Order, u); }, IsGap, A, {X});
    if (!v[0].Defined)
        return std::nullopt;
    return v[0].Value;
}
