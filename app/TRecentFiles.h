#pragma once
// The recently opened documents, newest first, as ten slots and the entries of the
// "&Resent Files" submenu, kept across runs in the per-user settings store together with
// the "Filled Graphs" switch. The store is handed in; this class only opens its group
// "Recent File List" (values File1...File10 and BG).
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QSettings;

class TRecentFiles : public QObject
{
    Q_OBJECT

  public:
    static constexpr int SlotCount = 10;
    // A stored entry longer than a path can be (PATH_MAX bytes) is no path and is not loaded.
    static constexpr qsizetype MaxPathBytes = 4096;
    // Captions of longer paths keep both ends and drop the middle, so that the menu stays a
    // menu; the slot still holds the whole path.
    static constexpr qsizetype MaxCaptionPath = 260;

    explicit TRecentFiles(QSettings& Settings, QObject* Parent = nullptr);

    // Makes Menu the submenu that shows the entries. Entries it already has are taken over:
    // each one's caption from its fifth character on goes into the slot at its position.
    void SetClient(QMenu* Menu);
    QMenu* Client() const { return RecentFilesClient; }

    // The submenu of the last menu-bar item (submenus included) whose caption contains
    // "Resent Files", or null.
    static QMenu* FindClient(const QMenuBar& Bar);

    // Puts Path into slot 1, moving every path one slot down (the tenth is dropped), adds an
    // entry while there are fewer than ten, and re-captions all entries. Makes no duplicate
    // test: the caller asks Contains first.
    void AddRecentFile(const QString& Path);
    // Whether an entry holds Path, comparing the letters A to Z without regard to case and
    // every other character exactly.
    bool Contains(const QString& Path) const;

    // Reads File10 down to File1 into the list so that File1 ends on top; missing values,
    // values that are not strings and strings longer than MaxPathBytes are skipped.
    void LoadRecentFiles();
    // Deletes File1, File2, ... up to the first missing one, then writes one value per entry.
    void SaveRecentFiles();

    // Reads BG into FilledGraphs (non-zero is true); a missing or non-integer value leaves it
    // as it is. Returns whether it was read.
    bool ReadFilledGraphs(bool& FilledGraphs);
    void WriteFilledGraphs(bool FilledGraphs);

    // The number of entries (0 to 10) and the path of entry Index (0 is the newest).
    int Count() const { return EntryCount; }
    QString Path(int Index) const;

    // The caption an entry shows: "&<Index>: <Path>" (an "&" in the path is doubled so that
    // it shows as itself; a path longer than MaxCaptionPath shows its ends around "...").
    static QString EntryCaption(int Index, const QString& Path);
    static bool SameFileName(const QString& a, const QString& b);

  signals:
    // Any of the ten entries was chosen.
    void ReopenRequested(const QString& Path);

  private:
    void AppendEntry();
    void RecaptionEntries();

    QSettings& Store;
    QMenu* RecentFilesClient = nullptr;
    std::array<QString, SlotCount> Slots;
    // The entries shown; without a client menu only the count is kept.
    std::vector<QAction*> Entries;
    int EntryCount = 0;
};
