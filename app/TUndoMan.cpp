#include "app/TUndoMan.h"

void TUndoMan::Push(std::unique_ptr<TUndoObject> Record)
{
    if (Record)
        Records.push_back(std::move(Record));
}

bool TUndoMan::Pop()
{
    if (Records.empty())
        return false;
    Records.back()->Restore();
    Records.pop_back();
    return !Records.empty();
}
