// The data preview: the guess it shows, a changed layout read again, the first error with its
// line (OK disabled while the file does not read), and the table it returns.
#include "app/TImportDataDlg.h"
#include "plot/TMarkerPainter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestImportDataDlg : public QObject
{
    Q_OBJECT

  private slots:
    void showsTheGuessAndThePointsItReads();
    void aChangedLayoutIsReadAgain();
    void aLayoutThatDoesNotReadShowsItsErrorAndBlocksOk();
    void offersTheYColumnsNameUntilTheUserTypesOne();
};

namespace
{
template <typename T> T* Child(QObject& Dlg, const char* Name)
{
    T* Found = Dlg.findChild<T*>(QLatin1String(Name));
    if (!Found)
        qFatal("no child %s", Name);
    return Found;
}

bool OkEnabled(QDialog& Dlg)
{
    return Dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

const char* File = "t;v;w\n0,5;1,25;3\n1,5;?;4\n2,5;-2;5\n";
} // namespace

void TestImportDataDlg::showsTheGuessAndThePointsItReads()
{
    TImportDataDlg Dlg(TDelimitedText(File), QStringLiteral("run.csv"));
    QCOMPARE(Child<QComboBox>(Dlg, "SeparatorBox")->currentText(), QStringLiteral("Semicolon"));
    QCOMPARE(Child<QComboBox>(Dlg, "DecimalBox")->currentIndex(), 1);
    QVERIFY(Child<QCheckBox>(Dlg, "HeaderBox")->isChecked());
    QCOMPARE(Child<QComboBox>(Dlg, "YColumnBox")->currentText(), QStringLiteral("2: v"));
    QCOMPARE(Child<QComboBox>(Dlg, "YColumnBox")->count(), 3);
    QCOMPARE(Dlg.Status(), QStringLiteral("2 points; rows skipped for a missing value: 1"));
    QVERIFY(OkEnabled(Dlg));
    QVERIFY(Dlg.Table());
    QCOMPARE(Dlg.Table()->YName(), std::string("v"));
    QCOMPARE(double(Dlg.Table()->Point(1).X), 2.5);

    auto* Preview = Child<QTableWidget>(Dlg, "PreviewTable");
    QCOMPARE(Preview->rowCount(), 3);
    QCOMPARE(Preview->item(1, 1)->text(), QStringLiteral("?"));
    QCOMPARE(Preview->verticalHeaderItem(0)->text(), QStringLiteral("Line 2"));
}

void TestImportDataDlg::aChangedLayoutIsReadAgain()
{
    TImportDataDlg Dlg(TDelimitedText(File), QStringLiteral("run.csv"));
    Child<QComboBox>(Dlg, "YColumnBox")->setCurrentIndex(2);
    QCOMPARE(Dlg.Status(), QStringLiteral("3 points; rows skipped for a missing value: 0"));
    QCOMPARE(Dlg.Layout().YColumn, size_t(2));
    QCOMPARE(double(Dlg.Table()->Point(2).Y), 5.0);

    // Without the header the names are plain rows: the first one does not read.
    Child<QCheckBox>(Dlg, "HeaderBox")->setChecked(false);
    QCOMPARE(Dlg.Status(), QStringLiteral("Line 1: 't' is not a number"));
    QCOMPARE(Child<QComboBox>(Dlg, "XColumnBox")->currentText(), QStringLiteral("Column 1"));
}

void TestImportDataDlg::aLayoutThatDoesNotReadShowsItsErrorAndBlocksOk()
{
    TImportDataDlg Dlg(TDelimitedText(File), QStringLiteral("run.csv"));
    Child<QComboBox>(Dlg, "DecimalBox")->setCurrentIndex(0);
    QCOMPARE(Dlg.Status(), QStringLiteral("Line 2: '0,5' is not a number"));
    QVERIFY(!OkEnabled(Dlg));
    QVERIFY(!Dlg.Table());

    // A comma separator splits "0,5" itself: the decimal mark is then a point, and fixed.
    Child<QComboBox>(Dlg, "SeparatorBox")->setCurrentIndex(2);
    QVERIFY(!Child<QComboBox>(Dlg, "DecimalBox")->isEnabled());
    Child<QComboBox>(Dlg, "SeparatorBox")->setCurrentIndex(1);
    Child<QComboBox>(Dlg, "DecimalBox")->setCurrentIndex(1);
    QVERIFY(OkEnabled(Dlg));
    QCOMPARE(Dlg.Table()->Count(), size_t(2));
}

QTEST_MAIN(TestImportDataDlg)
#include "tst_importdatadlg.moc"

// The graph's name follows the y column while the user has not typed one; without a header it
// is the file's name.
void TestImportDataDlg::offersTheYColumnsNameUntilTheUserTypesOne()
{
    TImportDataDlg Dlg(TDelimitedText(File), QStringLiteral("/data/run 3.csv"));
    auto* Name = Child<QLineEdit>(Dlg, "NameEdit");
    QCOMPARE(Dlg.Name(), QStringLiteral("v"));
    Child<QComboBox>(Dlg, "YColumnBox")->setCurrentIndex(2);
    QCOMPARE(Dlg.Name(), QStringLiteral("w"));
    Child<QCheckBox>(Dlg, "HeaderBox")->setChecked(false);
    QCOMPARE(Name->text(), QStringLiteral("run 3"));
    Child<QCheckBox>(Dlg, "HeaderBox")->setChecked(true);
    Name->setText(QStringLiteral("mine"));
    Child<QComboBox>(Dlg, "YColumnBox")->setCurrentIndex(1);
    QCOMPARE(Dlg.Name(), QStringLiteral("mine"));
    QCOMPARE(Dlg.Marker(), TMarkerShape::Dot);
    QVERIFY(!Dlg.Joined());
}
