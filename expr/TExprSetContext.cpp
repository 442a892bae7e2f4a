#include "expr/TExprSetContext.h"

void TExprSetContext::Append(TExprContext* Member)
{
    Members.push_back(Member);
    if (FOwnsMembers)
        OwnedMembers.emplace_back(Member);
}

TExprSym* TExprSetContext::Lookup(std::u16string_view Name) const
{
    for (auto Member = Members.rbegin(); Member != Members.rend(); ++Member)
        if (TExprSym* Found = (*Member)->Lookup(Name))
            return Found;
    return nullptr;
}
