#pragma once
// Where the parser finds the symbol for a name.
#include <string_view>

class TExprSym;

class TExprContext
{
  public:
    virtual ~TExprContext() = default;
    // The symbol registered under Name, or null; a miss is not an error here.
    virtual TExprSym* Lookup(std::u16string_view Name) const = 0;
};
