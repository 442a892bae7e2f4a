#pragma once
// The help window: the help page "Vendrel.html", which lives beside the executable, shown in
// a browser window of the program's own.
#include <QString>
#include <QWidget>

#include <functional>

class QTextBrowser;

class THelpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* HelpFileName = "Vendrel.html";
    static constexpr const char* MissingText = "Failed to launch help.";
    static constexpr const char* MissingCaption = "Vendrel";

    // Shows a warning message box: Text, Caption.
    using TWarning = std::function<void(const QString& Text, const QString& Caption)>;

    explicit THelpWindow(QWidget* Parent = nullptr);

    // The help page's path: the folder of the running executable and "Vendrel.html".
    static QString HelpFilePath();

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
