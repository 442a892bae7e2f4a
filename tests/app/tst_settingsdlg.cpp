// The settings dialog, driven through its injected modal run: what each use shows, what OK
// and Cancel write back, and the time-step field that outlives the dialog's uses.
#include "app/TSettingsDlg.h"
#include "app/TSpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include <climits>

namespace
{
using TSettings = TSettingsChoice;

// Runs the dialog on s and, on OK, puts what it read back into s.
bool Execute(TSettingsDlg& Dlg, TSettings& s)
{
    const std::optional<TSettings> Chosen = Dlg.ExecuteSettings(s);
    if (Chosen)
        s = *Chosen;
    return Chosen.has_value();
}

TSpinEdit* Spin(TSettingsDlg& Dlg, const char* Name)
{
    return Dlg.findChild<TSpinEdit*>(QLatin1String(Name));
}
QLineEdit* StepEdt(TSettingsDlg& Dlg)
{
    return Dlg.findChild<QLineEdit*>(QStringLiteral("StepEdt"));
}

// Replaces the field's text as a user would: select all, type.
void TypeInto(QWidget* Field, const QString& Text)
{
    QLineEdit* Edit = qobject_cast<QLineEdit*>(Field);
    if (!Edit)
        Edit = Field->findChild<QLineEdit*>();
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
}

void LoseFocus(QWidget* Field)
{
    QFocusEvent Out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Field, &Out);
}
} // namespace

class TestSettingsDlg : public QObject
{
    Q_OBJECT

  private slots:
    void FillShowsClampedValues();
    void TypedValueClampsOnFocusOut();
    void DecimalsIsUnlimited();
    void ReadBackClampsWithoutFocusLoss();
    void ReadBackOrderAndValues();
    void TimeStep_data();
    void TimeStep();
    void UnreadableStepIsKeptForNextUse();
    void CancelWritesNothing();
    void SteppingStopsAtTheBounds();
};

void TestSettingsDlg::FillShowsClampedValues()
{
    TSettingsDlg Dlg(u'.');
    TSettings s;
    s.TicksByX = 1;
    s.TicksByY = 500;
    s.FramesCount = -3;
    s.Decimals = -7;
    QString Shown[4];
    Dlg.SetModalRunner(
        [&]
        {
            Shown[0] = Spin(Dlg, "ByXSE")->text();
            Shown[1] = Spin(Dlg, "ByYSE")->text();
            Shown[2] = Spin(Dlg, "FramesCountSE")->text();
            Shown[3] = Spin(Dlg, "DecimalsSE")->text();
            return int(QDialog::Rejected);
        });
    QVERIFY(!Execute(Dlg, s));
    QCOMPARE(Shown[0], QStringLiteral("2"));
    QCOMPARE(Shown[1], QStringLiteral("100"));
    QCOMPARE(Shown[2], QStringLiteral("2"));
    QCOMPARE(Shown[3], QStringLiteral("-7"));
}

void TestSettingsDlg::TypedValueClampsOnFocusOut()
{
    TSettingsDlg Dlg(u'.');
    TSettings s;
    QString BeforeFocusOut, AfterFocusOut;
    Dlg.SetModalRunner(
        [&]
        {
            TSpinEdit* ByX = Spin(Dlg, "ByXSE");
            TypeInto(ByX, QStringLiteral("150"));
            BeforeFocusOut = ByX->text();
            LoseFocus(ByX);
            AfterFocusOut = ByX->text();
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    QCOMPARE(BeforeFocusOut, QStringLiteral("150")); // typing is not cut at the bound
    QCOMPARE(AfterFocusOut, QStringLiteral("100"));
    QCOMPARE(s.TicksByX, 100);
}

void TestSettingsDlg::DecimalsIsUnlimited()
{
    TSettingsDlg Dlg(u'.');
    for (int32_t Value : {12, -12, INT_MAX, INT_MIN})
    {
        TSettings s;
        s.Decimals = Value;
        Dlg.SetModalRunner([] { return int(QDialog::Accepted); });
        QVERIFY(Execute(Dlg, s));
        QCOMPARE(s.Decimals, Value);
    }
    TSettings s;
    Dlg.SetModalRunner(
        [&]
        {
            TypeInto(Spin(Dlg, "DecimalsSE"), QStringLiteral("12345"));
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    QCOMPARE(s.Decimals, 12345);
}

void TestSettingsDlg::ReadBackClampsWithoutFocusLoss()
{
    // Confirmed with Enter while the field still has the focus: the counts must stay in
    // range all the same, since the renderer divides by them.
    TSettingsDlg Dlg(u'.');
    TSettings s;
    Dlg.SetModalRunner(
        [&]
        {
            TypeInto(Spin(Dlg, "ByXSE"), QStringLiteral("150"));
            TypeInto(Spin(Dlg, "ByYSE"), QStringLiteral("0"));
            TypeInto(Spin(Dlg, "FramesCountSE"), QStringLiteral("-"));
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    QCOMPARE(s.TicksByX, 100);
    QCOMPARE(s.TicksByY, 2);
    QCOMPARE(s.FramesCount, 2); // not an integer: the minimum
}

void TestSettingsDlg::ReadBackOrderAndValues()
{
    TSettingsDlg Dlg(u'.');
    TSettings s;
    s.Decimals = 3;
    s.TicksByX = 22;
    s.TicksByY = 7;
    s.FramesCount = 9;
    s.FilledGraphs = true;
    s.MotionBlur = false;
    Dlg.SetModalRunner(
        [&]
        {
            Dlg.findChild<QCheckBox*>(QStringLiteral("FillCheckBox"))->setChecked(false);
            Dlg.findChild<QCheckBox*>(QStringLiteral("BlurCheckBox"))->setChecked(true);
            TypeInto(StepEdt(Dlg), QStringLiteral("-0.25"));
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    TSettings Expected{3, 22, 7, 9, -0.25f, false, true};
    QVERIFY(s == Expected);
}

void TestSettingsDlg::TimeStep_data()
{
    QTest::addColumn<QChar>("Sep");
    QTest::addColumn<QString>("Text");
    QTest::addColumn<float>("Step");
    QTest::newRow("point separator reads a point") << QChar(u'.') << "0.5" << 0.5f;
    QTest::newRow("comma separator reads a comma") << QChar(u',') << "0,5" << 0.5f;
    QTest::newRow("comma separator rejects a point") << QChar(u',') << "0.5" << 0.05f;
    QTest::newRow("point separator rejects a comma") << QChar(u'.') << "0,5" << 0.05f;
    QTest::newRow("letters give the default") << QChar(u'.') << "abc" << 0.05f;
    QTest::newRow("empty gives the default") << QChar(u'.') << "" << 0.05f;
    QTest::newRow("zero is accepted") << QChar(u'.') << "0" << 0.0f;
    QTest::newRow("negative is accepted") << QChar(u'.') << "-1" << -1.0f;
    QTest::newRow("blanks and exponent") << QChar(u'.') << " 2e-2 " << 0.02f;
    QTest::newRow("beyond float range gives the default") << QChar(u'.') << "1e300" << 0.05f;
}

void TestSettingsDlg::TimeStep()
{
    QFETCH(QChar, Sep);
    QFETCH(QString, Text);
    QFETCH(float, Step);
    TSettingsDlg Dlg(Sep.unicode());
    TSettings s;
    s.TimeStep = 99.0f;
    Dlg.SetModalRunner(
        [&]
        {
            StepEdt(Dlg)->setText(Text);
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    QCOMPARE(s.TimeStep, Step);
}

void TestSettingsDlg::UnreadableStepIsKeptForNextUse()
{
    TSettingsDlg Dlg(u'.');
    TSettings s;
    QString FirstShown;
    Dlg.SetModalRunner(
        [&]
        {
            FirstShown = StepEdt(Dlg)->text();
            TypeInto(StepEdt(Dlg), QStringLiteral("fast"));
            return int(QDialog::Accepted);
        });
    QVERIFY(Execute(Dlg, s));
    QCOMPARE(FirstShown, QStringLiteral("0.05"));
    QCOMPARE(s.TimeStep, 0.05f);

    QString SecondShown;
    s.TimeStep = 1.0f; // the field is never filled from the setting
    Dlg.SetModalRunner(
        [&]
        {
            SecondShown = StepEdt(Dlg)->text();
            return int(QDialog::Rejected);
        });
    QVERIFY(!Execute(Dlg, s));
    QCOMPARE(SecondShown, QStringLiteral("fast"));
}

void TestSettingsDlg::CancelWritesNothing()
{
    TSettingsDlg Dlg(u'.');
    TSettings s;
    const TSettings Before = s;
    Dlg.SetModalRunner(
        [&]
        {
            TypeInto(Spin(Dlg, "DecimalsSE"), QStringLiteral("4"));
            TypeInto(Spin(Dlg, "ByXSE"), QStringLiteral("30"));
            TypeInto(Spin(Dlg, "ByYSE"), QStringLiteral("40"));
            TypeInto(Spin(Dlg, "FramesCountSE"), QStringLiteral("50"));
            TypeInto(StepEdt(Dlg), QStringLiteral("0.7"));
            Dlg.findChild<QCheckBox*>(QStringLiteral("FillCheckBox"))->setChecked(true);
            Dlg.findChild<QCheckBox*>(QStringLiteral("BlurCheckBox"))->setChecked(false);
            return int(QDialog::Rejected);
        });
    QVERIFY(!Execute(Dlg, s));
    QVERIFY(s == Before);

    // The next use refills everything but the time step.
    QString Shown[3];
    Dlg.SetModalRunner(
        [&]
        {
            Shown[0] = Spin(Dlg, "ByXSE")->text();
            Shown[1] = StepEdt(Dlg)->text();
            Shown[2] = Dlg.findChild<QCheckBox*>(QStringLiteral("BlurCheckBox"))->isChecked() ? "on" : "off";
            return int(QDialog::Rejected);
        });
    QVERIFY(!Execute(Dlg, s));
    QCOMPARE(Shown[0], QStringLiteral("20"));
    QCOMPARE(Shown[1], QStringLiteral("0.7"));
    QCOMPARE(Shown[2], QStringLiteral("on"));
}

void TestSettingsDlg::SteppingStopsAtTheBounds()
{
    TSettingsDlg Dlg(u'.');
    TSpinEdit* ByX = Spin(Dlg, "ByXSE");
    ByX->WriteValue(100);
    ByX->stepUp();
    QCOMPARE(ByX->value(), 100);
    ByX->WriteValue(2);
    ByX->stepDown();
    QCOMPARE(ByX->value(), 2);
}

QTEST_MAIN(TestSettingsDlg)
#include "tst_settingsdlg.moc"
