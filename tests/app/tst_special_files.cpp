// The window against files that are not what they seem: pipes and devices named as documents,
// links to devices as targets of Save As and as the settings file, formulas longer than an
// editor's default, recent-file entries of absurd length, and a PDF that cannot be written (by
// Print to PDF and by Export Picture alike).
// HOME and XDG_CONFIG_HOME point into the test's own folder; the nodes are made there too.
#include "FakeDialogs.h"
#include "app/TMainForm.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsFile.h"
#include "controls/TFormulaEdit.h"
#include "plot/TDocument.h"
#include "tests/SpecialFiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

using namespace SpecialFiles;

class TestSpecialFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Store;
    TFakeDialogs Dialogs;
    std::unique_ptr<TMainForm> Form;

    QString Path(const QString& Name) const { return Dir.filePath(Name); }
    QLineEdit* Edit(const char* Name) { return Form->findChild<QLineEdit*>(QString::fromLatin1(Name)); }
    void Trigger(const char* Name) { Form->findChild<QAction*>(QString::fromLatin1(Name))->trigger(); }
    void Enter(const QString& Formula)
    {
        Edit("FuncEdit")->setText(Formula);
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
    }
    static void WriteFile(const QString& At, const QByteArray& Bytes)
    {
        QFile File(At);
        QVERIFY(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(File.write(Bytes), Bytes.size());
    }

  private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(Dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Path(QStringLiteral("config"))));
    }
    void init()
    {
        Store = std::make_unique<QSettings>(Path(QStringLiteral("settings.ini")), QSettings::IniFormat);
        Store->clear();
        Dialogs = TFakeDialogs();
        Form = std::make_unique<TMainForm>(Dialogs, *Store, u'.');
        Form->show();
    }
    void cleanup()
    {
        Form.reset();
        Store.reset();
    }

    // The window's document stays when the named file is no document; the name still goes into
    // the recent-files list, as for any name opened.
    void openingAPipeOrADeviceKeepsTheDocument()
    {
        QVERIFY(MakeFifo(Path(QStringLiteral("pipe.vdg"))));
        const bool HaveDevice = MakeDevice(Path(QStringLiteral("null.vdg")), TDevice::Null);
        const TFifoWatch Watch(Path(QStringLiteral("pipe.vdg")));
        Enter(QStringLiteral("Sin(x)"));
        QStringList Names{QStringLiteral("pipe.vdg")};
        if (HaveDevice)
            Names << QStringLiteral("null.vdg");
        for (const QString& Name : Names)
        {
            Dialogs.Errors.clear();
            Form->OpenDocument(Path(Name));
            QCOMPARE(Dialogs.Errors,
                     QStringList{QStringLiteral("Cannot open %1: it is not a regular file").arg(Path(Name))});
            QCOMPARE(Form->Model().FuncList.Item(0).Func, QStringLiteral("Sin(x)"));
            QCOMPARE(Edit("FuncEdit")->text(), QStringLiteral("Sin(x)"));
        }
        QVERIFY(!Watch.ReaderSeen());
        if (!HaveDevice)
            QSKIP("cannot make a device node here; the pipe was checked");
    }

    void aFormulaLongerThanAnEditorsDefaultIsSavedWhole()
    {
        const QString Long = QStringLiteral("1") + QStringLiteral("+1").repeated(20000);
        WriteFile(Path(QStringLiteral("long.vdg")),
                  "[Main]\r\nFuncCount=1\r\nFunc1=" + Long.toLatin1() + "\r\n");
        Form->OpenDocument(Path(QStringLiteral("long.vdg")));
        QCOMPARE(Form->findChild<TFormulaEdit*>(QStringLiteral("FuncEdit"))->Formula().size(), Long.size());
        QTest::keyClick(Edit("FuncEdit"), Qt::Key_Return);
        Dialogs.SaveName = Path(QStringLiteral("again.vdg"));
        Trigger("FileSaveAs");
        TPlotModel Again;
        TDocument::Read(Dialogs.SaveName, Again);
        QCOMPARE(Again.FuncList.Item(0).Func, Long);
        QVERIFY(Dialogs.Errors.isEmpty());
    }

    void saveAsOntoALinkToADeviceIsRefused()
    {
        if (!MakeDevice(Path(QStringLiteral("null")), TDevice::Null))
            QSKIP("cannot make a device node here");
        QVERIFY(QFile::link(Path(QStringLiteral("null")), Path(QStringLiteral("keep-out.vdg"))));
        Enter(QStringLiteral("x"));
        Dialogs.SaveName = Path(QStringLiteral("keep-out.vdg"));
        Trigger("FileSaveAs");
        QCOMPARE(Dialogs.Errors, QStringList{QStringLiteral("Unable to write to %1").arg(Dialogs.SaveName)});
        QVERIFY(IsCharDevice(Path(QStringLiteral("null"))));
    }

    // A full disk, made by a file-size limit with SIGXFSZ ignored as the program ignores it.
    void aPdfThatCannotBeWrittenIsReportedAndLeavesNoFile()
    {
        Dialogs.PdfName = Path(QStringLiteral("plot.pdf"));
        {
            TFileSizeLimit Full(2048);
            QVERIFY(Full.Active);
            Trigger("PrintPdf");
        }
        QCOMPARE(Dialogs.Errors, QStringList{QStringLiteral("cannot write %1").arg(Dialogs.PdfName)});
        QVERIFY(!QFile::exists(Dialogs.PdfName));
        QVERIFY(!QFile::exists(Dialogs.PdfName + QStringLiteral(".saving")));
    }

    // Print to PDF writes its file as Export Picture writes a PDF: the same targets fail with the
    // same text, a device takes the bytes and stays a device, and nothing is left beside them.
    void printToPdfAndExportAsPdfFailAlike_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("Expected"); // the error, or empty when written
        QTest::newRow("a file in a missing folder") << "missing/p.pdf"
                                                    << "cannot write %1";
        QTest::newRow("a folder") << "folder.pdf"
                                  << "cannot write %1";
        QTest::newRow("a pipe nobody reads") << "pipe.pdf"
                                             << "cannot write %1";
        QTest::newRow("a full device") << "full.pdf"
                                       << "cannot write %1";
        QTest::newRow("a null device") << "null.pdf"
                                       << "";
        QTest::newRow("a new file") << "new.pdf"
                                    << "";
    }
    void printToPdfAndExportAsPdfFailAlike()
    {
        QFETCH(QString, Name);
        QFETCH(QString, Expected);
        const QString Target = Path(Name);
        QDir().mkpath(Path(QStringLiteral("folder.pdf")));
        MakeFifo(Path(QStringLiteral("pipe.pdf")));
        const bool Devices = MakeDevice(Path(QStringLiteral("full.pdf")), TDevice::Full) &&
                             MakeDevice(Path(QStringLiteral("null.pdf")), TDevice::Null);
        const bool NeedsDevice =
            Name.startsWith(QLatin1String("full")) || Name.startsWith(QLatin1String("null"));
        if (NeedsDevice && !Devices)
            QSKIP("cannot make a device node here");
        Enter(QStringLiteral("Sin(x)"));
        Dialogs.PdfName = Target;
        TPictureChoice Picture;
        Picture.Format = TExportFormat::Pdf;
        Picture.Size = QSize(64, 64);
        Picture.Time = QStringLiteral("0");
        Picture.FileName = Target;
        Dialogs.PictureAnswer = Picture;
        const QStringList Once = Expected.isEmpty() ? QStringList() : QStringList{Expected.arg(Target)};
        for (const char* Command : {"PrintPdf", "ExportPicture"})
        {
            Dialogs.Errors.clear();
            Trigger(Command);
            QCOMPARE(Dialogs.Errors, Once);
            QVERIFY(!QFile::exists(Target + QStringLiteral(".saving")));
        }
        if (Name == QLatin1String("new.pdf"))
            QVERIFY(QFileInfo(Target).size() > 0);
        QVERIFY(IsFifo(Path(QStringLiteral("pipe.pdf"))));
        if (Devices)
            QVERIFY(IsCharDevice(Path(QStringLiteral("full.pdf"))) &&
                    IsCharDevice(Path(QStringLiteral("null.pdf"))));
        for (const char* Made : {"folder.pdf", "pipe.pdf", "full.pdf", "null.pdf", "new.pdf"})
        {
            QDir().rmdir(Path(QString::fromLatin1(Made)));
            QFile::remove(Path(QString::fromLatin1(Made)));
        }
    }

    void overlongRecentEntriesAreDroppedAndLongCaptionsElided()
    {
        const QString Long = QStringLiteral("/") + QStringLiteral("b").repeated(300) + QStringLiteral(".vdg");
        Store->setValue(QStringLiteral("Recent File List/File1"),
                        QString(TRecentFiles::MaxPathBytes + 1, u'a'));
        Store->setValue(QStringLiteral("Recent File List/File2"), Long);
        Store->setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/short.vdg"));
        QMenu Menu;
        TRecentFiles Recent(*Store);
        Recent.SetClient(&Menu);
        Recent.LoadRecentFiles();
        QCOMPARE(Recent.Count(), 2);
        QCOMPARE(Recent.Path(0), Long);
        const QString Caption = Menu.actions().at(0)->text();
        QVERIFY(Caption.size() <= 4 + TRecentFiles::MaxCaptionPath + 3);
        QVERIFY(Caption.startsWith(QStringLiteral("&0: /bbb")) &&
                Caption.endsWith(QStringLiteral("bbb.vdg")));
        QVERIFY(Caption.contains(QStringLiteral("...")));
        QCOMPARE(Menu.actions().at(1)->text(), QStringLiteral("&1: /short.vdg"));
    }

    // Neither read (a pipe would block the start) nor replaced at exit (as root a rename would
    // put a regular file in place of the device behind the link).
    void aSettingsFileThatIsNoRegularFileIsLeftAlone()
    {
        const QString Conf = TSettingsFile::DefaultPath();
        QCOMPARE(Conf, Path(QStringLiteral("config/Halvorn/Vendrel.conf")));
        QVERIFY(QDir().mkpath(QFileInfo(Conf).path()));
        const bool HaveDevice = MakeDevice(Path(QStringLiteral("null")), TDevice::Null);
        for (int Kind = 0; Kind < (HaveDevice ? 2 : 1); ++Kind)
        {
            QFile::remove(Conf);
            if (Kind == 0)
                QVERIFY(MakeFifo(Conf));
            else
                QVERIFY(QFile::link(Path(QStringLiteral("null")), Conf));
            const TFifoWatch Watch(Kind == 0 ? Conf : Path(QStringLiteral("unused")));
            QString Warning;
            {
                QTextStream Warnings(&Warning);
                TSettingsFile Settings(Conf, Warnings);
                QVERIFY(!Settings.Persistent());
                Settings.Store().setValue(QStringLiteral("Recent File List/BG"), 1);
                Settings.Store().sync();
            }
            QVERIFY2(Warning.contains(Conf) && Warning.contains(QStringLiteral("not a regular file")),
                     qPrintable(Warning));
            QVERIFY(Kind == 0 ? IsFifo(Conf) : QFileInfo(Conf).isSymLink());
            QVERIFY(!Watch.ReaderSeen());
        }
        if (HaveDevice)
            QVERIFY(IsCharDevice(Path(QStringLiteral("null"))));

        QFile::remove(Conf);
        QString Warning;
        QTextStream Warnings(&Warning);
        {
            TSettingsFile Settings(Conf, Warnings);
            QVERIFY(Settings.Persistent());
            Settings.Store().setValue(QStringLiteral("Recent File List/BG"), 1);
        }
        QVERIFY(Warning.isEmpty());
        QCOMPARE(QSettings(Conf, QSettings::IniFormat).value(QStringLiteral("Recent File List/BG")).toInt(),
                 1);
        if (!HaveDevice)
            QSKIP("cannot make a device node here; the pipe was checked");
    }
};

QTEST_MAIN(TestSpecialFiles)
#include "tst_special_files.moc"
