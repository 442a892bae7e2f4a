#include "expr/TExprConst80Sym.h"

TExprConst80Sym::TExprConst80Sym(std::u16string_view Name, Float80 ConstValue)
    : TExprSym(Name), FConstValue(ConstValue)
{
}

Float80 TExprConst80Sym::ComputeValue()
{
    return FConstValue;
}
