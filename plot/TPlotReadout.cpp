#include "plot/TPlotReadout.h"

#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "plot/GraphKind.h"
#include "plot/QtText.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"
#include "plot/TViewNavigation.h"

TPlotReadout::TPlotReadout(const TPlotModel& ModelIn, TGraphEvaluator& EvaluatorIn)
    : Model(ModelIn), Evaluator(EvaluatorIn),
      Evaluators(std::make_unique<TCurveEvaluators>(EvaluatorIn.DecimalSeparator()))
{
    Evaluators->SetX(&Evaluator);
}

TPlotReadout::~TPlotReadout() = default;

// "x = ...    y = ..." of the pixel, then the graph's reading by its kind.
TReadout TPlotReadout::At(QPoint Pixel, int Width, int Height, int Graph) const
{
    const char16_t Sep = Evaluator.DecimalSeparator();
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
    }
    catch (const Exception& Error)
    {
        r.Text = QString::fromUtf8(Error.what());
        return r;
    }
    r.Text = QStringLiteral("x = ") + FromU16(FormatGeneral15(X, Sep)) + ReadoutGap + QStringLiteral("y = ") +
             FromU16(FormatGeneral15(Y, Sep));
    if (Graph < 0 || Graph >= Model.FuncList.Count())
        return r;
    const TKindDescriptor& Kind = KindOf(Model.FuncList.Item(Graph));
    if (Kind.HasFormula() && Model.FuncList.Item(Graph).Func.isEmpty())
        return r;
    std::optional<TEvalContext> Context;
    QString Problem;
    try
    {
        Context = TEvalContext::Of(Model, Sep);
        Context->Use(*Evaluators);
    }
    catch (const Exception& Error)
    {
        Problem = QString::fromUtf8(Error.what());
    }
    Kind.Read({Model.FuncList, Graph, Context ? &*Context : nullptr, Problem, *Evaluators, Sep, View, OriginY,
               Pixel, X, Y, Width, Height, Model.GraphsEnabled},
              r);
    return r;
}
