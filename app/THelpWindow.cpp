#include "app/THelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(HelpFileName));
}

bool THelpWindow::Launch(const QString& Path, const TWarning& Warn)
{
    const QFileInfo File(Path);
    if (!File.isFile())
    {
        Warn(QString::fromLatin1(MissingText), QString::fromLatin1(MissingCaption));
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
