#include "plot/TInverseKind.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TInverseCurve.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"

QString TInverseKind::Caption() const
{
    return QStringLiteral("Inverse x = g(y)");
}

QString TInverseKind::Label(const TFunc& Graph) const
{
    return QStringLiteral("x = ") + Graph.Func;
}

const TCurveSource& TInverseKind::Source() const
{
    static const TInverseCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TInverseKind::Editors() const
{
    return {{TGraphField::Func, QStringLiteral("x = g(y):")}};
}

QString TInverseKind::AnalysisNote() const
{
    return QString::fromUtf8(Msg::InverseAnalysis);
}

// "g1(y) = value" in the mouse's row; the marker at the value's column in that row.
void TInverseKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    if (!At.Context)
    {
        r.Text += ReadoutGap + At.Problem;
        return;
    }
    r.Text += ReadoutGap + QStringLiteral("g%1(y)").arg(At.Graph + 1);
    Float80 Value = 0;
    try
    {
        const TCurveTexts Texts = Source().Texts(At.List, At.Graph, *At.Context);
        Value = At.Evaluators.For(u"y").EvaluateAt(Texts.Formulas[0], At.Y);
    }
    catch (const Exception& Error)
    {
        r.Text += ReadoutError(Error);
        return;
    }
    r.Text += QStringLiteral(" = ") + At.Number(Value);
    if (!At.GraphsEnabled)
        return;
    try
    {
        const TPlotView& View = At.View;
        const int64_t Column = View.LogX ? Round64(View.ColumnAt(Value))
                                         : int64_t(View.OriginX) + Round64(FMul(Value, View.ScaleX));
        if (Column >= 0 && Column < At.Width && At.Pixel.y() >= 0 && At.Pixel.y() < At.Height)
            r.Marker = QPoint(int(Column), At.Pixel.y());
    }
    catch (const Exception&)
    {
        // A column beyond 64 bits is off the surface: no marker.
    }
}
