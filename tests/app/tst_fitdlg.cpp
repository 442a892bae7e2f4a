// The fit dialog: the parameters it varies, the result it shows and returns, and the plain
// word when the fit does not converge or cannot start (OK stays disabled then).
#include "app/TFitDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

class TestFitDlg : public QObject
{
    Q_OBJECT

  private slots:
    void fitsTheTickedParametersAndShowsTheResult();
    void saysWhenTheFitDidNotConverge();
    void changingTheChoiceDropsTheResult();
};

namespace
{
// y = 3 + 2x at x = 0..9, on lines 1..10.
std::shared_ptr<const TDataTable> Line()
{
    std::vector<TDataPoint> Points;
    std::vector<uint32_t> Lines;
    for (int i = 0; i < 10; ++i)
    {
        Points.push_back({Float80(i), 3 + 2 * Float80(i)});
        Lines.push_back(uint32_t(i + 1));
    }
    return std::make_shared<const TDataTable>(Points, Lines);
}

bool OkEnabled(QDialog& Dlg)
{
    return Dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}
} // namespace

void TestFitDlg::fitsTheTickedParametersAndShowsTheResult()
{
    TFitDlg Dlg(QStringLiteral("a + b*x + c"), Line(), {u"a", u"b", u"c"}, {0, 0, 1}, u',');
    auto* List = Dlg.findChild<QListWidget*>(QStringLiteral("ParameterList"));
    QCOMPARE(List->count(), 3);
    QCOMPARE(List->item(2)->text(), QStringLiteral("c = 1"));
    List->item(2)->setCheckState(Qt::Unchecked); // c stays 1
    QVERIFY(!OkEnabled(Dlg));
    Dlg.RunFit();
    QVERIFY(OkEnabled(Dlg));
    QVERIFY(Dlg.Result());
    QCOMPARE(Dlg.Varied(), (std::vector<std::u16string>{u"a", u"b"}));
    QCOMPARE(double(Dlg.Result()->Values[0]), 2.0);
    QCOMPARE(double(Dlg.Result()->Values[1]), 2.0);
    auto* Table = Dlg.findChild<QTableWidget*>(QStringLiteral("ResultTable"));
    QCOMPARE(Table->rowCount(), 2);
    QCOMPARE(Table->item(1, 1)->text(), QStringLiteral("2"));
    QVERIFY(Dlg.findChild<QLabel*>(QStringLiteral("SummaryLabel"))
                ->text()
                .contains(QStringLiteral("iterations")));
    QCOMPARE(Dlg.Status(), QStringLiteral("The fit converged. OK sets the parameters."));
}

void TestFitDlg::saysWhenTheFitDidNotConverge()
{
    TFitDlg Dlg(QStringLiteral("a*b*x"), Line(), {u"a", u"b"}, {1, 1}, u'.');
    Dlg.RunFit();
    QVERIFY(!Dlg.Result());
    QVERIFY(!OkEnabled(Dlg));
    QCOMPARE(Dlg.Status(),
             QStringLiteral("The fit did not converge: The parameters cannot be told apart by the "
                            "data: the Jacobian is singular. The parameters keep their values."));

    TFitDlg Broken(QStringLiteral("a*/x"), Line(), {u"a"}, {1}, u'.');
    Broken.RunFit();
    QVERIFY(!OkEnabled(Broken));
    QCOMPARE(Broken.Status(), QStringLiteral("The fit could not start: Parse error: Factor expected"));
}

void TestFitDlg::changingTheChoiceDropsTheResult()
{
    TFitDlg Dlg(QStringLiteral("a + b*x"), Line(), {u"a", u"b"}, {0, 0}, u'.');
    Dlg.RunFit();
    QVERIFY(Dlg.Result());
    auto* List = Dlg.findChild<QListWidget*>(QStringLiteral("ParameterList"));
    List->item(0)->setCheckState(Qt::Unchecked);
    QVERIFY(!Dlg.Result());
    QVERIFY(!OkEnabled(Dlg));
    List->item(1)->setCheckState(Qt::Unchecked);
    QVERIFY(!Dlg.findChild<QPushButton*>(QStringLiteral("FitBtn"))->isEnabled());
}

QTEST_MAIN(TestFitDlg)
#include "tst_fitdlg.moc"
