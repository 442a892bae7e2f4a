#include "plot/TFunctionKind.h"

#include "expr/Errors.h"
#include "expr/TimeSubstitution.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFunctionCurve.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"
#include "plot/TangentLine.h"

#include <cmath>

namespace
{
// The tangent through the curve's point in the pixel's column, where the marker stands: pixels
// per unit at the point along each axis (per decade over the value's natural logarithm of ten on
// a logarithmic one), so the line touches the curve as drawn.
void AddTangent(const TReadoutPlace& At, TReadout& r, Float80 Value, Float80 Slope)
{
    const TPlotView& View = At.View;
    const Float80 X = At.X;
    const Float80 dColumn = View.LogX ? View.ScaleX / (X * std::log(Float80(10))) : View.ScaleX;
    const Float80 dRow = View.LogY ? -View.ScaleY / (Value * std::log(Float80(10))) : -View.ScaleY;
    r.Tangent = TangentLine(QPointF(At.Pixel.x(), double(View.RowAt(Value, At.OriginY))),
                            Slope * dRow / dColumn, At.Width, At.Height);
}
} // namespace

QString TFunctionKind::Caption() const
{
    return QStringLiteral("Function y = f(x)");
}

const TCurveSource& TFunctionKind::Source() const
{
    static const TFunctionCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TFunctionKind::Editors() const
{
    return {{TGraphField::Func, QStringLiteral("y = f(x):")}};
}

// "f1(x) = value    f1'(x) = slope", each an error's message where it has no value; the marker
// at the value in the pixel's column, with the tangent where the slope is defined.
void TFunctionKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    const QString n = QString::number(At.Graph + 1);
    r.Text += ReadoutGap + QStringLiteral("f%1(x)").arg(n);
    if (!At.Context)
    {
        r.Text += QStringLiteral(": ") + At.Problem;
        return;
    }
    TGraphEvaluator& With = At.Evaluators.For(u"x");
    Float80 Value = 0;
    std::shared_ptr<const TExprProgram> Program;
    try
    {
        Program = With.Program(
            FormulaAtTime(At.Func().Func.toStdU16String(), At.Context->Time, At.Context->Separator));
        Value = With.Run(*Program, At.X);
    }
    catch (const Exception& Error)
    {
        r.Text += ReadoutError(Error);
        return;
    }
    r.Text += QStringLiteral(" = ") + At.Number(Value) + ReadoutGap + QStringLiteral("f%1'(x)").arg(n);
    std::optional<Float80> Slope;
    try
    {
        Slope = With.RunDual(*Program, At.X, 1).D1;
        r.Text += QStringLiteral(" = ") + At.Number(*Slope);
    }
    catch (const Exception& Error)
    {
        r.Text += ReadoutError(Error);
    }
    At.MarkRow(r, Value);
    if (r.Marker && Slope)
        AddTangent(At, r, Value, *Slope);
}
