#include "expr/TExprHashContext.h"

#include "expr/Errors.h"
#include "expr/Utf16.h"

namespace
{
const TStringHashMapTraits& TraitsFor(bool CaseSensitive)
{
    if (CaseSensitive)
        return TCaseSensitiveTraits::Shared();
    return TCaseInsensitiveTraits::Shared();
}
} // namespace

TExprHashContext::TExprHashContext(bool CaseSensitive, uint32_t BucketCount)
    : NameMap(TraitsFor(CaseSensitive), BucketCount)
{
}

// The symbols go first, then the map.
TExprHashContext::~TExprHashContext()
{
    OwnedSymbols.clear();
}

void TExprHashContext::Insert(std::unique_ptr<TExprSym> Symbol)
{
    OwnedSymbols.reserve(OwnedSymbols.size() + 1);
    if (!NameMap.Add(Symbol->Name(), Symbol.get()))
        throw EStringHashMapError(Msg::Format(Msg::DuplicateEntry, ToUtf8(Symbol->Name())));
    OwnedSymbols.push_back(std::move(Symbol));
}

TExprSym* TExprHashContext::Lookup(std::u16string_view Name) const
{
    return NameMap.Find(Name);
}
