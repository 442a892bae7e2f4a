#pragma once
// The undo stack of the mouse zooms: unbounded, newest last, owning its records.
#include "app/TUndoObject.h"

#include <memory>
#include <vector>

class TUndoMan
{
  public:
    // Appends Record; the stack owns it from now on.
    void Push(std::unique_ptr<TUndoObject> Record);

    // Restores and destroys the newest record. Returns whether records remain, so the
    // caller can set the enabled state of its undo action from it; on an empty stack
    // nothing happens and the result is false.
    bool Pop();

    int Count() const { return static_cast<int>(Records.size()); }

  private:
    std::vector<std::unique_ptr<TUndoObject>> Records; // oldest first
};
