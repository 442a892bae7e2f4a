// The formula editor's help as a newcomer meets it in the window: the place of an error under
// the text and its message in the tooltip, the hint for another plotter's habit applied with
// Ctrl+Enter or a click and taken back by Edit > Undo, completion by field, and brackets.
#include "MainFormHarness.h"
#include "app/TFormulaAssist.h"
#include "app/TFormulaHint.h"
#include "controls/TFormulaEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QtTest>

class TestFormulaAssist : public QObject, private TMainFormHarness
{
    Q_OBJECT

    TFormulaEdit* FuncEdit() { return Child<TFormulaEdit>("FuncEdit"); }
    TFormulaAssist* Assist(QLineEdit* Edit = nullptr) { return TFormulaAssist::Of(Edit ? Edit : FuncEdit()); }
    // Types Text into Edit as the keys would, and waits for the pause after typing.
    void Type(QLineEdit* Edit, const QString& Text)
    {
        Edit->setFocus();
        QTest::keyClicks(Edit, Text);
        QTest::qWait(TFormulaAssist::CheckDelay + 100);
    }
    QString Place(TFormulaAssist* With)
    {
        const auto At = With->ErrorPlace();
        return At ? QStringLiteral("[%1, %2)").arg(At->Start).arg(At->End) : QStringLiteral("none");
    }

  private slots:
    void init() { QVERIFY(StartForm(true)); }
    void cleanup() { Form.reset(); }

    void theErrorsPlaceIsUnderlinedAndItsMessageRepeated_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("Place");
        QTest::addColumn<QString>("Message");
        QTest::newRow("a power sign") << "x^2"
                                      << "[1, 2)"
                                      << "Parse error: Unknown symbol: 'x'";
        QTest::newRow("an unknown name") << "1 + Foo(x)"
                                         << "[4, 7)"
                                         << "Parse error: Unknown symbol: 'Foo'";
        QTest::newRow("an unclosed bracket") << "Sin(x"
                                             << "[5, 5)"
                                             << "Parse error: ')' to close function's parameters expected";
        QTest::newRow("the time read as a number") << "t t"
                                                   << "[2, 3)"
                                                   << "Parse error: Unknown symbol: '0'";
        QTest::newRow("a parse error behind a domain error") << "Ln(0) 2"
                                                             << "[6, 7)"
                                                             << "Parse error: Unknown symbol: '2'";
        QTest::newRow("a formula that reads") << "Sin(x)*t"
                                              << "none"
                                              << "";
    }
    void theErrorsPlaceIsUnderlinedAndItsMessageRepeated()
    {
        QFETCH(QString, Text);
        QFETCH(QString, Place);
        QFETCH(QString, Message);
        Type(FuncEdit(), Text);
        QCOMPARE(this->Place(Assist()), Place);
        QCOMPARE(Assist()->Message(), Message);
        QCOMPARE(FuncEdit()->toolTip(), Message);
    }

    void aLongFormulaIsReadOnEnterAndMarkedInTheWhole()
    {
        // Past the live limit nothing is read while typing; Enter reads it, and the place counts
        // in the whole formula, not in the window the editor shows.
        QString Long;
        while (Long.size() <= TFormulaAssist::LiveLimit)
            Long += QStringLiteral("x+");
        Long += QStringLiteral("1)");
        FuncEdit()->SetFormula(Long);
        QTest::qWait(TFormulaAssist::CheckDelay + 50);
        QCOMPARE(Place(Assist()), QStringLiteral("none"));
        QTest::keyClick(FuncEdit(), Qt::Key_Return);
        QCOMPARE(Place(Assist()), QStringLiteral("[%1, %2)").arg(Long.size() - 1).arg(Long.size()));
        // The graph keeps the formula as written, error and all.
        QCOMPARE(Form->Model().FuncList.Last().Func, Long);
    }

    void ctrlEnterWritesTheRewriteAndEditUndoTakesItBack()
    {
        Type(FuncEdit(), QStringLiteral("2x^2 + |x|"));
        QCOMPARE(Assist()->Rewrite(), QStringLiteral("2*Power(x, 2) + Abs(x)"));
        QVERIFY(Assist()->HintText().contains(QStringLiteral("2*Power(x, 2) + Abs(x)")));
        QVERIFY(!Action("EditUndo")->isEnabled());
        QTest::keyClick(FuncEdit(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(FuncEdit()->Formula(), QStringLiteral("2*Power(x, 2) + Abs(x)"));
        // Written into the editor only: the graph takes it at the next Enter, as any text.
        QCOMPARE(Form->Model().FuncList.Last().Func, QString());
        QCOMPARE(Assist()->Message(), QString());
        QCOMPARE(Assist()->HintText(), QString());
        QVERIFY(Action("EditUndo")->isEnabled());
        Action("EditUndo")->trigger();
        QCOMPARE(FuncEdit()->Formula(), QStringLiteral("2x^2 + |x|"));
        QVERIFY(!Action("EditUndo")->isEnabled());
        QTRY_COMPARE(Assist()->Rewrite(), QStringLiteral("2*Power(x, 2) + Abs(x)"));
    }

    void aClickOnTheHintWritesTheRewrite()
    {
        Type(FuncEdit(), QStringLiteral("e^x"));
        auto* Hint = Form->findChild<TFormulaHint*>(QStringLiteral("FuncEditHint"));
        QVERIFY(Hint && Hint->isVisible());
        QTest::mouseClick(Hint, Qt::LeftButton);
        QCOMPARE(FuncEdit()->Formula(), QStringLiteral("Exp(x)"));
        QVERIFY(!Hint->isVisible());
        // Escape puts a hint away until the text changes; the error's marks stay.
        Type(FuncEdit(), QStringLiteral("^2"));
        QVERIFY(Hint->isVisible());
        QTest::keyClick(FuncEdit(), Qt::Key_Escape);
        QVERIFY(!Hint->isVisible());
        QCOMPARE(Assist()->Rewrite(), QStringLiteral("Power(Exp(x), 2)"));
        QVERIFY(Assist()->ErrorPlace().has_value());
    }

    void aHabitWithoutEquivalentIsNamedAndNothingIsWritten()
    {
        Type(FuncEdit(), QStringLiteral("x!"));
        QCOMPARE(Assist()->Rewrite(), QString());
        QVERIFY(Assist()->HintText().contains(QStringLiteral("There is no factorial.")));
        QTest::keyClick(FuncEdit(), Qt::Key_Return, Qt::ControlModifier);
        // With nothing to write, Ctrl+Enter is Enter: the graph takes the text as written.
        QCOMPARE(FuncEdit()->Formula(), QStringLiteral("x!"));
        QCOMPARE(Form->Model().FuncList.Last().Func, QStringLiteral("x!"));
    }

    void completionOffersTheFunctionsAndWritesTheCall()
    {
        FuncEdit()->setFocus();
        QTest::keyClicks(FuncEdit(), QStringLiteral("2*arct"));
        const QStringList Offered = Assist()->Offered();
        QCOMPARE(Offered, (QStringList{QStringLiteral("ArcTan(x): angle whose tangent is x"),
                                       QStringLiteral("ArcTan2(y, x): angle of the point (x, y), -Pi to Pi"),
                                       QStringLiteral("ArcTanH(x): inverse hyperbolic tangent")}));
        // The popup is a window of its own.
        QAbstractItemView* Popup = nullptr;
        for (QWidget* Window : QApplication::topLevelWidgets())
            if (Window->objectName() == QStringLiteral("FuncEditCompletion"))
                Popup = qobject_cast<QAbstractItemView*>(Window);
        QVERIFY(Popup && Popup->isVisible());
        QTest::keyClick(Popup, Qt::Key_Down);
        QTest::keyClick(Popup, Qt::Key_Return);
        QCOMPARE(FuncEdit()->Formula(), QStringLiteral("2*ArcTan2("));
        QVERIFY(!Popup->isVisible());
        // The argument list stands until the bracket closes, the current argument in bold.
        QCOMPARE(Assist()->HintText(),
                 QStringLiteral("ArcTan2(<b>y</b>, x): angle of the point (x, y), -Pi to Pi"));
        QTest::keyClicks(FuncEdit(), QStringLiteral("1, "));
        QVERIFY(Assist()->HintText().startsWith(QStringLiteral("ArcTan2(y, <b>x</b>)")));
        QTest::keyClicks(FuncEdit(), QStringLiteral("x)"));
        QCOMPARE(Assist()->HintText(), QString());
        // Enter keeps its meaning once the popup is gone.
        QTest::keyClick(FuncEdit(), Qt::Key_Return);
        QCOMPARE(Form->Model().FuncList.Last().Func, QStringLiteral("2*ArcTan2(1, x)"));
    }

    void completionFollowsTheFieldsKind_data()
    {
        QTest::addColumn<int>("Kind");
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<QStringList>("Names");
        const QStringList None;
        QTest::newRow("a function graph knows x")
            << int(TGraphKind::Function) << "x"
            << QStringList{QStringLiteral("x: the variable of a function graph y = f(x)")};
        QTest::newRow("a parametric curve knows s")
            << int(TGraphKind::Parametric) << "s"
            << QStringList{QStringLiteral("Sqrt(x): square root"),
                           QStringLiteral("Sec(x): secant, 1/Cos(x)"),
                           QStringLiteral("Sin(x): sine of x (radians)"),
                           QStringLiteral("SecH(x): hyperbolic secant"),
                           QStringLiteral("SinH(x): hyperbolic sine"),
                           QStringLiteral("s: the parameter of a parametric or polar curve")};
        QTest::newRow("an inverse graph does not know x") << int(TGraphKind::Inverse) << "x" << None;
    }
    void completionFollowsTheFieldsKind()
    {
        QFETCH(int, Kind);
        QFETCH(QString, Typed);
        QFETCH(QStringList, Names);
        Action("Graph")->trigger();
        Child<QComboBox>("KindBox")->setCurrentIndex(Kind);
        QLineEdit* First = Edit("FirstEdt");
        First->setFocus();
        QTest::keyClicks(First, Typed);
        QTest::keyClick(First, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(Assist(First)->Offered(), Names);
    }

    void aCurvesFieldsReadItsVariableAndTheParameters()
    {
        Action("Graph")->trigger();
        Child<QComboBox>("KindBox")->setCurrentIndex(int(TGraphKind::Parametric));
        Type(Edit("SecondEdt"), QStringLiteral("2s"));
        QCOMPARE(Assist(Edit("SecondEdt"))->Rewrite(), QStringLiteral("2*s"));
        // The ends of s read no variable.
        Type(Edit("FromEdt"), QStringLiteral("2s"));
        QCOMPARE(Assist(Edit("FromEdt"))->Message(), QStringLiteral("Parse error: Unknown symbol: 's'"));
        QCOMPARE(Assist(Edit("FromEdt"))->Rewrite(), QString());
        // A rewrite in the panel is one step of Edit > Undo too.
        Edit("SecondEdt")->setFocus();
        QTest::keyClick(Edit("SecondEdt"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Edit("SecondEdt")->text(), QStringLiteral("2*s"));
        Action("EditUndo")->trigger();
        QCOMPARE(Edit("SecondEdt")->text(), QStringLiteral("2s"));
    }

    void bracketsAreMatchedAsTheCursorMoves_data()
    {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<int>("Cursor");
        QTest::addColumn<int>("Bracket");
        QTest::addColumn<int>("Partner");
        QTest::addColumn<bool>("Unmatched");
        QTest::newRow("a closing bracket before the cursor") << "Sin((x)+1)" << 7 << 6 << 4 << false;
        QTest::newRow("the outer pair from its end") << "Sin((x)+1)" << 10 << 9 << 3 << false;
        QTest::newRow("an opening bracket after the cursor") << "Sin((x)+1)" << 3 << 3 << 9 << false;
        QTest::newRow("a bracket without partner") << "Sin((x)+1" << 4 << 3 << -1 << true;
        QTest::newRow("no bracket beside the cursor") << "Sin((x)+1)" << 8 << -1 << -1 << false;
    }
    void bracketsAreMatchedAsTheCursorMoves()
    {
        QFETCH(QString, Text);
        QFETCH(int, Cursor);
        QFETCH(int, Bracket);
        QFETCH(int, Partner);
        QFETCH(bool, Unmatched);
        FuncEdit()->SetFormula(Text);
        FuncEdit()->setCursorPosition(Cursor);
        QCOMPARE(Assist()->Brackets().Bracket, Bracket);
        QCOMPARE(Assist()->Brackets().Partner, Partner);
        QCOMPARE(Assist()->Brackets().Unmatched, Unmatched);
    }

    void aBracketBeyondTheShownWindowIsNotCalledUnmatched()
    {
        // The editor shows a window of a long formula: the partner lies outside it.
        QString Long = QStringLiteral("Sin(");
        while (Long.size() < 3 * TFormulaEdit::DefaultWindowLength)
            Long += QStringLiteral("x+");
        FuncEdit()->SetFormula(Long + QStringLiteral("x)"));
        QCOMPARE(Assist()->Brackets().Bracket, Long.size() + 1);
        QCOMPARE(Assist()->Brackets().Partner, -1);
        QVERIFY(!Assist()->Brackets().Unmatched);
    }
};

QTEST_MAIN(TestFormulaAssist)
#include "tst_formulaassist.moc"
