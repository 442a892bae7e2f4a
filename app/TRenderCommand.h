#pragma once
// `vendrel --render FILE.vdg OUT.png [--size WxH] [--time T] [--filled] [--scale R]
// [--time-limit S]`: draws a document with the plot renderer into a PNG, without a window.
// Margin 5, arrow size 3, every other setting and view switch at its start value, graphs
// enabled, time "0" unless given. --scale R draws the picture as a screen of R device pixels
// per pixel shows it: WxH times R pixels, every pixel measure times R. Reading, drawing and
// encoding run under a time budget (10 s unless given); the file is written only after that,
// so a stopped render leaves no partial file.
#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

class QTextStream;

class TRenderCommand
{
  public:
    enum ExitCode
    {
        Success = 0,
        Failure = 1, // the document could not be drawn or the picture not written
        Usage = 2,   // the arguments do not form a render command
    };

    static constexpr const char* UsageText =
        "usage: vendrel --render FILE.vdg OUT.png [--size WxH] [--time T] [--filled] [--scale R] "
        "[--time-limit S]\n";

    // The options for `vendrel --help`: one line per option, the name padded to 21 columns.
    static constexpr const char* OptionsHelp =
        "  --size WxH           picture size in pixels, each side 1 to 16384 (default 523x523)\n"
        "  --time T             the time parameter t, as typed in the time editor (default 0)\n"
        "  --filled             fill between each curve and the x axis\n"
        "  --scale R            draw for a screen of R device pixels per pixel, 0.25 to 8: the\n"
        "                       picture has WxH times R pixels (default 1)\n"
        "  --time-limit S       stop with an error when the render takes longer than S seconds\n"
        "                       (default 10)\n";

    // True when the arguments (program name first) ask for a render.
    static bool Requested(int argc, char** argv);

    explicit TRenderCommand(char16_t DecimalSeparator) : Sep(DecimalSeparator) {}

    // Arguments as QCoreApplication::arguments() gives them (program name first). Error
    // texts go to ErrorOut, one line each.
    int Run(const QStringList& Arguments, QTextStream& ErrorOut) const;

  private:
    struct TOptions
    {
        QString Document;
        QString Output;
        QSize Size{523, 523};
        QString Time = QStringLiteral("0");
        bool Filled = false;
        double Scale = 1;
        double TimeLimit = 10; // seconds
    };

    // False, with a message in Error, when the arguments do not parse.
    bool Parse(const QStringList& Arguments, TOptions& Options, QString& Error) const;
    int Render(const TOptions& Options, QTextStream& ErrorOut) const;
    // Reads and draws the document and encodes the picture into Bytes; false, with the
    // errors written to ErrorOut, when it cannot be drawn.
    bool Draw(const TOptions& Options, QTextStream& ErrorOut, QByteArray& Bytes) const;

    char16_t Sep;
};
