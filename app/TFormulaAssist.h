#pragma once
// The help a formula editor gives while a formula is typed, attached to any line editor that
// holds a formula (the main formula editor, the Graph panel's fields, a fit dialog's):
//
// - Completion: two or more letters of a name (or Ctrl+Space after any) offer the functions, Pi,
//   the field's variables and the named parameters, each with what it is (FunctionCatalog);
//   choosing one writes it, a function as "Name(", and the hint line shows a function's argument
//   list, the current argument in bold, until its bracket closes.
// - Brackets: the bracket beside the cursor and its partner are marked as the cursor moves; a
//   bracket without a partner in the whole formula is marked red.
// - The error's place: a short pause after typing (or Enter) the formula is read as the plot
//   reads it (TFormulaCheck); if it fails, the token where reading stopped is underlined and the
//   editor's tooltip repeats the error's message, word for word.
// - Habits: if the failing text reads as a habit of other plotters (THabitRewriter), the hint
//   line offers the rewrite; Ctrl+Enter in the editor, or a click on the line, writes it into
//   the editor (one step of the editor's own undo, and one record of the window's Edit > Undo
//   when the field has a recorder). Nothing is rewritten otherwise: the editor keeps what the
//   user wrote until they ask. Escape puts the line away until the text changes.
//
// A formula longer than LiveLimit is read only on Enter, and habits are looked for up to
// HintLimit, so typing costs the same in a formula of any length (bench_editor).
#include "app/TBracketScan.h"
#include "expr/Errors.h"
#include "plot/TFunc.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCompleter;
class QLineEdit;
class QStandardItemModel;
class QTimer;
class TFormulaCheck;
class TFormulaHint;
class TFormulaMarks;
class THabitRewriter;
class TUndoObject;

// What a formula field knows: its names, how it reads numbers, where its undo records go.
struct TFormulaField
{
    using TNames = std::function<std::vector<std::u16string>()>;
    using TRecordUndo = std::function<void(std::unique_ptr<TUndoObject>)>;

    TFormulaField(TNames Variables, TNames Parameters, char16_t DecimalSeparator, TRecordUndo RecordUndo = {})
        : Variables(std::move(Variables)), Parameters(std::move(Parameters)),
          DecimalSeparator(DecimalSeparator), RecordUndo(std::move(RecordUndo))
    {
    }

    // The variables the field's formulas read ("x"; "s"; "y"; none for a curve's ends); asked
    // anew at every check, so a field whose kind changes follows it.
    TNames Variables;
    // The named parameters the formulas read; none when empty.
    TNames Parameters;
    char16_t DecimalSeparator;
    // Takes the undo record of an applied rewrite; none: only the editor's own undo.
    TRecordUndo RecordUndo;
    // Whether the time parameter t is put into the text before it is read.
    bool ReadsTime = true;
    // Whether the field holds a formula now (a points graph's name in the Graph panel does not);
    // none: always. A field that holds no formula is neither read nor completed.
    std::function<bool()> HoldsFormula;
};

class TFormulaAssist : public QObject
{
    Q_OBJECT

  public:
    // Pause after the last key before the formula is read.
    static constexpr int CheckDelay = 300;
    // Longer formulas are read only when Enter is pressed.
    static constexpr qsizetype LiveLimit = 200000;
    // Habits are looked for in formulas up to this length.
    static constexpr qsizetype HintLimit = 100000;
    // Letters of a name typed before completion offers anything.
    static constexpr int CompletionPrefix = 2;

    // Attaches the help to Edit (which owns it from then on) and returns it. Attach after any
    // event filter of the window on Edit, so that Ctrl+Enter reaches the help first.
    static TFormulaAssist* Attach(QLineEdit* Edit, TFormulaField Field);
    // The help attached to Edit, or nullptr.
    static TFormulaAssist* Of(const QLineEdit* Edit);
    // Gives every help attached to an editor inside Parent the window's undo recorder.
    static void RecordUndoIn(QObject& Parent, const TFormulaField::TRecordUndo& RecordUndo);
    // The variable the formulas of a graph kind read: {"x"}, {"s"}, {"y"}, or none.
    static std::vector<std::u16string> VariablesOf(TGraphKind Kind);
    // Puts Text in place of Edit's selection, or at its cursor, as typing it would: one step
    // of the editor's undo, and a formula editor keeps the rest of a long formula.
    static void Type(QLineEdit* Edit, const QString& Text);

    // Reads the formula now rather than after the pause.
    void CheckNow();
    // What the last reading found: the message (empty when the formula reads) and the place of
    // the error in the whole formula.
    QString Message() const { return FMessage; }
    std::optional<TTextPlace> ErrorPlace() const { return FErrorPlace; }
    // The rewrite on offer, or empty; the hint line as shown, or empty when hidden.
    QString Rewrite() const { return FRewrite; }
    QString HintText() const;
    // Writes the rewrite into the editor, as Ctrl+Enter does; false when none is on offer.
    bool ApplyRewrite();
    // The names completion offers now, as their lines read ("Sin(x): sine of x (radians)").
    QStringList Offered() const;
    // The bracket beside the cursor and its partner, as places in the whole formula.
    TBracketScan::TPair Brackets() const { return FBrackets; }

    ~TFormulaAssist() override;

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    TFormulaAssist(QLineEdit* Edit, TFormulaField Field);

    void TextChanged();
    void TextEdited();
    void CursorMoved();
    // Completion: the name being typed and what begins with it; Asked (Ctrl+Space) offers names
    // for a word of any length.
    void Offer(bool Asked);
    bool ChooseKey(QEvent* Event);
    void Choose(int Row);
    // The marks (error wave, brackets) over the editor's visible text.
    void ShowMarks();
    void ShowHint();

    // The whole formula and where the editor's visible text starts in it (a formula editor
    // shows a window of a long formula).
    QString WholeText() const;
    qsizetype WholeLength() const;
    qsizetype WindowStart() const;
    std::vector<std::u16string> Names() const;
    const TFormulaCheck& CheckFor(const std::vector<std::u16string>& Names);

    QPointer<QLineEdit> Edit;
    TFormulaField Field;
    QString OwnToolTip;
    QTimer* Timer = nullptr;
    TFormulaMarks* Marks = nullptr;
    TFormulaHint* Hint = nullptr;
    QCompleter* Completer = nullptr;
    QStandardItemModel* Offers = nullptr;
    std::vector<std::u16string> Inserts; // per offered row
    qsizetype OfferStart = 0;            // where the name being completed starts in the formula
    std::unique_ptr<TFormulaCheck> Check;
    std::unique_ptr<THabitRewriter> Rewriter;

    QString FMessage;
    std::optional<TTextPlace> FErrorPlace;
    QString FRewrite;
    QString FNote;
    TBracketScan::TPair FBrackets;
    QString CallTip;
    // Escape put the hint line away until the text changes.
    bool Dismissed = false;
};
