#include "expr/TExprBinary80FuncSym.h"

#include <cassert>

TExprBinary80FuncSym::TExprBinary80FuncSym(std::u16string_view Name, TBinaryRoutine Routine)
    : TExprAbstractFuncSym(Name), FRoutine(Routine)
{
    assert(Routine != nullptr && "a function needs a routine");
}

Float80 TExprBinary80FuncSym::ComputeValue()
{
    Float80 a = ReadFirstArgument();
    Float80 b = ReadNextArgument();
    // Unlike the one-argument case, the closing parenthesis is checked before the routine
    // runs: "Power(2, 3" reports the missing ")".
    CloseArguments();
    return FRoutine(a, b);
}
