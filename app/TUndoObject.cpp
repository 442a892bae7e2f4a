#include "app/TUndoObject.h"

TUndoObject::TUndoObject(QLineEdit* LeftEdt, QLineEdit* TopEdt, QLineEdit* RightEdt, QLineEdit* BottomEdt)
{
    Left = Capture(LeftEdt);
    Top = Capture(TopEdt);
    Right = Capture(RightEdt);
    Bottom = Capture(BottomEdt);
}

TUndoObject::TSavedText TUndoObject::Capture(QLineEdit* Editor)
{
    return {Editor, Editor ? Editor->text() : QString()};
}

void TUndoObject::Put(const TSavedText& Saved)
{
    if (Saved.Editor)
        Saved.Editor->setText(Saved.Text);
}

void TUndoObject::Restore() const
{
    Put(Left);
    Put(Top);
    Put(Right);
    Put(Bottom);
}
