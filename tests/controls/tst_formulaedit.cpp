// The formula editor: keys do to the whole formula what they do in a plain line editor, while
// the text it lays out stays a window of bounded length, whatever the formula's length.
#include "controls/TFormulaEdit.h"

#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <random>

namespace
{
struct TKey
{
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
    const char* Text = "";
};

// The keys the differential test presses, each as often as the others.
const TKey Keys[] = {
    {Qt::Key_Left},
    {Qt::Key_Right},
    {Qt::Key_Left, Qt::ShiftModifier},
    {Qt::Key_Right, Qt::ShiftModifier},
    {Qt::Key_Home},
    {Qt::Key_End},
    {Qt::Key_Home, Qt::ShiftModifier},
    {Qt::Key_End, Qt::ShiftModifier},
    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Backspace},
    {Qt::Key_Delete},
    {Qt::Key_X, Qt::NoModifier, "x"},
    {Qt::Key_ParenLeft, Qt::NoModifier, "("},
    {Qt::Key_X, Qt::ControlModifier},
    {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_V, Qt::ControlModifier},
};

void Press(QWidget* Edit, const TKey& Key)
{
    QKeyEvent Event(QEvent::KeyPress, Key.Key, Key.Modifiers, QString::fromLatin1(Key.Text));
    QApplication::sendEvent(Edit, &Event);
}

// What a key did: the text, the cursor and the selected text.
struct TState
{
    QString Text;
    qsizetype Cursor;
    QString Selected;
    bool operator==(const TState&) const = default;
};

TState StateOf(const QLineEdit& Plain)
{
    return {Plain.text(), Plain.cursorPosition(), Plain.selectedText()};
}

TState StateOf(const TFormulaEdit& Edit)
{
    const qsizetype From = std::min(Edit.FormulaAnchor(), Edit.FormulaCursor());
    const qsizetype To = std::max(Edit.FormulaAnchor(), Edit.FormulaCursor());
    return {Edit.Formula(), Edit.FormulaCursor(), Edit.Formula().mid(From, To - From)};
}

// A formula with words, nesting and a character outside the basic plane (a surrogate pair).
QString Start()
{
    QString Text;
    for (int i = 0; i < 12; ++i)
        Text += QStringLiteral("Sin(x*%1)+(Cos(t)-%2)*").arg(i).arg(i * 7);
    return Text + QString::fromUtf8("\xF0\x9D\x9B\x91") + QStringLiteral("+1");
}
} // namespace

class TestFormulaEdit : public QObject
{
    Q_OBJECT

  private slots:
    void keysDoToTheWholeFormulaWhatTheyDoInALineEditor();
    void aLongFormulaIsKeptWholeAndLaidOutInAWindow();
    void theContextMenuActsOnTheWholeFormula();
};

void TestFormulaEdit::keysDoToTheWholeFormulaWhatTheyDoInALineEditor()
{
    for (unsigned Seed : {1u, 2u, 3u, 4u, 5u, 6u})
    {
        QLineEdit Plain;
        TFormulaEdit Edit(nullptr, 16); // a small window: the text moves through it often
        Plain.setText(Start());
        Edit.SetFormula(Start());
        std::mt19937 Random(Seed);
        for (int i = 0; i < 600; ++i)
        {
            const TKey& Key = Keys[Random() % std::size(Keys)];
            Press(&Plain, Key);
            Press(&Edit, Key);
            const TState Expected = StateOf(Plain), Got = StateOf(Edit);
            if (!(Got == Expected))
                QFAIL(
                    qPrintable(QStringLiteral("seed %1, key %2 (%3, %4): text '%5' cursor %6 selected '%7', "
                                              "expected '%8' cursor %9 selected '%10'")
                                   .arg(Seed)
                                   .arg(i)
                                   .arg(Key.Key, 0, 16)
                                   .arg(int(Key.Modifiers), 0, 16)
                                   .arg(Got.Text)
                                   .arg(Got.Cursor)
                                   .arg(Got.Selected)
                                   .arg(Expected.Text)
                                   .arg(Expected.Cursor)
                                   .arg(Expected.Selected)));
            QVERIFY(Edit.text().size() <= 2 * 16);
            if (Plain.text().size() < 40) // keep the text long enough to need the window
            {
                Plain.setText(Start());
                Edit.SetFormula(Start());
            }
        }
    }
}

void TestFormulaEdit::aLongFormulaIsKeptWholeAndLaidOutInAWindow()
{
    const int Depth = 1'000'000;
    const QString Long = QString(Depth, u'(') + u'x' + QString(Depth, u')');
    const qsizetype Bound = 2 * TFormulaEdit::DefaultWindowLength;
    TFormulaEdit Edit;
    Edit.SetFormula(Long);
    QCOMPARE(Edit.Formula(), Long);
    QVERIFY(Edit.text().size() <= Bound);
    QCOMPARE(Edit.FormulaCursor(), Long.size());

    Press(&Edit, {Qt::Key_A, Qt::NoModifier, "a"});
    Press(&Edit, {Qt::Key_Home});
    QCOMPARE(Edit.FormulaCursor(), 0);
    Press(&Edit, {Qt::Key_B, Qt::NoModifier, "b"});
    QCOMPARE(Edit.Formula(), u'b' + Long + u'a');
    QVERIFY(Edit.text().size() <= Bound);

    // Select all, copy, delete, paste: the whole formula goes and comes back.
    Press(&Edit, {Qt::Key_A, Qt::ControlModifier});
    Press(&Edit, {Qt::Key_C, Qt::ControlModifier});
    Press(&Edit, {Qt::Key_Delete});
    QCOMPARE(Edit.Formula(), QString());
    Press(&Edit, {Qt::Key_V, Qt::ControlModifier});
    QCOMPARE(Edit.Formula(), u'b' + Long + u'a');
    QVERIFY(Edit.text().size() <= Bound);

    // Set through the line editor itself: still the whole formula, laid out in a window.
    static_cast<QLineEdit&>(Edit).setText(Long);
    QCOMPARE(Edit.Formula(), Long);
    QVERIFY(Edit.text().size() <= Bound);
    Edit.clear();
    QCOMPARE(Edit.Formula(), QString());
}

// Opens the context menu and chooses the entry of that name in it (the line editor's own names);
// a menu left open is closed after a while, so a missing entry fails instead of hanging.
void Choose(TFormulaEdit& Edit, const char* Name)
{
    bool Chosen = false;
    QTimer::singleShot(0, &Edit,
                       [&]
                       {
                           auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                           QAction* Entry =
                               Menu ? Menu->findChild<QAction*>(QString::fromLatin1(Name)) : nullptr;
                           if (Entry && Entry->isEnabled())
                           {
                               Entry->trigger();
                               Chosen = true;
                           }
                           if (Menu)
                               Menu->close();
                       });
    QTimer::singleShot(3000, &Edit,
                       []
                       {
                           if (QWidget* Popup = QApplication::activePopupWidget())
                               Popup->close();
                       });
    QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(5, 5), Edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&Edit, &Event);
    QVERIFY2(Chosen, Name);
}

void TestFormulaEdit::theContextMenuActsOnTheWholeFormula()
{
    const QString Long = QStringLiteral("Sin(x)+").repeated(100000) + u'1';
    TFormulaEdit Edit;
    Edit.show();
    Edit.SetFormula(Long);
    Choose(Edit, "select-all");
    Choose(Edit, "edit-copy");
    Choose(Edit, "edit-delete");
    QCOMPARE(Edit.Formula(), QString());
    Press(&Edit, {Qt::Key_V, Qt::ControlModifier}); // short again: the line editor's own menu
    QCOMPARE(Edit.Formula(), Long);
    Press(&Edit, {Qt::Key_Home});
    Choose(Edit, "edit-paste");
    QCOMPARE(Edit.Formula(), Long + Long);
    QVERIFY(Edit.text().size() <= 2 * TFormulaEdit::DefaultWindowLength);
}

QTEST_MAIN(TestFormulaEdit)
#include "tst_formulaedit.moc"
