#include "plot/TPolarKind.h"

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
    return WithEnds({{TGraphField::Func, QStringLiteral("r = R(s):")}});
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
