// The About box: the version text, the two links and what they open.
#include "app/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAboutBox : public QObject
{
    Q_OBJECT

  private slots:
    void VersionText();
    void LinksOpenTheirAddresses();
    void PictureAndOkButton();
};

void TestAboutBox::VersionText()
{
    TAboutBox Box;
    QCOMPARE(Box.windowTitle(), QStringLiteral("About Vendrel"));
    QLabel* ProductName = Box.findChild<QLabel*>(QStringLiteral("ProductName"));
    QVERIFY(ProductName);
    QCOMPARE(ProductName->text(), QStringLiteral("Vendrel Version 2.5"));
}

void TestAboutBox::LinksOpenTheirAddresses()
{
    TAboutBox Box;
    QList<QUrl> Opened;
    Box.SetUrlOpener(
        [&](const QUrl& Url)
        {
            Opened << Url;
            return true;
        });
    QLabel* Link1 = Box.findChild<QLabel*>(QStringLiteral("Link1"));
    QLabel* Link2 = Box.findChild<QLabel*>(QStringLiteral("Link2"));
    QVERIFY(Link1 && Link2);
    QTest::mouseClick(Link1, Qt::LeftButton);
    QTest::mouseClick(Link2, Qt::LeftButton);
    QTest::mouseClick(Link2, Qt::RightButton); // only the left button follows a link
    QCOMPARE(Opened.size(), 2);
    QCOMPARE(Opened[0].scheme(), QStringLiteral("https"));
    QCOMPARE(Opened[0].toString(), Link1->text());
    QCOMPARE(Opened[1].scheme(), QStringLiteral("mailto"));
    QCOMPARE(Opened[1].path(), Link2->text());
}

void TestAboutBox::PictureAndOkButton()
{
    TAboutBox Box;
    QLabel* Icon = Box.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
    QCOMPARE(Icon->pixmap().size(), QSize(400, 300));
    // The picture is drawn, not left blank: it holds more than the background colour.
    const QImage Picture = Icon->pixmap().toImage();
    QVERIFY(Picture.pixel(200, 150) != Picture.pixel(5, 5) || Picture.pixel(100, 100) != Picture.pixel(5, 5));

    QPushButton* Ok = Box.findChild<QPushButton*>(QStringLiteral("OkBtn"));
    QCOMPARE(Ok->text(), QStringLiteral("OK"));
    QVERIFY(Ok->isDefault());
    Box.show();
    QTest::mouseClick(Ok, Qt::LeftButton);
    QVERIFY(!Box.isVisible());
    QCOMPARE(Box.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
