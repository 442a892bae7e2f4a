// Reading and moving the plot: the designed layout, the status bar readout and trace marker,
// the wheel, touchpad scroll and pinch, the View menu's zoom entries, and their undo.
#include "MainFormHarness.h"
#include "app/TMainForm.h"
#include "app/TViewGestures.h"
#include "controls/TTraceMarker.h"
#include "controls/TWindowBox.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointingDevice>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace
{
const QString WrongRange =
    QStringLiteral("You have set the wrong range! Max should be always greater than Min!");
const QStringList StartView = {"-10", "10", "10", "-10"};
} // namespace

class TestViewReadout : public QObject, private TMainFormHarness
{
    Q_OBJECT

    void SetBounds(const QStringList& b)
    {
        Edit("LeftEdt")->setText(b[0]);
        Edit("TopEdt")->setText(b[1]);
        Edit("RightEdt")->setText(b[2]);
        Edit("BottomEdt")->setText(b[3]);
    }
    void Accept(const QString& Formula)
    {
        Edit("FuncEdit")->setText(Formula);
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
    }
    QString Status() { return Form->statusBar()->currentMessage(); }
    void MoveMouse(QPoint To)
    {
        // A move to where the mouse already is reports nothing.
        QTest::mouseMove(Box(), To + QPoint(1, 1));
        QTest::mouseMove(Box(), To);
    }
    const TTraceMarker* Marker() { return Box()->findChild<TTraceMarker*>(); }

    void Wheel(QPointF Pos, QPoint Angle, QPoint Pixels = QPoint(),
               Qt::KeyboardModifiers Mods = Qt::NoModifier, Qt::ScrollPhase Phase = Qt::NoScrollPhase)
    {
        QWheelEvent e(Pos, Box()->mapToGlobal(Pos), Pixels, Angle, Qt::NoButton, Mods, Phase, false);
        QApplication::sendEvent(Box(), &e);
    }
    void Pinch(Qt::NativeGestureType Type, QPointF Pos, qreal Value = 0)
    {
        QNativeGestureEvent e(Type, QPointingDevice::primaryPointingDevice(), 2, Pos, Pos,
                              Box()->mapToGlobal(Pos), Value, QPointF());
        QApplication::sendEvent(Box(), &e);
    }
    // The plane point under pixel At, as the plot maps it (margin 5 on every side).
    QPointF PlanePoint(QPointF At)
    {
        const QStringList b = Bounds();
        const double L = b[0].toDouble(), T = b[1].toDouble(), R = b[2].toDouble(), B = b[3].toDouble();
        return {L + (At.x() - 5) / (Box()->width() - 10) * (R - L),
                T - (At.y() - 5) / (Box()->height() - 10) * (T - B)};
    }
    void EndBurst() { QTest::qWait(TViewGestures::BurstMs + 100); }
    int UndoAll()
    {
        int n = 0;
        while (Action("EditUndo")->isEnabled() && n < 20)
        {
            Action("EditUndo")->trigger();
            ++n;
        }
        return n;
    }

  private slots:
    void init() { QVERIFY(StartForm(true)); }
    void cleanup() { Form.reset(); }

    // Client-area positions, menu bar included, at the designed size and after a resize
    // that follows each control's anchors.
    void controlsStandWhereTheDesignPutsThem_data()
    {
        QTest::addColumn<int>("dW");
        QTest::addColumn<int>("dH");
        QTest::newRow("at start") << 0 << 0;
        QTest::newRow("100 wider, 60 taller") << 100 << 60;
    }
    void controlsStandWhereTheDesignPutsThem()
    {
        QFETCH(int, dW);
        QFETCH(int, dH);
        const int StatusHeight = Form->statusBar()->height();
        QCOMPARE(Form->size(), QSize(540, 619 + StatusHeight));
        Form->resize(540 + dW, 619 + StatusHeight + dH);
        QCoreApplication::processEvents();
        auto Place = [this](const char* Name)
        {
            auto* w = Child<QWidget>(Name);
            return QRect(w->mapTo(Form.get(), QPoint(0, 0)), w->size());
        };
        QCOMPARE(Place("WindowBox"), QRect(9, 30, 523 + dW, 523 + dH));
        QCOMPARE(Place("LeftEdt"), QRect(16, 251 + dH / 2, 41, 21));
        QCOMPARE(Place("RightEdt"), QRect(477 + dW, 251 + dH / 2, 41, 21));
        QCOMPARE(Place("TopEdt"), QRect(218 + dW / 2, 40, 41, 21));
        QCOMPARE(Place("BottomEdt"), QRect(218 + dW / 2, 519 + dH, 41, 21));
        QCOMPARE(Place("TimeEdt"), QRect(411, 561 + dH, 121, 21));
        QCOMPARE(Place("FuncEdit"), QRect(8, 590 + dH, 281 + dW, 21));
        QCOMPARE(Form->statusBar()->y(), 619 + dH);
        // The top editor ends before the y axis's arrow head (3 pixels either side of the axis).
        const int AxisX = 9 + 5 + (523 + dW - 10) / 2;
        QVERIFY(Place("TopEdt").right() < AxisX - 3);
    }

    void theReadoutShowsThePointAndTheValueOrTheError_data()
    {
        QTest::addColumn<QString>("Formula");
        QTest::addColumn<QString>("Expected");
        QTest::addColumn<bool>("HasMarker");
        QTest::newRow("defined") << "x/4+t"
                                 << "x = 100    y = 500    f1(x) = 25.5" << true;
        QTest::newRow("undefined") << "1/(x-100)"
                                   << "x = 100    y = 500    f1(x): Floating point division by zero" << false;
        QTest::newRow("domain error") << "Ln(-x)"
                                      << "x = 100    y = 500    f1(x): " << false;
        QTest::newRow("far above the surface") << "x*1e9"
                                               << "x = 100    y = 500    f1(x) = 100000000000" << false;
        QTest::newRow("no formula") << ""
                                    << "x = 100    y = 500" << false;
    }
    void theReadoutShowsThePointAndTheValueOrTheError()
    {
        QFETCH(QString, Formula);
        QFETCH(QString, Expected);
        QFETCH(bool, HasMarker);
        // One unit per pixel: the pixel (105, 18) is the plane point (100, 500).
        SetBounds({"0", "513", "513", "0"});
        Edit("TimeEdt")->setText(QStringLiteral("0.5"));
        Accept(Formula);
        MoveMouse(QPoint(105, 18));
        QVERIFY2(Status().startsWith(Expected), qPrintable(Status()));
        QCOMPARE(Marker()->Position().has_value(), HasMarker);
        if (HasMarker) // row 518 - 25.5 rounded half to even
            QCOMPARE(*Marker()->Position(), QPoint(105, 492));

        QEvent Leave(QEvent::Leave);
        QApplication::sendEvent(Box(), &Leave);
        QCOMPARE(Status(), QString());
        QVERIFY(!Marker()->Position());
    }

    void theReadoutFollowsTheAnimationAndTheSelectedGraph()
    {
        SetBounds({"0", "513", "513", "0"});
        Accept(QStringLiteral("x+t"));
        MoveMouse(QPoint(105, 18));
        QVERIFY(Status().endsWith(QStringLiteral("f1(x) = 100    f1'(x) = 1")));
        Form->ForwardBtnClick();
        Form->TimerTimer();
        Form->StopBtnClick();
        Box()->repaint(); // the new picture reads again
        QVERIFY2(Status().endsWith(QStringLiteral("f1(x) = 100.05    f1'(x) = 1")), qPrintable(Status()));
    }

    void theMarkerNeverReachesTheCopy()
    {
        SetBounds({"0", "513", "513", "0"});
        Accept(QStringLiteral("x"));
        MoveMouse(QPoint(205, 300));
        QVERIFY(Marker()->Position());
        const QPoint c = *Marker()->Position();
        const QImage Shown = Box()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        Action("EditCopy")->trigger();
        const QImage Copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(Copied, Form->RenderPlot().convertToFormat(QImage::Format_RGB32));
        // The cross inverts what lies under it on the screen only.
        const QPoint Arm(c.x() + TTraceMarker::Arm, c.y());
        QCOMPARE(Shown.pixel(Arm), ~Copied.pixel(Arm) | 0xFF000000);
    }

    // View > Show Tangent: the tangent rides with the marker, on the screen only.
    void theTangentFollowsTheMarkerOnTheScreenOnly()
    {
        SetBounds({"0", "513", "513", "0"});
        Accept(QStringLiteral("x*x/400"));
        MoveMouse(QPoint(205, 300));
        QVERIFY2(Status().endsWith(QStringLiteral("f1'(x) = 1")), qPrintable(Status()));
        QVERIFY(!Marker()->Tangent());
        QAction* Show = Action("ShowTangent");
        QCOMPARE(Show->text(), QStringLiteral("Show &Tangent"));
        Show->trigger();
        QVERIFY(Marker()->Tangent());
        // Through the marker (200, 100), one row up per column: the line y = x - 100.
        const QLineF Line = *Marker()->Tangent();
        QCOMPARE(Line.dy() / Line.dx(), -1.0);
        const QImage Shown = Box()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Near the plane point (250, 150), which the curve passes 6 rows above.
        bool Red = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                Red = Red || (Shown.pixel(255 + dx, 368 + dy) & 0xFFFFFF) == 0xD00000u;
        QVERIFY(Red);
        Action("EditCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 Form->RenderPlot().convertToFormat(QImage::Format_RGB32));
        MoveMouse(QPoint(305, 300));
        QCOMPARE(Marker()->Tangent()->dy() / Marker()->Tangent()->dx(), -1.5);
        Show->trigger();
        QVERIFY(!Marker()->Tangent());
        // No other entry of the View menu takes the letter T.
        for (QAction* Menu : Form->menuBar()->actions())
            if (Menu->text() == QStringLiteral("&View"))
                for (QAction* Entry : Menu->menu()->actions())
                    QVERIFY2(Entry == Show ||
                                 !Entry->text().contains(QStringLiteral("&T"), Qt::CaseInsensitive),
                             qPrintable(Entry->text()));
    }

    void aWheelNotchZoomsAboutTheMouse_data()
    {
        QTest::addColumn<QPointF>("At");
        QTest::addColumn<int>("Angle");
        QTest::addColumn<double>("Width");
        QTest::newRow("in at the centre") << QPointF(261.5, 261.5) << 120 << 16.0;
        QTest::newRow("in off centre") << QPointF(100, 400) << 120 << 16.0;
        QTest::newRow("out near a corner") << QPointF(10, 20) << -120 << 25.0;
        QTest::newRow("two notches in one event") << QPointF(300, 50) << 240 << 12.8;
    }
    void aWheelNotchZoomsAboutTheMouse()
    {
        QFETCH(QPointF, At);
        QFETCH(int, Angle);
        QFETCH(double, Width);
        const QPointF Before = PlanePoint(At);
        Wheel(At, QPoint(0, Angle));
        const QStringList b = Bounds();
        QCOMPARE(b[2].toDouble() - b[0].toDouble(), Width);
        QCOMPARE(b[1].toDouble() - b[3].toDouble(), Width);
        const QPointF After = PlanePoint(At);
        QVERIFY(std::abs(After.x() - Before.x()) < 1e-12 && std::abs(After.y() - Before.y()) < 1e-12);
        QVERIFY(Action("EditUndo")->isEnabled());
        // The picture is scaled about the mouse until it is drawn anew.
        QCOMPARE(Box()->PictureTransform().map(At), At);
        QVERIFY(!Box()->PictureTransform().isIdentity());
        QTRY_VERIFY(Box()->PictureTransform().isIdentity());
    }

    void fractionsOfANotchAddUpToTheNotch()
    {
        Wheel(QPointF(100, 100), QPoint(0, 120));
        const QStringList OneNotch = Bounds();
        UndoAll();
        for (int i = 0; i < 8; ++i)
            Wheel(QPointF(100, 100), QPoint(0, 15));
        QCOMPARE(Bounds(), OneNotch);
        QCOMPARE(UndoAll(), 1);
        QCOMPARE(Bounds(), StartView);
    }

    void sidewaysWheelsPanByAGridDivision_data()
    {
        QTest::addColumn<QPoint>("Angle");
        QTest::addColumn<int>("Modifiers");
        QTest::addColumn<QStringList>("Expected");
        QTest::newRow("tilt left") << QPoint(120, 0) << int(Qt::NoModifier)
                                   << QStringList{"-11", "10", "9", "-10"};
        QTest::newRow("tilt right") << QPoint(-120, 0) << int(Qt::NoModifier)
                                    << QStringList{"-9", "10", "11", "-10"};
        QTest::newRow("shift with the wheel")
            << QPoint(0, 120) << int(Qt::ShiftModifier) << QStringList{"-11", "10", "9", "-10"};
        QTest::newRow("half a tilt") << QPoint(60, 0) << int(Qt::NoModifier)
                                     << QStringList{"-10.5", "10", "9.5", "-10"};
    }
    void sidewaysWheelsPanByAGridDivision()
    {
        QFETCH(QPoint, Angle);
        QFETCH(int, Modifiers);
        QFETCH(QStringList, Expected);
        Wheel(QPointF(200, 200), Angle, QPoint(), Qt::KeyboardModifiers(Modifiers));
        QCOMPARE(Bounds(), Expected);
    }

    void aTwoFingerScrollPansBothWaysAsOneUndoStep()
    {
        SetBounds({"0", "513", "513", "0"});
        Wheel(QPointF(200, 200), QPoint(), QPoint(), Qt::NoModifier, Qt::ScrollBegin);
        Wheel(QPointF(200, 200), QPoint(0, 40), QPoint(10, -20), Qt::NoModifier, Qt::ScrollUpdate);
        QCOMPARE(Box()->PictureTransform(), QTransform::fromTranslate(10, -20));
        // A rest longer than a burst inside one gesture is still the same step.
        EndBurst();
        Wheel(QPointF(200, 200), QPoint(0, 40), QPoint(5, 0), Qt::NoModifier, Qt::ScrollUpdate);
        Wheel(QPointF(200, 200), QPoint(), QPoint(), Qt::NoModifier, Qt::ScrollEnd);
        // The glide after the fingers have left belongs to the gesture.
        Wheel(QPointF(200, 200), QPoint(0, 40), QPoint(0, 3), Qt::NoModifier, Qt::ScrollMomentum);
        QCOMPARE(Bounds(), QStringList({"-15", "496", "498", "-17"}));
        QCOMPARE(UndoAll(), 1);
        QCOMPARE(Bounds(), QStringList({"0", "513", "513", "0"}));
    }

    void aGestureThatMovesNothingIsNoStep()
    {
        Wheel(QPointF(200, 200), QPoint(), QPoint(), Qt::ShiftModifier, Qt::ScrollBegin);
        Wheel(QPointF(200, 200), QPoint(), QPoint(), Qt::ShiftModifier, Qt::ScrollEnd);
        Pinch(Qt::BeginNativeGesture, QPointF(200, 200));
        Pinch(Qt::ZoomNativeGesture, QPointF(200, 200), 0);
        Pinch(Qt::ZoomNativeGesture, QPointF(200, 200), -1);
        Pinch(Qt::EndNativeGesture, QPointF(200, 200));
        QCOMPARE(Bounds(), StartView);
        QVERIFY(!Action("EditUndo")->isEnabled());
        QVERIFY(Dialogs->Errors.isEmpty() && Dialogs->Messages.isEmpty());
    }

    void aPinchZoomsAboutItsCentreAsOneUndoStep()
    {
        const QPointF At(150, 350);
        const QPointF Before = PlanePoint(At);
        Pinch(Qt::BeginNativeGesture, At);
        Pinch(Qt::ZoomNativeGesture, At, 0.25);
        Pinch(Qt::ZoomNativeGesture, At, 0.25);
        QVERIFY(!Box()->PictureTransform().isIdentity());
        Pinch(Qt::EndNativeGesture, At);
        const QStringList b = Bounds();
        QCOMPARE(b[2].toDouble() - b[0].toDouble(), 12.8);
        QVERIFY(std::abs(PlanePoint(At).x() - Before.x()) < 1e-12);
        QCOMPARE(UndoAll(), 1);
        QCOMPARE(Bounds(), StartView);
    }

    void undoTakesBackEachKindOfStepNewestFirst()
    {
        auto Drag = [this](QPoint From, QPoint To)
        {
            QTest::mousePress(Box(), Qt::RightButton, Qt::NoModifier, From);
            QTest::mouseMove(Box(), To);
            QTest::mouseRelease(Box(), Qt::RightButton, Qt::NoModifier, To);
        };
        QList<QStringList> Views{Bounds()};
        Drag(QPoint(100, 100), QPoint(400, 400));
        Views << Bounds();
        Wheel(QPointF(200, 200), QPoint(0, 120));
        Wheel(QPointF(220, 200), QPoint(0, 120));
        Views << Bounds();
        EndBurst();
        Wheel(QPointF(200, 200), QPoint(0, 120));
        // An undo inside a burst ends it: the next notch is a step of its own.
        Action("EditUndo")->trigger();
        Wheel(QPointF(200, 200), QPoint(120, 0));
        Views << Bounds();
        EndBurst();
        Wheel(QPointF(200, 200), QPoint(), QPoint(7, 7), Qt::NoModifier, Qt::ScrollUpdate);
        Views << Bounds();
        Action("ZoomIn")->trigger();
        Views << Bounds();
        Action("ResetView")->trigger();
        QCOMPARE(Bounds(), StartView);
        for (int i = int(Views.size()) - 1; i >= 0; --i)
        {
            QVERIFY(Action("EditUndo")->isEnabled());
            Action("EditUndo")->trigger();
            QCOMPARE(Bounds(), Views[i]);
        }
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void theViewMenuKeysWorkOnTheSurface_data()
    {
        QTest::addColumn<int>("Key");
        QTest::addColumn<QStringList>("Expected");
        QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << QStringList{"-8", "8", "8", "-8"};
        QTest::newRow("Ctrl++") << int(Qt::Key_Plus) << QStringList{"-8", "8", "8", "-8"};
        QTest::newRow("Ctrl+-") << int(Qt::Key_Minus) << QStringList{"-12.5", "12.5", "12.5", "-12.5"};
    }
    void theViewMenuKeysWorkOnTheSurface()
    {
        QFETCH(int, Key);
        QFETCH(QStringList, Expected);
        Box()->setFocus();
        QTest::keyClick(Box(), Qt::Key(Key), Qt::ControlModifier);
        QCOMPARE(Bounds(), Expected);
        QTest::keyClick(Box(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Bounds(), StartView);
        // Other keys still do nothing there.
        QTest::keyClick(Box(), Qt::Key_Plus);
        QTest::keyClick(Box(), Qt::Key_0);
        QCOMPARE(Bounds(), StartView);
        QVERIFY(Box()->hasFocus());
        // Resetting the start view again is no step.
        QTest::keyClick(Box(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(UndoAll(), 2);
    }

    // A zoom never makes left and right one text before the axis leaves the 32-bit pixel
    // range: fifteen digits cannot tell apart what lies that far from the origin.
    void aViewThatCannotBeDrawnIsRefused_data()
    {
        QTest::addColumn<bool>("ByWheel");
        QTest::newRow("menu") << false;
        QTest::newRow("wheel") << true;
    }
    void aViewThatCannotBeDrawnIsRefused()
    {
        QFETCH(bool, ByWheel);
        SetBounds({"1000000", "10", "1000001", "-10"});
        QStringList Last;
        int Zooms = 0;
        for (; Zooms < 12 && Dialogs->Errors.isEmpty(); ++Zooms)
        {
            Last = Bounds();
            if (ByWheel)
                Wheel(QPointF(261.5, 261.5), QPoint(0, 120));
            else
                Action("ZoomIn")->trigger();
        }
        QCOMPARE(Dialogs->Errors, QStringList({"The view is out of range"}));
        QCOMPARE(Bounds(), Last);
        QCOMPARE(UndoAll(), ByWheel ? 1 : Zooms - 1);

        // A zoom out beyond the largest number.
        Dialogs->Errors.clear();
        SetBounds({"-5e4931", "10", "5e4931", "-10"});
        if (ByWheel)
            Wheel(QPointF(200, 200), QPoint(0, -120));
        else
            Action("ZoomOut")->trigger();
        QCOMPARE(Dialogs->Errors, QStringList({"The view is out of range"}));
        QCOMPARE(Bounds(), QStringList({"-5e4931", "10", "5e4931", "-10"}));
        QVERIFY(Dialogs->Messages.isEmpty());
    }

    // The presentation options are checkable View entries, off at start, whose accelerator
    // letters no other entry of the menu uses.
    void thePresentationEntriesHaveLettersOfTheirOwn()
    {
        QMenu* View = nullptr;
        for (QAction* Menu : Form->menuBar()->actions())
            if (Menu->text() == QStringLiteral("&View"))
                View = Menu->menu();
        QVERIFY(View);
        QMap<QChar, QStringList> Letters;
        for (QAction* Entry : View->actions())
        {
            const qsizetype Amp = Entry->text().indexOf(QLatin1Char('&'));
            if (Amp >= 0)
                Letters[Entry->text()[Amp + 1].toLower()] << Entry->objectName();
        }
        for (const char* Name : {"RoundGrid", "PiTicks", "LogX", "LogY", "EqualScales", "Legend", "DarkPlot"})
        {
            QAction* Entry = Action(Name);
            QVERIFY2(Entry && Entry->isCheckable() && !Entry->isChecked(), Name);
            QVERIFY2(View->actions().contains(Entry), Name);
            const QChar Letter = Entry->text()[Entry->text().indexOf(QLatin1Char('&')) + 1].toLower();
            QCOMPARE(Letters[Letter], QStringList{QString::fromLatin1(Name)});
        }
    }

    // A logarithmic axis needs positive bounds: refused with the editors' message otherwise.
    // On it the wheel zooms geometrically about the mouse and the arrow keys pan by a
    // twentieth of the decades.
    void aLogAxisNeedsPositiveBoundsAndZoomsGeometrically()
    {
        const QString NotPositive = QStringLiteral("A logarithmic axis needs bounds greater than 0");
        Action("LogX")->trigger();
        QCOMPARE(Dialogs->Messages, QStringList{NotPositive});
        QVERIFY(!Action("LogX")->isChecked());
        QVERIFY(!Form->Model().Options.LogX);

        SetBounds({"1", "10", "1000", "-10"});
        Action("LogX")->trigger();
        QVERIFY(Action("LogX")->isChecked());
        QVERIFY(Form->Model().Options.LogX);
        // 3 decades over 513 pixels: the mouse at column 5 + 171 stands on x = 10.
        Wheel(QPointF(176, 200), QPoint(0, 120));
        const QStringList b = Bounds();
        const double L = b[0].toDouble(), R = b[2].toDouble();
        QVERIFY2(std::abs(std::log10(R / L) - 3 / 1.25) < 1e-12, qPrintable(b.join(' ')));
        QVERIFY2(std::abs(std::log10(L) + 171.0 / 513 * std::log10(R / L) - 1) < 1e-12,
                 qPrintable(b.join(' ')));

        SetBounds({"1", "10", "1E20", "-10"});
        Box()->setFocus();
        QTest::keyClick(Box(), Qt::Key_Left);
        QCOMPARE(Bounds(), QStringList({"10", "10", "1E21", "-10"}));
        // A bound typed at 0 is refused like a wrong range.
        Edit("LeftEdt")->setText(QStringLiteral("0"));
        QTest::keyClick(Edit("LeftEdt"), Qt::Key_Return);
        QCOMPARE(Dialogs->Messages, QStringList({NotPositive, NotPositive}));
    }

    void roundGridsPanByTheirStepAndEqualScalesShowTheBoundsDrawn()
    {
        SetBounds({"-5.1438", "10", "7.6561", "-10"});
        Action("RoundGrid")->trigger();
        Box()->setFocus();
        QTest::keyClick(Box(), Qt::Key_Left);
        QCOMPARE(Bounds(), QStringList({"-4.1438", "10", "8.6561", "-10"}));

        // The plot is square: a view twice as wide as tall widens up and down about 0.
        QCOMPARE(Box()->width(), Box()->height());
        SetBounds({"-10", "5", "10", "-5"});
        Action("EqualScales")->trigger();
        QCOMPARE(Bounds(), QStringList({"-10", "10", "10", "-10"}));
    }
};

QTEST_MAIN(TestViewReadout)
#include "tst_viewreadout.moc"
