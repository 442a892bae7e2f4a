// Data through the window, with the fake dialogs (the real preview and fit dialogs, never shown):
// File > Import Data... and a dropped file add a points graph in one undo step, nothing changes
// when the import is cancelled or the file does not read; Tools > Fit... sets the parameters of
// a function graph fitted to the points in one undo step, or keeps them and says why.
#include "MainFormHarness.h"
#include "app/Errors.h"
#include "plot/TMarkerPainter.h"

#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <QUrl>

class TestDataCommands : public QObject, private TMainFormHarness
{
    Q_OBJECT

    QString Write(const char* Name, const QByteArray& Bytes)
    {
        const QString Path = Dir.filePath(QString::fromLatin1(Name));
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size())
            qFatal("cannot write %s", Name);
        return Path;
    }
    const TFuncList& Graphs() { return Form->Model().FuncList; }
    // Drags Path over the window and drops it there; whether the window took the drop.
    bool Drop(const QString& Path)
    {
        QMimeData Data;
        Data.setUrls({QUrl::fromLocalFile(Path)});
        QDragEnterEvent Enter(QPoint(50, 50), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form.get(), &Enter);
        if (!Enter.isAccepted())
            return false;
        QDropEvent Dropped(QPointF(50, 50), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form.get(), &Dropped);
        return Dropped.isAccepted();
    }
    // Parameters a = 1 and b = 0, the function a*x+b as graph 1, and the points of y = 2x + 1
    // imported as graph 2 (selected).
    void LineAndItsData()
    {
        TParameterList Parameters;
        TParameter a, b;
        a.Name = QStringLiteral("a");
        a.Value = 1;
        b.Name = QStringLiteral("B");
        Parameters.Assign({a, b});
        Form->Model().Parameters = Parameters;
        Form->Model().FuncList.Item(0).Func = QStringLiteral("a*x+b");
        Dialogs->DataName = Write("line.csv", "x,y\n0,1\n1,3\n2,5\n3,7\n4,9.000000000000000001\n");
        Action("ImportData")->trigger();
        QCOMPARE(Graphs().Count(), 2);
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void anImportAddsASelectedPointsGraphThatUndoTakesBack()
    {
        Dialogs->DataName = Write("run.csv", "t;v\n0,5;1,25\n1,5;?\n2,5;-2\n");
        Dialogs->ImportMarker = 1;
        Dialogs->ImportJoined = true;
        Action("ImportData")->trigger();
        QVERIFY(Dialogs->Errors.isEmpty());
        QCOMPARE(Dialogs->ImportStatus, QStringLiteral("2 points; rows skipped for a missing value: 1"));
        QCOMPARE(Graphs().Count(), 2);
        const TFunc& Graph = Graphs().Last();
        QCOMPARE(Graph.Kind, TGraphKind::Points);
        QCOMPARE(Graph.Func, QStringLiteral("v"));
        QCOMPARE(Graph.Marker, TMarkerShape::Circle);
        QVERIFY(Graph.Joined);
        QVERIFY(Graph.Data && Graph.Data->Count() == 2);
        QCOMPARE(double(Graph.Data->Point(1).Y), -2.0);
        QCOMPARE(Child<QComboBox>("ComboBox")->count(), 2);
        QCOMPARE(Child<QComboBox>("ComboBox")->currentIndex(), 1);
        // The editors show the new graph, so Enter in the formula editor keeps its name.
        QCOMPARE(Child<QLineEdit>("FuncEdit")->text(), QStringLiteral("v"));
        QVERIFY(Form->Model().GraphsEnabled);
        QVERIFY(Action("EditUndo")->isEnabled());

        Action("EditUndo")->trigger();
        QCOMPARE(Graphs().Count(), 1);
        QCOMPARE(Graphs().Item(0).Kind, TGraphKind::Function);
        QCOMPARE(Child<QComboBox>("ComboBox")->count(), 1);
        QVERIFY(!Action("EditUndo")->isEnabled());
    }

    void anImportThatDoesNotHappenChangesNothing_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QByteArray>("Bytes");
        QTest::addColumn<bool>("Cancel");
        QTest::addColumn<QString>("Error");
        QTest::newRow("the preview cancelled") << "a.csv" << QByteArray("1,2\n") << true << QString();
        QTest::newRow("a field that is no number")
            << "b.csv" << QByteArray("1;2\n3;x\n") << false << QString();
        QTest::newRow("binary data") << "c.csv" << QByteArray("1,2\n\0\n", 6) << false
                                     << QStringLiteral("The data is not text: line 2 holds a zero byte");
        QTest::newRow("no file of that name")
            << "" << QByteArray() << false << QStringLiteral("Cannot read %1");
    }
    void anImportThatDoesNotHappenChangesNothing()
    {
        QFETCH(QString, Name);
        QFETCH(QByteArray, Bytes);
        QFETCH(bool, Cancel);
        QFETCH(QString, Error);
        Dialogs->DataName = Name.isEmpty() ? Dir.filePath(QStringLiteral("missing.csv"))
                                           : Write(Name.toLatin1().constData(), Bytes);
        Dialogs->CancelImport = Cancel;
        Action("ImportData")->trigger();
        QCOMPARE(Graphs().Count(), 1);
        QVERIFY(!Action("EditUndo")->isEnabled());
        if (Error.contains(QStringLiteral("%1")))
            Error = Error.arg(Dialogs->DataName);
        QCOMPARE(Dialogs->Errors, Error.isEmpty() ? QStringList() : QStringList{Error});
    }

    void aDataFileDroppedOnTheWindowIsImported()
    {
        QVERIFY(Drop(Write("drop.TSV", "1\t2\n3\t4\n")));
        QCOMPARE(Graphs().Count(), 2);
        QCOMPARE(Graphs().Last().Func, QStringLiteral("drop"));
        QVERIFY(!Drop(Write("doc.vdg", "[Main]\n")));
        QCOMPARE(Graphs().Count(), 2);
    }

    void aFitSetsTheParametersInOneUndoStep()
    {
        LineAndItsData();
        Action("Fit")->trigger();
        QVERIFY(Dialogs->FitAsked);
        QCOMPARE(Dialogs->FitAsked->Model, QStringLiteral("a*x+b"));
        QCOMPARE(Dialogs->FitAsked->Names, (std::vector<std::u16string>{u"a", u"B"}));
        QCOMPARE(Dialogs->FitAsked->Data, Graphs().Item(1).Data);
        QVERIFY2(Dialogs->FitStatus.startsWith(QStringLiteral("The fit converged")),
                 qPrintable(Dialogs->FitStatus));
        const TParameterList& p = Form->Model().Parameters;
        QVERIFY(std::fabs(p.Item(0).Value - 2) < 1e-17L);
        QVERIFY(std::fabs(p.Item(1).Value - 1) < 1e-17L);
        Action("EditUndo")->trigger();
        QCOMPARE(double(Form->Model().Parameters.Item(0).Value), 1.0);
        QCOMPARE(double(Form->Model().Parameters.Item(1).Value), 0.0);
        QCOMPARE(Graphs().Count(), 2); // the import is the step before
    }

    void aFitThatIsNotAcceptedKeepsTheParameters()
    {
        LineAndItsData();
        Form->Model().FuncList.Item(0).Func = QStringLiteral("a*x+0*b");
        Action("Fit")->trigger();
        QVERIFY2(Dialogs->FitStatus.contains(QStringLiteral("singular")), qPrintable(Dialogs->FitStatus));
        QCOMPARE(double(Form->Model().Parameters.Item(0).Value), 1.0);
        Form->Model().FuncList.Item(0).Func = QStringLiteral("a*x+b");
        Dialogs->CancelFit = true;
        Action("Fit")->trigger();
        QCOMPARE(double(Form->Model().Parameters.Item(0).Value), 1.0);
        Action("EditUndo")->trigger();
        QCOMPARE(Graphs().Count(), 1); // the fits took no step of their own
    }

    void aFitWithoutItsTwoGraphsSaysWhichIsMissing()
    {
        Action("Fit")->trigger();
        QCOMPARE(Dialogs->Messages, QStringList{QString::fromLatin1(Msg::FitNeedsPoints)});
        Dialogs->DataName = Write("d.csv", "1,2\n3,4\n5,7\n");
        Action("ImportData")->trigger();
        Form->Model().FuncList.Item(0).Func = QStringLiteral("2*x+c");
        Action("Fit")->trigger();
        QCOMPARE(Dialogs->Messages.last(), QString::fromLatin1(Msg::FitNeedsModel));
        QVERIFY(!Dialogs->FitAsked);
    }
};

QTEST_MAIN(TestDataCommands)
#include "tst_datacommands.moc"
