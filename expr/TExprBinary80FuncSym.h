#pragma once
// A function of two arguments backed by a plain routine; the routine gets them in the
// order in which they are written.
#include "expr/TExprAbstractFuncSym.h"

class TExprBinary80FuncSym final : public TExprAbstractFuncSym
{
  public:
    // Routine must not be null.
    TExprBinary80FuncSym(std::u16string_view Name, TBinaryRoutine Routine);

    TBinaryRoutine Routine() const { return FRoutine; }
    Float80 ComputeValue() override;

  private:
    TBinaryRoutine FRoutine;
};
