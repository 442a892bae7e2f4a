#pragma once
// An undo record of the whole graph list as it was before a graph was added to it (an imported
// data set): restoring hands the list back to the window, which puts it in place and shows it.
#include "app/TUndoObject.h"
#include "plot/TFuncList.h"

#include <functional>

class TGraphListUndo : public TUndoObject
{
  public:
    using TPut = std::function<void(const TFuncList& Graphs)>;
    TGraphListUndo(TFuncList Before, TPut Put) : Before(std::move(Before)), Put(std::move(Put)) {}

    void Restore() const override { Put(Before); }

  private:
    TFuncList Before;
    TPut Put;
};
