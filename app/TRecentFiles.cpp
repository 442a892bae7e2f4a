#include "app/TRecentFiles.h"

#include "expr/AsciiCase.h"
#include "plot/QtText.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace
{
const QString GroupName = QStringLiteral("Recent File List");
const QString FilledGraphsName = QStringLiteral("BG");

QString FileValueName(int Number)
{
    return QStringLiteral("File%1").arg(Number);
}

// Keeps the store inside the list's group for one operation.
class TGroupScope
{
  public:
    explicit TGroupScope(QSettings& Settings) : Store(Settings) { Store.beginGroup(GroupName); }
    ~TGroupScope() { Store.endGroup(); }
    TGroupScope(const TGroupScope&) = delete;
    TGroupScope& operator=(const TGroupScope&) = delete;

  private:
    QSettings& Store;
};

void VisitActions(const QList<QAction*>& Actions, QMenu*& Found)
{
    for (QAction* Action : Actions)
    {
        if (Action->text().contains(QStringLiteral("Resent Files")) && Action->menu())
            Found = Action->menu();
        if (Action->menu())
            VisitActions(Action->menu()->actions(), Found);
    }
}
} // namespace

TRecentFiles::TRecentFiles(QSettings& Settings, QObject* Parent) : QObject(Parent), Store(Settings) {}

void TRecentFiles::SetClient(QMenu* Menu)
{
    RecentFilesClient = Menu;
    Entries.clear();
    EntryCount = 0;
    if (!Menu)
        return;
    for (QAction* Action : Menu->actions())
    {
        if (Action->isSeparator() || EntryCount == SlotCount)
            continue;
        // Drop the four characters of a prefix such as "&0: ".
        Slots[EntryCount] = Action->text().mid(4).replace(QStringLiteral("&&"), QStringLiteral("&"));
        Entries.push_back(Action);
        const int Index = EntryCount++;
        connect(Action, &QAction::triggered, this, [this, Index] { emit ReopenRequested(Slots[Index]); });
    }
}

QMenu* TRecentFiles::FindClient(const QMenuBar& Bar)
{
    QMenu* Found = nullptr;
    VisitActions(Bar.actions(), Found);
    return Found;
}

void TRecentFiles::AddRecentFile(const QString& Path)
{
    for (int i = SlotCount - 1; i > 0; --i)
        Slots[i] = Slots[i - 1];
    Slots[0] = Path;
    if (EntryCount < SlotCount)
        AppendEntry();
    RecaptionEntries();
}

void TRecentFiles::AppendEntry()
{
    const int Index = EntryCount++;
    if (!RecentFilesClient)
        return;
    QAction* Action = RecentFilesClient->addAction(QString());
    Action->setObjectName(QStringLiteral("Action%1").arg(Index + 1));
    // Entry j always stands for slot j+1, whatever path that slot holds when it is chosen.
    connect(Action, &QAction::triggered, this, [this, Index] { emit ReopenRequested(Slots[Index]); });
    Entries.push_back(Action);
}

void TRecentFiles::RecaptionEntries()
{
    for (size_t j = 0; j < Entries.size(); ++j)
        Entries[j]->setText(EntryCaption(static_cast<int>(j), Slots[j]));
}

QString TRecentFiles::EntryCaption(int Index, const QString& Path)
{
    QString Shown = Path;
    if (Shown.size() > MaxCaptionPath)
    {
        qsizetype Head = MaxCaptionPath / 2, Tail = MaxCaptionPath / 2;
        // A surrogate pair stays whole on either side of the cut.
        if (Shown.at(Head - 1).isHighSurrogate())
            --Head;
        if (Shown.at(Shown.size() - Tail).isLowSurrogate())
            --Tail;
        Shown = Shown.left(Head) + QStringLiteral("...") + Shown.right(Tail);
    }
    Shown.replace(QStringLiteral("&"), QStringLiteral("&&"));
    return QStringLiteral("&%1: %2").arg(Index).arg(Shown);
}

bool TRecentFiles::SameFileName(const QString& a, const QString& b)
{
    return EqualsAsciiCase(ToU16(a), ToU16(b));
}

bool TRecentFiles::Contains(const QString& Path) const
{
    for (int i = 0; i < EntryCount; ++i)
        if (SameFileName(Slots[i], Path))
            return true;
    return false;
}

QString TRecentFiles::Path(int Index) const
{
    return (Index >= 0 && Index < EntryCount) ? Slots[Index] : QString();
}

void TRecentFiles::LoadRecentFiles()
{
    TGroupScope Group(Store);
    for (int Number = SlotCount; Number >= 1; --Number)
    {
        const QVariant Value = Store.value(FileValueName(Number));
        // A value of another type (a list, a number stored with its type) is not a path.
        if (Value.typeId() != QMetaType::QString)
            continue;
        // A caption of millions of characters would freeze the menu each time it opens.
        if (Value.toString().size() > MaxPathBytes ||
            QFile::encodeName(Value.toString()).size() > MaxPathBytes)
            continue;
        AddRecentFile(Value.toString());
    }
}

void TRecentFiles::SaveRecentFiles()
{
    {
        TGroupScope Group(Store);
        for (int Number = 1; Store.contains(FileValueName(Number)); ++Number)
            Store.remove(FileValueName(Number));
        for (int j = 0; j < EntryCount; ++j)
            Store.setValue(FileValueName(j + 1), Slots[j]);
    }
    Store.sync();
}

bool TRecentFiles::ReadFilledGraphs(bool& FilledGraphs)
{
    TGroupScope Group(Store);
    const QVariant Value = Store.value(FilledGraphsName);
    bool Ok = false;
    int Number = 0;
    if (Value.typeId() == QMetaType::Int || Value.typeId() == QMetaType::LongLong ||
        Value.typeId() == QMetaType::UInt || Value.typeId() == QMetaType::ULongLong)
    {
        Number = Value.toInt(&Ok);
    }
    else if (Value.typeId() == QMetaType::QString)
    {
        // Text-based stores give every value back as a string.
        Number = Value.toString().trimmed().toInt(&Ok);
    }
    if (!Ok)
        return false;
    FilledGraphs = Number != 0;
    return true;
}

void TRecentFiles::WriteFilledGraphs(bool FilledGraphs)
{
    {
        TGroupScope Group(Store);
        Store.setValue(FilledGraphsName, FilledGraphs ? 1 : 0);
    }
    Store.sync();
}
