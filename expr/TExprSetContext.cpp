#include "expr/TExprSetContext.h"

void TExprSetContext::Append(TExprContext* Member)
{
    FMembers.push_back(Member);
    if (FOwnsMembers)
        OwnedMembers.emplace_back(Member);
}

TExprSym* TExprSetContext::Lookup(std::u16string_view Name) const
{
    for (auto Member = FMembers.rbegin(); Member != FMembers.rend(); ++Member)
        if (TExprSym* Found = (*Member)->Lookup(Name))
            return Found;
    return nullptr;
}
