#include "expr/TExprUnary80FuncSym.h"

#include <cassert>

TExprUnary80FuncSym::TExprUnary80FuncSym(std::u16string_view Name, TUnaryRoutine Routine)
    : TExprAbstractFuncSym(Name), FRoutine(Routine)
{
    assert(Routine != nullptr && "a function needs a routine");
}

Float80 TExprUnary80FuncSym::ComputeValue()
{
    Float80 v = ReadFirstArgument();
    // The routine runs before the closing parenthesis is checked: "Ln(0" reports the
    // routine's error, not the missing ")".
    Float80 r = FRoutine(v);
    CloseArguments();
    return r;
}
