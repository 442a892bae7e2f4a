#pragma once
// A named constant, fixed at construction. It reads no tokens.
#include "expr/TExprSym.h"

class TExprConst80Sym final : public TExprSym
{
  public:
    TExprConst80Sym(std::u16string_view Name, Float80 ConstValue);

    Float80 ConstValue() const { return FConstValue; }
    Float80 ComputeValue() override;

  private:
    Float80 FConstValue;
};
