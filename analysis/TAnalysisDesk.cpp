#include "analysis/TAnalysisDesk.h"

#include "analysis/DataSummary.h"
#include "analysis/TAnalysis.h"
#include "analysis/TCurveMeasures.h"
#include "analysis/TDataTable.h"

namespace
{
TAnalysisResult MeasureCurve(const TAnalysisRequest& R)
{
    TCurveMeasures Measures(R.Separator);
    Measures.SetCancelFlag(R.Cancel);
    Measures.SetParameters(R.ParameterNames, R.ParameterValues);
    return Measures.Measure(R.Formula, R.Second, R.From, R.To, R.T,
                            R.Question == TAnalysisQuestion::PolarMeasures);
}
} // namespace

TAnalysisDesk::TAnalysisDesk() = default;
TAnalysisDesk::~TAnalysisDesk() = default;

TAnalysis& TAnalysisDesk::AnalysisFor(const TAnalysisRequest& R)
{
    if (!Analysis || R.Separator != Separator || R.Variable != Variable)
    {
        Analysis = std::make_unique<TAnalysis>(R.Separator, R.Variable);
        Separator = R.Separator;
        Variable = R.Variable;
    }
    Analysis->SetSamples(R.Samples);
    Analysis->SetCancelFlag(R.Cancel);
    Analysis->SetParameters(R.ParameterNames, R.ParameterValues);
    return *Analysis;
}

TAnalysisResult TAnalysisDesk::Answer(const TAnalysisRequest& R)
{
    using Q = TAnalysisQuestion;
    if (R.Question == Q::ParametricMeasures || R.Question == Q::PolarMeasures)
        return MeasureCurve(R);
    if (R.Question == Q::DataSummary)
        return R.Data ? SummariseData(*R.Data) : TAnalysisResult{};
    TAnalysis& Analyser = AnalysisFor(R);
    switch (R.Question)
    {
    case Q::Roots:
        return Analyser.Roots(R.Formula, R.T, R.A, R.B);
    case Q::Extrema:
        return Analyser.Extrema(R.Formula, R.T, R.A, R.B);
    case Q::Intersections:
        return Analyser.Intersections(R.Formula, R.Second, R.T, R.A, R.B);
    case Q::ValueAt:
        return Analyser.ValueAt(R.Formula, R.T, R.X);
    case Q::Area:
        return Analyser.Area(R.Formula, R.T, R.A, R.B);
    case Q::Inflections:
        return Analyser.Inflections(R.Formula, R.T, R.A, R.B);
    case Q::ParametricMeasures:
    case Q::PolarMeasures:
    case Q::DataSummary:
        break;
    }
    return {};
}
