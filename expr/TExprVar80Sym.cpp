#include "expr/TExprVar80Sym.h"

#include <cassert>

TExprVar80Sym::TExprVar80Sym(std::u16string_view Name, Float80* Storage) : TExprSym(Name), FStorage(Storage)
{
    assert(Storage != nullptr && "a variable needs storage");
}

Float80 TExprVar80Sym::ComputeValue()
{
    return *FStorage;
}
