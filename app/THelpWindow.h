#pragma once
// The help window: the help page "Vendrel.html" shown in a browser window of the program's
// own. The page lives beside the executable in a build folder, and in share/vendrel/ of the
// installation prefix once installed.
#include <QString>
#include <QWidget>

#include <functional>

class QTextBrowser;

class THelpWindow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr const char* HelpFileName = "Vendrel.html";
    static constexpr const char* MissingCaption = "Vendrel";

    // Shows a warning message box: Text, Caption.
    using TWarning = std::function<void(const QString& Text, const QString& Caption)>;

    explicit THelpWindow(QWidget* Parent = nullptr);

    // The help page's path: the first of HelpFolders() that holds "Vendrel.html"; when none
    // does, the path beside the executable (so the missing page is reported as before).
    static QString HelpFilePath();
    // Where the page is looked for, in this order: the folder of the running executable, the
    // prefix's share/vendrel (beside the executable's bin folder), and vendrel/ in each of
    // the XDG data folders.
    static QStringList HelpFolders();
    // The first of Folders that holds a file "Vendrel.html", or that name in the first folder.
    static QString FindHelpFile(const QStringList& Folders);

    // Shows the page at Path in this window and brings the window up; when the file does not
    // exist, calls Warn with "Failed to launch help." and the caption "Vendrel" instead.
    // Returns whether the page is shown.
    bool Launch(const QString& Path, const TWarning& Warn);

    // The page now shown (empty before the first launch).
    QString ShownFile() const { return CurrentFile; }
    QTextBrowser* Browser() const { return Viewer; }

  private:
    QTextBrowser* Viewer = nullptr;
    QString CurrentFile;
};
