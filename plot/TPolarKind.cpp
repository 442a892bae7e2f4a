#include "plot/TPolarKind.h"

#include "analysis/TAnalysisRequest.h"
#include "plot/QtText.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TReadoutPlace.h"
#include "plot/TSampledCurve.h"

QString TPolarKind::Caption() const
{
    return QStringLiteral("Polar r = R(s)");
}

QString TPolarKind::Label(const TFunc& Graph) const
{
    return QStringLiteral("r = ") + Graph.Func;
}

const TCurveSource& TPolarKind::Source() const
{
    static const TPolarCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TPolarKind::Editors() const
{
    return {{TGraphField::Func, QStringLiteral("r = R(s):")},
            {TGraphField::From, QStringLiteral("s from (S0):")},
            {TGraphField::To, QStringLiteral("s to (S1):")}};
}

// Measured whatever the question: its arc length and, closed, its area.
void TPolarKind::Ask(const TFunc& Graph, TAnalysisRequest& R) const
{
    R.Question = TAnalysisQuestion::PolarMeasures;
    R.Second = ToU16(Graph.FuncY);
    R.From = ToU16(Graph.FromText);
    R.To = ToU16(Graph.ToText);
}

TSampledKind::TPoint TPolarKind::PointAt(TGraphEvaluator& With, const TExprProgram& First,
                                         const TExprProgram*, Float80 S) const
{
    TPoint p;
    p.R = With.Run(First, S);
    TPolarCurve::PlanePoint(p.R, S, p.X, p.Y);
    return p;
}

QString TPolarKind::PointText(const TReadoutPlace& At, const TPoint& p) const
{
    const QString n = QString::number(At.Graph + 1);
    return ReadoutGap + QStringLiteral("r%1(s) = ").arg(n) + At.Number(p.R) + ReadoutGap +
           QStringLiteral("(x%1, y%1) = (").arg(n) + At.Number(p.X) + QStringLiteral("; ") + At.Number(p.Y) +
           QLatin1Char(')');
}
