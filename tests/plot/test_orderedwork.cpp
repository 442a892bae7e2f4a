// Work computed on two threads and consumed in order on the caller's: every item computed
// once, consumed in order, nothing consumed after a stop, and a throwing consumer leaves
// cleanly.
#include "plot/TOrderedWork.h"

#include "plot/THelperLane.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
// Kept from run to run, as a renderer keeps its lane from paint to paint.
THelperLane Lane;
THelperLane* HelperIf(bool UseHelper)
{
    return UseHelper ? &Lane : nullptr;
}

// A little work, so that both threads get items.
unsigned Busy(size_t Item)
{
    unsigned h = unsigned(Item);
    for (int i = 0; i < 2000 + int(Item % 7) * 500; ++i)
        h = h * 1103515245u + 12345u;
    return h;
}
} // namespace

TEST(OrderedWork, ComputesEveryItemOnceAndConsumesThemInOrder)
{
    for (bool UseHelper : {false, true})
        for (size_t Count : {size_t(0), size_t(1), size_t(2), size_t(500)})
        {
            std::vector<std::atomic<int>> Computed(Count);
            std::vector<unsigned> Results(Count);
            std::vector<size_t> Consumed;
            const std::thread::id Caller = std::this_thread::get_id();
            bool ConsumedElsewhere = false;
            TOrderedWork::Run(
                Count, HelperIf(UseHelper),
                [&](size_t i, int Lane)
                {
                    ++Computed[i];
                    Results[i] = Busy(i);
                    EXPECT_TRUE(Lane == 0 || (UseHelper && Lane == 1));
                },
                [&](size_t i)
                {
                    ConsumedElsewhere |= std::this_thread::get_id() != Caller;
                    EXPECT_EQ(Results[i], Busy(i)) << i; // computed before it is consumed
                    Consumed.push_back(i);
                    return true;
                });
            EXPECT_FALSE(ConsumedElsewhere);
            ASSERT_EQ(Consumed.size(), Count);
            for (size_t i = 0; i < Count; ++i)
            {
                EXPECT_EQ(Consumed[i], i);
                EXPECT_EQ(Computed[i].load(), 1) << i;
            }
        }
}

TEST(OrderedWork, StopsAtTheItemWhoseConsumerSaysSo)
{
    for (bool UseHelper : {false, true})
    {
        constexpr size_t Count = 300, StopAt = 40;
        std::vector<std::atomic<int>> Computed(Count);
        std::vector<size_t> Consumed;
        TOrderedWork::Run(
            Count, HelperIf(UseHelper),
            [&](size_t i, int)
            {
                ++Computed[i];
                Busy(i);
            },
            [&](size_t i)
            {
                Consumed.push_back(i);
                return i != StopAt;
            });
        ASSERT_EQ(Consumed.size(), StopAt + 1);
        EXPECT_EQ(Consumed.back(), StopAt);
        for (size_t i = 0; i < Count; ++i)
            EXPECT_LE(Computed[i].load(), 1) << i;
        if (!UseHelper)
        {
            EXPECT_EQ(Computed[StopAt + 1].load(), 0); // alone, nothing is computed ahead
        }
    }
}

TEST(OrderedWork, AThrowingConsumerLeavesWithTheHelperStopped)
{
    // Items past the first few wait (a bounded while) for the consumer's throw, so a busy
    // machine that delays the consumer cannot let the helper finish every item first. Once
    // thrown they still take a millisecond each: the exception needs a while to unwind to the
    // point that stops the helper, and instant items would all be done by then.
    std::atomic<int> Computed{0};
    std::atomic<bool> Thrown{false};
    const auto WaitForThrow = [&](size_t i)
    {
        for (int k = 0; i > 5 && k < 2000 && !Thrown; ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (i > 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    EXPECT_THROW(TOrderedWork::Run(
                     1000, &Lane,
                     [&](size_t i, int)
                     {
                         WaitForThrow(i);
                         ++Computed;
                         Busy(i);
                     },
                     [&](size_t i) -> bool
                     {
                         if (i == 3)
                         {
                             Thrown = true;
                             throw std::runtime_error("consumer failed");
                         }
                         return true;
                     }),
                 std::runtime_error);
    const int After = Computed.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Computed.load(), After); // no thread is left computing
    EXPECT_LT(After, 1000);
}

// Before runs once on the caller's thread ahead of every consumer, also without items; with
// the helper, items are computed while it runs; a throwing Before leaves with the helper
// stopped and nothing consumed.
TEST(OrderedWork, BeforeRunsFirstOnTheCallersThreadWhileTheHelperComputes)
{
    for (bool UseHelper : {false, true})
        for (size_t Count : {size_t(0), size_t(1), size_t(2), size_t(50)})
        {
            const std::thread::id Caller = std::this_thread::get_id();
            std::atomic<int> ByHelper{0};
            int Befores = 0;
            bool HelperWorkedMeanwhile = false;
            std::vector<size_t> Consumed;
            TOrderedWork::Run(
                Count, HelperIf(UseHelper),
                [&](size_t i, int Lane)
                {
                    Busy(i);
                    ByHelper += Lane == 1;
                },
                [&](size_t i)
                {
                    EXPECT_EQ(Befores, 1);
                    Consumed.push_back(i);
                    return true;
                },
                [&]
                {
                    ++Befores;
                    EXPECT_EQ(std::this_thread::get_id(), Caller);
                    EXPECT_TRUE(Consumed.empty());
                    if (!UseHelper || Count < 2)
                        return;
                    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                    while (ByHelper == 0 && std::chrono::steady_clock::now() < Until)
                        std::this_thread::yield();
                    HelperWorkedMeanwhile = ByHelper > 0;
                });
            EXPECT_EQ(Befores, 1) << UseHelper << ' ' << Count;
            EXPECT_EQ(Consumed.size(), Count);
            if (UseHelper && Count >= 2)
            {
                EXPECT_TRUE(HelperWorkedMeanwhile) << Count;
            }
        }
    for (bool UseHelper : {false, true})
    {
        bool AnyConsumed = false;
        EXPECT_THROW(TOrderedWork::Run(
                         100, HelperIf(UseHelper), [](size_t i, int) { Busy(i); },
                         [&](size_t)
                         {
                             AnyConsumed = true;
                             return true;
                         },
                         [] { throw std::runtime_error("before"); }),
                     std::runtime_error);
        EXPECT_FALSE(AnyConsumed);
    }
}

// The lane runs posted work in order on one thread that stays from post to post, and a wait
// returns only once the work is done; a lane that goes finishes what was posted.
TEST(HelperLane, RunsWorkInOrderOnOneKeptThread)
{
    std::vector<int> Order;
    std::thread::id First;
    bool SameThread = true;
    {
        THelperLane Own;
        THelperLane::TTicket Last = 0;
        for (int i = 0; i < 50; ++i)
            Last = Own.Post(
                [&, i]
                {
                    Busy(size_t(i));
                    if (i == 0)
                        First = std::this_thread::get_id();
                    SameThread = SameThread && std::this_thread::get_id() == First;
                    Order.push_back(i);
                });
        Own.Wait(Last);
        ASSERT_EQ(Order.size(), 50u);
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(Order[size_t(i)], i);
        EXPECT_TRUE(SameThread);
        EXPECT_NE(First, std::this_thread::get_id());
        for (int i = 0; i < 20; ++i)
            Own.Post([&] { Order.push_back(-1); });
    }
    EXPECT_EQ(Order.size(), 70u);
}

// Runs on one lane start no thread of their own: the process has as many threads after a
// hundred runs as after the first.
TEST(HelperLane, RunsOnOneLaneStartNoThreads)
{
    const auto Threads = []
    { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); };
    THelperLane Own;
    const auto RunOnce = [&]
    {
        TOrderedWork::Run(
            20, &Own, [](size_t i, int) { Busy(i); }, [](size_t) { return true; });
    };
    RunOnce();
    const auto After1 = Threads();
    for (int i = 0; i < 100; ++i)
        RunOnce();
    EXPECT_EQ(Threads(), After1);
}
