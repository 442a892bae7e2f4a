// Vendrel's entry point. `--render` draws a document into a PNG without a display, `--help`
// and `--version` answer on standard output; otherwise the main window opens, with a
// document if one is named.
#include "app/TCommandLine.h"
#include "app/TDialogs.h"
#include "app/TMainForm.h"
#include "app/TRenderCommand.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QSettings>
#include <QTextStream>

namespace
{
// The user's decimal separator, read once; the program never sets it.
char16_t LocaleSeparator() { return QLocale::system().decimalPoint().at(0).unicode(); }

int RunRender(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    QTextStream ErrorOut(stderr);
    return TRenderCommand(LocaleSeparator()).Run(App.arguments(), ErrorOut);
}

int RunWindow(int argc, char** argv)
{
    QApplication App(argc, argv);
    // Ties the window to the desktop entry vendrel.desktop (its icon, on Wayland too).
    QGuiApplication::setDesktopFileName(QStringLiteral("vendrel"));
    QSettings Store(QStringLiteral("Halvorn"), QStringLiteral("Vendrel"));
    TQtDialogs Dialogs;
    int Result = 0;
    {
        TMainForm MainForm(Dialogs, Store, LocaleSeparator());
        const QStringList Arguments = App.arguments();
        if (Arguments.size() > 1)
            MainForm.OpenDocument(Arguments.at(1));
        MainForm.show();
        Result = App.exec();
    }
    return Result;
}
} // namespace

int main(int argc, char** argv)
{
    if (TRenderCommand::Requested(argc, argv))
        return RunRender(argc, argv);
    if (const std::optional<int> Code = TCommandLine::Answer(argc, argv))
        return *Code;
    return RunWindow(argc, argv);
}
