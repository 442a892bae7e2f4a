#pragma once
// The formula editor: a single-line editor whose formula may run to millions of characters.
//
// A line editor lays out its whole text on every change and every paint, which takes seconds
// at that length. This one hands the line editor a window of the formula around the cursor
// (at most WindowLength characters) and keeps the rest before and after it, so a key or a
// paint costs the same whatever the formula's length. The window moves with the cursor: when
// the cursor comes within a quarter window of an edge that has more formula beyond it, the
// window is laid anew around the cursor. A formula no longer than the window is the line
// editor's own text, and the editor is a QLineEdit in every respect.
//
// Keys that reach past the window act on the whole formula: Home and End (with Shift, a
// selection to the start or the end), Select All, and while such a selection stands, Shift with
// Left or Right, typing, Delete, Backspace, Cut, Copy and Paste. Pasting a long text goes
// straight into the formula. Its context menu then offers Cut, Copy, Paste, Delete and Select
// All, each doing what its key does.
//
// Formula() and SetFormula() read and write the whole; QLineEdit::text() is the window. A text
// set through QLineEdit::setText or clear() replaces the whole formula.
#include <QLineEdit>
#include <QString>

class TFormulaEdit : public QLineEdit
{
    Q_OBJECT

  public:
    static constexpr int DefaultWindowLength = 4096;

    explicit TFormulaEdit(QWidget* Parent = nullptr, int WindowLength = DefaultWindowLength);

    QString Formula() const { return Before + text() + After; }
    // The length of Formula(), without putting it together.
    qsizetype FormulaLength() const { return Before.size() + text().size() + After.size(); }
    // Shows the end of the formula, the cursor after its last character.
    void SetFormula(const QString& Formula);
    // The cursor and the selection's other end, as places in the whole formula.
    qsizetype FormulaCursor() const { return Before.size() + cursorPosition(); }
    qsizetype FormulaAnchor() const;

  protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;

  private:
    bool Windowed() const { return !Before.isEmpty() || !After.isEmpty(); }
    // Handles a key that acts on the whole formula; false for any other.
    bool WholeFormulaKey(QKeyEvent* Event);
    bool SelectionKey(QKeyEvent* Event);
    // Lays the window around Cursor and shows the selection from Anchor (both in Whole).
    void Show(const QString& Whole, qsizetype Anchor, qsizetype Cursor);
    // Puts Text in place of the selection, or at the cursor.
    void Replace(const QString& Text);
    void KeepCursorAwayFromTheEdges();
    void TextChanged();

    int WindowLength;
    QString Before, After;
    // The selection's other end when it lies outside the window, else -1.
    qsizetype OuterAnchor = -1;
    bool Laying = false;
    bool Edited = false;
};
