#include "app/TAnalysisRunner.h"

#include "analysis/Errors.h"
#include "analysis/TAnalysis.h"

#include <QMetaObject>

TAnalysisRunner::TAnalysisRunner(QObject* Parent) : QObject(Parent) {}

TAnalysisRunner::~TAnalysisRunner()
{
    for (TJob& Job : Jobs)
        Job.Cancel->store(true);
    for (TJob& Job : Jobs)
        Job.Thread.join();
}

TAnalysisResult TAnalysisRunner::Run(const TAnalysisRequest& R, const std::atomic<bool>* CancelFlag)
{
    TAnalysis Analysis(R.Separator);
    Analysis.SetSamples(R.Samples);
    Analysis.SetCancelFlag(CancelFlag);
    using Q = TAnalysisRequest::TQuestion;
    switch (R.Question)
    {
    case Q::Roots: return Analysis.Roots(R.Formula, R.T, R.A, R.B);
    case Q::Extrema: return Analysis.Extrema(R.Formula, R.T, R.A, R.B);
    case Q::Intersections: return Analysis.Intersections(R.Formula, R.Other, R.T, R.A, R.B);
    case Q::Value: return Analysis.ValueAt(R.Formula, R.T, R.X);
    case Q::Area: return Analysis.Area(R.Formula, R.T, R.A, R.B);
    }
    return {};
}

void TAnalysisRunner::Start(const TAnalysisRequest& Request)
{
    Cancel();
    Reap();
    const uint64_t Mine = ++Generation;
    Running = true;
    TJob Job{{}, std::make_shared<std::atomic<bool>>(false), std::make_shared<std::atomic<bool>>(false)};
    Job.Thread = std::thread([this, Request, Mine, Cancel = Job.Cancel, Done = Job.Done] {
        TAnalysisResult Result;
        QString Error;
        bool Cancelled = false;
        try
        {
            Result = Run(Request, Cancel.get());
        }
        catch (const EAnalysisCancelled&)
        {
            Cancelled = true;
        }
        catch (const std::exception& e)
        {
            Error = QString::fromUtf8(e.what());
        }
        if (!Cancelled && !Cancel->load())
            QMetaObject::invokeMethod(
                this, [this, Mine, Result = std::move(Result), Error] { Deliver(Mine, Result, Error); },
                Qt::QueuedConnection);
        Done->store(true);
    });
    Jobs.push_back(std::move(Job));
}

void TAnalysisRunner::Cancel()
{
    ++Generation;
    Running = false;
    for (TJob& Job : Jobs)
        Job.Cancel->store(true);
}

void TAnalysisRunner::Reap()
{
    for (auto It = Jobs.begin(); It != Jobs.end();)
    {
        if (It->Done->load())
        {
            It->Thread.join();
            It = Jobs.erase(It);
        }
        else
            ++It;
    }
}

void TAnalysisRunner::Deliver(uint64_t Mine, const TAnalysisResult& Result, const QString& Error)
{
    Reap();
    if (Mine != Generation)
        return;
    Running = false;
    emit Finished(Result, Error);
}
