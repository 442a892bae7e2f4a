#pragma once
// A name bound to a number that the registering caller owns and may change between
// evaluations; the storage is read at every use, never copied.
#include "expr/TExprSym.h"

class TExprVar80Sym final : public TExprSym
{
  public:
    // Storage must not be null and must outlive the symbol.
    TExprVar80Sym(std::u16string_view Name, Float80* Storage);

    Float80* Storage() const { return FStorage; }
    Float80 ComputeValue() override;

  private:
    Float80* FStorage;
};
