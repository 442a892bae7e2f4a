#pragma once
// The one place that answers a TAnalysisRequest: Answer picks the analysis that the question
// names (TAnalysis, TCurveMeasures for a parametric or polar curve, SummariseData for a data
// set), sets it up from the request and returns its result, or raises its error. A desk keeps
// its analysis, with the evaluator and function library, from one request to the next while the
// decimal separator and the variable stay the same (vendrel-eval asks once per input line);
// nothing else of a request outlives it. One desk works on one thread.
#include "analysis/TAnalysisRequest.h"
#include "analysis/TAnalysisResult.h"

#include <memory>
#include <string>

class TAnalysis;

class TAnalysisDesk
{
  public:
    TAnalysisDesk();
    ~TAnalysisDesk();
    TAnalysisDesk(const TAnalysisDesk&) = delete;
    TAnalysisDesk& operator=(const TAnalysisDesk&) = delete;

    TAnalysisResult Answer(const TAnalysisRequest& Request);

  private:
    TAnalysis& AnalysisFor(const TAnalysisRequest& Request);

    std::unique_ptr<TAnalysis> Analysis; // made for Separator and Variable
    char16_t Separator = 0;
    std::u16string Variable;
};
