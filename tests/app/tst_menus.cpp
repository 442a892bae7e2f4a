// The menu bar as the keyboard reaches it: Alt+letter opens a menu and a letter picks an entry,
// so no two entries of one menu (the bar itself, each menu, each submenu) may share a letter.
// And as a reader finds it: the help page names every entry.
#include "MainFormHarness.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

#include <map>

class TestMenus : public QObject, private TMainFormHarness
{
    Q_OBJECT

    // The accelerator letter of a caption ("Sh&ow Arrows": 'O'; "&&" is a plain '&'), or an
    // empty string when it has none.
    static QString Accelerator(const QString& Caption)
    {
        const QKeySequence Mnemonic = QKeySequence::mnemonic(Caption);
        if (Mnemonic.isEmpty())
            return QString();
        return QKeySequence(Mnemonic[0].key()).toString().toUpper();
    }

    // Every clash among Actions, as "Menu: 'X' of A and B", walking into every submenu.
    static void Clashes(const QString& Title, const QList<QAction*>& Actions, QStringList& Found)
    {
        std::map<QString, QString> Owner;
        for (QAction* Action : Actions)
        {
            if (Action->isSeparator() || !Action->isVisible())
                continue;
            const QString Letter = Accelerator(Action->text());
            if (!Letter.isEmpty())
            {
                const auto [At, Fresh] = Owner.emplace(Letter, Action->text());
                if (!Fresh)
                    Found << QStringLiteral("%1: '%2' of %3 and %4")
                                 .arg(Title, Letter, At->second, Action->text());
            }
            if (QMenu* Sub = Action->menu())
                Clashes(Action->text(), Sub->actions(), Found);
        }
    }

    // Every entry's caption as the help page writes it ("Export Animation"), with the entries
    // of the recent files, which are documents, left out.
    static void Captions(const QList<QAction*>& Actions, QStringList& Found)
    {
        for (QAction* Action : Actions)
        {
            if (Action->isSeparator())
                continue;
            QString Caption = Action->text().remove(QRegularExpression(QStringLiteral("&(?!&)")));
            Found << Caption.remove(QStringLiteral("..."))
                         .replace(QStringLiteral("&"), QStringLiteral("&amp;"));
            if (Action->menu() && Action->menu()->objectName() != QStringLiteral("RecentFilesMenu"))
                Captions(Action->menu()->actions(), Found);
        }
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void theRuleSeesTheLetterQtUses_data()
    {
        QTest::addColumn<QString>("Caption");
        QTest::addColumn<QString>("Letter");
        QTest::newRow("a letter in the middle") << "Sh&ow Arrows"
                                                << "O";
        QTest::newRow("lower case is the same key") << "Zoom O&ut"
                                                    << "U";
        QTest::newRow("a doubled ampersand is no accelerator") << "Fish && Chips"
                                                               << "";
        QTest::newRow("a doubled ampersand before the real one") << "&&1 &Go"
                                                                 << "G";
        QTest::newRow("a digit of the recent files") << "&3: /tmp/a&&b.vdg"
                                                     << "3";
        QTest::newRow("no ampersand") << "Copy at screen resolution"
                                      << "";
    }
    void theRuleSeesTheLetterQtUses()
    {
        QFETCH(QString, Caption);
        QFETCH(QString, Letter);
        QCOMPARE(Accelerator(Caption), Letter);
    }

    void aSharedLetterIsFound()
    {
        QMenu Menu;
        Menu.addAction(QStringLiteral("Save &As..."));
        Menu.addAction(QStringLiteral("Export &animation..."));
        QStringList Found;
        Clashes(QStringLiteral("File"), Menu.actions(), Found);
        QCOMPARE(Found, QStringList{QStringLiteral("File: 'A' of Save &As... and Export &animation...")});
    }

    void noTwoEntriesOfAMenuShareALetter()
    {
        // The recent-files list full, so its numbered entries are walked too.
        for (int n = 0; n < 10; ++n)
            Form->OpenDocument(Dir.filePath(QStringLiteral("missing&%1.vdg").arg(n)));
        QStringList Found;
        Clashes(QStringLiteral("menu bar"), Form->menuBar()->actions(), Found);
        QVERIFY2(Found.isEmpty(), qPrintable(Found.join(QLatin1Char('\n'))));
    }

    void theHelpPageNamesEveryEntry()
    {
        // The sources are compiled by absolute path, so the page is found from this file.
        QFile Page(QFileInfo(QStringLiteral(__FILE__))
                       .dir()
                       .filePath(QStringLiteral("../../app/resources/Vendrel.html")));
        QVERIFY(Page.open(QIODevice::ReadOnly));
        const QString Text = QString::fromUtf8(Page.readAll()).simplified();
        QStringList Entries;
        Captions(Form->menuBar()->actions(), Entries);
        QVERIFY(Entries.contains(QStringLiteral("Zoom Out")));
        for (const QString& Entry : Entries)
            QVERIFY2(Text.contains(QStringLiteral("<b>") + Entry) ||
                         Text.contains(QStringLiteral("&gt; ") + Entry),
                     qPrintable(Entry));
        // Every chapter is in the contents at the top.
        QRegularExpression Chapter(QStringLiteral("<h2 id=\"([a-z]+)\">"));
        for (const QRegularExpressionMatch& m : Chapter.globalMatch(Text))
            QVERIFY2(Text.contains(QStringLiteral("<a href=\"#%1\">").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
