#pragma once
// The hint line of a formula editor: a small panel laid over the editor's window right under the
// editor, or over it where the window has no room below, as wide as the editor. It shows rich
// text (a rewrite with its note, or the argument list of the call being typed) and says when it
// is clicked; it takes no focus, so typing goes on in the editor. Being an overlay, it moves no
// control and is never part of the plot's picture.
#include <QLabel>
#include <QPointer>

class QLineEdit;

class TFormulaHint : public QLabel
{
    Q_OBJECT

  public:
    explicit TFormulaHint(QLineEdit* Editor);

    // Shows Html beside the editor; an empty text hides the line. Clickable: the hand cursor,
    // and Clicked on a click.
    void Show(const QString& Html, bool Clickable);
    // Lays the line beside the editor again (the editor moved or changed its size).
    void Follow();

  signals:
    void Clicked();

  protected:
    void mousePressEvent(QMouseEvent* Event) override;

  private:
    QPointer<QLineEdit> Editor;
    bool Clickable = false;
};
