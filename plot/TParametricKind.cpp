#include "plot/TParametricKind.h"

#include "plot/TGraphEvaluator.h"
#include "plot/TGraphKeys.h"
#include "plot/TReadoutPlace.h"
#include "plot/TSampledCurve.h"

QString TParametricKind::Caption() const
{
    return QStringLiteral("Parametric x = X(s), y = Y(s)");
}

void TParametricKind::ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const
{
    Graph.FuncY = Keys.Text("FuncY");
    TSampledKind::ReadKeys(Keys, Graph);
}

void TParametricKind::WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const
{
    Keys.WriteText("FuncY", Graph.FuncY);
    TSampledKind::WriteKeys(Keys, Graph);
}

QString TParametricKind::Label(const TFunc& Graph) const
{
    return QLatin1Char('(') + Graph.Func + QStringLiteral(", ") + Graph.FuncY + QLatin1Char(')');
}

const TCurveSource& TParametricKind::Source() const
{
    static const TParametricCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TParametricKind::Editors() const
{
    return WithEnds({{TGraphField::Func, QStringLiteral("x = X(s):")},
                     {TGraphField::FuncY, QStringLiteral("y = Y(s):")}});
}

TSampledKind::TPoint TParametricKind::PointAt(TGraphEvaluator& With, const TExprProgram& First,
                                              const TExprProgram* Second, Float80 S) const
{
    TPoint p;
    p.X = With.Run(First, S);
    p.Y = With.Run(*Second, S);
    return p;
}

QString TParametricKind::PointText(const TReadoutPlace& At, const TPoint& p) const
{
    return ReadoutGap + QStringLiteral("(x%1, y%1) = (").arg(At.Graph + 1) + At.Number(p.X) +
           QStringLiteral("; ") + At.Number(p.Y) + QLatin1Char(')');
}
