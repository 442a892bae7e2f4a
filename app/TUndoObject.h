#pragma once
// One undo record: the texts of the four bound editors as they were before a zoom.
// The record points at the editors themselves, so restoring writes into the same
// controls; the texts are kept verbatim, never parsed.
#include <QLineEdit>
#include <QPointer>
#include <QString>

class TUndoObject
{
  public:
    // Captures each editor's current text, in the order left, top, right, bottom.
    TUndoObject(QLineEdit* LeftEdt, QLineEdit* TopEdt, QLineEdit* RightEdt, QLineEdit* BottomEdt);
    virtual ~TUndoObject() = default;

    // Writes the captured texts back, in the order left, top, right, bottom. An editor
    // that no longer exists is skipped.
    virtual void Restore() const;

  protected:
    // A record of something else than the view (see TGraphUndo).
    TUndoObject() = default;

  private:
    struct TSavedText
    {
        QPointer<QLineEdit> Editor;
        QString Text;
    };
    static TSavedText Capture(QLineEdit* Editor);
    static void Put(const TSavedText& Saved);

    TSavedText Bottom;
    TSavedText Left;
    TSavedText Right;
    TSavedText Top;
};
