#pragma once
// `vendrel --render FILE.vdg OUT.png [--size WxH] [--time T] [--filled]`: draws a document
// with the plot renderer into a PNG, without a window. Margin 5, arrow size 3, every other
// setting and view switch at its start value, graphs enabled, time "0" unless given.
// OUT's extension chooses the format: .png, .svg, .pdf, or an animation, .webp or .gif,
// with --from T0 --to T1 --step DT [--delay MS]; --frames DIR in place of OUT writes the
// animation's frames as numbered PNGs. No partial file is ever left.
#include "export/TAnimationExport.h"
#include "export/TExportFormat.h"

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
        "usage: vendrel --render FILE.vdg OUT.png|.svg|.pdf [--size WxH] [--time T] [--filled]\n"
        "       vendrel --render FILE.vdg OUT.webp|.gif|--frames DIR --from T0 --to T1 --step DT [--delay MS]"
        " [--size WxH] [--filled]\n";

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
        TExportFormat Format = TExportFormat::Png;
        bool HasTime = false;
        bool HasSize = false;
        // The animation options as given, each empty when absent.
        QString From, To, Step, Delay, Frames;
        TAnimationSpec Animation;
    };

    // False, with a message in Error, when the arguments do not parse.
    bool Parse(const QStringList& Arguments, TOptions& Options, QString& Error) const;
    // Chooses the format and checks the options that belong to it.
    bool CheckFormat(TOptions& Options, QString& Error) const;
    bool ParseAnimation(TOptions& Options, QString& Error) const;
    int Render(const TOptions& Options, QTextStream& ErrorOut) const;

    char16_t Sep;
};
