// The colour button: change notification only on a real change, and the swatch at
// its place in each button state.
#include "controls/TColorBtn.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace
{
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Gray = 0xFF808080;

QRgb Rgb(TColor C)
{
    return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
}

// Counts the paint events a widget receives.
class TPaintCounter : public QObject
{
  public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

// Every pixel of R (inclusive) has colour Want.
bool Filled(const QImage& Image, const QRect& R, QRgb Want, QString& Where)
{
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X)
            if ((Image.pixel(X, Y) | 0xFF000000) != Want)
            {
                Where = QString("%1,%2 is %3").arg(X).arg(Y).arg(Image.pixel(X, Y), 8, 16);
                return false;
            }
    return true;
}

// The one-pixel outline along the edges of R.
bool Outlined(const QImage& Image, const QRect& R, QRgb Want, QString& Where)
{
    return Filled(Image, QRect(R.topLeft(), R.topRight()), Want, Where) &&
           Filled(Image, QRect(R.bottomLeft(), R.bottomRight()), Want, Where) &&
           Filled(Image, QRect(R.topLeft(), R.bottomLeft()), Want, Where) &&
           Filled(Image, QRect(R.topRight(), R.bottomRight()), Want, Where);
}
} // namespace

class TestColorBtn : public QObject
{
    Q_OBJECT

  private slots:
    void changedOnlyOnARealChange();
    void sameColourCausesNoRepaint();
    void swatchSitsAtItsPlace_data();
    void swatchSitsAtItsPlace();
    void patternShowsInColourAndBkColour();
    void focusedButtonIsFramedAndMarked();
};

void TestColorBtn::changedOnlyOnARealChange()
{
    TColorBtn Btn;
    QCOMPARE(Btn.Color(), 0xFFFFFF);
    QCOMPARE(Btn.BkColor(), 0xFFFFFF);
    QSignalSpy Changed(&Btn, &TColorBtn::Changed);
    Btn.SetColor(0xFFFFFF);
    QCOMPARE(Changed.count(), 0);
    Btn.SetColor(0x0000FF);
    QCOMPARE(Changed.count(), 1);
    QCOMPARE(Btn.Color(), 0x0000FF);
    Btn.SetColor(0x0000FF);
    Btn.SetBkColor(0x123456);
    QCOMPARE(Changed.count(), 1);
}

void TestColorBtn::sameColourCausesNoRepaint()
{
    TColorBtn Btn;
    Btn.resize(75, 25);
    Btn.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Btn));
    QCoreApplication::processEvents();
    TPaintCounter Paints;
    Btn.installEventFilter(&Paints);
    Btn.SetColor(Btn.Color());
    QCoreApplication::processEvents();
    QCOMPARE(Paints.Count, 0);
    Btn.SetColor(0x00FF00);
    QTRY_VERIFY(Paints.Count > 0);
}

void TestColorBtn::swatchSitsAtItsPlace_data()
{
    QTest::addColumn<bool>("Pressed");
    QTest::addColumn<bool>("Enabled");
    QTest::addColumn<QRect>("Outline");
    QTest::addColumn<QRgb>("OutlineColour");
    // A 75 x 25 button: outline (4, 4)..(70, 20), colour (5, 5)..(69, 19).
    QTest::newRow("at rest") << false << true << QRect(4, 4, 67, 17) << Black;
    QTest::newRow("pressed: one pixel right and down") << true << true << QRect(5, 5, 67, 17) << Black;
    QTest::newRow("disabled: gray outline") << false << false << QRect(4, 4, 67, 17) << Gray;
}

void TestColorBtn::swatchSitsAtItsPlace()
{
    QFETCH(bool, Pressed);
    QFETCH(bool, Enabled);
    QFETCH(QRect, Outline);
    QFETCH(QRgb, OutlineColour);
    TColorBtn Btn;
    Btn.setText("ColorBtn"); // never drawn: the swatch interior stays one colour
    Btn.resize(75, 25);
    Btn.SetColor(0x2080F0);
    Btn.SetBkColor(0x00FF00); // without a pattern it shows nowhere
    Btn.setDown(Pressed);
    Btn.setEnabled(Enabled);
    QImage Shot = Btn.grab().toImage();
    QString Where;
    QVERIFY2(Outlined(Shot, Outline, OutlineColour, Where), qPrintable(Where));
    QVERIFY2(Filled(Shot, Outline.adjusted(1, 1, -1, -1), Rgb(0x2080F0), Where), qPrintable(Where));
}

void TestColorBtn::patternShowsInColourAndBkColour()
{
    QImage Checker(2, 2, QImage::Format_RGB32);
    Checker.fill(Qt::white);
    Checker.setPixel(0, 0, qRgb(0, 0, 0));
    Checker.setPixel(1, 1, qRgb(0, 0, 0));
    TColorBtn Btn;
    Btn.resize(75, 25);
    Btn.SetColor(0x0000FF);
    Btn.SetBkColor(0xFF0000);
    Btn.SetPattern(Checker);
    QImage Shot = Btn.grab().toImage();
    // Tiles start at the button's origin: dark pattern pixels where x + y is even.
    for (QPoint P : {QPoint(6, 6), QPoint(7, 7), QPoint(10, 12)})
        QCOMPARE(Shot.pixel(P) | 0xFF000000, qRgb(255, 0, 0));
    for (QPoint P : {QPoint(6, 7), QPoint(7, 6), QPoint(11, 12)})
        QCOMPARE(Shot.pixel(P) | 0xFF000000, qRgb(0, 0, 255));

    Btn.SetPattern(QImage());
    QString Where;
    QVERIFY2(Filled(Btn.grab().toImage(), QRect(5, 5, 65, 15), qRgb(255, 0, 0), Where), qPrintable(Where));
}

void TestColorBtn::focusedButtonIsFramedAndMarked()
{
    QWidget Window;
    auto* Layout = new QVBoxLayout(&Window);
    auto* Btn = new TColorBtn(&Window);
    Btn->setFixedSize(75, 25);
    Btn->SetColor(0x000000);
    Layout->addWidget(Btn);
    Window.show();
    Window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    Btn->setFocus();
    QVERIFY(Btn->DefaultFrame());
    QImage Shot = Btn->grab().toImage();
    QString Where;
    QVERIFY2(Outlined(Shot, QRect(0, 0, 75, 25), Black, Where), qPrintable(Where));
    // The dotted focus mark inverts every other pixel of the black swatch outline.
    QCOMPARE(Shot.pixel(4, 4) | 0xFF000000, qRgb(255, 255, 255));
    QCOMPARE(Shot.pixel(5, 4) | 0xFF000000, Black);
    QCOMPARE(Shot.pixel(70, 20) | 0xFF000000, qRgb(255, 255, 255));
    // Inside the swatch nothing is marked.
    QVERIFY2(Filled(Shot, QRect(5, 5, 65, 15), Black, Where), qPrintable(Where));
}

QTEST_MAIN(TestColorBtn)
#include "tst_colorbtn.moc"
