#include "plot/TDerivedKind.h"

#include "expr/Errors.h"
#include "plot/TDerivedCurve.h"
#include "plot/TGraphKeys.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"

QString TDerivedKind::Caption() const
{
    return Integral ? QStringLiteral("Integral of a graph") : QStringLiteral("Derivative of a graph");
}

// A derived graph has no formula of its own, whatever the file says.
void TDerivedKind::ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const
{
    Graph.Func.clear();
    Graph.Of = Keys.Integer("Of", 0);
    Graph.Order = Keys.Integer("Order", 1);
    Graph.FromText = Keys.Text("From", QStringLiteral("0"));
}

void TDerivedKind::WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const
{
    Keys.WriteInteger("Of", Graph.Of);
    if (Integral)
        Keys.WriteText("From", Graph.FromText);
    else
        Keys.WriteInteger("Order", Graph.Order);
}

QString TDerivedKind::Label(const TFunc& Graph) const
{
    const QString Of = QStringLiteral("f") + QString::number(Graph.Of);
    if (Integral)
        return QChar(0x222B) + QLatin1Char(' ') + Of;
    return Of + (Graph.Order == 2 ? QChar(0x2033) : QChar(0x2032));
}

const TCurveSource& TDerivedKind::Source() const
{
    static const TDerivedCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TDerivedKind::Editors() const
{
    if (Integral)
        return {{TGraphField::From, QStringLiteral("From a:")},
                {TGraphField::Of, QStringLiteral("Of graph:")}};
    return {{TGraphField::Of, QStringLiteral("Of graph:")}, {TGraphField::Order, QStringLiteral("Order:")}};
}

QString TDerivedKind::Problem(const TFuncList& List, int Index, const TEvalContext*) const
{
    return DerivedGraphProblem(List, Index);
}

QString TDerivedKind::AnalysisRefusal() const
{
    return QString::fromUtf8(Msg::DerivedAnalysis);
}

// "d1(x) = value" (F1(x) for an integral) in the mouse's column; the marker at the value.
void TDerivedKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    if (!At.Context)
    {
        r.Text += ReadoutGap + At.Problem;
        return;
    }
    r.Text += ReadoutGap + (Integral ? QStringLiteral("F%1(x)") : QStringLiteral("d%1(x)")).arg(At.Graph + 1);
    Float80 Value = 0;
    try
    {
        const std::optional<Float80> v = DerivedValueAt(At.List, At.Graph, At.X, *At.Context, At.Evaluators);
        if (!v)
        {
            r.Text += QStringLiteral(": ") + QString::fromUtf8(Msg::UndefinedBetweenAAndX);
            return;
        }
        Value = *v;
    }
    catch (const Exception& Error)
    {
        r.Text += ReadoutError(Error);
        return;
    }
    r.Text += QStringLiteral(" = ") + At.Number(Value);
    At.MarkRow(r, Value);
}
