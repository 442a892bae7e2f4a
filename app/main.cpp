// Vendrel's entry point. `--render` draws a document into a PNG without a display, `--help`
// and `--version` answer on standard output; otherwise the main window opens, with a
// document if one is named.
#include "app/RenderText.h"
#include "app/TCommandLine.h"
#include "app/TDialogs.h"
#include "app/TMainForm.h"
#include "app/TRenderCommand.h"
#include "app/TSettingsFile.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QSettings>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <new>
#include <optional>

namespace
{
// The user's decimal separator, read once; the program never sets it.
char16_t LocaleSeparator()
{
    return QLocale::system().decimalPoint().at(0).unicode();
}

// The arguments left after the application took its own, as the bytes the user gave. An
// argument whose bytes do not come back from its text (not UTF-8) is put in Unusable: as a file
// name it would open or write another file than the one named. The program's own path is not
// a name the user gave.
QStringList DecodedArguments(int argc, char** argv, QString& Unusable)
{
    QStringList Arguments;
    for (int i = 0; i < argc; ++i)
    {
        const QByteArray Raw(argv[i]);
        Arguments << QFile::decodeName(Raw);
        if (i > 0 && Unusable.isEmpty() && QFile::encodeName(Arguments.last()) != Raw)
            Unusable = Arguments.last();
    }
    return Arguments;
}

QString UnusableNameText(const QString& Name)
{
    return QString::fromUtf8(Msg::UnusableName).arg(Name);
}

// The settings by which a desktop scales what Qt draws: a picture drawn by --render has the
// scale it is told (--scale) and none of the desktop's, so a thumbnail is the same everywhere.
constexpr const char* EnvironmentScaleSettings[] = {
    "QT_SCALE_FACTOR",           "QT_SCREEN_SCALE_FACTORS",         "QT_AUTO_SCREEN_SCALE_FACTOR",
    "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
    "QT_USE_PHYSICAL_DPI",
};

int RunRender(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* Name : EnvironmentScaleSettings)
        qunsetenv(Name);
    QGuiApplication App(argc, argv);
    QTextStream ErrorOut(stderr);
    QString Unusable;
    const QStringList Arguments = DecodedArguments(argc, argv, Unusable);
    if (!Unusable.isEmpty())
    {
        ErrorOut << Msg::ErrorPrefix << UnusableNameText(Unusable) << "\n";
        return TRenderCommand::Usage;
    }
    return TRenderCommand(LocaleSeparator()).Run(Arguments, ErrorOut);
}

int RunWindow(int argc, char** argv)
{
    QApplication App(argc, argv);
    // Ties the window to the desktop entry vendrel.desktop (its icon, on Wayland too).
    QGuiApplication::setDesktopFileName(QStringLiteral("vendrel"));
    QTextStream Warnings(stderr);
    TSettingsFile Settings(TSettingsFile::DefaultPath(), Warnings);
    TQtDialogs Dialogs;
    int Result = 0;
    {
        TMainForm MainForm(Dialogs, Settings.Store(), LocaleSeparator());
        QString Unusable;
        const QStringList Arguments = DecodedArguments(argc, argv, Unusable);
        // The window first, so that a document that cannot be opened is reported over it.
        MainForm.show();
        if (!Unusable.isEmpty())
        {
            Warnings << Msg::ErrorPrefix << UnusableNameText(Unusable) << "\n";
            Warnings.flush();
            Dialogs.ShowError(&MainForm, UnusableNameText(Unusable));
        }
        else if (Arguments.size() > 1)
            MainForm.OpenDocument(Arguments.at(1));
        Result = App.exec();
    }
    return Result;
}
} // namespace

int main(int argc, char** argv)
{
    // Past a file-size limit a write fails (and is reported) instead of killing the program
    // with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    // A pipe whose reader has gone fails the write ("cannot write") instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    try
    {
        if (const std::optional<int> Code = TCommandLine::Answer(argc, argv))
            return *Code;
        if (TRenderCommand::Requested(argc, argv))
            return RunRender(argc, argv);
        return RunWindow(argc, argv);
    }
    catch (const std::bad_alloc&)
    {
        std::fputs(Msg::OutOfMemoryLine, stderr);
        return 1;
    }
}
