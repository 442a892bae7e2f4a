// File > Export Picture and File > Export Animation: the dialogs' defaults come from the
// window, a PNG export is the picture Copy gives at that size, Cancel leaves nothing behind,
// and a failure is reported once with the old file kept.
#include "MainFormHarness.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
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
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
