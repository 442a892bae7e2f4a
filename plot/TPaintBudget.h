#pragma once
// How long one paint may work before it gives the event loop back. A paint that runs out
// of its budget stops at the next column or frame it starts and leaves by throwing
// EPaintAbandoned (no Exception: it is no error of the picture and is reported nowhere);
// what was drawn until then stays on the canvas, and the renderer can take the picture up
// again where it stopped. Read from two threads at once.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

struct EPaintAbandoned
{
};

class TPaintBudget
{
  public:
    explicit TPaintBudget(std::chrono::milliseconds Budget)
        : Deadline(std::chrono::steady_clock::now() + Budget)
    {
    }

    bool Expired() const
    {
        if (Spent.load(std::memory_order_relaxed))
            return true;
        if (std::chrono::steady_clock::now() < Deadline)
            return false;
        Spent.store(true, std::memory_order_relaxed);
        return true;
    }
    // Throws EPaintAbandoned once the time is up.
    void Check() const
    {
        if (Expired())
            throw EPaintAbandoned();
    }

  private:
    std::chrono::steady_clock::time_point Deadline;
    mutable std::atomic<bool> Spent{false};
};

// How many columns (or rows) of a curve are evaluated between two looks at the budget: some,
// or every one for a long text, whose evaluations may take long.
inline int64_t BudgetEvery(const std::u16string& Text)
{
    return Text.size() > 200 ? 1 : 64;
}
