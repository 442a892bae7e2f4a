#include "app/TAnalysisRunner.h"

#include "analysis/Errors.h"
#include "analysis/TAnalysisDesk.h"

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
    TAnalysisRequest Request = std::move(*Pending);
    Pending.reset();
    WorkerCancel = std::make_shared<std::atomic<bool>>(false);
    Request.Cancel = WorkerCancel.get(); // kept alive by the thread's own copy, Flag
    Worker = std::thread(
        [this, Request = std::move(Request), Mine = Generation, Flag = WorkerCancel]
        {
            TAnalysisResult Result;
            QString Error;
            bool Cancelled = false;
            try
            {
                Result = TAnalysisDesk().Answer(Request);
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
