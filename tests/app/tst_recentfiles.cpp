// The recent-files list: the slots and menu entries, the case rule of the duplicate test,
// and the round trip through a settings store kept in a temporary folder.
#include "app/TRecentFiles.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestRecentFiles : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void TwelveAddsKeepTenNewestFirst();
    void Contains_data();
    void Contains();
    void EveryEntryReopens();
    void SaveThenLoadKeepsOrder();
    void LoadSkipsGapsAndSaveStopsAtFirstGap();
    void LoadSkipsValuesThatAreNotStrings();
    void EmptyStoreLoadsNothingAndSavesNoFiles();
    void FilledGraphs_data();
    void FilledGraphs();
    void FindsClientAndTakesOverItsEntries();
    void AmpersandInPathShowsAsItself();

  private:
    std::unique_ptr<QSettings> NewStore() const
    {
        return std::make_unique<QSettings>(Dir->filePath(QStringLiteral("Vendrel.ini")),
                                           QSettings::IniFormat);
    }
    QStringList MenuCaptions(const QMenu& Menu) const
    {
        QStringList Captions;
        for (QAction* Action : Menu.actions())
            Captions << Action->text();
        return Captions;
    }

    std::unique_ptr<QTemporaryDir> Dir;
};

void TestRecentFiles::init()
{
    Dir = std::make_unique<QTemporaryDir>();
}

void TestRecentFiles::TwelveAddsKeepTenNewestFirst()
{
    auto Store = NewStore();
    QMenu Menu;
    TRecentFiles Recent(*Store);
    Recent.SetClient(&Menu);
    for (int i = 1; i <= 12; ++i)
        Recent.AddRecentFile(QStringLiteral("/docs/f%1.vdg").arg(i));
    QCOMPARE(Recent.Count(), 10);
    QStringList Expected;
    for (int j = 0; j < 10; ++j)
        Expected << QStringLiteral("&%1: /docs/f%2.vdg").arg(j).arg(12 - j);
    QCOMPARE(MenuCaptions(Menu), Expected);
    QVERIFY(!Recent.Contains(QStringLiteral("/docs/f2.vdg")));

    Recent.SaveRecentFiles();
    Store->beginGroup(QStringLiteral("Recent File List"));
    QCOMPARE(Store->value(QStringLiteral("File1")).toString(), QStringLiteral("/docs/f12.vdg"));
    QCOMPARE(Store->value(QStringLiteral("File10")).toString(), QStringLiteral("/docs/f3.vdg"));
    QVERIFY(!Store->contains(QStringLiteral("File11")));
}

void TestRecentFiles::Contains_data()
{
    QTest::addColumn<QString>("Listed");
    QTest::addColumn<QString>("Asked");
    QTest::addColumn<bool>("Found");
    QTest::newRow("same text") << "/home/a/Plot.vdg"
                               << "/home/a/Plot.vdg" << true;
    QTest::newRow("ASCII letters in other case") << "/home/a/Plot.vdg"
                                                 << "/HOME/A/pLOT.VDG" << true;
    QTest::newRow("other name") << "/home/a/Plot.vdg"
                                << "/home/a/Plot2.vdg" << false;
    QTest::newRow("prefix only") << "/home/a/Plot.vdg"
                                 << "/home/a/Plot.vd" << false;
    QTest::newRow("non-ASCII letters keep their case") << "/home/a/Ärger.vdg"
                                                       << "/home/a/ärger.vdg" << false;
    QTest::newRow("not folded across punctuation") << "/home/a/[x].vdg"
                                                   << "/home/a/{x}.vdg" << false;
}

void TestRecentFiles::Contains()
{
    QFETCH(QString, Listed);
    QFETCH(QString, Asked);
    QFETCH(bool, Found);
    auto Store = NewStore();
    TRecentFiles Recent(*Store);
    Recent.AddRecentFile(QStringLiteral("/other.vdg"));
    Recent.AddRecentFile(Listed);
    QCOMPARE(Recent.Contains(Asked), Found);
}

void TestRecentFiles::EveryEntryReopens()
{
    auto Store = NewStore();
    QMenu Menu;
    TRecentFiles Recent(*Store);
    Recent.SetClient(&Menu);
    for (int i = 1; i <= 10; ++i)
        Recent.AddRecentFile(QStringLiteral("/d/%1.vdg").arg(i));
    QSignalSpy Spy(&Recent, &TRecentFiles::ReopenRequested);
    const QList<QAction*> Entries = Menu.actions();
    QCOMPARE(Entries.size(), 10);
    for (int j = 0; j < 10; ++j)
    {
        Entries[j]->trigger();
        QCOMPARE(Spy.size(), j + 1);
        QCOMPARE(Spy.last().at(0).toString(), QStringLiteral("/d/%1.vdg").arg(10 - j));
    }
    // An entry stands for its position: after another add it reopens the path now shown there.
    Recent.AddRecentFile(QStringLiteral("/d/new.vdg"));
    Entries[0]->trigger();
    QCOMPARE(Spy.last().at(0).toString(), QStringLiteral("/d/new.vdg"));
}

void TestRecentFiles::SaveThenLoadKeepsOrder()
{
    {
        auto Store = NewStore();
        TRecentFiles Recent(*Store);
        for (const char* Path : {"/a.vdg", "/b.vdg", "/c.vdg"})
            Recent.AddRecentFile(QString::fromLatin1(Path));
        Recent.SaveRecentFiles();
    }
    auto Store = NewStore();
    QMenu Menu;
    TRecentFiles Recent(*Store);
    Recent.SetClient(&Menu);
    Recent.LoadRecentFiles();
    QCOMPARE(MenuCaptions(Menu), (QStringList{QStringLiteral("&0: /c.vdg"), QStringLiteral("&1: /b.vdg"),
                                              QStringLiteral("&2: /a.vdg")}));
}

void TestRecentFiles::LoadSkipsGapsAndSaveStopsAtFirstGap()
{
    {
        auto Store = NewStore();
        Store->beginGroup(QStringLiteral("Recent File List"));
        Store->setValue(QStringLiteral("File1"), QStringLiteral("/one.vdg"));
        Store->setValue(QStringLiteral("File2"), QStringLiteral("/two.vdg"));
        Store->setValue(QStringLiteral("File4"), QStringLiteral("/four.vdg"));
    }
    auto Store = NewStore();
    TRecentFiles Recent(*Store);
    Recent.LoadRecentFiles();
    QCOMPARE(Recent.Count(), 3);
    QCOMPARE(Recent.Path(0), QStringLiteral("/one.vdg"));
    QCOMPARE(Recent.Path(1), QStringLiteral("/two.vdg"));
    QCOMPARE(Recent.Path(2), QStringLiteral("/four.vdg"));

    Recent.SaveRecentFiles();
    auto After = NewStore();
    After->beginGroup(QStringLiteral("Recent File List"));
    QCOMPARE(After->value(QStringLiteral("File1")).toString(), QStringLiteral("/one.vdg"));
    QCOMPARE(After->value(QStringLiteral("File2")).toString(), QStringLiteral("/two.vdg"));
    QCOMPARE(After->value(QStringLiteral("File3")).toString(), QStringLiteral("/four.vdg"));
    // Deletion stopped at the missing File3, so the stale File4 is still there.
    QCOMPARE(After->value(QStringLiteral("File4")).toString(), QStringLiteral("/four.vdg"));
}

void TestRecentFiles::LoadSkipsValuesThatAreNotStrings()
{
    {
        auto Store = NewStore();
        Store->beginGroup(QStringLiteral("Recent File List"));
        Store->setValue(QStringLiteral("File1"), QStringLiteral("/good.vdg"));
        Store->setValue(QStringLiteral("File2"), QStringList{QStringLiteral("a"), QStringLiteral("b")});
        Store->setValue(QStringLiteral("File3"), QRect(1, 2, 3, 4));
    }
    auto Store = NewStore();
    TRecentFiles Recent(*Store);
    Recent.LoadRecentFiles();
    QCOMPARE(Recent.Count(), 1);
    QCOMPARE(Recent.Path(0), QStringLiteral("/good.vdg"));
}

void TestRecentFiles::EmptyStoreLoadsNothingAndSavesNoFiles()
{
    auto Store = NewStore();
    QMenu Menu;
    TRecentFiles Recent(*Store);
    Recent.SetClient(&Menu);
    Recent.LoadRecentFiles();
    QCOMPARE(Menu.actions().size(), 0);
    Recent.SaveRecentFiles();
    Store->beginGroup(QStringLiteral("Recent File List"));
    QVERIFY(Store->childKeys().isEmpty());
}

void TestRecentFiles::FilledGraphs_data()
{
    QTest::addColumn<QString>("Stored"); // raw text of the BG line; empty: no line
    QTest::addColumn<bool>("Start");
    QTest::addColumn<bool>("Read");
    QTest::addColumn<bool>("Result");
    QTest::newRow("1 is true") << "1" << false << true << true;
    QTest::newRow("0 is false") << "0" << true << true << false;
    QTest::newRow("any non-zero is true") << "7" << false << true << true;
    QTest::newRow("missing leaves it") << "" << true << false << true;
    QTest::newRow("a word is ignored") << "yes" << false << false << false;
    QTest::newRow("a fraction is ignored") << "0.5" << true << false << true;
}

void TestRecentFiles::FilledGraphs()
{
    QFETCH(QString, Stored);
    QFETCH(bool, Start);
    QFETCH(bool, Read);
    QFETCH(bool, Result);
    if (!Stored.isEmpty())
    {
        QFile File(Dir->filePath(QStringLiteral("Vendrel.ini")));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("[Recent%20File%20List]\nBG=" + Stored.toUtf8() + "\n");
    }
    auto Store = NewStore();
    TRecentFiles Recent(*Store);
    bool Filled = Start;
    QCOMPARE(Recent.ReadFilledGraphs(Filled), Read);
    QCOMPARE(Filled, Result);
}

void TestRecentFiles::FindsClientAndTakesOverItsEntries()
{
    QMenuBar Bar;
    QMenu* File = Bar.addMenu(QStringLiteral("&File"));
    QMenu* First = File->addMenu(QStringLiteral("&Resent Files"));
    QMenu* Tools = Bar.addMenu(QStringLiteral("&Tools"));
    QMenu* Last = Tools->addMenu(QStringLiteral("More Resent Files"));
    Last->addAction(QStringLiteral("&0: /kept.vdg"));
    QCOMPARE(TRecentFiles::FindClient(Bar), Last); // the last match wins
    Q_UNUSED(First);

    auto Store = NewStore();
    TRecentFiles Recent(*Store);
    Recent.SetClient(Last);
    QCOMPARE(Recent.Count(), 1);
    QCOMPARE(Recent.Path(0), QStringLiteral("/kept.vdg"));
    Recent.AddRecentFile(QStringLiteral("/new.vdg"));
    QCOMPARE(MenuCaptions(*Last),
             (QStringList{QStringLiteral("&0: /new.vdg"), QStringLiteral("&1: /kept.vdg")}));
}

void TestRecentFiles::AmpersandInPathShowsAsItself()
{
    auto Store = NewStore();
    QMenu Menu;
    TRecentFiles Recent(*Store);
    Recent.SetClient(&Menu);
    Recent.AddRecentFile(QStringLiteral("/R&D/plot.vdg"));
    QCOMPARE(Menu.actions().at(0)->text(), QStringLiteral("&0: /R&&D/plot.vdg"));
    QSignalSpy Spy(&Recent, &TRecentFiles::ReopenRequested);
    Menu.actions().at(0)->trigger();
    QCOMPARE(Spy.at(0).at(0).toString(), QStringLiteral("/R&D/plot.vdg"));
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
