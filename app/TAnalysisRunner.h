#pragma once
// Runs analyses off the user-interface thread. Each request gets a thread of its own with
// its own analysis object (its own evaluator); starting a request raises the cancel flag
// of the one before, whose result is then never delivered, and the stale thread ends at
// its next evaluation. Finished is emitted on the owner's thread for the latest request
// only. Destruction cancels whatever runs and waits for it.
#include "analysis/TAnalysisResult.h"
#include "expr/Float80.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
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
        Area
    };
    TQuestion Question = TQuestion::Roots;
    std::u16string Formula;
    std::u16string Other; // Intersections: the second graph's formula
    Float80 T = 0;
    Float80 A = 0, B = 0; // the interval
    Float80 X = 0;        // Value
    int Samples = 4096;
    char16_t Separator = u'.';
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
    struct TJob
    {
        std::thread Thread;
        std::shared_ptr<std::atomic<bool>> Cancel;
        std::shared_ptr<std::atomic<bool>> Done;
    };
    void Reap();
    void Deliver(uint64_t Generation, const TAnalysisResult& Result, const QString& Error);

    std::vector<TJob> Jobs;
    uint64_t Generation = 0;
    bool Running = false;
};
