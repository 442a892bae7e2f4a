#pragma once
// An undo record of one graph as it was before the Graph panel changed it: restoring hands the
// graph back to the window, which puts it in place if the list still has that graph.
#include "app/TUndoObject.h"
#include "plot/TFunc.h"

#include <functional>

class TGraphUndo : public TUndoObject
{
  public:
    using TPut = std::function<void(int Index, const TFunc& Graph)>;
    TGraphUndo(int Index, const TFunc& Graph, TPut Put) : Index(Index), Graph(Graph), Put(std::move(Put)) {}

    void Restore() const override { Put(Index, Graph); }

  private:
    int Index;
    TFunc Graph;
    TPut Put;
};
