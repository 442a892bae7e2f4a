#include "app/TTimeBudget.h"

#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace
{
// Shared by the caller and the worker; the worker holds its own reference, so the state
// outlives the caller's frame if it ever had to.
struct TWorkState
{
    std::mutex Lock;
    std::condition_variable Finished;
    bool Done = false;
    std::exception_ptr Error;
};
} // namespace

void TTimeBudget::Run(const std::function<void()>& Work, const TOverrunReport& Report) const
{
    auto State = std::make_shared<TWorkState>();
    std::thread Worker(
        [State, &Work]
        {
            std::exception_ptr Error;
            try
            {
                Work();
            }
            catch (...)
            {
                Error = std::current_exception();
            }
            const std::lock_guard<std::mutex> Guard(State->Lock);
            State->Error = Error;
            State->Done = true;
            State->Finished.notify_one();
        });
    bool InTime = false;
    {
        std::unique_lock<std::mutex> Guard(State->Lock);
        InTime = State->Finished.wait_for(Guard, Limit, [&] { return State->Done; });
    }
    if (!InTime)
    {
        Report();
        std::_Exit(1);
    }
    Worker.join();
    if (State->Error)
        std::rethrow_exception(State->Error);
}
