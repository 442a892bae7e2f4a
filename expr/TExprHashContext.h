#pragma once
// A context that owns its symbols and finds them through a string hash map.
#include "expr/TExprContext.h"
#include "expr/TExprSym.h"
#include "expr/TStringHashMap.h"

#include <memory>
#include <vector>

class TExprHashContext final : public TExprContext
{
  public:
    TExprHashContext(bool CaseSensitive, uint32_t BucketCount);
    ~TExprHashContext() override;

    // Takes ownership of Symbol and stores it under its name. An equal name already present
    // fails with EStringHashMapError "Duplicate hash list entry: <new name>"; the context is
    // then unchanged and the symbol is destroyed.
    void Insert(std::unique_ptr<TExprSym> Symbol);
    TExprSym* Lookup(std::u16string_view Name) const override;

    size_t Count() const { return NameMap.Count(); }

  private:
    TStringHashMap<TExprSym*> NameMap;
    std::vector<std::unique_ptr<TExprSym>> OwnedSymbols;
};
