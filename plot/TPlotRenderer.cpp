#include "plot/TPlotRenderer.h"

#include "plot/TCanvas.h"
#include "plot/TPaintBudget.h"
#include "plot/TPaintJob.h"
#include "plot/TPaintTools.h"
#include "plot/TPlotModel.h"

TPlotRenderer::TPlotRenderer(const TPlotModel& Model, TGraphEvaluator& Evaluator, char16_t DecimalSeparator)
    : Model(Model), Evaluator(Evaluator), Tools(std::make_unique<TPaintTools>(DecimalSeparator))
{
}

TPlotRenderer::~TPlotRenderer() = default;

void TPlotRenderer::DrawPlot(TCanvas& Canvas, int Width, int Height, int Margin, int ArrowSize,
                             const std::function<void(const Exception&)>& ReportCurveError,
                             const TPaintBudget* Budget, bool Continue)
{
    TPaintInputs Inputs{Model, Width, Height, Margin, ArrowSize, Canvas.Scale()};
    // Only the screen's paints, which have a budget, may be coarse while the time runs: copies,
    // prints and exports are drawn whole.
    if (!Budget)
        Inputs.Model.Animating = false;
    if (!Continue || !Job || !(Job->Inputs() == Inputs))
    {
        Job.reset(); // its frames go before the new job's are made
        Job = std::make_unique<TPaintJob>(std::move(Inputs), *Tools);
    }
    try
    {
        Job->Run(Canvas, Evaluator, Budget, ReportCurveError);
    }
    catch (const EPaintAbandoned&)
    {
        throw; // kept for the paint that continues it
    }
    catch (...)
    {
        Job.reset();
        throw;
    }
    Job.reset();
}
