// The analysis panel as a user drives it: Tools > Analyse... on the selected graph, the
// sections, the table, Copy, the marks over the plot and in copies, recomputation.
#include "MainFormHarness.h"
#include "app/TAnalysisMarks.h"
#include "app/TAnalysisPanel.h"
#include "app/TAnalysisRunner.h"
#include "app/TMainForm.h"
#include "controls/TWindowBox.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestAnalysisPanel : public QObject, private TMainFormHarness
{
    Q_OBJECT

    QTableWidget* Table() { return Child<QTableWidget>("AnalysisTable"); }
    QString Status() { return Child<QLabel>("AnalysisStatus")->text(); }
    void Enter(const char* Name, const QString& Text)
    {
        Child<QLineEdit>(Name)->setText(Text);
        QTest::keyClick(Child<QLineEdit>(Name), Qt::Key_Return);
    }
    void Open(const QString& Formula)
    {
        Enter("FuncEdit", Formula);
        Child<QAction>("Analyse")->trigger();
        QVERIFY(Child<TAnalysisPanel>("AnalysisPanel")->isVisible());
    }
    // Waits for the result of the latest request to be shown.
    void Settle() { QTRY_VERIFY(!Child<QPushButton>("AnalysisStop")->isEnabled()); }
    QStringList Column(int C)
    {
        QStringList Cells;
        for (int R = 0; R < Table()->rowCount(); ++R)
            Cells << Table()->item(R, C)->text();
        return Cells;
    }
    static int MarkPixels(const QImage& Image)
    {
        int Count = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                Count += (Image.pixel(x, y) & 0xFFFFFF) == 0xC01010;
        return Count;
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void opensFromTheToolsMenuWithoutShrinkingThePlot()
    {
        const QSize Plot = Child<TWindowBox>("WindowBox")->size();
        Open(QStringLiteral("x*x-2"));
        QCoreApplication::processEvents();
        QCOMPARE(Child<TWindowBox>("WindowBox")->size(), Plot);
        QCOMPARE(Child<QAction>("Analyse")->text(), QStringLiteral("&Analyse..."));
    }

    void answersAllSixQuestionsAt18Digits()
    {
        Open(QStringLiteral("x*x*x-3*x"));
        Enter("FuncEdit", QStringLiteral("x*x*x-3*x"));
        Settle();
        QCOMPARE(Column(2), QStringList({"root", "root", "root"}));
        QCOMPARE(Column(0)[2], QStringLiteral("1.73205080756887729"));

        auto* Sections = Child<QTabBar>("AnalysisSections");
        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::Extrema));
        Settle();
        QCOMPARE(Column(2), QStringList({"maximum", "minimum"}));
        QCOMPARE(Column(1), QStringList({"2", "-2"}));
        QCOMPARE(Column(0), QStringList({"-1", "1"})); // exactly: the roots of f'
        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::Inflections));
        Settle();
        QCOMPARE(Column(2), QStringList({"inflection"}));
        QCOMPARE(Column(0), QStringList({"0"}));

        // Intersections need a second graph: x with itself cubed minus 3x meets y = x at 0 and +-2.
        Form->findChild<QPushButton*>(QStringLiteral("AddBtn"))->click();
        Enter("FuncEdit", QStringLiteral("x"));
        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::Intersections));
        Settle();
        QCOMPARE(Column(0), QStringList({"-2", "0", "2"}));
        QCOMPARE(Column(2), QStringList({"intersection", "intersection", "intersection"}));

        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::ValueAt));
        auto* X = Child<QLineEdit>("AnalysisX");
        X->setText(QStringLiteral("0.5"));
        emit X->editingFinished();
        Settle();
        QCOMPARE(Column(1), QStringList({"0.5", "1", "0", "y = 1*x + 0"}));
        QCOMPARE(Column(2), QStringList({"value", "f'(x)", "f''(x)", "tangent"}));

        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::Area));
        Child<QLineEdit>("AnalysisFrom")->setText(QStringLiteral("0"));
        Child<QLineEdit>("AnalysisTo")->setText(QStringLiteral("1"));
        emit Child<QLineEdit>("AnalysisTo")->editingFinished();
        Settle();
        QCOMPARE(Column(1)[0], QStringLiteral("0.5"));
        QCOMPARE(Column(2), QStringList({"area", "error estimate"}));

        // The derivatives of the first graph, and its tangent at x = 0.5.
        Sections->setCurrentIndex(TAnalysisPanel::SectionOf(TAnalysisQuestion::ValueAt));
        Child<QComboBox>("ComboBox")->setCurrentIndex(0);
        Child<TAnalysisPanel>("AnalysisPanel")->ModelChanged();
        Settle();
        QCOMPARE(Column(1), QStringList({"-1.375", "-2.25", "3", "y = -2.25*x - 0.25"}));
    }

    void copiesTheTableAsTabSeparatedText()
    {
        Open(QStringLiteral("1/x"));
        Settle();
        Child<QPushButton>("AnalysisCopy")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x\ty\tkind\n0\t\tpole\n"));
    }

    void aRowMarksItsPointOverThePictureAndIntoCopiesOnlyWhenAsked()
    {
        Open(QStringLiteral("x*x-2"));
        Settle();
        Table()->selectRow(1);
        auto* Marks = Child<TAnalysisMarks>("AnalysisMarks");
        QCOMPARE(Marks->Marks().size(), size_t(1));
        QCOMPARE(TAnalysisMarks::Label(Marks->Marks()[0], u'.'), QStringLiteral("(1.41421, -1.0842e-19)"));
        QVERIFY(MarkPixels(Child<TWindowBox>("WindowBox")->grab().toImage()) > 0);
        QCOMPARE(MarkPixels(Form->RenderPlot()), 0);
        Child<QAction>("EditCopy")->trigger();
        QCOMPARE(MarkPixels(QGuiApplication::clipboard()->image()), 0);
        Child<QCheckBox>("AnalysisMarksInOutput")->setChecked(true);
        Child<QAction>("EditCopy")->trigger();
        QVERIFY(MarkPixels(QGuiApplication::clipboard()->image()) > 0);
        if (!qEnvironmentVariableIsEmpty("VENDREL_SHOT"))
            Form->grab().save(qEnvironmentVariable("VENDREL_SHOT"));
    }

    void recomputesWhenTheViewOrTimeChangesAndReportsBadInput()
    {
        Open(QStringLiteral("x-t"));
        Settle();
        QCOMPARE(Column(0), QStringList({"0"}));
        Enter("TimeEdt", QStringLiteral("0.25"));
        Settle();
        QCOMPARE(Column(0), QStringList({"0.25"}));
        Enter("LeftEdt", QStringLiteral("1"));
        Settle();
        QCOMPARE(Table()->rowCount(), 0);
        QCOMPARE(Status(), QStringLiteral("Nothing found in the interval."));
        Child<QLineEdit>("TimeEdt")->setText(QStringLiteral("abc"));
        Form->findChild<TAnalysisPanel*>()->ModelChanged();
        QCOMPARE(Status(), QStringLiteral("'abc' is not a valid floating point value"));
    }

    void aSlowFormulaCanBeStoppedWhileTheWindowAnswers()
    {
        // A sum of 40000 calls, a few milliseconds an evaluation: the roots would take some
        // 20 s. The formula goes into the model without Enter, so the plot (as slow) is not
        // drawn.
        QStringList Terms(40000, QStringLiteral("Versine(x)"));
        Form->Model().FuncList.Last().Func = Terms.join(QLatin1Char('+')) + QStringLiteral("-20000");
        Child<QAction>("Analyse")->trigger();
        QVERIFY(Child<QPushButton>("AnalysisStop")->isEnabled());
        QCOMPARE(Status(), QStringLiteral("Computing..."));
        QElapsedTimer Clock;
        Clock.start();
        QTest::qWait(100);
        Child<QPushButton>("AnalysisStop")->click();
        QVERIFY(Clock.elapsed() < 2000);
        QCOMPARE(Status(), QStringLiteral("Stopped."));
        QVERIFY(!Child<QPushButton>("AnalysisStop")->isEnabled());
        QTest::qWait(100);
        QCOMPARE(Status(), QStringLiteral("Stopped."));
    }

    void aStaleComputationIsCancelledAndNeverShown()
    {
        TAnalysisRunner Runner;
        QList<QString> Shown;
        connect(&Runner, &TAnalysisRunner::Finished, this,
                [&](const TAnalysisResult& R, const QString& Error)
                { Shown << (Error.isEmpty() ? QString::number(R.Points.size()) : Error); });
        TAnalysisRequest Slow;
        Slow.Formula = u"Sin(1000*x)";
        Slow.A = -10;
        Slow.B = 10;
        Slow.Samples = 2000000;
        Runner.Start(Slow);
        TAnalysisRequest Quick = Slow;
        Quick.Formula = u"x";
        Quick.Samples = 100;
        Runner.Start(Quick);
        QTRY_VERIFY(!Runner.Busy());
        QTest::qWait(50);
        QCOMPARE(Shown, QList<QString>({"1"}));
        Runner.Start(Slow);
        Runner.Cancel();
        QTest::qWait(50);
        QCOMPARE(Shown.size(), 1);
    }
};

QTEST_MAIN(TestAnalysisPanel)
#include "tst_analysispanel.moc"
