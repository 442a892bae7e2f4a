#include "app/TFormulaAssist.h"

#include "app/TEditorTextUndo.h"
#include "app/TFormulaHint.h"
#include "app/TFormulaMarks.h"
#include "controls/TFormulaEdit.h"
#include "expr/FunctionCatalog.h"
#include "expr/TConditionHint.h"
#include "expr/TFormulaCheck.h"
#include "expr/THabitRewriter.h"
#include "plot/GraphKind.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>

#include <algorithm>

namespace
{
std::u16string_view View(const QString& Text)
{
    return {reinterpret_cast<const char16_t*>(Text.utf16()), size_t(Text.size())};
}

QString FromView(std::u16string_view Text)
{
    return QString::fromUtf16(Text.data(), qsizetype(Text.size()));
}

bool IsNameChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

// A long rewrite is shown cut; Ctrl+Enter writes it whole.
constexpr qsizetype ShownRewrite = 160;

// The signature of the function called, its current argument in bold: "ArcTan2(<b>y</b>, x): ...".
QString CallTipOf(const TBracketScan::TCall& Call)
{
    const FunctionCatalog::TFunction* Function = FunctionCatalog::FindFunction(View(Call.Name));
    if (!Function)
        return {};
    const QStringList Arguments = QString::fromUtf8(Function->Arguments).split(QStringLiteral(", "));
    QStringList Shown;
    for (int i = 0; i < Arguments.size(); ++i)
        Shown << (i == Call.Argument ? QStringLiteral("<b>%1</b>").arg(Arguments[i]) : Arguments[i]);
    return FromView(Function->Name) + u'(' + Shown.join(QStringLiteral(", ")) + QStringLiteral("): ") +
           QString::fromUtf8(Function->Meaning).toHtmlEscaped();
}
} // namespace

TFormulaAssist* TFormulaAssist::Attach(QLineEdit* Edit, TFormulaField Field)
{
    return new TFormulaAssist(Edit, std::move(Field));
}

TFormulaAssist* TFormulaAssist::Of(const QLineEdit* Edit)
{
    return Edit->findChild<TFormulaAssist*>(QString(), Qt::FindDirectChildrenOnly);
}

void TFormulaAssist::RecordUndoIn(QObject& Parent, const TFormulaField::TRecordUndo& RecordUndo)
{
    for (TFormulaAssist* Assist : Parent.findChildren<TFormulaAssist*>())
        Assist->Field.RecordUndo = RecordUndo;
}

std::vector<std::u16string> TFormulaAssist::VariablesOf(TGraphKind Kind)
{
    return KindOf(Kind).Variables();
}

void TFormulaAssist::Type(QLineEdit* Edit, const QString& Text)
{
    QKeyEvent Typing(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Edit, &Typing);
}

TFormulaAssist::TFormulaAssist(QLineEdit* EditIn, TFormulaField FieldIn)
    : QObject(EditIn), Edit(EditIn), Field(std::move(FieldIn)), OwnToolTip(EditIn->toolTip())
{
    setObjectName(QStringLiteral("FormulaAssist"));
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(CheckDelay);
    connect(Timer, &QTimer::timeout, this, &TFormulaAssist::CheckNow);

    Marks = new TFormulaMarks(Edit);
    Hint = new TFormulaHint(Edit);
    connect(Hint, &TFormulaHint::Clicked, this, &TFormulaAssist::ApplyRewrite);
    connect(this, &QObject::destroyed, Hint, &QObject::deleteLater);

    Offers = new QStandardItemModel(this);
    Completer = new QCompleter(Offers, this);
    Completer->setWidget(Edit);
    Completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    Completer->popup()->setObjectName(Edit->objectName() + QStringLiteral("Completion"));
    Completer->popup()->installEventFilter(this);
    connect(Completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& Index) { Choose(Index.row()); });

    Edit->installEventFilter(this);
    connect(Edit, &QLineEdit::textChanged, this, &TFormulaAssist::TextChanged);
    connect(Edit, &QLineEdit::textEdited, this, &TFormulaAssist::TextEdited);
    connect(Edit, &QLineEdit::cursorPositionChanged, this, &TFormulaAssist::CursorMoved);
    if (WholeLength() > 0)
        TextChanged();
}

TFormulaAssist::~TFormulaAssist() = default;

QString TFormulaAssist::WholeText() const
{
    const auto* Formula = qobject_cast<const TFormulaEdit*>(Edit.data());
    return Formula ? Formula->Formula() : Edit->text();
}

qsizetype TFormulaAssist::WholeLength() const
{
    const auto* Formula = qobject_cast<const TFormulaEdit*>(Edit.data());
    return Formula ? Formula->FormulaLength() : Edit->text().size();
}

qsizetype TFormulaAssist::WindowStart() const
{
    const auto* Formula = qobject_cast<const TFormulaEdit*>(Edit.data());
    return Formula ? Formula->FormulaCursor() - Edit->cursorPosition() : 0;
}

std::vector<std::u16string> TFormulaAssist::Names() const
{
    std::vector<std::u16string> Names;
    if (Field.Variables)
        Names = Field.Variables();
    if (Field.Parameters)
        for (std::u16string& Name : Field.Parameters())
            Names.push_back(std::move(Name));
    return Names;
}

const TFormulaCheck& TFormulaAssist::CheckFor(const std::vector<std::u16string>& Names)
{
    if (!Check || Check->Names() != Names)
    {
        Rewriter.reset();
        Check = std::make_unique<TFormulaCheck>(Field.DecimalSeparator, Names, Field.ReadsTime);
        Rewriter = std::make_unique<THabitRewriter>(*Check);
    }
    return *Check;
}

void TFormulaAssist::CheckNow()
{
    Timer->stop();
    if (Field.HoldsFormula && !Field.HoldsFormula())
    {
        FMessage.clear();
        FErrorPlace.reset();
        FRewrite.clear();
        FNote.clear();
        Edit->setToolTip(OwnToolTip);
        ShowMarks();
        ShowHint();
        return;
    }
    const QString Text = WholeText();
    const TFormulaCheck& Reader = CheckFor(Names());
    const auto Failure = Reader.Check(View(Text));
    FMessage = Failure ? QString::fromStdString(Failure->Message) : QString();
    FErrorPlace = Failure ? std::optional(Failure->Place) : std::nullopt;
    FRewrite.clear();
    FNote.clear();
    if (Failure && Text.size() <= HintLimit)
        if (const auto Found = Rewriter->Hint(View(Text)))
        {
            FRewrite = FromView(Found->Rewrite);
            FNote = QString::fromStdString(Found->Note);
        }
    // A combination of comparisons reads, but not as meant without brackets.
    if (!Failure && Text.size() <= HintLimit)
        if (const auto Bracketed = TConditionHint(Reader).Rewrite(View(Text)))
        {
            FRewrite = FromView(*Bracketed);
            FNote = QString::fromUtf8(TConditionHint::Note.data(), qsizetype(TConditionHint::Note.size()));
        }
    Edit->setToolTip(Failure ? FMessage : OwnToolTip);
    ShowMarks();
    ShowHint();
}

// Marks of the last reading belong to the text read: an edit takes them away until the next.
void TFormulaAssist::TextChanged()
{
    Dismissed = false;
    FMessage.clear();
    FErrorPlace.reset();
    FRewrite.clear();
    FNote.clear();
    Edit->setToolTip(OwnToolTip);
    if (WholeLength() <= LiveLimit)
        Timer->start();
    else
        Timer->stop();
    CursorMoved();
}

void TFormulaAssist::TextEdited()
{
    Offer(false);
}

void TFormulaAssist::CursorMoved()
{
    const QString Shown = Edit->text();
    const qsizetype Cursor = Edit->cursorPosition(), Start = WindowStart();
    TBracketScan::TPair Pair = TBracketScan::MatchAt(Shown, Cursor);
    // Beyond the visible window lies more formula: a partner may be there.
    Pair.Unmatched = Pair.Unmatched && Shown.size() == WholeLength();
    if (Pair.Bracket >= 0)
        Pair.Bracket += Start;
    if (Pair.Partner >= 0)
        Pair.Partner += Start;
    FBrackets = Pair;
    const auto Call = TBracketScan::CallAt(Shown, Cursor);
    CallTip = Call ? CallTipOf(*Call) : QString();
    ShowMarks();
    ShowHint();
}

// The marks in the editor's own text: the formula editor shows a window of a long formula.
void TFormulaAssist::ShowMarks()
{
    const qsizetype Start = WindowStart();
    TFormulaMarks::TMarks Shown;
    if (FErrorPlace)
    {
        Shown.WaveFrom = qsizetype(FErrorPlace->Start) - Start;
        Shown.WaveTo = qsizetype(FErrorPlace->End) - Start;
    }
    if (FBrackets.Bracket >= 0)
    {
        Shown.Bracket = FBrackets.Bracket - Start;
        Shown.Partner = FBrackets.Partner >= 0 ? FBrackets.Partner - Start : -1;
        Shown.Unmatched = FBrackets.Unmatched;
    }
    Marks->SetMarks(Shown);
    Marks->update(); // the editor may have scrolled its text
}

void TFormulaAssist::ShowHint()
{
    if (Dismissed)
        return Hint->Show(QString(), false);
    if (!FRewrite.isEmpty() || !FNote.isEmpty())
    {
        QString Html;
        if (!FRewrite.isEmpty())
        {
            QString Shown =
                FRewrite.size() > ShownRewrite ? FRewrite.left(ShownRewrite) + QChar(0x2026) : FRewrite;
            Html = QStringLiteral("<b>%1</b> &nbsp;<i>Ctrl+Enter or click: write it so</i><br>")
                       .arg(Shown.toHtmlEscaped());
        }
        return Hint->Show(Html + FNote.toHtmlEscaped(), !FRewrite.isEmpty());
    }
    Hint->Show(Edit->hasFocus() ? CallTip : QString(), false);
}

QString TFormulaAssist::HintText() const
{
    return Hint->isHidden() ? QString() : Hint->text();
}

bool TFormulaAssist::ApplyRewrite()
{
    if (FRewrite.isEmpty() || !Edit)
        return false;
    const QString Rewrite = FRewrite;
    if (Field.RecordUndo)
        Field.RecordUndo(std::make_unique<TEditorTextUndo>(Edit, WholeText()));
    if (Edit->text().size() == WholeLength())
    {
        // One step of the editor's own undo.
        Edit->selectAll();
        Edit->insert(Rewrite);
    }
    else
        Edit->setText(Rewrite); // a formula editor takes it as the whole formula
    CheckNow();
    return true;
}

void TFormulaAssist::Offer(bool Asked)
{
    if (Field.HoldsFormula && !Field.HoldsFormula())
        return;
    const QString Shown = Edit->text();
    const qsizetype Cursor = Edit->cursorPosition();
    qsizetype Start = Cursor;
    while (Start > 0 && IsNameChar(Shown[Start - 1]))
        --Start;
    // A name starts with a letter: in "2si" the name is "si".
    while (Start < Cursor && Shown[Start].isDigit())
        ++Start;
    const bool InsideName = Cursor < Shown.size() && IsNameChar(Shown[Cursor]);
    Offers->clear();
    Inserts.clear();
    if ((!Asked && Cursor - Start < CompletionPrefix) || InsideName)
        return Completer->popup()->hide();
    std::vector<std::u16string> Variables =
        Field.Variables ? Field.Variables() : std::vector<std::u16string>{};
    if (Field.ReadsTime)
        Variables.push_back(u"t");
    const std::vector<std::u16string> Parameters =
        Field.Parameters ? Field.Parameters() : std::vector<std::u16string>{};
    const QString Prefix = Shown.mid(Start, Cursor - Start);
    for (const FunctionCatalog::TCompletion& Entry :
         FunctionCatalog::Completions(View(Prefix), Variables, Parameters))
    {
        // A name typed out in full that takes no arguments needs nothing more.
        if (!Asked && Entry.Insert == Entry.Name &&
            FromView(Entry.Name).compare(Prefix, Qt::CaseInsensitive) == 0)
            continue;
        auto* Item = new QStandardItem(QString::fromStdString(Entry.Line));
        Item->setEditable(false);
        Offers->appendRow(Item);
        Inserts.push_back(Entry.Insert);
    }
    if (Inserts.empty())
        return Completer->popup()->hide();
    OfferStart = WindowStart() + Start;
    QRect Place = Edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QAbstractItemView* Popup = Completer->popup();
    Place.setWidth(Popup->sizeHintForColumn(0) + Popup->verticalScrollBar()->sizeHint().width() + 8);
    Completer->complete(Place);
    Popup->setCurrentIndex(Offers->index(0, 0));
}

void TFormulaAssist::Choose(int Row)
{
    Completer->popup()->hide();
    if (Row < 0 || size_t(Row) >= Inserts.size())
        return;
    const QString Insert = FromView(Inserts[size_t(Row)]);
    const qsizetype From = OfferStart - WindowStart(), Cursor = Edit->cursorPosition();
    if (From < 0 || From > Cursor)
        return;
    Edit->setSelection(int(From), int(Cursor - From));
    Type(Edit, Insert);
}

QStringList TFormulaAssist::Offered() const
{
    QStringList Lines;
    if (Completer->popup()->isVisible())
        for (int Row = 0; Row < Offers->rowCount(); ++Row)
            Lines << Offers->item(Row)->text();
    return Lines;
}

bool TFormulaAssist::ChooseKey(QEvent* Event)
{
    if (Event->type() != QEvent::KeyPress)
        return false;
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter && Key != Qt::Key_Tab)
        return false;
    Choose(std::max(Completer->popup()->currentIndex().row(), 0));
    return true;
}

bool TFormulaAssist::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == Completer->popup())
        return ChooseKey(Event);
    switch (Event->type())
    {
    case QEvent::KeyPress:
    {
        const auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Space && Key->modifiers() == Qt::ControlModifier)
        {
            Offer(true); // every name that begins as the word at the cursor, however short
            return true;
        }
        if (Key->key() == Qt::Key_Escape && !Dismissed && !HintText().isEmpty())
        {
            Dismissed = true; // until the text changes
            ShowHint();
            return true;
        }
        if (Key->key() != Qt::Key_Return && Key->key() != Qt::Key_Enter)
            break;
        if ((Key->modifiers() & Qt::ControlModifier) && ApplyRewrite())
            return true;
        CheckNow(); // Enter applies the formula: its marks show at once, however long it is
        break;
    }
    case QEvent::Move:
    case QEvent::Resize:
        Marks->setGeometry(Edit->rect());
        Hint->Follow();
        break;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        ShowHint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(Watched, Event);
}
