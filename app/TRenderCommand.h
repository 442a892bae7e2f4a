#pragma once
// `vendrel --render FILE.vdg OUT.png [--size WxH] [--time T] [--filled] [--scale R]
// [--time-limit S] [--document-limit KIB]`: draws a document with the plot renderer into a PNG,
// without a window. Margin 5, arrow size 3, every other setting and view switch at its start
// value, graphs enabled, time "0" unless given. --scale R draws the picture as a screen of R
// device pixels per pixel shows it: WxH times R pixels, every pixel measure times R (the
// environment's scale settings play no part). Reading, drawing, encoding and writing run under
// one time budget (10 s unless given, an animation's too); a stopped render leaves no partial
// file or folder. A document larger than the document limit (64 MiB unless given) is not read.
// OUT's extension chooses the format: .png, .svg, .pdf, or an animation, .webp or .gif,
// with --from T0 --to T1 --step DT [--delay MS]; --frames DIR in place of OUT writes the
// animation's frames as numbered PNGs. No partial file is ever left. --set NAME=VALUE starts
// the document's parameter NAME at VALUE; an animation ticks the parameters once a frame.
#include "export/TAnimationExport.h"
#include "export/TExportFormat.h"
#include "plot/TProfileFile.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTextStream;
class TFrameSink;
class TParameterList;
class TPartialOutput;

class TRenderCommand
{
  public:
    enum ExitCode
    {
        Success = 0,
        Failure = 1, // the document could not be drawn or the picture not written
        Usage = 2,   // the arguments do not form a render command
    };

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
        QString Time; // as given with --time (HasTime)
        bool Filled = false;
        TExportFormat Format = TExportFormat::Png;
        bool HasTime = false;
        // The animation options as given, each empty when absent.
        QString From, To, Step, Delay, Frames;
        TAnimationPlan Animation;
        double Scale = 1;
        double TimeLimit = 10;                            // seconds
        qint64 DocumentLimit = TProfileFile::MaxFileSize; // bytes
        std::vector<QString> Sets;                        // NAME=VALUE, as given with --set
    };

    // False, with a message in Error, when the arguments do not parse.
    bool Parse(const QStringList& Arguments, TOptions& Options, QString& Error) const;
    // Chooses the format and checks the options that belong to it.
    bool CheckFormat(TOptions& Options, QString& Error) const;
    bool ParseAnimation(TOptions& Options, QString& Error) const;
    // The --set values, applied to Parameters; false, with a message in Error, when one is
    // malformed or names no parameter of the document.
    bool ApplySets(const TOptions& Options, TParameterList& Parameters, QString& Error) const;
    int Render(const TOptions& Options, QTextStream& ErrorOut) const;
    // Draws, then writes Bytes or commits Sink; false, with the errors written to ErrorOut,
    // when either fails. Every step on disk is taken through Partial.
    bool DrawAndWrite(const TOptions& Options, QTextStream& ErrorOut, TPartialOutput& Partial) const;
    // Reads and draws the document and encodes the picture into Bytes, or an animation's
    // frames into Sink (made here); false, with the errors written to ErrorOut, when it cannot
    // be drawn. Nothing reaches the output until Bytes is written or Sink committed.
    bool Draw(const TOptions& Options, QTextStream& ErrorOut, QByteArray& Bytes,
              std::unique_ptr<TFrameSink>& Sink, TPartialOutput& Partial) const;

    char16_t Sep;
};
