#pragma once
// A context made of other contexts; the member appended last is asked first.
#include "expr/TExprContext.h"

#include <memory>
#include <vector>

class TExprSetContext final : public TExprContext
{
  public:
    explicit TExprSetContext(bool OwnsMembers) : FOwnsMembers(OwnsMembers) {}

    bool OwnsMembers() const { return FOwnsMembers; }

    // Adds Member at the end; the set takes ownership of it when it owns its members.
    void Append(TExprContext* Member);
    TExprSym* Lookup(std::u16string_view Name) const override;

  private:
    std::vector<TExprContext*> Members;
    bool FOwnsMembers;
    std::vector<std::unique_ptr<TExprContext>> OwnedMembers;
};
