#include "app/THelpWindow.h"

#include "app/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Vendrel Help"));
    Viewer = new QTextBrowser(this);
    Viewer->setObjectName(QStringLiteral("HelpBrowser"));
    // Links to the web or to mail leave the help window for the desktop's handlers.
    Viewer->setOpenExternalLinks(true);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Viewer);
    resize(720, 640);
}

QString THelpWindow::HelpFilePath()
{
    return FindHelpFile(HelpFolders());
}

QStringList THelpWindow::HelpFolders()
{
    const QString Beside = QCoreApplication::applicationDirPath();
    QStringList Folders{Beside, QDir::cleanPath(Beside + QStringLiteral("/../share/vendrel"))};
    for (const QString& Data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        Folders << QDir(Data).filePath(QStringLiteral("vendrel"));
    Folders.removeDuplicates();
    return Folders;
}

QString THelpWindow::FindHelpFile(const QStringList& Folders)
{
    const QString Name = QString::fromLatin1(HelpFileName);
    for (const QString& Folder : Folders)
    {
        const QString Path = QDir(Folder).filePath(Name);
        if (QFileInfo(Path).isFile())
            return Path;
    }
    return Folders.isEmpty() ? Name : QDir(Folders.first()).filePath(Name);
}

bool THelpWindow::Launch(const QString& Path, const TWarning& Warn)
{
    const QFileInfo File(Path);
    if (!File.isFile())
    {
        Warn(QString::fromLatin1(Msg::HelpMissing), QString::fromLatin1(MissingCaption));
        return false;
    }
    CurrentFile = File.absoluteFilePath();
    const QUrl Url = QUrl::fromLocalFile(CurrentFile);
    if (Viewer->source() == Url)
        Viewer->reload(); // the page may have changed since it was last shown
    else
        Viewer->setSource(Url);
    show();
    raise();
    activateWindow();
    return true;
}
