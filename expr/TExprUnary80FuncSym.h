#pragma once
// A function of one argument backed by a plain routine.
#include "expr/TExprAbstractFuncSym.h"

class TExprUnary80FuncSym final : public TExprAbstractFuncSym
{
  public:
    // Routine must not be null.
    TExprUnary80FuncSym(std::u16string_view Name, TUnaryRoutine Routine);

    TUnaryRoutine Routine() const { return FRoutine; }
    Float80 ComputeValue() override;

  private:
    TUnaryRoutine FRoutine;
};
