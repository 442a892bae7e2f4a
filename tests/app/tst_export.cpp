// File > Export Picture and File > Export Animation: the dialogs' defaults come from the
// window, a PNG export is the picture Copy gives at that size, Cancel leaves nothing behind,
// and a failure is reported once with the old file kept. The dialogs and `vendrel --render`
// keep to one set of limits and read an animation's times alike.
#include "MainFormHarness.h"
#include "app/TExportDlg.h"
#include "app/TRenderCommand.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

class TestExport : public QObject, private TMainFormHarness
{
    Q_OBJECT

    QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
    void Trigger(const char* Name) { Action(Name)->trigger(); }
    void Enter(const char* Name, const QString& Text)
    {
        Edit(Name)->setText(Text);
        QTest::keyClick(Edit(Name), Qt::Key_Return);
    }
    // `vendrel --render` of a missing document: 2 when the arguments are refused, 1 when they
    // are taken (and the document then cannot be opened). Its standard error goes to Errors.
    int Render(const QStringList& Arguments, QString& Errors)
    {
        QTextStream ErrorOut(&Errors);
        return TRenderCommand(u'.').Run(
            QStringList{QStringLiteral("vendrel"), QStringLiteral("--render"), Path("missing.vdg")} +
                Arguments,
            ErrorOut);
    }
    QStringList Entries() const
    {
        return QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

  private slots:
    void init()
    {
        QVERIFY(StartForm());
        Enter("FuncEdit", QStringLiteral("Sin(x*t)*5"));
        QFile::remove(Path("settings.ini"));
    }
    void cleanup()
    {
        Form.reset();
        Store.reset();
        for (const QString& Name : Entries())
            QFile::remove(Dir.filePath(Name));
    }

    void theFileMenuOffersBothExports()
    {
        QMenu* File = Form->menuBar()->findChildren<QMenu*>().first();
        QStringList Captions;
        for (QAction* Action : File->actions())
            Captions << Action->text();
        QVERIFY(Captions.contains(QStringLiteral("&Export Picture...")));
        QVERIFY(Captions.contains(QStringLiteral("Export A&nimation...")));
        QCOMPARE(Form->findChild<QAction*>(QStringLiteral("ExportPicture"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_E));
    }

    void aPngExportIsThePictureCopyGives()
    {
        Edit("TimeEdt")->setText(QStringLiteral("0.7"));
        Trigger("ExportPicture");
        QCOMPARE(Dialogs->PictureDefaults.Size,
                 Form->findChild<TWindowBox*>(QStringLiteral("WindowBox"))->size());
        QCOMPARE(Dialogs->PictureDefaults.Time, QStringLiteral("0.7"));
        QCOMPARE(Dialogs->PictureDefaults.Filled, false);

        TPictureChoice Choice = Dialogs->PictureDefaults;
        Choice.FileName = Path("plot.png");
        Dialogs->PictureAnswer = Choice;
        Trigger("ExportPicture");
        QVERIFY(Dialogs->Errors.isEmpty());
        QCOMPARE(QImage(Choice.FileName).convertToFormat(QImage::Format_RGB32), Form->RenderPlot());
    }

    void theAnimationDefaultsFollowTheTimeAndTheStep()
    {
        Edit("TimeEdt")->setText(QStringLiteral("2"));
        Trigger("ExportAnimation");
        QCOMPARE(Dialogs->AnimationDefaults.From, QStringLiteral("2"));
        QCOMPARE(Dialogs->AnimationDefaults.Step, QStringLiteral("0.05"));
        QCOMPARE(Dialogs->AnimationDefaults.To, QStringLiteral("7"));
        QCOMPARE(Dialogs->AnimationDefaults.DelayMs, 40);
        QVERIFY2(Entries().isEmpty(), "cancelled: nothing written");
    }

    void cancelLeavesTheOldFileAndNoTemporaryOne()
    {
        QFile Old(Path("a.webp"));
        QVERIFY(Old.open(QIODevice::WriteOnly));
        Old.write("old");
        Old.close();
        TAnimationChoice Choice;
        Choice.Size = QSize(64, 64);
        Choice.From = QStringLiteral("0");
        Choice.To = QStringLiteral("1");
        Choice.Step = QStringLiteral("0.1");
        Choice.FileName = Old.fileName();
        Dialogs->AnimationAnswer = Choice;
        Dialogs->CancelAt = 4;
        Trigger("ExportAnimation");
        QCOMPARE(Dialogs->ProgressShown, std::vector<int>({11, 1, 2, 3, 4}));
        QVERIFY(Dialogs->Errors.isEmpty());
        QVERIFY(Old.open(QIODevice::ReadOnly));
        QCOMPARE(Old.readAll(), QByteArray("old"));
        QCOMPARE(Entries(), QStringList({"a.webp"}));

        Dialogs->CancelAt = 0;
        Choice.Format = TExportFormat::Gif;
        Choice.FileName = Path("a.gif");
        Dialogs->AnimationAnswer = Choice;
        Trigger("ExportAnimation");
        QVERIFY(Dialogs->Errors.isEmpty());
        QVERIFY(QFile(Choice.FileName).size() > 0);
    }

    void badTimesAndUnwritableNamesAreReportedOnce()
    {
        TAnimationChoice Choice;
        Choice.Size = QSize(64, 64);
        Choice.From = QStringLiteral("0");
        Choice.To = QStringLiteral("1");
        Choice.Step = QStringLiteral("-0.1");
        Choice.FileName = Path("b.gif");
        Dialogs->AnimationAnswer = Choice;
        Trigger("ExportAnimation");
        QCOMPARE(
            Dialogs->Errors,
            QStringList({QStringLiteral("the time step must lead from the start time to the end time")}));

        TPictureChoice Picture;
        Picture.Size = QSize(64, 64);
        Picture.Time = QStringLiteral("0");
        Picture.Format = TExportFormat::Svg;
        Picture.FileName = Path("missing/p.svg");
        Dialogs->PictureAnswer = Picture;
        Trigger("ExportPicture");
        QCOMPARE(Dialogs->Errors.last(), QStringLiteral("cannot write ") + Picture.FileName);
        QVERIFY(Entries().isEmpty());
    }

    // What a spin box of the dialogs takes unchanged, the format chosen, and what the command
    // line takes, side by side: a PNG from 1 pixel is the command line's alone, every other
    // limit is shared.
    void bothFrontEndsKeepToTheSameLimits_data()
    {
        QTest::addColumn<QString>("Output");
        QTest::addColumn<int>("Side");
        QTest::addColumn<int>("Delay"); // 0: a picture
        QTest::addColumn<bool>("DialogTakes");
        QTest::addColumn<bool>("CommandLineTakes");
        QTest::newRow("a PNG of 16 pixels a side") << "a.png" << 16 << 0 << true << true;
        QTest::newRow("a PNG of 15 only on the command line") << "a.png" << 15 << 0 << false << true;
        QTest::newRow("an SVG of 15 nowhere") << "a.svg" << 15 << 0 << false << false;
        QTest::newRow("a PDF of the largest side") << "a.pdf" << 16384 << 0 << true << true;
        QTest::newRow("a GIF past the largest side nowhere") << "a.gif" << 16385 << 40 << false << false;
        QTest::newRow("a WebP of a GIF's largest side nowhere") << "a.webp" << 16384 << 40 << false << false;
        QTest::newRow("a WebP of its own largest side") << "a.webp" << 16383 << 40 << true << true;
        QTest::newRow("the shortest delay") << "a.gif" << 64 << 10 << true << true;
        QTest::newRow("a delay under 10 ms nowhere") << "a.webp" << 64 << 9 << false << false;
        QTest::newRow("the longest delay") << "a.gif" << 64 << 60000 << true << true;
        QTest::newRow("a delay past a minute nowhere") << "a.gif" << 64 << 60001 << false << false;
    }
    void bothFrontEndsKeepToTheSameLimits()
    {
        QFETCH(QString, Output);
        QFETCH(int, Side);
        QFETCH(int, Delay);
        QFETCH(bool, DialogTakes);
        QFETCH(bool, CommandLineTakes);
        std::unique_ptr<TExportDlg> Dialog = Delay ? std::make_unique<TExportDlg>(TAnimationChoice())
                                                   : std::make_unique<TExportDlg>(TPictureChoice());
        auto* Format = Dialog->findChild<QComboBox*>(QStringLiteral("FormatBox"));
        Format->setCurrentIndex(Format->findData(int(*FormatForFile(Output))));
        QVERIFY(Format->currentIndex() >= 0);
        auto* Width = Dialog->findChild<QSpinBox*>(QStringLiteral("WidthBox"));
        Width->setValue(Side);
        bool Taken = Width->value() == Side;
        if (Delay)
        {
            auto* DelayBox = Dialog->findChild<QSpinBox*>(QStringLiteral("DelayBox"));
            DelayBox->setValue(Delay);
            Taken = Taken && DelayBox->value() == Delay;
        }
        QCOMPARE(Taken, DialogTakes);

        QStringList Arguments{Path(Output.toLatin1().constData()), QStringLiteral("--size"),
                              QStringLiteral("%1x20").arg(Side)};
        if (Delay)
            Arguments << QStringLiteral("--from") << QStringLiteral("0") << QStringLiteral("--to")
                      << QStringLiteral("1") << QStringLiteral("--step") << QStringLiteral("1")
                      << QStringLiteral("--delay") << QString::number(Delay);
        QString Errors;
        QCOMPARE(Render(Arguments, Errors), CommandLineTakes ? 1 : 2);
        QVERIFY(Entries().filter(QStringLiteral("a.")).isEmpty());
    }

    // The same three texts give the same frames or the same message in the window and on the
    // command line.
    void bothFrontEndsReadAnAnimationsTimesAlike_data()
    {
        QTest::addColumn<QString>("From");
        QTest::addColumn<QString>("To");
        QTest::addColumn<QString>("Step");
        QTest::addColumn<int>("Frames");
        QTest::addColumn<QString>("Message");
        QTest::newRow("the end on a step is a frame") << "0"
                                                      << "1"
                                                      << "0.25" << 5 << "";
        QTest::newRow("an end missed by rounding alone is a frame") << "0"
                                                                    << "0.3"
                                                                    << "0.1" << 4 << "";
        QTest::newRow("a falling time with a negative step") << "1"
                                                             << "-1"
                                                             << "-0.5" << 5 << "";
        QTest::newRow("one frame where start and end meet") << "2"
                                                            << "2"
                                                            << "-1" << 1 << "";
        QTest::newRow("the most frames") << "0"
                                         << "9999"
                                         << "1" << 10000 << "";
        QTest::newRow("one frame too many") << "0"
                                            << "10000"
                                            << "1" << 0 << "an animation has at most 10000 frames";
        QTest::newRow("a step of 0") << "0"
                                     << "1"
                                     << "0" << 0 << "the time step must not be 0";
        QTest::newRow("a step away from the end")
            << "0"
            << "1"
            << "-0.1" << 0 << "the time step must lead from the start time to the end time";
        QTest::newRow("the start is read first") << "a"
                                                 << "b"
                                                 << "0" << 0 << "'a' is not a valid floating point value";
        QTest::newRow("then the end") << "0"
                                      << "b"
                                      << "c" << 0 << "'b' is not a valid floating point value";
        QTest::newRow("then the step") << "0"
                                       << "1"
                                       << "c" << 0 << "'c' is not a valid floating point value";
    }
    void bothFrontEndsReadAnAnimationsTimesAlike()
    {
        QFETCH(QString, From);
        QFETCH(QString, To);
        QFETCH(QString, Step);
        QFETCH(int, Frames);
        QFETCH(QString, Message);
        TAnimationChoice Choice;
        Choice.Size = QSize(16, 16);
        Choice.From = From;
        Choice.To = To;
        Choice.Step = Step;
        Choice.FileName = Path("t.gif");
        Dialogs->AnimationAnswer = Choice;
        Dialogs->ProgressShown.clear();
        Dialogs->CancelAt = 1;
        Trigger("ExportAnimation");
        QCOMPARE(Dialogs->Errors, Message.isEmpty() ? QStringList() : QStringList{Message});
        QCOMPARE(Dialogs->ProgressShown.empty() ? 0 : Dialogs->ProgressShown.front(), Frames);

        QString Errors;
        const int Code = Render({Path("t.gif"), QStringLiteral("--from"), From, QStringLiteral("--to"), To,
                                 QStringLiteral("--step"), Step},
                                Errors);
        QCOMPARE(Code, Message.isEmpty() ? 1 : 2);
        if (!Message.isEmpty())
            QCOMPARE(Errors, QStringLiteral("vendrel: ") + Message + QStringLiteral("\n"));
        QVERIFY(!QFile::exists(Path("t.gif")));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
