#include "plot/TOrderedWork.h"

#include "plot/THelperLane.h"

#include <atomic>
#include <memory>

void TOrderedWork::Run(size_t Count, THelperLane* Helper, const TCompute& Compute, const TConsume& Consume,
                       const std::function<void()>& Before)
{
    if (!Helper || Count < 2)
    {
        if (Before)
            Before();
        for (size_t i = 0; i < Count; ++i)
        {
            Compute(i, 0);
            if (!Consume(i))
                return;
        }
        return;
    }
    std::atomic<size_t> Next{0};
    std::atomic<bool> Stop{false};
    const std::unique_ptr<std::atomic<bool>[]> Ready(new std::atomic<bool>[Count]);
    for (size_t i = 0; i < Count; ++i)
        Ready[i].store(false, std::memory_order_relaxed);
    // Takes the next item and computes it; false when there is none left to take.
    const auto ComputeNext = [&](int Lane)
    {
        if (Stop.load(std::memory_order_relaxed))
            return false;
        const size_t i = Next.fetch_add(1, std::memory_order_relaxed);
        if (i >= Count)
            return false;
        Compute(i, Lane);
        Ready[i].store(true, std::memory_order_release);
        Ready[i].notify_one();
        return true;
    };
    // The helper's part is waited for however this thread leaves, a throwing Consume
    // included; StopFirst, undone before Join, makes it end at its next item.
    struct TStopFirst
    {
        std::atomic<bool>& Stop;
        ~TStopFirst() { Stop.store(true); }
    };
    const THelperLane::TWait Join(*Helper, Helper->Post(
                                               [&]
                                               {
                                                   while (ComputeNext(1))
                                                   {
                                                   }
                                               }));
    const TStopFirst StopFirst{Stop};
    if (Before)
        Before();
    for (size_t i = 0; i < Count; ++i)
    {
        while (!Ready[i].load(std::memory_order_acquire))
            if (!ComputeNext(0))
                Ready[i].wait(false, std::memory_order_acquire);
        if (!Consume(i))
            return;
    }
}
