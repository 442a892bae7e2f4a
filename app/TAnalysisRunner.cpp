#include "app/TAnalysisRunner.h"

#include "analysis/Errors.h"
#include "analysis/TAnalysis.h"
#include "analysis/TCurveMeasures.h"

#include <QMetaObject>

TAnalysisRunner::TAnalysisRunner(QObject* Parent) : QObject(Parent) {}

TAnalysisRunner::~TAnalysisRunner()
{
    if (Worker.joinable())
    {
        WorkerCancel->store(true);
        Worker.join();
    }
}

TAnalysisResult TAnalysisRunner::Run(const TAnalysisRequest& R, const std::atomic<bool>* CancelFlag)
{
    if (R.Curve != TAnalysisRequest::TCurve::None)
    {
        TCurveMeasures Measures(R.Separator);
        Measures.SetCancelFlag(CancelFlag);
        Measures.SetParameters(R.ParameterNames, R.ParameterValues);
        return Measures.Measure(R.Formula, R.Second, R.From, R.To, R.T,
                                R.Curve == TAnalysisRequest::TCurve::Polar);
    }
    TAnalysis Analysis(R.Separator, R.Variable);
    Analysis.SetSamples(R.Samples);
    Analysis.SetCancelFlag(CancelFlag);
    Analysis.SetParameters(R.ParameterNames, R.ParameterValues);
    using Q = TAnalysisRequest::TQuestion;
    switch (R.Question)
    {
    case Q::Roots:
        return Analysis.Roots(R.Formula, R.T, R.A, R.B);
    case Q::Extrema:
        return Analysis.Extrema(R.Formula, R.T, R.A, R.B);
    case Q::Intersections:
        return Analysis.Intersections(R.Formula, R.Other, R.T, R.A, R.B);
    case Q::Value:
        return Analysis.ValueAt(R.Formula, R.T, R.X);
    case Q::Area:
        return Analysis.Area(R.Formula, R.T, R.A, R.B);
    case Q::Inflections:
        return Analysis.Inflections(R.Formula, R.T, R.A, R.B);
    }
    return {};
}

void TAnalysisRunner::Start(const TAnalysisRequest& Request)
{
    Cancel();
    Pending = Request;
    Running = true;
    if (!Worker.joinable())
        Launch();
}

void TAnalysisRunner::Cancel()
{
    ++Generation;
    Pending.reset();
    Running = false;
    if (WorkerCancel)
        WorkerCancel->store(true);
}

void TAnalysisRunner::Launch()
{
    const TAnalysisRequest Request = std::move(*Pending);
    Pending.reset();
    WorkerCancel = std::make_shared<std::atomic<bool>>(false);
    Worker = std::thread(
        [this, Request, Mine = Generation, Flag = WorkerCancel]
        {
            TAnalysisResult Result;
            QString Error;
            bool Cancelled = false;
            try
            {
                Result = Run(Request, Flag.get());
            }
            catch (const EAnalysisCancelled&)
            {
                Cancelled = true;
            }
            catch (const std::exception& e)
            {
                Error = QString::fromUtf8(e.what());
            }
            // Queued: it runs on the owner's thread, or never when the owner goes first (the
            // owner's destructor waits for this thread, so it is alive while this is posted).
            QMetaObject::invokeMethod(
                this,
                [this, Mine, Result = std::move(Result), Error, Cancelled]
                { JobEnded(Mine, Result, Error, Cancelled); },
                Qt::QueuedConnection);
        });
}

void TAnalysisRunner::JobEnded(uint64_t Mine, const TAnalysisResult& Result, const QString& Error,
                               bool Cancelled)
{
    Worker.join();
    WorkerCancel.reset();
    if (Mine == Generation && !Cancelled)
    {
        Running = false;
        emit Finished(Result, Error);
    }
    if (Pending)
        Launch();
}
