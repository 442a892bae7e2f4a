#pragma once
// Runs analyses off the user-interface thread, one at a time, each in a thread of its own
// with its own analysis object (its own evaluator). Starting a request raises the cancel
// flag of the one running, whose result is then never delivered; that thread ends at its
// next evaluation, and only then does the new request start (so a formula that takes
// seconds per evaluation cannot pile up threads). Requests made meanwhile replace each
// other: only the latest runs. Finished is emitted on the owner's thread for the latest
// request only. Destruction cancels whatever runs and waits for it.
#include "analysis/TAnalysisResult.h"
#include "expr/Float80.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct TAnalysisRequest
{
    enum class TQuestion
    {
        Roots,
        Extrema,
        Intersections,
        Value,
        Area,
        Inflections
    };
    TQuestion Question = TQuestion::Roots;
    std::u16string Formula;
    std::u16string Other; // Intersections: the second graph's formula
    Float80 T = 0;
    Float80 A = 0, B = 0; // the interval
    Float80 X = 0;        // Value
    int Samples = 4096;
    char16_t Separator = u'.';
    // The graph's variable: "x", or "y" for an inverse graph x = g(y), whose interval is then
    // one of y and whose points are (y, g(y)).
    std::u16string Variable = u"x";
    // A parametric (Formula X(s), Second Y(s)) or polar (Formula R(s)) curve over s from From to
    // To is measured, whatever the question: its arc length and, when closed, its area.
    enum class TCurve
    {
        None,
        Parametric,
        Polar
    };
    TCurve Curve = TCurve::None;
    std::u16string Second, From, To;
    // The named parameters the formulas read, and their values.
    std::vector<std::u16string> ParameterNames;
    std::vector<Float80> ParameterValues;
};

class TAnalysisRunner : public QObject
{
    Q_OBJECT

  public:
    explicit TAnalysisRunner(QObject* Parent = nullptr);
    ~TAnalysisRunner() override;

    void Start(const TAnalysisRequest& Request);
    // Cancels the running request, if any: no result will come for it.
    void Cancel();
    bool Busy() const { return Running; }

    // The analysis itself, on the calling thread (the worker threads run this).
    static TAnalysisResult Run(const TAnalysisRequest& Request, const std::atomic<bool>* CancelFlag);

  signals:
    // The latest request's result, or its error's message (Result then empty).
    void Finished(const TAnalysisResult& Result, const QString& Error);

  private:
    void Launch();
    void JobEnded(uint64_t Generation, const TAnalysisResult& Result, const QString& Error, bool Cancelled);

    std::thread Worker; // joinable while a job runs or has ended unseen
    std::shared_ptr<std::atomic<bool>> WorkerCancel;
    std::optional<TAnalysisRequest> Pending;
    uint64_t Generation = 0; // of the latest request
    bool Running = false;
};
