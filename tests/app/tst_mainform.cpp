// The main window as a user drives it: editors, graph list, zoom, undo, animation, keys.
#include "MainFormHarness.h"
#include "app/TMainForm.h"
#include "controls/TColorBtn.h"
#include "controls/TWindowBox.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>

class TestMainForm : public QObject, private TMainFormHarness
{
    Q_OBJECT

    void Enter(const char* Name) { QTest::keyClick(Edit(Name), Qt::Key_Return); }
    void SetBoxSize(int W, int H)
    {
        Form->resize(Form->width() + W - Box()->width(), Form->height() + H - Box()->height());
        QCoreApplication::processEvents();
        QCOMPARE(Box()->size(), QSize(W, H));
    }
    void Drag(QPoint From, QPoint To)
    {
        QTest::mousePress(Box(), Qt::LeftButton, Qt::NoModifier, From);
        QTest::mouseMove(Box(), To);
        QTest::mouseRelease(Box(), Qt::LeftButton, Qt::NoModifier, To);
    }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        Box()->setFocus();
        QTest::keyClick(Box(), Qt::Key(K), M);
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void startsWithOneEmptyGraphAndTheStartTexts()
    {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Vendrel"));
        QCOMPARE(Form->Model().FuncList.Count(), 1);
        QCOMPARE(Form->Model().FuncList.Item(0).Func, QString());
        auto* Selector = Child<QComboBox>("ComboBox");
        QCOMPARE(Selector->count(), 1);
        QCOMPARE(Selector->currentText(), QStringLiteral("1"));
        QVERIFY(!Action("EditUndo")->isEnabled());
        QCOMPARE(Bounds(), QStringList({"-10", "10", "10", "-10"}));
        QCOMPARE(Edit("LeftEdt")->toolTip(), QStringLiteral("-10"));
        QCOMPARE(Edit("TopEdt")->toolTip(), QStringLiteral("10"));
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("0"));
        QVERIFY(!Form->Model().GraphsEnabled);
        QCOMPARE(Form->Model().TicksByX, 20);
        QCOMPARE(Form->Model().TicksByY, 20);
        QCOMPARE(Form->Model().FramesCount, 5);
        QVERIFY(Form->Model().MotionBlur);
        QCOMPARE(Form->Model().TimeStep, 0.05f);
    }

    void enterAcceptsTheFormulaIntoTheLastGraph()
    {
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x)"));
        Enter("TimeEdt");
        QVERIFY(Form->Model().GraphsEnabled);
        QCOMPARE(Form->Model().FuncList.Last().Func, QStringLiteral("Sin(x)"));
        QVERIFY(Dialogs->Messages.isEmpty());
    }

    void enterInABoundEditorRejectsAWrongRangeAndPutsTheHintBack_data()
    {
        QTest::addColumn<QString>("Editor");
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<QString>("Back");
        QTest::newRow("left above right") << "LeftEdt"
                                          << "15"
                                          << "-10";
        QTest::newRow("right below left") << "RightEdt"
                                          << "-20"
                                          << "10";
        QTest::newRow("top below bottom") << "TopEdt"
                                          << "-10"
                                          << "10";
        QTest::newRow("bottom above top") << "BottomEdt"
                                          << "11"
                                          << "-10";
    }
    void enterInABoundEditorRejectsAWrongRangeAndPutsTheHintBack()
    {
        QFETCH(QString, Editor);
        QFETCH(QString, Typed);
        QFETCH(QString, Back);
        QLineEdit* e = Edit(Editor.toLatin1().constData());
        e->setText(Typed);
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(Dialogs->Messages,
                 QStringList({"You have set the wrong range! Max should be always greater than Min!"}));
        QCOMPARE(e->text(), Back);
        QVERIFY(!Form->Model().GraphsEnabled);
    }

    void theHintIsTheStartTextEvenAfterAnAcceptedValue()
    {
        Edit("LeftEdt")->setText(QStringLiteral("-5"));
        Enter("LeftEdt");
        QVERIFY(Dialogs->Messages.isEmpty());
        Edit("RightEdt")->setText(QStringLiteral("3"));
        Edit("LeftEdt")->setText(QStringLiteral("5"));
        Enter("LeftEdt");
        QCOMPARE(Edit("LeftEdt")->text(), QStringLiteral("-10"));
    }

    void aWrongRangeEnteredInTheFormulaEditorIsNotChecked()
    {
        Edit("LeftEdt")->setText(QStringLiteral("5"));
        Edit("RightEdt")->setText(QStringLiteral("3"));
        Enter("FuncEdit");
        QVERIFY(Dialogs->Messages.isEmpty());
        QVERIFY(Form->Model().GraphsEnabled);
    }

    void aBoundThatIsNotANumberIsReportedAndNothingIsStored()
    {
        Edit("FuncEdit")->setText(QStringLiteral("x"));
        Edit("TopEdt")->setText(QStringLiteral("abc"));
        Enter("TopEdt");
        QCOMPARE(Dialogs->Errors, QStringList({"'abc' is not a valid floating point value"}));
        QVERIFY(!Form->Model().GraphsEnabled);
        QCOMPARE(Form->Model().FuncList.Last().Func, QString());
    }

    void addSelectColourAndStyleReachTheRightGraph()
    {
        Edit("FuncEdit")->setText(QStringLiteral("x*x"));
        QTest::mouseClick(Child<QPushButton>("AddBtn"), Qt::LeftButton);
        QCOMPARE(Form->Model().FuncList.Count(), 2);
        auto* Selector = Child<QComboBox>("ComboBox");
        QCOMPARE(Selector->count(), 2);
        QCOMPARE(Selector->currentText(), QStringLiteral("2"));
        QCOMPARE(Edit("FuncEdit")->text(), QString());

        // Empty editor: Add does nothing.
        QTest::mouseClick(Child<QPushButton>("AddBtn"), Qt::LeftButton);
        QCOMPARE(Form->Model().FuncList.Count(), 2);

        // Graph 1 selected: the line colour goes to the last graph, the style to graph 1.
        Form->ComboBoxChange(0);
        Selector->setCurrentIndex(0);
        Dialogs->Colors.push_back(TColor(0x0000FF));
        QTest::mouseClick(Child<TColorBtn>("ColorBtn"), Qt::LeftButton);
        QCOMPARE(Form->Model().FuncList.Item(1).Color, TColor(0x0000FF));
        QCOMPARE(Form->Model().FuncList.Item(0).Color, clBlack);
        QCOMPARE(Child<TColorBtn>("ColorBtn")->Color(), TColor(0x0000FF));
        Form->StyleComboBoxClick(3);
        QCOMPARE(Form->Model().FuncList.Item(0).Style, 3);
        QCOMPARE(Form->Model().FuncList.Item(1).Style, 0);

        // A cancelled colour dialog changes nothing.
        QTest::mouseClick(Child<TColorBtn>("BGBtn"), Qt::LeftButton);
        QCOMPARE(Form->Model().FuncList.Item(1).BGColor, clWhite);

        // Choosing graph 2 loads it into the editors.
        Form->ComboBoxChange(1);
        QCOMPARE(Edit("FuncEdit")->text(), QStringLiteral("x*x"));
        QCOMPARE(Child<TColorBtn>("ColorBtn")->Color(), TColor(0x0000FF));
    }

    void aDragZoomsToTheRectangleWithThreeDecimals()
    {
        SetBoxSize(410, 410);
        Drag(QPoint(105, 105), QPoint(305, 305));
        QCOMPARE(Bounds(), QStringList({"-5.000", "5.000", "5.000", "-5.000"}));
        QVERIFY(Action("EditUndo")->isEnabled());
        Drag(QPoint(5, 5), QPoint(205, 105));
        QCOMPARE(Bounds(), QStringList({"-5.000", "5.000", "0.000", "2.500"}));

        // Two undos go back to the start view; the second disables the action.
        Action("EditUndo")->trigger();
        QCOMPARE(Bounds(), QStringList({"-5.000", "5.000", "5.000", "-5.000"}));
        QVERIFY(Action("EditUndo")->isEnabled());
        Action("EditUndo")->trigger();
        QCOMPARE(Bounds(), QStringList({"-10", "10", "10", "-10"}));
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void aClickOrAFlatDragChangesNothing()
    {
        SetBoxSize(410, 410);
        Drag(QPoint(100, 100), QPoint(100, 100));
        Drag(QPoint(100, 100), QPoint(300, 100));
        Drag(QPoint(100, 100), QPoint(100, 300));
        QCOMPARE(Bounds(), QStringList({"-10", "10", "10", "-10"}));
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void aZoomTooThinForThreeDecimalsIsTakenBack()
    {
        SetBoxSize(410, 410);
        Edit("LeftEdt")->setText(QStringLiteral("0"));
        Edit("RightEdt")->setText(QStringLiteral("0.001"));
        Drag(QPoint(100, 100), QPoint(101, 300));
        QCOMPARE(Bounds(), QStringList({"0", "10", "0.001", "-10"}));
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void aZoomOnABoundThatIsNotANumberKeepsItsRecord()
    {
        SetBoxSize(410, 410);
        Edit("TopEdt")->setText(QStringLiteral("x"));
        Drag(QPoint(100, 100), QPoint(300, 300));
        QCOMPARE(Dialogs->Errors.size(), 1);
        QCOMPARE(Dialogs->Errors.first(), QStringLiteral("'x' is not a valid floating point value"));
        QVERIFY(Action("EditUndo")->isEnabled());
        QCOMPARE(Edit("LeftEdt")->text(), QStringLiteral("-10"));
    }

    void timerTicksWriteTheTimeWithTwoDecimals()
    {
        Form->ForwardBtnClick();
        Form->TimerTimer();
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("0.05"));
        Form->TimerTimer();
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("0.10"));
        Form->BackBtnClick();
        Form->TimerTimer();
        Form->TimerTimer();
        Form->TimerTimer();
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("-0.05"));
        Edit("TimeEdt")->setText(QStringLiteral("soon"));
        Form->ForwardBtnClick();
        Form->TimerTimer();
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("0.05"));
        QVERIFY(Child<QTimer>("Timer")->isActive());
        QCOMPARE(Child<QTimer>("Timer")->interval(), 40);
        Form->StopBtnClick();
        QVERIFY(!Child<QTimer>("Timer")->isActive());
    }

    void arrowKeysPanByOneDivisionAndCtrlChangesTheTicks()
    {
        Key(Qt::Key_Left);
        QCOMPARE(Edit("LeftEdt")->text(), QStringLiteral("-9"));
        QCOMPARE(Edit("RightEdt")->text(), QStringLiteral("11"));
        Key(Qt::Key_Up);
        QCOMPARE(Edit("TopEdt")->text(), QStringLiteral("9"));
        QCOMPARE(Edit("BottomEdt")->text(), QStringLiteral("-11"));
        Key(Qt::Key_Left, Qt::ControlModifier);
        Key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(Form->Model().TicksByX, 22);
        for (int i = 0; i < 30; ++i)
            Key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(Form->Model().TicksByY, 1);
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void tabStaysOnTheSurface()
    {
        Key(Qt::Key_Tab);
        QVERIFY(Box()->hasFocus());
        Key(Qt::Key_A);
        QCOMPARE(Bounds(), QStringList({"-10", "10", "10", "-10"}));
    }

    void aParseErrorIsReportedOnceAndHidesTheGraphsUntilEnter()
    {
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x"));
        Enter("FuncEdit");
        Box()->repaint();
        QTest::qWait(20);
        Box()->Invalidate();
        Box()->repaint();
        QTest::qWait(20);
        QCOMPARE(Dialogs->Errors, QStringList({"Parse error: ')' to close function's parameters expected"}));
        QVERIFY(!Form->Model().GraphsEnabled);
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x)"));
        Enter("FuncEdit");
        Box()->repaint();
        QTest::qWait(20);
        QVERIFY(Form->Model().GraphsEnabled);
        QCOMPARE(Dialogs->Errors.size(), 1);
    }

    void theSurfaceShowsWhatTheRendererDraws()
    {
        SetBoxSize(410, 410);
        Edit("FuncEdit")->setText(QStringLiteral("x"));
        Enter("FuncEdit");
        const QImage Expected = Form->RenderPlot();
        QImage Shown(Box()->size(), QImage::Format_RGB32);
        Box()->Invalidate();
        Box()->render(&Shown);
        QCOMPARE(Shown.convertToFormat(QImage::Format_RGB32), Expected.convertToFormat(QImage::Format_RGB32));
        // The x axis at row 205 and the line y = x through the centre.
        QCOMPARE(QColor(Expected.pixel(100, 205)), QColor(Qt::black));
    }

    // A picture that takes longer than a slice is drawn over several paints with the event
    // loop running between them; meanwhile the animation's ticks leave the time alone.
    void aLongPictureIsDrawnInSlicesAndTheTimeWaitsForIt()
    {
        SetBoxSize(800, 400);
        QString Formula;
        while (Formula.size() < 32000)
            Formula += QStringLiteral("Sin(x*t)+");
        Edit("FuncEdit")->setText(Formula + QStringLiteral("x"));
        Enter("FuncEdit");
        Form->ForwardBtnClick(); // every blur frame its own text
        Form->StopBtnClick();
        QSignalSpy Slices(Box(), &TWindowBox::PictureRendered);
        QImage Shown(Box()->size(), QImage::Format_RGB32);
        Box()->Invalidate();
        Box()->render(&Shown);
        QCOMPARE(Slices.count(), 1);
        Form->TimerTimer();
        QCOMPARE(Edit("TimeEdt")->text(), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT((Form->TimerTimer(), Edit("TimeEdt")->text() != QStringLiteral("0")), 60000);
        QVERIFY(Slices.count() > 1);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
