#include "plot/TSampledCurve.h"

#include "expr/Errors.h"
#include "expr/TimeSubstitution.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TPlotView.h"

#include <cmath>

namespace
{
// One evaluation: the parameter, whether the curve is defined there, its plane point and
// its place in device pixels (not rounded).
struct TSample
{
    Float80 S = 0;
    bool Ok = false;
    Float80 X = 0, Y = 0;
    Float80 Px = 0, Py = 0;
};

class TSampler
{
  public:
    TSampler(const TCurveTrace& In, const TSampledCurve::TPointAt& PointAt, TCurveGeometry& G)
        : In(In), PointAt(PointAt), G(G)
    {
        const Float80 C = Float80(In.View.RowClamp);
        BoxLeft = BoxTop = -C;
        BoxRight = Float80(In.View.InnerWidth + 2 * int64_t(In.View.Margin)) + C;
        BoxBottom = Float80(In.View.InnerHeight + 2 * int64_t(In.View.Margin)) + C;
    }

    TSample At(Float80 S)
    {
        ++Samples;
        TSample r;
        r.S = S;
        try
        {
            if (!PointAt(S, r.X, r.Y))
                return r;
        }
        catch (const Exception& Error)
        {
            if (IsUndefinedPoint(Error))
                return r;
            throw;
        }
        r.Px = In.View.ColumnAt(r.X);
        r.Py = In.View.RowAt(r.Y, In.OriginY);
        r.Ok = std::isfinite(r.Px) && std::isfinite(r.Py);
        return r;
    }

    // The samples strictly between A and B, in order, as the curve's shape asks for them.
    void Refine(const TSample& A, const TSample& B, int Depth)
    {
        if (!A.Ok && !B.Ok)
            return;
        const Float80 Middle = A.S + (B.S - A.S) / 2;
        if (Depth >= TSampledCurve::MaxDepth || Samples >= TSampledCurve::MaxSamples || Middle == A.S ||
            Middle == B.S)
        {
            if (A.Ok && B.Ok && Jumps(A, B))
                CutNext = true;
            return;
        }
        const TSample M = At(Middle);
        if (A.Ok && B.Ok && M.Ok && Flat(A, M, B))
            return;
        Refine(A, M, Depth + 1);
        Emit(M);
        Refine(M, B, Depth + 1);
    }

    void Emit(const TSample& S)
    {
        if (!S.Ok || CutNext)
        {
            G.EndPiece();
            HavePrevious = false;
            CutNext = false;
            if (!S.Ok)
                return;
        }
        if (!HavePrevious)
        {
            if (Inside(S.Px, S.Py))
                Append(Exact(S));
        }
        else
        {
            Float80 t0 = 0, t1 = 1;
            if (!Clip(Previous, S, t0, t1))
                G.EndPiece();
            else
            {
                if (t0 > 0)
                {
                    G.EndPiece();
                    Append(Between(Previous, S, t0));
                }
                if (t1 < 1)
                {
                    Append(Between(Previous, S, t1));
                    G.EndPiece();
                }
                else
                    Append(Exact(S));
            }
        }
        Previous = S;
        HavePrevious = true;
    }

  private:
    static bool Flat(const TSample& A, const TSample& M, const TSample& B)
    {
        const Float80 dx = M.Px - (A.Px + B.Px) / 2, dy = M.Py - (A.Py + B.Py) / 2;
        return dx * dx + dy * dy <= Float80(1) / 16;
    }
    bool Jumps(const TSample& A, const TSample& B) const
    {
        return std::fabs(B.Px - A.Px) > Float80(In.View.InnerWidth) ||
               std::fabs(B.Py - A.Py) > Float80(In.View.InnerHeight);
    }
    bool Inside(Float80 x, Float80 y) const
    {
        return x >= BoxLeft && x <= BoxRight && y >= BoxTop && y <= BoxBottom;
    }
    // The part t0 .. t1 of the line from A to B inside the box (Liang and Barsky), if any.
    bool Clip(const TSample& A, const TSample& B, Float80& t0, Float80& t1) const
    {
        const Float80 dx = B.Px - A.Px, dy = B.Py - A.Py;
        const auto Edge = [&](Float80 p, Float80 q)
        {
            if (p == 0)
                return q >= 0;
            const Float80 r = q / p;
            if (p < 0)
            {
                if (r > t1)
                    return false;
                if (r > t0)
                    t0 = r;
            }
            else
            {
                if (r < t0)
                    return false;
                if (r < t1)
                    t1 = r;
            }
            return true;
        };
        return Edge(-dx, A.Px - BoxLeft) && Edge(dx, BoxRight - A.Px) && Edge(-dy, A.Py - BoxTop) &&
               Edge(dy, BoxBottom - A.Py);
    }
    // A sample's pixel as a function's row is rounded: the origin plus the rounded offset.
    QPoint Exact(const TSample& S) const
    {
        if (In.View.LogX || In.View.LogY)
            return QPoint(int(Round64(S.Px)), int(Round64(S.Py)));
        return QPoint(int(In.View.OriginX + Round64(S.X * In.View.ScaleX)),
                      int(In.OriginY - Round64(S.Y * In.View.ScaleY)));
    }
    static QPoint Between(const TSample& A, const TSample& B, Float80 t)
    {
        return QPoint(int(Round64(A.Px + (B.Px - A.Px) * t)), int(Round64(A.Py + (B.Py - A.Py) * t)));
    }
    void Append(QPoint P)
    {
        const size_t PieceStart = G.PieceEnds.empty() ? 0 : G.PieceEnds.back();
        if (G.Points.size() > PieceStart && G.Points.back() == P)
            return;
        G.Points.push_back(P);
    }

    const TCurveTrace& In;
    const TSampledCurve::TPointAt& PointAt;
    TCurveGeometry& G;
    Float80 BoxLeft = 0, BoxTop = 0, BoxRight = 0, BoxBottom = 0;
    int64_t Samples = 0;
    bool CutNext = false;
    bool HavePrevious = false;
    TSample Previous;
};

// The value of an end's text: false where it is undefined; other errors pass through.
bool EndValue(TGraphEvaluator& With, const std::u16string& Text, Float80& Value)
{
    try
    {
        Value = With.EvaluateAt(Text, 0);
        return true;
    }
    catch (const Exception& Error)
    {
        if (IsUndefinedPoint(Error))
            return false;
        throw;
    }
}

std::u16string AtTime(const QString& Text, const TEvalContext& Context)
{
    return FormulaAtTime(Text.toStdU16String(), Context.Time, Context.Separator);
}
} // namespace

void TSampledCurve::Sample(const TCurveTrace& In, const std::u16string& FromText,
                           const std::u16string& ToText, const TPointAt& PointAt, TCurveGeometry& G)
{
    G = TCurveGeometry();
    G.Started = true;
    try
    {
        TGraphEvaluator& Ends = In.Evaluators.For(u"");
        Float80 S0 = 0, S1 = 0;
        if (!EndValue(Ends, FromText, S0) || !EndValue(Ends, ToText, S1))
            return;
        TSampler Sampler(In, PointAt, G);
        TSample Previous = Sampler.At(S0);
        Sampler.Emit(Previous);
        if (S1 != S0)
            for (int i = 1; i <= BaseSteps; ++i)
            {
                // Each end weighted on its own, so that no difference of two huge ends overflows.
                const Float80 f = Float80(i) / BaseSteps;
                const TSample Next = Sampler.At(i == BaseSteps ? S1 : S0 * (1 - f) + S1 * f);
                Sampler.Refine(Previous, Next, 0);
                Sampler.Emit(Next);
                Previous = Next;
            }
    }
    catch (const Exception&)
    {
        G.Error = std::current_exception();
    }
    G.EndPiece();
}

bool TParametricCurve::Drawn(const TFuncList& List, int Index) const
{
    return !List.Item(Index).Func.isEmpty() && !List.Item(Index).FuncY.isEmpty();
}

TCurveTexts TParametricCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    const TFunc& Graph = List.Item(Index);
    return {{AtTime(Graph.Func, Context), AtTime(Graph.FuncY, Context), AtTime(Graph.FromText, Context),
             AtTime(Graph.ToText, Context)}};
}

void TParametricCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    TGraphEvaluator& With = In.Evaluators.For(u"s");
    std::shared_ptr<const TExprProgram> X, Y;
    Sample(
        In, In.Texts.Formulas[2], In.Texts.Formulas[3],
        [&](Float80 S, Float80& PlaneX, Float80& PlaneY)
        {
            if (!X)
            {
                X = With.Program(In.Texts.Formulas[0]);
                Y = With.Program(In.Texts.Formulas[1]);
            }
            PlaneX = With.Run(*X, S);
            PlaneY = With.Run(*Y, S);
            return true;
        },
        G);
}

TCurveTexts TPolarCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    const TFunc& Graph = List.Item(Index);
    return {{AtTime(Graph.Func, Context), AtTime(Graph.FromText, Context), AtTime(Graph.ToText, Context)}};
}

void TPolarCurve::PlanePoint(Float80 R, Float80 S, Float80& X, Float80& Y)
{
    X = R * std::cos(S);
    Y = R * std::sin(S);
}

void TPolarCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    TGraphEvaluator& With = In.Evaluators.For(u"s");
    std::shared_ptr<const TExprProgram> R;
    Sample(
        In, In.Texts.Formulas[1], In.Texts.Formulas[2],
        [&](Float80 S, Float80& PlaneX, Float80& PlaneY)
        {
            if (!R)
                R = With.Program(In.Texts.Formulas[0]);
            PlanePoint(With.Run(*R, S), S, PlaneX, PlaneY);
            return true;
        },
        G);
}
