// The main window's menu commands end to end: documents, recent files, the "Filled Graphs"
// switch across a restart, copy, print to PDF and help.
#include "FakeDialogs.h"
#include "app/TMainForm.h"
#include "app/TRenderCommand.h"
#include "controls/TWindowBox.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestMainFormFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Store;
    TFakeDialogs Dialogs;
    std::unique_ptr<TMainForm> Form;

    QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
    template <class T> T* Child(const char* Name) { return Form->findChild<T*>(QString::fromLatin1(Name)); }
    QLineEdit* Edit(const char* Name) { return Child<QLineEdit>(Name); }
    void Trigger(const char* Name) { Child<QAction>(Name)->trigger(); }

    void Start()
    {
        Form = std::make_unique<TMainForm>(Dialogs, *Store, u'.');
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    }
    // Closes and destroys the window as the application does at exit.
    void Stop()
    {
        Form->close();
        Form.reset();
        Store->sync();
    }

  private slots:
    void init()
    {
        Store = std::make_unique<QSettings>(Path("settings.ini"), QSettings::IniFormat);
        Store->clear();
        Dialogs = TFakeDialogs();
        Start();
    }
    void cleanup()
    {
        Form.reset();
        Store.reset();
    }

    void aSavedDocumentReopensWithTheSamePicture()
    {
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x)*5"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Edit("FuncEdit")->setText(QStringLiteral("x/2"));
        Form->AddBtnClick();
        Form->Model().FuncList.Last().Color = 0x0000FF;
        Edit("LeftEdt")->setText(QStringLiteral("-4.500"));
        Form->Model().Decimals = 1;
        const QImage Before = Form->RenderPlot();

        Dialogs.SaveName = Path("two.vdg");
        Trigger("FileSaveAs");
        QVERIFY(Dialogs.Errors.isEmpty());
        Stop();
        QCOMPARE(Store->value(QStringLiteral("Recent File List/File1")), QVariant());

        Start();
        QCOMPARE(Form->Model().FuncList.Count(), 1);
        Dialogs.OpenName = Path("two.vdg");
        Trigger("FileOpen");
        QCOMPARE(Form->Model().FuncList.Count(), 2);
        QCOMPARE(Form->Model().FuncList.Item(1).Func, QStringLiteral("x/2"));
        QCOMPARE(Form->Model().FuncList.Item(1).Color, TColor(0x0000FF));
        QCOMPARE(Edit("LeftEdt")->text(), QStringLiteral("-4.500"));
        QCOMPARE(Edit("FuncEdit")->text(), QStringLiteral("Sin(x)*5"));
        QCOMPARE(Child<QComboBox>("ComboBox")->count(), 2);
        QCOMPARE(Child<QComboBox>("ComboBox")->currentIndex(), 0);
        QVERIFY(Form->Model().GraphsEnabled);
        QCOMPARE(Form->RenderPlot(), Before);
    }

    void aRecentEntryReopensAfterARestart()
    {
        Dialogs.SaveName = Path("recent.vdg");
        Edit("FuncEdit")->setText(QStringLiteral("x*x"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Trigger("FileSaveAs");
        Dialogs.OpenName = Path("recent.vdg");
        Trigger("FileOpen");
        Stop();
        QCOMPARE(Store->value(QStringLiteral("Recent File List/File1")).toString(), Path("recent.vdg"));

        Start();
        QMenu* Recent = nullptr;
        for (QMenu* Menu : Form->findChildren<QMenu*>())
            if (Menu->title() == QStringLiteral("&Resent Files"))
                Recent = Menu;
        QVERIFY(Recent);
        QCOMPARE(Recent->actions().size(), 1);
        QCOMPARE(Recent->actions().first()->text(), QStringLiteral("&0: ") + Path("recent.vdg"));
        Recent->actions().first()->trigger();
        QCOMPARE(Form->Model().FuncList.Item(0).Func, QStringLiteral("x*x"));
        QCOMPARE(Recent->actions().size(), 1);
    }

    void filledGraphsIsKeptAcrossARestart()
    {
        QVERIFY(!Form->Model().FilledGraphs);
        Form->Model().FilledGraphs = true;
        Stop();
        QCOMPARE(Store->value(QStringLiteral("Recent File List/BG")).toInt(), 1);
        Start();
        QVERIFY(Form->Model().FilledGraphs);
    }

    void aFailedSaveIsReportedWithItsPath()
    {
        QFile Blocker(Path("plain-file"));
        QVERIFY(Blocker.open(QIODevice::WriteOnly));
        Blocker.close();
        Dialogs.SaveName = Path("plain-file") + QStringLiteral("/doc.vdg");
        Trigger("FileSaveAs");
        QCOMPARE(Dialogs.Errors, QStringList({QStringLiteral("Unable to write to ") + Dialogs.SaveName}));
    }

    void copyPlacesThePictureOfTheSurface()
    {
        Edit("FuncEdit")->setText(QStringLiteral("x"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Trigger("EditCopy");
        const QImage Copied = QGuiApplication::clipboard()->image();
        QCOMPARE(Copied.size(), Form->findChild<TWindowBox*>(QStringLiteral("WindowBox"))->size());
        QCOMPARE(Copied.convertToFormat(QImage::Format_RGB32),
                 Form->RenderPlot().convertToFormat(QImage::Format_RGB32));
    }

    // Run again at ratio 2 by CTest (QT_SCALE_FACTOR=2). Off, Copy gives the logical size;
    // on, what the screen shows pixel for pixel, and so does --render at the screen's scale.
    // The choice survives a restart; a value in the store that is not a number reads as off.
    void copyAtScreenResolutionGivesTheScreensPixels()
    {
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x*3)*4"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        auto* Box = Child<TWindowBox>("WindowBox");
        const double Ratio = Box->devicePixelRatioF();
        auto Copy = [this]
        {
            Trigger("EditCopy");
            return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY(!Child<QAction>("EditCopyAtScreenResolution")->isChecked());
        QCOMPARE(Copy(), Form->RenderPlot(1));
        QCOMPARE(Copy().size(), Box->size());

        Trigger("EditCopyAtScreenResolution");
        QImage Screen = Box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        Screen.setDevicePixelRatio(1); // the pixels alone are compared
        QCOMPARE(Screen.size(), Box->size() * Ratio);
        QCOMPARE(Copy(), Screen);

        Dialogs.SaveName = Path("screen.vdg");
        Trigger("FileSaveAs");
        const QString Png = Path("screen.png");
        QString Errors;
        QTextStream ErrorOut(&Errors);
        const int Code = TRenderCommand(u'.').Run(
            {QStringLiteral("vendrel"), QStringLiteral("--render"), Dialogs.SaveName, Png,
             QStringLiteral("--size"), QStringLiteral("%1x%2").arg(Box->width()).arg(Box->height()),
             QStringLiteral("--scale"), QString::number(Ratio)},
            ErrorOut);
        QCOMPARE(Code, 0);
        QCOMPARE(QImage(Png).convertToFormat(QImage::Format_RGB32), Screen);

        Stop();
        Start();
        QVERIFY(Child<QAction>("EditCopyAtScreenResolution")->isChecked());
        Stop();
        Store->setValue(QStringLiteral("Output/CopyAtScreenResolution"), QStringLiteral("yes"));
        Start();
        QVERIFY(!Child<QAction>("EditCopyAtScreenResolution")->isChecked());
    }

    void printToPdfWritesAPage()
    {
        Dialogs.PdfName = Path("plot.pdf");
        Trigger("PrintPdf");
        QFile Pdf(Dialogs.PdfName);
        QVERIFY(Pdf.open(QIODevice::ReadOnly));
        QVERIFY(Pdf.read(5) == "%PDF-");
        QVERIFY(Pdf.size() > 1000);
    }

    void helpBesideTheTestProgramIsMissing()
    {
        Trigger("HelpContents");
        QCOMPARE(Dialogs.Messages, QStringList({QStringLiteral("Vendrel: Failed to launch help.")}));
    }

    void renderDrawsWhatTheScreenShows()
    {
        Edit("FuncEdit")->setText(QStringLiteral("Sin(x)*4"));
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Form->Model().FuncList.Last().Style = 1;
        Edit("LeftEdt")->setText(QStringLiteral("-3.5"));
        Dialogs.SaveName = Path("screen.vdg");
        Trigger("FileSaveAs");
        const QImage Screen = Form->RenderPlot();

        const QString Png = Path("screen.png");
        QString Errors;
        QTextStream ErrorOut(&Errors);
        const QSize Size = Screen.size();
        const int Code = TRenderCommand(u'.').Run(
            {QStringLiteral("vendrel"), QStringLiteral("--render"), Dialogs.SaveName, Png,
             QStringLiteral("--size"), QStringLiteral("%1x%2").arg(Size.width()).arg(Size.height())},
            ErrorOut);
        QCOMPARE(Code, 0);
        QCOMPARE(QImage(Png).convertToFormat(QImage::Format_RGB32),
                 Screen.convertToFormat(QImage::Format_RGB32));
    }

    void anOpenedDocumentWithoutGraphsGivesOneEmptyGraph()
    {
        QFile Doc(Path("empty.vdg"));
        QVERIFY(Doc.open(QIODevice::WriteOnly));
        Doc.write("[Main]\r\nFuncCount=0\r\n");
        Doc.close();
        Dialogs.OpenName = Doc.fileName();
        Trigger("FileOpen");
        QCOMPARE(Form->Model().FuncList.Count(), 1);
        QCOMPARE(Child<QComboBox>("ComboBox")->count(), 1);
    }
};

QTEST_MAIN(TestMainFormFiles)
#include "tst_mainform_files.moc"
