// The help window and its launch rule, and the shipped help page.
#include "app/THelpWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class TestHelp : public QObject
{
    Q_OBJECT

  private slots:
    void LooksBesideTheExecutableThenInShare();
    void FirstFolderHoldingThePageWins();
    void MissingFileWarns();
    void PresentFileIsShown();
    void ShippedPageNamesEveryFunction();
};

void TestHelp::LooksBesideTheExecutableThenInShare()
{
    const QStringList Folders = THelpWindow::HelpFolders();
    QVERIFY(Folders.size() >= 2);
    const QDir Beside(QCoreApplication::applicationDirPath());
    QCOMPARE(Folders.at(0), Beside.path());
    QCOMPARE(Folders.at(1), QDir::cleanPath(Beside.filePath(QStringLiteral("../share/vendrel"))));
    QCOMPARE(QFileInfo(THelpWindow::HelpFilePath()).fileName(), QStringLiteral("Vendrel.html"));
}

void TestHelp::FirstFolderHoldingThePageWins()
{
    QTemporaryDir Root;
    QDir Dir(Root.path());
    for (const char* Name : {"build", "share", "data"})
        QVERIFY(Dir.mkdir(QLatin1String(Name)));
    const QStringList Folders{Dir.filePath(QStringLiteral("build")), Dir.filePath(QStringLiteral("share")),
                              Dir.filePath(QStringLiteral("data"))};
    const auto Page = [&](int Index)
    { return QDir(Folders.at(Index)).filePath(QStringLiteral("Vendrel.html")); };
    // No folder has it: the path beside the executable, where the launch reports it missing.
    QCOMPARE(THelpWindow::FindHelpFile(Folders), Page(0));
    // A folder of that name is no page.
    QVERIFY(QDir(Folders.at(1)).mkdir(QStringLiteral("Vendrel.html")));
    QCOMPARE(THelpWindow::FindHelpFile(Folders), Page(0));
    for (int Index : {2, 0})
    {
        QFile File(Page(Index));
        QVERIFY(File.open(QIODevice::WriteOnly));
        QCOMPARE(THelpWindow::FindHelpFile(Folders), Page(Index));
    }
}

void TestHelp::MissingFileWarns()
{
    QTemporaryDir Dir;
    THelpWindow Window;
    QStringList Calls;
    const bool Shown =
        Window.Launch(Dir.filePath(QStringLiteral("Vendrel.html")),
                      [&](const QString& Text, const QString& Caption) { Calls << Text << Caption; });
    QVERIFY(!Shown);
    QCOMPARE(Calls, (QStringList{QStringLiteral("Failed to launch help."), QStringLiteral("Vendrel")}));
    QVERIFY(!Window.isVisible());
    // A folder of that name is no help page either.
    QVERIFY(QDir(Dir.path()).mkdir(QStringLiteral("Vendrel.html")));
    QVERIFY(
        !Window.Launch(Dir.filePath(QStringLiteral("Vendrel.html")), [&](const QString&, const QString&) {}));
}

void TestHelp::PresentFileIsShown()
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("Vendrel.html"));
    {
        QFile File(Path);
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("<html><body><h1>Plotting help</h1></body></html>");
    }
    THelpWindow Window;
    int Warnings = 0;
    QVERIFY(Window.Launch(Path, [&](const QString&, const QString&) { ++Warnings; }));
    QCOMPARE(Warnings, 0);
    QVERIFY(Window.isVisible());
    QCOMPARE(Window.ShownFile(), QFileInfo(Path).absoluteFilePath());
    QVERIFY(Window.Browser()->toPlainText().contains(QStringLiteral("Plotting help")));

    // Launching again shows the page as it is now.
    {
        QFile File(Path);
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("<html><body><p>Changed page</p></body></html>");
    }
    QVERIFY(Window.Launch(Path, [&](const QString&, const QString&) { ++Warnings; }));
    QVERIFY(Window.Browser()->toPlainText().contains(QStringLiteral("Changed page")));
}

void TestHelp::ShippedPageNamesEveryFunction()
{
    // The sources are compiled by absolute path, so the page is found from this file.
    QFile Page(QFileInfo(QStringLiteral(__FILE__))
                   .dir()
                   .filePath(QStringLiteral("../../app/resources/Vendrel.html")));
    QVERIFY(Page.open(QIODevice::ReadOnly));
    const QString Text = QString::fromUtf8(Page.readAll());
    const char* Names[] = {"Sqrt",     "Exp",     "Ln",      "Power",     "Abs",     "LogBase10", "LogBase2",
                           "LogBaseN", "ArcCos",  "ArcCot",  "ArcCsc",    "ArcSec",  "ArcSin",    "ArcTan",
                           "ArcTan2",  "Cos",     "Cot",     "Coversine", "Csc",     "Exsecans",  "Haversine",
                           "Sec",      "Sin",     "Tan",     "Versine",   "ArcCosH", "ArcCotH",   "ArcCscH",
                           "ArcSecH",  "ArcSinH", "ArcTanH", "CosH",      "CotH",    "CscH",      "SecH",
                           "SinH",     "TanH"};
    for (const char* Name : Names)
        QVERIFY2(Text.contains(QStringLiteral("<td><code>%1</code></td>").arg(QLatin1String(Name))), Name);
    for (const char* Keyword :
         {"cmp", "or", "xor", "bor", "bxor", "div", "mod", "and", "shl", "shr", "band", "not", "bnot", "Pi"})
        QVERIFY2(Text.contains(QStringLiteral("<code>%1</code>").arg(QLatin1String(Keyword))), Keyword);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
