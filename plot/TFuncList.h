#pragma once
// The owning, ordered list of graphs. It is never empty: the window starts with one
// empty graph and a document that brings no graph opens as one empty graph.
#include "plot/TFunc.h"

#include <vector>

class TFuncList
{
  public:
    TFuncList() : Items(1) {}

    int Count() const { return int(Items.size()); }
    TFunc& Item(int Index) { return Items.at(size_t(Index)); }
    const TFunc& Item(int Index) const { return Items.at(size_t(Index)); }
    TFunc& Last() { return Items.back(); }
    const TFunc& Last() const { return Items.back(); }
    void Add(const TFunc& Func) { Items.push_back(Func); }
    // Replaces every graph; an empty list becomes one empty graph.
    void Assign(std::vector<TFunc> Funcs)
    {
        Items = std::move(Funcs);
        if (Items.empty())
            Items.emplace_back();
    }

    bool operator==(const TFuncList&) const = default;

  private:
    std::vector<TFunc> Items;
};
