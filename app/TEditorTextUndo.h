#pragma once
// An undo record of one editor's text as it was before a rewrite was applied to it: restoring
// writes the text back whole (a formula editor takes it as its whole formula). An editor that
// no longer exists is skipped.
#include "app/TUndoObject.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>

class TEditorTextUndo : public TUndoObject
{
  public:
    TEditorTextUndo(QLineEdit* Editor, QString Text) : Editor(Editor), Text(std::move(Text)) {}

    void Restore() const override
    {
        if (Editor)
            Editor->setText(Text);
    }

  private:
    QPointer<QLineEdit> Editor;
    QString Text;
};
