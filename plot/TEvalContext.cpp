#include "plot/TEvalContext.h"

#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"

TEvalContext TEvalContext::Of(const TPlotModel& Model, char16_t Separator)
{
    return {ReadTime(Model.TimeText, Separator), Model.Parameters.Names(), Model.Parameters.Values(),
            Separator};
}

std::vector<TEvalContext> TEvalContext::Frames(const TPlotModel& Model, int N, char16_t Separator)
{
    Float80 T = ReadTime(Model.TimeText, Separator);
    std::vector<TEvalContext> Out;
    if (N <= 0)
        return Out;
    const Float80 Step = Model.TimeIncrement;
    const std::vector<std::u16string> Names = Model.Parameters.Names();
    std::vector<std::vector<Float80>> Values = Model.Parameters.FrameValues(N, Model.TickDirection);
    Out.reserve(size_t(N));
    for (int j = 0; j < N; ++j)
    {
        if (j > 0)
            T = T + Step;
        Out.push_back({T, Names, std::move(Values[size_t(j)]), Separator});
    }
    return Out;
}

Float80 TEvalContext::ReadTime(const QString& Text, char16_t Separator)
{
    return TextToFloat(ToU16(Text), Separator);
}

void TEvalContext::Use(TGraphEvaluator& Evaluator) const
{
    Evaluator.SetParameters(ParameterNames, ParameterValues);
}

void TEvalContext::Use(TCurveEvaluators& Evaluators) const
{
    Evaluators.SetParameters(ParameterNames, ParameterValues);
}
