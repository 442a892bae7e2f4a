// The parameters panel as a user drives it: Tools > Parameters..., adding and naming,
// refused names, a slider drag undone in one step, typed values, and the animation.
#include "MainFormHarness.h"
#include "app/TParametersPanel.h"
#include "plot/TPlotModel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

class TestParameters : public QObject, private TMainFormHarness
{
    Q_OBJECT

    TParametersPanel* Panel() { return Child<TParametersPanel>("ParametersPanel"); }
    const TParameterList& Parameters() { return Form->Model().Parameters; }
    void Type(const QString& Name, const QString& Text)
    {
        auto* Editor = Form->findChild<QLineEdit*>(Name);
        QVERIFY(Editor);
        Editor->setFocus();
        Editor->setText(Text);
        QTest::keyClick(Editor, Qt::Key_Return);
    }
    // A first parameter, named Name, with the panel open.
    void OpenWith(const char* Name)
    {
        Action("Parameters")->trigger();
        QVERIFY(Panel() && Panel()->isVisible());
        Child<QPushButton>("AddParameter")->click();
        QCOMPARE(Parameters().Count(), 1);
        Type(QStringLiteral("ParameterName1"), QString::fromLatin1(Name));
        QCOMPARE(Parameters().Item(0).Name, QString::fromLatin1(Name));
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void theToolsMenuOpensThePanelUnderALetterOfItsOwn()
    {
        QMenu* Tools = nullptr;
        for (QAction* Menu : Form->menuBar()->actions())
            if (Menu->text() == QStringLiteral("&Tools"))
                Tools = Menu->menu();
        QVERIFY(Tools);
        QStringList Letters;
        for (QAction* Entry : Tools->actions())
        {
            const qsizetype At = Entry->text().indexOf(QLatin1Char('&'));
            if (At >= 0)
                Letters << Entry->text().mid(At + 1, 1).toLower();
        }
        QVERIFY(Letters.contains(QStringLiteral("p")));
        QCOMPARE(Letters.removeDuplicates(), 0);
        QCOMPARE(Action("Parameters")->text(), QStringLiteral("&Parameters..."));
    }

    void namesThatClashAreRefusedWithTheReason()
    {
        OpenWith("amp");
        Child<QPushButton>("AddParameter")->click();
        QCOMPARE(Parameters().Item(1).Name, QStringLiteral("a"));
        const QList<std::pair<QString, QString>> Refused = {
            {QStringLiteral("AMP"),
             QStringLiteral("'AMP' cannot name a parameter: another parameter has that name")},
            {QStringLiteral("t"),
             QStringLiteral("'t' cannot name a parameter: x, y, s, t and Pi have a meaning of "
                            "their own in formulas")},
            {QStringLiteral("sin"),
             QStringLiteral("'sin' cannot name a parameter: it is the name of a function")},
        };
        for (const auto& [Name, Message] : Refused)
        {
            Type(QStringLiteral("ParameterName2"), Name);
            QCOMPARE(Parameters().Item(1).Name, QStringLiteral("a"));
            QCOMPARE(Panel()->Message(), Message);
        }
    }

    void aDragIsUndoneInOneStepAndRedrawsAsItGoes()
    {
        OpenWith("k");
        Edit("FuncEdit")->setText(QStringLiteral("k*x"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        const QImage Before = Form->RenderPlot();
        auto* Slider = Child<QSlider>("ParameterSlider1");
        QCOMPARE(Slider->value(), 0);
        Slider->setSliderDown(true);
        for (int Position : {100, 200, 300})
            Slider->setValue(Position);
        Slider->setSliderDown(false);
        QCOMPARE(double(Parameters().Item(0).Value), 3.0);
        QCOMPARE(Edit("ParameterValue1")->text(), QStringLiteral("3"));
        QVERIFY(Form->RenderPlot() != Before);
        Type(QStringLiteral("ParameterValue1"), QStringLiteral("-2.5"));
        QCOMPARE(double(Parameters().Item(0).Value), -2.5);
        Action("EditUndo")->trigger();
        QCOMPARE(double(Parameters().Item(0).Value), 3.0);
        Action("EditUndo")->trigger();
        QCOMPARE(double(Parameters().Item(0).Value), 0.0);
        QCOMPARE(Slider->value(), 0);
        QVERIFY(Form->RenderPlot() == Before);
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void aBadNumberIsRefusedAndLosesNothing()
    {
        OpenWith("k");
        Type(QStringLiteral("ParameterStep1"), QStringLiteral("fast"));
        QCOMPARE(Panel()->Message(), QStringLiteral("'fast' is not a valid floating point value"));
        QCOMPARE(Edit("ParameterStep1")->text(), QStringLiteral("0.1"));
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void theAnalysisReadsTheParameters()
    {
        OpenWith("k");
        Type(QStringLiteral("ParameterValue1"), QStringLiteral("2.5"));
        Edit("FuncEdit")->setText(QStringLiteral("x - k"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Action("Analyse")->trigger();
        auto* Table = Child<QTableWidget>("AnalysisTable");
        QTRY_COMPARE(Table->rowCount(), 1);
        QCOMPARE(Table->item(0, 0)->text().toDouble(), 2.5);
        Type(QStringLiteral("ParameterValue1"), QStringLiteral("-1"));
        QTRY_COMPARE(Table->rowCount() == 1 ? Table->item(0, 0)->text().toDouble() : 0.0, -1.0);
    }

    void animatedParametersTickWithTheTimeAndStopWithIt()
    {
        OpenWith("k");
        Form->Model().Parameters.Item(0).Mode = TParameterMode::Loop;
        Form->Model().Parameters.Item(0).Step = 0.5L;
        Form->ForwardBtnClick();
        QTRY_VERIFY(Parameters().Item(0).Value >= 1.5L);
        Form->StopBtnClick();
        const Float80 Stopped = Parameters().Item(0).Value;
        QTest::qWait(200);
        QCOMPARE(double(Parameters().Item(0).Value), double(Stopped));
        QCOMPARE(Edit("ParameterValue1")->text().toDouble(), double(Stopped));
        Form->BackBtnClick();
        QTRY_VERIFY(Parameters().Item(0).Value < Stopped);
        Form->StopBtnClick();
    }
};

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
