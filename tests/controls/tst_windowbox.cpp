// The drawing surface: what the paint callback sees and shows, the rubber band over
// the kept picture, mouse reporting with and without capture, and keys that must not
// turn into focus traversal.
#include "controls/TWindowBox.h"

#include <QAction>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace
{
constexpr QRgb Picture = 0xFF3060A0;

QRgb Inverted(QRgb C)
{
    return qRgb(255 - qRed(C), 255 - qGreen(C), 255 - qBlue(C));
}

// QTest presses Shift, Ctrl or Alt themselves before a key with modifiers.
bool IsModifierKey(int Key)
{
    return Key == Qt::Key_Shift || Key == Qt::Key_Control || Key == Qt::Key_Alt || Key == Qt::Key_Meta;
}

// Counts the KeyDown signals of the keys themselves (QSignalSpy cannot take int&).
struct TKeyCount
{
    int Count = 0;
    void Attach(TWindowBox& Box)
    {
        QObject::connect(&Box, &TWindowBox::KeyDown,
                         [this](int& K, Qt::KeyboardModifiers) { Count += IsModifierKey(K) ? 0 : 1; });
    }
};

// A window with an editor before and after the surface, shown and active, with the
// keyboard focus on the surface.
struct TFocusWindow
{
    QWidget Window;
    QLineEdit* Before = new QLineEdit(&Window);
    TWindowBox* Box = new TWindowBox(&Window);
    QLineEdit* After = new QLineEdit(&Window);

    bool Show()
    {
        auto* Layout = new QVBoxLayout(&Window);
        Box->setMinimumSize(100, 100);
        for (QWidget* W : {(QWidget*)Before, (QWidget*)Box, (QWidget*)After})
            Layout->addWidget(W);
        Window.show();
        Window.activateWindow();
        if (!QTest::qWaitForWindowActive(&Window))
            return false;
        Box->setFocus();
        return Box->hasFocus();
    }
};

QRgb PixelAt(QWidget& W, int X, int Y)
{
    return W.grab().toImage().pixel(X, Y) | 0xFF000000;
}

void SendMouse(QWidget& W, QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Buttons, QPoint Pos,
               Qt::KeyboardModifiers Mods = Qt::NoModifier)
{
    QMouseEvent E(Type, QPointF(Pos), QPointF(W.mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(&W, &E);
}

struct TMouseLog
{
    QStringList Lines;
    void Attach(TWindowBox& Box)
    {
        auto Log = [this](const char* Kind)
        {
            return [this, Kind](Qt::MouseButton B, Qt::KeyboardModifiers M, QPoint P)
            { Lines << QString("%1 %2 %3 %4,%5").arg(Kind).arg(int(B)).arg(int(M)).arg(P.x()).arg(P.y()); };
        };
        QObject::connect(&Box, &TWindowBox::MouseDown, Log("down"));
        QObject::connect(&Box, &TWindowBox::MouseMove, Log("move"));
        QObject::connect(&Box, &TWindowBox::MouseUp, Log("up"));
    }
};
} // namespace

class TestWindowBox : public QObject
{
    Q_OBJECT

  private slots:
    void paintCallbackDrawsTheWholeClientArea_data();
    void paintCallbackDrawsTheWholeClientArea();
    void withoutPaintCallbackTheSurfaceShowsItsColour();
    void rubberBandIsDrawnOverTheKeptPicture();
    void invalidateAndResizeRunThePaintCallbackAgain();
    void pictureHasTheScreensDevicePixels();
    void leftDragReportsPositionsOutsideTheSurface();
    void otherButtonsReportOnlyOverTheSurface();
    void movesWithoutAButtonAreReported();
    void navigationKeysReachKeyDownAndKeepTheFocus_data();
    void navigationKeysReachKeyDownAndKeepTheFocus();
    void unhandledTabMovesTheFocusOn();
    void shortcutsStillWorkWhileTheSurfaceHasTheFocus();
    void clickGivesTheSurfaceTheFocus();
    void aMovedPictureAndOverlaysNeverCallThePaintCallback();
};

void TestWindowBox::paintCallbackDrawsTheWholeClientArea_data()
{
    QTest::addColumn<bool>("Buffered");
    QTest::newRow("double buffered") << true;
    QTest::newRow("straight on the window") << false;
}

void TestWindowBox::paintCallbackDrawsTheWholeClientArea()
{
    QFETCH(bool, Buffered);
    TWindowBox Box;
    Box.resize(120, 80);
    Box.SetDoubleBuffered(Buffered);
    Box.SetColor(0x00FF8040); // blue 0xFF, green 0x80, red 0x40
    QFont Font = Box.font();
    Font.setPointSize(17);
    Box.setFont(Font);
    QSize Seen;
    QColor Brush;
    int FontSize = 0;
    Box.SetOnPaint(
        [&](QPainter& P, const QSize& Size, double)
        {
            Seen = Size;
            Brush = P.brush().color();
            FontSize = P.font().pointSize();
            P.fillRect(QRect(QPoint(0, 0), Size), P.brush());
            P.fillRect(QRect(10, 10, 5, 5), QColor(Picture));
        });
    QImage Shot = Box.grab().toImage();
    QCOMPARE(Seen, QSize(120, 80));
    QCOMPARE(Box.ClientWidth(), 120);
    QCOMPARE(Box.ClientHeight(), 80);
    QCOMPARE(Brush, QColor(0x40, 0x80, 0xFF));
    QCOMPARE(FontSize, 17);
    QCOMPARE(Shot.pixel(12, 12) | 0xFF000000, Picture);
    QCOMPARE(Shot.pixel(119, 79) | 0xFF000000, qRgb(0x40, 0x80, 0xFF));
}

void TestWindowBox::withoutPaintCallbackTheSurfaceShowsItsColour()
{
    TWindowBox Box;
    QCOMPARE(Box.Color(), 0xFFFFFF);
    QCOMPARE(Box.size(), QSize(105, 105));
    Box.SetDoubleBuffered(true);
    Box.SetColor(0x0000FF);
    QCOMPARE(PixelAt(Box, 50, 50), qRgb(255, 0, 0));
}

void TestWindowBox::rubberBandIsDrawnOverTheKeptPicture()
{
    TWindowBox Box;
    Box.resize(60, 60);
    Box.SetDoubleBuffered(true);
    int Calls = 0;
    Box.SetOnPaint(
        [&](QPainter& P, const QSize& Size, double)
        {
            ++Calls;
            P.fillRect(QRect(QPoint(0, 0), Size), QColor(Picture));
        });
    QImage Before = Box.grab().toImage();
    QCOMPARE(Calls, 1);

    Box.SetRubberBand(QRect(10, 20, 21, 11)); // edges x 10 and 30, y 20 and 30
    QImage Band = Box.grab().toImage();
    QCOMPARE(Calls, 1);
    struct
    {
        QPoint P;
        bool Inverted;
    } Rows[] = {{{10, 20}, true}, {{11, 20}, false}, {{30, 30}, true}, {{29, 30}, false},
                {{10, 22}, true}, {{10, 23}, false}, {{30, 24}, true}, {{20, 25}, false},
                {{9, 20}, false}, {{31, 30}, false}};
    for (const auto& Row : Rows)
    {
        QRgb Want = Row.Inverted ? Inverted(Picture) : Picture;
        QVERIFY2((Band.pixel(Row.P) | 0xFF000000) == Want,
                 qPrintable(QString("pixel %1,%2").arg(Row.P.x()).arg(Row.P.y())));
    }

    // Moving the band and clearing it leave no trace and never redraw the plot.
    Box.SetRubberBand(QRect(-20, -20, 200, 200));
    Box.grab();
    Box.ClearRubberBand();
    QCOMPARE(Box.grab().toImage(), Before);
    QCOMPARE(Calls, 1);

    // A band of no width, as at the first mouse-down, shows nothing.
    Box.SetRubberBand(QRect(15, 15, 0, 0));
    QCOMPARE(Box.grab().toImage(), Before);
}

void TestWindowBox::invalidateAndResizeRunThePaintCallbackAgain()
{
    TWindowBox Box;
    Box.SetDoubleBuffered(true);
    QSize Last;
    int Calls = 0;
    Box.SetOnPaint(
        [&](QPainter&, const QSize& Size, double)
        {
            ++Calls;
            Last = Size;
        });
    Box.grab();
    Box.grab(); // an expose shows the kept picture again
    QCOMPARE(Calls, 1);
    Box.Invalidate();
    Box.grab();
    QCOMPARE(Calls, 2);
    Box.resize(90, 40);
    Box.grab();
    QCOMPARE(Calls, 3);
    QCOMPARE(Last, QSize(90, 40));
}

// Double buffered, the picture has the screen's device pixels: the callback gets the client
// size times the ratio and a painter without transform, and every pixel of the picture lands
// on one pixel of the screen. CTest runs this case again at ratio 2 (QT_SCALE_FACTOR=2).
void TestWindowBox::pictureHasTheScreensDevicePixels()
{
    TWindowBox Box;
    Box.resize(40, 30);
    Box.SetDoubleBuffered(true);
    const double Ratio = Box.devicePixelRatioF();
    QSize Seen;
    double SeenRatio = 0;
    bool Transformed = true;
    Box.SetOnPaint(
        [&](QPainter& P, const QSize& Size, double R)
        {
            Seen = Size;
            SeenRatio = R;
            Transformed = P.combinedTransform().type() != QTransform::TxNone;
            // A one-pixel checkerboard: any scaling on the way to the screen blurs or drops it.
            for (int y = 0; y < Size.height(); ++y)
                for (int x = (y & 1); x < Size.width(); x += 2)
                    P.fillRect(x, y, 1, 1, QColor(Picture));
        });
    const QImage Shot = Box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(SeenRatio, Ratio);
    QCOMPARE(Seen, QSize(qRound(40 * Ratio), qRound(30 * Ratio)));
    QVERIFY(!Transformed);
    QCOMPARE(Shot.size(), Seen);
    int Wrong = 0;
    for (int y = 0; y < Shot.height(); ++y)
        for (int x = 0; x < Shot.width(); ++x)
            Wrong += Shot.pixel(x, y) != (((x + y) & 1) ? qRgb(255, 255, 255) : Picture);
    QCOMPARE(Wrong, 0);
}

void TestWindowBox::leftDragReportsPositionsOutsideTheSurface()
{
    TWindowBox Box;
    Box.resize(100, 100);
    TMouseLog Log;
    Log.Attach(Box);
    SendMouse(Box, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 20}, Qt::ShiftModifier);
    SendMouse(Box, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {-5, 250}, Qt::ShiftModifier);
    SendMouse(Box, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {300, -7});
    QCOMPARE(Log.Lines, QStringList({"down 1 33554432 10,20", "move 1 33554432 -5,250", "up 1 0 300,-7"}));
}

void TestWindowBox::otherButtonsReportOnlyOverTheSurface()
{
    TWindowBox Box;
    Box.resize(100, 100);
    TMouseLog Log;
    Log.Attach(Box);
    SendMouse(Box, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {10, 10});
    SendMouse(Box, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {20, 30});
    SendMouse(Box, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {150, 30});
    SendMouse(Box, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {150, 30});
    SendMouse(Box, QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, {5, 5});
    SendMouse(Box, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, {6, 7});
    QCOMPARE(Log.Lines, QStringList({"down 2 0 10,10", "move 2 0 20,30", "down 4 0 5,5", "up 4 0 6,7"}));
}

void TestWindowBox::movesWithoutAButtonAreReported()
{
    TWindowBox Box;
    QVERIFY(Box.hasMouseTracking());
    TMouseLog Log;
    Log.Attach(Box);
    SendMouse(Box, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {3, 4}, Qt::AltModifier);
    QCOMPARE(Log.Lines, QStringList({"move 0 134217728 3,4"}));
}

void TestWindowBox::navigationKeysReachKeyDownAndKeepTheFocus_data()
{
    QTest::addColumn<int>("Key");
    QTest::addColumn<int>("Modifiers");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier);
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier);
    QTest::newRow("Right") << int(Qt::Key_Right) << int(Qt::NoModifier);
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier);
    QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier);
}

void TestWindowBox::navigationKeysReachKeyDownAndKeepTheFocus()
{
    QFETCH(int, Key);
    QFETCH(int, Modifiers);
    TFocusWindow W;
    QVERIFY(W.Show());
    QList<QPair<int, int>> Seen;
    connect(W.Box, &TWindowBox::KeyDown,
            [&](int& K, Qt::KeyboardModifiers M)
            {
                if (!IsModifierKey(K))
                    Seen << qMakePair(K, int(M));
                K = 0;
            });
    QTest::keyClick(W.Box, Qt::Key(Key), Qt::KeyboardModifiers(Modifiers));
    QCOMPARE(Seen, (QList<QPair<int, int>>{{Key, Modifiers}}));
    QVERIFY(W.Box->hasFocus());
    QVERIFY(W.Before->text().isEmpty() && W.After->text().isEmpty());
}

void TestWindowBox::unhandledTabMovesTheFocusOn()
{
    TFocusWindow W;
    QVERIFY(W.Show());
    TKeyCount Keys;
    Keys.Attach(*W.Box);
    QTest::keyClick(W.Box, Qt::Key_Tab);
    QCOMPARE(Keys.Count, 1);
    QVERIFY(W.After->hasFocus());
}

void TestWindowBox::shortcutsStillWorkWhileTheSurfaceHasTheFocus()
{
    TFocusWindow W;
    QAction Undo(&W.Window);
    Undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    W.Window.addAction(&Undo);
    QVERIFY(W.Show());
    QSignalSpy Triggered(&Undo, &QAction::triggered);
    TKeyCount Keys;
    Keys.Attach(*W.Box);
    QTest::keyClick(W.Box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Triggered.count(), 1);
    QCOMPARE(Keys.Count, 0);
}

void TestWindowBox::clickGivesTheSurfaceTheFocus()
{
    TFocusWindow W;
    QVERIFY(W.Show());
    W.Before->setFocus();
    QTest::mouseClick(W.Box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(W.Box->hasFocus());
    // Not a tab stop: Tab from the editor before it skips the surface.
    W.Before->setFocus();
    QTest::keyClick(W.Before, Qt::Key_Tab);
    QVERIFY(W.After->hasFocus());
}

// A gesture shows the kept picture moved; overlays lie over it and under the rubber band; a
// new picture is shown as drawn.
void TestWindowBox::aMovedPictureAndOverlaysNeverCallThePaintCallback()
{
    TWindowBox Box;
    Box.resize(100, 100);
    Box.SetDoubleBuffered(true);
    int Paints = 0;
    Box.SetOnPaint(
        [&](QPainter& P, const QSize& Size, double)
        {
            ++Paints;
            P.fillRect(QRect(QPoint(0, 0), Size), QColor(Picture));
        });
    QPoint Mark(50, 50);
    Box.AddOverlay([&](QPainter& P) { P.fillRect(QRect(Mark, QSize(1, 1)), Qt::black); });
    QCOMPARE(PixelAt(Box, 50, 50), QRgb(0xFF000000));
    QCOMPARE(Paints, 1);

    Box.TransformPicture(QTransform::fromTranslate(10, 0));
    Box.TransformPicture(QTransform::fromTranslate(5, 0));
    QCOMPARE(PixelAt(Box, 14, 20), QRgb(0xFFFFFFFF)); // uncovered: the surface's colour
    QCOMPARE(PixelAt(Box, 15, 20), Picture);
    QCOMPARE(PixelAt(Box, 50, 50), QRgb(0xFF000000)); // the overlay does not move with it
    Box.SetRubberBand(QRect(40, 50, 20, 20));
    QCOMPARE(PixelAt(Box, 50, 50), QRgb(0xFFFFFFFF)); // the band inverts the overlay's mark
    QCOMPARE(Paints, 1);

    Box.Invalidate();
    QCOMPARE(PixelAt(Box, 5, 20), Picture);
    QVERIFY(Box.PictureTransform().isIdentity());
    QCOMPARE(Paints, 2);
}

QTEST_MAIN(TestWindowBox)
#include "tst_windowbox.moc"
