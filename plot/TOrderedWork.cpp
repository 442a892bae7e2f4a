#include "plot/TOrderedWork.h"

#include <atomic>
#include <memory>
#include <thread>

void TOrderedWork::Run(size_t Count, bool UseHelper, const TCompute& Compute, const TConsume& Consume,
                       const std::function<void()>& Before)
{
    if (!UseHelper || Count < 2)
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
    std::thread Helper(
        [&]
        {
            while (ComputeNext(1))
            {
            }
        });
    // The helper is joined however this thread leaves, a throwing Consume included.
    struct TJoin
    {
        std::atomic<bool>& Stop;
        std::thread& Helper;
        ~TJoin()
        {
            Stop.store(true);
            Helper.join();
        }
    } Join{Stop, Helper};
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
