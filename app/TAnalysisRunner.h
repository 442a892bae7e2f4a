#pragma once
// Runs analyses off the user-interface thread, one at a time, each in a thread of its own
// with its own analysis object (its own evaluator). Starting a request raises the cancel
// flag of the one running, whose result is then never delivered; that thread ends at its
// next evaluation, and only then does the new request start (so a formula that takes
// seconds per evaluation cannot pile up threads). Requests made meanwhile replace each
// other: only the latest runs. Finished is emitted on the owner's thread for the latest
// request only. Destruction cancels whatever runs and waits for it.
#include "analysis/TAnalysisRequest.h"
#include "analysis/TAnalysisResult.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

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
