#pragma once
// A time budget for a piece of work that cannot be interrupted from outside (a render of a
// hostile document): the work runs on a thread of its own while the caller waits for it at
// most the budget. When the budget runs out, the overrun report is written and the process
// ends at once with exit code 1 (std::_Exit: no destructors run, since the work still uses
// its objects). Whatever the work has begun on disk must therefore be taken away by the
// overrun report itself (a render abandons its TPartialOutput there).
#include <chrono>
#include <functional>

class TTimeBudget
{
  public:
    // Called once on overrun, before the process ends; it should write its message and flush.
    using TOverrunReport = std::function<void()>;

    explicit TTimeBudget(std::chrono::milliseconds Limit) : Limit(Limit) {}

    // Runs Work within the budget and returns when it has finished; an exception that Work
    // throws is thrown again here, on the caller's thread. Does not return on overrun.
    void Run(const std::function<void()>& Work, const TOverrunReport& Report) const;

  private:
    std::chrono::milliseconds Limit;
};
