#include "controls/TFormulaEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace
{
// A place that does not fall between the two halves of a surrogate pair.
qsizetype Whole(const QString& Text, qsizetype i)
{
    return i > 0 && i < Text.size() && Text[i].isLowSurrogate() ? i - 1 : i;
}

// The place one character left or right of i.
qsizetype Step(const QString& Text, qsizetype i, int Direction)
{
    if (Direction < 0)
        return i > 0 ? Whole(Text, i - 1) : 0;
    return i < Text.size() ? std::min(Text.size(), i + (Text[i].isHighSurrogate() ? 2 : 1)) : i;
}

bool IsTyping(const QKeyEvent* Event)
{
    const QString Text = Event->text();
    if (Text.isEmpty() || (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    return std::all_of(Text.begin(), Text.end(), [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}
} // namespace

TFormulaEdit::TFormulaEdit(QWidget* Parent, int Length)
    : QLineEdit(Parent), WindowLength(std::max(Length, 16))
{
    // The window's text is never long; a text set from outside is taken whole.
    setMaxLength(std::numeric_limits<int>::max());
    // textEdited comes just before textChanged for the user's edits only.
    connect(this, &QLineEdit::textEdited, this, [this] { Edited = true; });
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

qsizetype TFormulaEdit::FormulaAnchor() const
{
    if (OuterAnchor >= 0)
        return OuterAnchor;
    if (!hasSelectedText())
        return FormulaCursor();
    return Before.size() + (selectionStart() == cursorPosition() ? selectionEnd() : selectionStart());
}

void TFormulaEdit::SetFormula(const QString& Formula)
{
    Show(Formula, Formula.size(), Formula.size());
}

void TFormulaEdit::Show(const QString& Formula, qsizetype Anchor, qsizetype Cursor)
{
    qsizetype Start = 0, End = Formula.size();
    if (Formula.size() > WindowLength)
    {
        Start = Whole(Formula,
                      std::clamp<qsizetype>(Cursor - WindowLength / 2, 0, Formula.size() - WindowLength));
        End = Whole(Formula, std::min<qsizetype>(Formula.size(), Start + WindowLength));
    }
    const QScopedValueRollback<bool> Guard(Laying, true);
    Before = Formula.left(Start);
    After = Formula.mid(End);
    setText(Formula.mid(Start, End - Start));
    OuterAnchor = Anchor < Start || Anchor > End ? Anchor : -1;
    const qsizetype From = std::clamp(Anchor, Start, End) - Start;
    if (From == Cursor - Start)
        setCursorPosition(int(Cursor - Start));
    else
        setSelection(int(From), int(Cursor - Start - From));
}

void TFormulaEdit::TextChanged()
{
    const bool ByUser = std::exchange(Edited, false);
    if (Laying)
        return;
    // Set from outside through QLineEdit: the whole formula.
    if (!ByUser)
    {
        Before.clear();
        After.clear();
        OuterAnchor = -1;
    }
    if (text().size() > 2 * qsizetype(WindowLength))
        Show(Formula(), FormulaAnchor(), FormulaCursor());
}

void TFormulaEdit::mousePressEvent(QMouseEvent* Event)
{
    OuterAnchor = -1;
    QLineEdit::mousePressEvent(Event);
}

void TFormulaEdit::keyPressEvent(QKeyEvent* Event)
{
    if (WholeFormulaKey(Event))
        return Event->accept();
    if (OuterAnchor >= 0)
        Show(Formula(), FormulaCursor(), FormulaCursor());
    KeepCursorAwayFromTheEdges();
    QLineEdit::keyPressEvent(Event);
}

bool TFormulaEdit::WholeFormulaKey(QKeyEvent* Event)
{
    if (Event->matches(QKeySequence::Paste))
    {
        const QString Pasted = QGuiApplication::clipboard()->text();
        if (!Windowed() && text().size() + Pasted.size() <= WindowLength)
            return false;
        Replace(Pasted);
        return true;
    }
    if (!Windowed())
        return false;
    // Where the selection's other end and the cursor go; the whole formula is put together
    // only for these keys.
    const qsizetype End = Before.size() + text().size() + After.size();
    qsizetype Anchor = 0, Cursor = 0;
    if (Event->matches(QKeySequence::SelectAll))
        Cursor = End;
    else if (Event->matches(QKeySequence::MoveToStartOfLine) ||
             Event->matches(QKeySequence::MoveToStartOfDocument))
    {
        // both at the start
    }
    else if (Event->matches(QKeySequence::MoveToEndOfLine) ||
             Event->matches(QKeySequence::MoveToEndOfDocument))
        Anchor = Cursor = End;
    else if (Event->matches(QKeySequence::SelectStartOfLine) ||
             Event->matches(QKeySequence::SelectStartOfDocument))
        Anchor = FormulaAnchor();
    else if (Event->matches(QKeySequence::SelectEndOfLine) ||
             Event->matches(QKeySequence::SelectEndOfDocument))
        Anchor = FormulaAnchor(), Cursor = End;
    else
        return OuterAnchor >= 0 && SelectionKey(Event);
    Show(Formula(), Anchor, Cursor);
    return true;
}

// Keys on a selection that reaches past the window.
bool TFormulaEdit::SelectionKey(QKeyEvent* Event)
{
    const QString Formula = this->Formula();
    const qsizetype Anchor = FormulaAnchor(), Cursor = FormulaCursor();
    const qsizetype From = std::min(Anchor, Cursor), To = std::max(Anchor, Cursor);
    if (Event->matches(QKeySequence::SelectPreviousChar) || Event->matches(QKeySequence::SelectNextChar))
    {
        const int Direction = Event->matches(QKeySequence::SelectNextChar) ? 1 : -1;
        Show(Formula, Anchor, Step(Formula, Cursor, Direction));
        return true;
    }
    if (Event->matches(QKeySequence::Copy) || Event->matches(QKeySequence::Cut))
        QGuiApplication::clipboard()->setText(Formula.mid(From, To - From));
    if (Event->matches(QKeySequence::Copy))
        return true;
    if (Event->matches(QKeySequence::Cut) || Event->key() == Qt::Key_Delete ||
        Event->key() == Qt::Key_Backspace)
        Replace(QString());
    else if (IsTyping(Event))
        Replace(Event->text());
    else
        return false;
    return true;
}

void TFormulaEdit::Replace(const QString& Text)
{
    const QString Formula = this->Formula();
    const qsizetype From = std::min(FormulaAnchor(), FormulaCursor());
    const qsizetype To = std::max(FormulaAnchor(), FormulaCursor());
    const QString Changed = Formula.left(From) + Text + Formula.mid(To);
    Show(Changed, From + Text.size(), From + Text.size());
    emit textEdited(text()); // the formula changed as by typing
    Edited = false;
}

void TFormulaEdit::KeepCursorAwayFromTheEdges()
{
    const qsizetype Margin = WindowLength / 4;
    const qsizetype Cursor = cursorPosition();
    if ((Cursor < Margin && !Before.isEmpty()) || (text().size() - Cursor < Margin && !After.isEmpty()))
        Show(Formula(), FormulaAnchor(), FormulaCursor());
}

void TFormulaEdit::contextMenuEvent(QContextMenuEvent* Event)
{
    if (!Windowed())
        return QLineEdit::contextMenuEvent(Event);
    // The line editor's own menu would act on the window: each entry here is its key.
    struct TEntry
    {
        const char* Name;
        const char* Caption;
        QKeySequence::StandardKey Key;
        bool NeedsSelection;
    };
    static constexpr TEntry Entries[] = {
        {"edit-cut", "Cu&t", QKeySequence::Cut, true},
        {"edit-copy", "&Copy", QKeySequence::Copy, true},
        {"edit-paste", "&Paste", QKeySequence::Paste, false},
        {"edit-delete", "Delete", QKeySequence::Delete, true},
        {"select-all", "Select All", QKeySequence::SelectAll, false},
    };
    const bool Selected = hasSelectedText() || OuterAnchor >= 0;
    QMenu Menu;
    for (const TEntry& e : Entries)
    {
        QAction* Entry = Menu.addAction(tr(e.Caption));
        Entry->setObjectName(QString::fromLatin1(e.Name));
        Entry->setShortcut(e.Key);
        Entry->setEnabled(Selected || !e.NeedsSelection);
        const QKeyCombination Combination = QKeySequence(e.Key)[0];
        connect(Entry, &QAction::triggered, this,
                [this, Combination]
                {
                    QKeyEvent Press(QEvent::KeyPress, Combination.key(), Combination.keyboardModifiers());
                    keyPressEvent(&Press);
                });
    }
    Menu.exec(Event->globalPos());
}
