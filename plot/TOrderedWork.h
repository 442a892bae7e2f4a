#pragma once
// Work items computed on two threads and used in their order on the calling thread. The
// caller's thread (lane 0) and a helper lane (lane 1) take the next item not yet taken
// and Compute it; the caller's thread Consumes items 0, 1, 2, ... each as soon as it is
// ready, and computes an item itself while it waits. When Consume returns false, no further
// item is started and none is consumed; items already started are finished and dropped.
//
// Compute must not throw (an item keeps its own error for Consume) and must touch only what
// its lane owns or what no one changes meanwhile. Consume runs on the caller's thread only.
#include <cstddef>
#include <functional>

class THelperLane;

class TOrderedWork
{
  public:
    using TCompute = std::function<void(size_t Item, int Lane)>;
    using TConsume = std::function<bool(size_t Item)>;

    // Without a Helper (or with fewer than two items) everything runs on the caller's thread,
    // each item computed right before it is consumed. Before, when given, runs on the
    // caller's thread first, while the helper already computes. The helper's part is over
    // when Run leaves, however it leaves.
    static void Run(size_t Count, THelperLane* Helper, const TCompute& Compute, const TConsume& Consume,
                    const std::function<void()>& Before = {});
};
