#include "plot/TPlotReadout.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/GraphKind.h"
#include "plot/QtText.h"
#include "plot/TCurveReadout.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"
#include "plot/TViewNavigation.h"
#include "plot/TangentLine.h"

#include <cmath>

namespace
{
const QString Gap = QStringLiteral("    ");
} // namespace

TPlotReadout::TPlotReadout(const TPlotModel& ModelIn, TGraphEvaluator& EvaluatorIn)
    : Model(ModelIn), Evaluator(EvaluatorIn)
{
}

TPlotReadout::~TPlotReadout() = default;

TReadout TPlotReadout::At(QPoint Pixel, int Width, int Height, int Graph) const
{
    const char16_t Sep = Evaluator.DecimalSeparator();
    auto Number = [Sep](Float80 v) { return FromU16(FormatGeneral15(v, Sep)); };
    TReadout r;
    TPlotView View;
    Float80 X = 0, Y = 0;
    int32_t OriginY = 0;
    try
    {
        View = TPlotView::Compute(Model, Width, Height, TViewNavigation::Margin, Sep);
        OriginY = View.OriginY();
        X = View.PlaneX(Pixel.x());
        Y = View.PlaneY(Pixel.y(), OriginY);
        r.Text = QStringLiteral("x = ") + Number(X) + Gap + QStringLiteral("y = ") + Number(Y);
    }
    catch (const Exception& Error)
    {
        r.Text = QString::fromUtf8(Error.what());
        return r;
    }

    if (Graph < 0 || Graph >= Model.FuncList.Count() ||
        (HasFormula(Model.FuncList.Item(Graph).Kind) && Model.FuncList.Item(Graph).Func.isEmpty()))
        return r;
    if (Model.FuncList.Item(Graph).Kind != TGraphKind::Function)
    {
        if (!Curves)
            Curves = std::make_unique<TCurveReadout>(Model, Sep);
        Curves->Read(r, View, OriginY, Pixel, Y, Width, Height, Graph);
        return r;
    }
    r.Text += Gap + QStringLiteral("f%1(x)").arg(Graph + 1);
    Float80 Value = 0;
    std::u16string Formula;
    try
    {
        const Float80 T = TextToFloat(ToU16(Model.TimeText), Sep);
        Evaluator.SetParameters(Model.Parameters.Names(), Model.Parameters.Values());
        Formula = Evaluator.FormulaAtTime(Model.FuncList, Graph, T);
        Value = Evaluator.EvaluateAt(Formula, X);
    }
    catch (const Exception& Error)
    {
        r.Text += QStringLiteral(": ") + QString::fromUtf8(Error.what());
        return r;
    }
    r.Text += QStringLiteral(" = ") + Number(Value);
    std::optional<Float80> Slope;
    r.Text += Gap + QStringLiteral("f%1'(x)").arg(Graph + 1);
    try
    {
        Slope = Evaluator.RunDual(*Evaluator.Program(Formula), X, 1).D1;
        r.Text += QStringLiteral(" = ") + Number(*Slope);
    }
    catch (const Exception& Error)
    {
        r.Text += QStringLiteral(": ") + QString::fromUtf8(Error.what());
    }
    // The marker stands on the curve only where the picture shows it.
    if (!Model.GraphsEnabled)
        return r;
    try
    {
        // The row the curve was drawn at in this column, as the renderer rounds it.
        bool Overflow = false;
        const int64_t Row = View.RowOf(Value, OriginY, Overflow);
        if (!Overflow && Row >= 0 && Row < Height)
            r.Marker = QPoint(Pixel.x(), int(Row));
        if (r.Marker && Slope)
        {
            // Pixels per unit at the point along each axis (per decade over the value's
            // natural logarithm of ten on a logarithmic one), so the line touches the curve
            // as drawn.
            const Float80 dColumn = View.LogX ? View.ScaleX / (X * std::log(Float80(10))) : View.ScaleX;
            const Float80 dRow = View.LogY ? -View.ScaleY / (Value * std::log(Float80(10))) : -View.ScaleY;
            r.Tangent = TangentLine(QPointF(Pixel.x(), double(View.RowAt(Value, OriginY))),
                                    *Slope * dRow / dColumn, Width, Height);
        }
    }
    catch (const Exception&)
    {
        // A row beyond 64 bits is off the surface: no marker.
    }
    return r;
}
