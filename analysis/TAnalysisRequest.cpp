#include "analysis/TAnalysisRequest.h"

#include "analysis/TAnalysis.h"
#include "analysis/TCurveMeasures.h"

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

TAnalysisResult Answer(const TAnalysisRequest& R)
{
    using Q = TAnalysisQuestion;
    if (R.Question == Q::ParametricMeasures || R.Question == Q::PolarMeasures)
        return MeasureCurve(R);
    TAnalysis Analysis(R.Separator, R.Variable);
    Analysis.SetSamples(R.Samples);
    Analysis.SetCancelFlag(R.Cancel);
    Analysis.SetParameters(R.ParameterNames, R.ParameterValues);
    switch (R.Question)
    {
    case Q::Roots:
        return Analysis.Roots(R.Formula, R.T, R.A, R.B);
    case Q::Extrema:
        return Analysis.Extrema(R.Formula, R.T, R.A, R.B);
    case Q::Intersections:
        return Analysis.Intersections(R.Formula, R.Second, R.T, R.A, R.B);
    case Q::ValueAt:
        return Analysis.ValueAt(R.Formula, R.T, R.X);
    case Q::Area:
        return Analysis.Area(R.Formula, R.T, R.A, R.B);
    case Q::Inflections:
        return Analysis.Inflections(R.Formula, R.T, R.A, R.B);
    case Q::ParametricMeasures:
    case Q::PolarMeasures:
        break;
    }
    return {};
}
