#include "plot/THelperLane.h"

#include <system_error>

THelperLane::~THelperLane()
{
    {
        const std::lock_guard<std::mutex> Hold(Lock);
        Stopping = true;
    }
    Posted.notify_one();
    if (Thread.joinable())
        Thread.join();
}

bool THelperLane::Worthwhile()
{
    return std::thread::hardware_concurrency() > 1;
}

THelperLane::TTicket THelperLane::Post(std::function<void()> Work)
{
    std::unique_lock<std::mutex> Hold(Lock);
    if (!Thread.joinable())
    {
        try
        {
            Thread = std::thread([this] { Loop(); });
        }
        catch (const std::system_error&)
        {
            // No thread to be had: the work is done here, in its turn (nothing is queued,
            // as nothing could be posted before without a thread).
            const TTicket Ticket = ++LastPosted;
            Hold.unlock();
            Work();
            Hold.lock();
            LastDone = Ticket;
            return Ticket;
        }
    }
    Queue.push_back(std::move(Work));
    const TTicket Ticket = ++LastPosted;
    Hold.unlock();
    Posted.notify_one();
    return Ticket;
}

void THelperLane::Wait(TTicket Ticket)
{
    std::unique_lock<std::mutex> Hold(Lock);
    Finished.wait(Hold, [&] { return LastDone >= Ticket; });
}

void THelperLane::Loop()
{
    std::unique_lock<std::mutex> Hold(Lock);
    for (;;)
    {
        Posted.wait(Hold, [&] { return Stopping || !Queue.empty(); });
        if (Queue.empty())
            return; // stopping, with nothing left to do
        std::function<void()> Work = std::move(Queue.front());
        Queue.pop_front();
        Hold.unlock();
        Work();
        Work = nullptr;
        Hold.lock();
        ++LastDone;
        Finished.notify_all();
    }
}
