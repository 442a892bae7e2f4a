// Help > Functions: the tables a newcomer reads, and the example a double click writes into the
// formula editor at its cursor.
#include "MainFormHarness.h"
#include "app/TFunctionsDialog.h"
#include "controls/TFormulaEdit.h"
#include "expr/MathLibAccuracy.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

class TestFunctionsDialog : public QObject, private TMainFormHarness
{
    Q_OBJECT

    TFunctionsDialog* Dialog() { return Child<TFunctionsDialog>("FunctionsDialog"); }
    QTableWidget* Table(const char* Name)
    {
        return Dialog()->findChild<QTableWidget*>(QString::fromLatin1(Name));
    }
    // The row whose first cell is First, or -1.
    static int RowOf(QTableWidget* Table, const QString& First)
    {
        for (int Row = 0; Row < Table->rowCount(); ++Row)
            if (Table->item(Row, 0)->text() == First)
                return Row;
        return -1;
    }

  private slots:
    void init()
    {
        QVERIFY(StartForm());
        Action("Functions")->trigger();
        QVERIFY(Dialog() && Dialog()->isVisible());
    }
    void cleanup() { Form.reset(); }

    void listsEveryFunctionWithTheAccuracyMeasured_data()
    {
        QTest::addColumn<QString>("Function");
        QTest::addColumn<QString>("Domain");
        QTest::addColumn<QString>("Example");
        QTest::newRow("a function of two arguments, y first") << "ArcTan2(y, x)"
                                                              << "every y and x"
                                                              << "ArcTan2(1, x)";
        QTest::newRow("a power takes integer exponents") << "Power(b, n)"
                                                         << "n an integer, |n| < 2^31; b <> 0 when n < 0"
                                                         << "Power(x, 3)";
        QTest::newRow("a logarithm's domain") << "Ln(x)"
                                              << "x > 0"
                                              << "Ln(x)";
    }
    void listsEveryFunctionWithTheAccuracyMeasured()
    {
        QFETCH(QString, Function);
        QFETCH(QString, Domain);
        QFETCH(QString, Example);
        QTableWidget* Functions = Table("FunctionsTable");
        QCOMPARE(Functions->rowCount(), 37);
        const int Row = RowOf(Functions, Function);
        QVERIFY(Row >= 0);
        QCOMPARE(Functions->item(Row, 2)->text(), Domain);
        QCOMPARE(Functions->item(Row, 4)->text(), Example);
        // The bound is the one measured for the library, whatever it is today.
        const double Bound =
            MathLibAccuracy::UlpBound(Function.left(Function.indexOf(u'(')).toStdU16String());
        const QString Accuracy = Functions->item(Row, 3)->text();
        QVERIFY2(Bound == 0.5 ? Accuracy == QStringLiteral("correctly rounded")
                              : Accuracy == QStringLiteral("within %1 ulp").arg(Bound),
                 qPrintable(Accuracy));
    }

    void listsTheOperatorsFromTheLoosestAndTheNames()
    {
        QTableWidget* Operators = Table("OperatorsTable");
        QCOMPARE(Operators->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(Operators->item(Operators->rowCount() - 1, 0)->text(), QStringLiteral("4"));
        QVERIFY(RowOf(Table("NamesTable"), QStringLiteral("Pi")) >= 0);
        for (const char* Variable : {"x", "t", "s", "y"})
            QVERIFY2(RowOf(Table("NamesTable"), QString::fromLatin1(Variable)) >= 0, Variable);
    }

    void anExampleIsWrittenAtTheEditorsCursor()
    {
        auto* FuncEdit = Child<TFormulaEdit>("FuncEdit");
        FuncEdit->SetFormula(QStringLiteral("1 + "));
        QTableWidget* Functions = Table("FunctionsTable");
        const int Row = RowOf(Functions, QStringLiteral("Power(b, n)"));
        QVERIFY(QTest::qWaitForWindowExposed(Dialog()));
        const QPoint Cell = Functions->visualItemRect(Functions->item(Row, 0)).center();
        QTest::mouseClick(Functions->viewport(), Qt::LeftButton, {}, Cell);
        QTest::mouseDClick(Functions->viewport(), Qt::LeftButton, {}, Cell);
        QCOMPARE(FuncEdit->Formula(), QStringLiteral("1 + Power(x, 3)"));
        // From another table by the button.
        Dialog()->findChild<QTabWidget*>()->setCurrentIndex(2);
        Table("NamesTable")->setCurrentCell(RowOf(Table("NamesTable"), QStringLiteral("Pi")), 0);
        Dialog()->findChild<QPushButton*>(QStringLiteral("InsertExampleBtn"))->click();
        QCOMPARE(FuncEdit->Formula(), QStringLiteral("1 + Power(x, 3)2*Pi*x"));
    }
};

QTEST_MAIN(TestFunctionsDialog)
#include "tst_functionsdialog.moc"
