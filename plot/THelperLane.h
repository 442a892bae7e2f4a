#pragma once
// A thread beside the caller's that a paint hands work to: one work at a time, in the order it
// was posted. Its owner keeps it from paint to paint, so a paint starts no thread; the thread
// is started at the first post and stopped when the lane goes. Whoever posts waits for what it
// posted before it leaves (TWait does so however it leaves), so no work of a paint is left
// running once the paint is over. Posting from the lane's own thread is not allowed.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class THelperLane
{
  public:
    using TTicket = uint64_t;

    THelperLane() = default;
    ~THelperLane();
    THelperLane(const THelperLane&) = delete;
    THelperLane& operator=(const THelperLane&) = delete;

    // Whether a second thread can win time at all: more than one core.
    static bool Worthwhile();

    // Work runs on the lane after everything posted before it. It must not throw. Where no
    // thread can be started it runs here, before Post returns.
    TTicket Post(std::function<void()> Work);
    // Returns once the work of Ticket (and everything posted before it) is done.
    void Wait(TTicket Ticket);

    // Waits for a ticket when it leaves scope, a throw included.
    class TWait
    {
      public:
        TWait(THelperLane& Lane, TTicket Ticket) : Lane(Lane), Ticket(Ticket) {}
        ~TWait() { Lane.Wait(Ticket); }
        TWait(const TWait&) = delete;
        TWait& operator=(const TWait&) = delete;

      private:
        THelperLane& Lane;
        TTicket Ticket;
    };

  private:
    void Loop();

    std::mutex Lock;
    std::condition_variable Posted, Finished;
    std::deque<std::function<void()>> Queue; // posted, not yet taken
    TTicket LastPosted = 0, LastDone = 0;
    bool Stopping = false;
    std::thread Thread;
};
