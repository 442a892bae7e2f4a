#include "app/TRenderCommand.h"

#include "app/PlotFont.h"
#include "app/TParameterOverrides.h"
#include "app/TTimeBudget.h"

#include "export/Errors.h"
#include "export/TFrameSink.h"
#include "export/TPartialOutput.h"
#include "export/TPictureWriter.h"
#include "export/TPlotPicture.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/Errors.h"
#include "plot/TDocument.h"
#include "plot/TParameterDocument.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotTarget.h"
#include "plot/TProfileFile.h"
#include "plot/TRegularFile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <chrono>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>

namespace
{
constexpr int MaxSide = MaxPictureSide;
// SVG, PDF and animations are at least this wide and high (PNG keeps its sizes from 1 on).
constexpr int MinExportSide = 16;
// A GIF counts a frame's delay in hundredths of a second up to 65535.
constexpr int MaxDelayMs = 60000;
constexpr double MinScale = 0.25;
constexpr double MaxScale = 8;
// A time limit beyond a day is surely a typing error.
constexpr double MaxTimeLimit = 86400;
constexpr qint64 MaxDocumentKiB = TProfileFile::MaxFileSize / 1024;

std::optional<QSize> ParseSize(const QString& Text)
{
    static const QRegularExpression Pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch Match = Pattern.match(Text);
    if (!Match.hasMatch())
        return std::nullopt;
    const QSize Size(Match.captured(1).toInt(), Match.captured(2).toInt());
    if (Size.width() < 1 || Size.height() < 1 || Size.width() > MaxSide || Size.height() > MaxSide)
        return std::nullopt;
    return Size;
}

// A scale written with ".", from MinScale to MaxScale.
std::optional<double> ParseScale(const QString& Text)
{
    bool Ok = false;
    const double Scale = Text.toDouble(&Ok);
    if (!Ok || !(Scale >= MinScale && Scale <= MaxScale))
        return std::nullopt;
    return Scale;
}

// Seconds written with ".", more than 0 and at most MaxTimeLimit.
std::optional<double> ParseTimeLimit(const QString& Text)
{
    bool Ok = false;
    const double Seconds = Text.toDouble(&Ok);
    if (!Ok || !(Seconds > 0) || Seconds > MaxTimeLimit)
        return std::nullopt;
    return Seconds;
}

// Kibibytes written as decimal digits, 1 to MaxDocumentKiB.
std::optional<qint64> ParseKiB(const QString& Text)
{
    static const QRegularExpression Digits(QStringLiteral("^\\d{1,6}$"));
    const qint64 KiB = Digits.match(Text).hasMatch() ? Text.toLongLong() : 0;
    if (KiB < 1 || KiB > MaxDocumentKiB)
        return std::nullopt;
    return KiB;
}

// Where the value of an animation option goes, or null for any other argument.
QString* AnimationOption(auto& Options, const QString& Argument)
{
    if (Argument == QLatin1String("--from"))
        return &Options.From;
    if (Argument == QLatin1String("--to"))
        return &Options.To;
    if (Argument == QLatin1String("--step"))
        return &Options.Step;
    if (Argument == QLatin1String("--delay"))
        return &Options.Delay;
    if (Argument == QLatin1String("--frames"))
        return &Options.Frames;
    return nullptr;
}
} // namespace

bool TRenderCommand::Requested(int argc, char** argv)
{
    return argc > 1 && std::strcmp(argv[1], "--render") == 0;
}

bool TRenderCommand::Parse(const QStringList& Arguments, TOptions& Options, QString& Error) const
{
    QStringList Positional;
    for (qsizetype i = 2; i < Arguments.size(); ++i)
    {
        const QString& Argument = Arguments[i];
        const bool HasValue = i + 1 < Arguments.size();
        if (Argument == QLatin1String("--filled"))
            Options.Filled = true;
        else if (Argument == QLatin1String("--size") && HasValue)
        {
            const std::optional<QSize> Size = ParseSize(Arguments[++i]);
            if (!Size)
            {
                Error = QStringLiteral("invalid size '%1': expected WxH, each 1 to %2")
                            .arg(Arguments[i])
                            .arg(MaxSide);
                return false;
            }
            Options.Size = *Size;
        }
        else if (Argument == QLatin1String("--scale") && HasValue)
        {
            const std::optional<double> Scale = ParseScale(Arguments[++i]);
            if (!Scale)
            {
                Error = QStringLiteral("invalid scale '%1': expected a number from %2 to %3")
                            .arg(Arguments[i])
                            .arg(MinScale)
                            .arg(MaxScale);
                return false;
            }
            Options.Scale = *Scale;
        }
        else if (Argument == QLatin1String("--time") && HasValue)
        {
            Options.Time = Arguments[++i];
            Options.HasTime = true;
        }
        else if (Argument == QLatin1String("--time-limit") && HasValue)
        {
            const std::optional<double> Seconds = ParseTimeLimit(Arguments[++i]);
            if (!Seconds)
            {
                Error =
                    QStringLiteral("invalid time limit '%1': expected seconds, more than 0 and at most %2")
                        .arg(Arguments[i])
                        .arg(MaxTimeLimit);
                return false;
            }
            Options.TimeLimit = *Seconds;
        }
        else if (Argument == QLatin1String("--document-limit") && HasValue)
        {
            const std::optional<qint64> KiB = ParseKiB(Arguments[++i]);
            if (!KiB)
            {
                Error = QStringLiteral("invalid document limit '%1': expected KiB, 1 to %2")
                            .arg(Arguments[i])
                            .arg(MaxDocumentKiB);
                return false;
            }
            Options.DocumentLimit = *KiB * 1024;
        }
        else if (Argument == QLatin1String("--set") && HasValue)
            Options.Sets.push_back(Arguments[++i]);
        else if (QString* Value = AnimationOption(Options, Argument); Value && HasValue)
            *Value = Arguments[++i];
        else if (Argument.startsWith(QLatin1String("--")))
        {
            Error = QStringLiteral("unknown or incomplete option '%1'").arg(Argument);
            return false;
        }
        else
            Positional << Argument;
    }
    if (Positional.size() != (Options.Frames.isEmpty() ? 2 : 1))
    {
        Error = Options.Frames.isEmpty()
                    ? QStringLiteral("expected a document and an output file")
                    : QStringLiteral("expected a document and --frames DIR, no output file");
        return false;
    }
    Options.Document = Positional[0];
    Options.Output = Options.Frames.isEmpty() ? Positional[1] : Options.Frames;
    return CheckFormat(Options, Error);
}

bool TRenderCommand::CheckFormat(TOptions& Options, QString& Error) const
{
    if (!Options.Frames.isEmpty())
        Options.Format = TExportFormat::Frames;
    else if (QFileInfo(Options.Output).suffix().isEmpty())
        Options.Format = TExportFormat::Png; // a name without an extension has always meant a PNG
    else if (const std::optional<TExportFormat> Format = FormatForFile(Options.Output))
        Options.Format = *Format;
    else
    {
        Error = QStringLiteral("unknown output format '%1': expected .png, .svg, .pdf, .webp or .gif")
                    .arg(Options.Output);
        return false;
    }
    // Pictures of the new formats keep to the sizes the export dialog offers, and each format
    // to the largest it takes.
    const int Least = Options.Format == TExportFormat::Png ? 1 : MinExportSide;
    const int Most = MaxSideOf(Options.Format);
    if (Options.Size.width() < Least || Options.Size.height() < Least || Options.Size.width() > Most ||
        Options.Size.height() > Most)
    {
        Error = QStringLiteral("invalid size '%1x%2' for %3: expected WxH, each %4 to %5")
                    .arg(Options.Size.width())
                    .arg(Options.Size.height())
                    .arg(Options.Output)
                    .arg(Least)
                    .arg(Most);
        return false;
    }
    if (const QSize Scaled = DeviceSize(Options.Size, Options.Scale);
        Scaled.width() > Most || Scaled.height() > Most)
    {
        Error = QStringLiteral(
                    "invalid size '%1x%2' at scale %3: the picture would be %4x%5, more than %6 a side")
                    .arg(Options.Size.width())
                    .arg(Options.Size.height())
                    .arg(Options.Scale)
                    .arg(Scaled.width())
                    .arg(Scaled.height())
                    .arg(Most);
        return false;
    }
    if (IsAnimation(Options.Format))
        return ParseAnimation(Options, Error);
    if (!(Options.From + Options.To + Options.Step + Options.Delay).isEmpty())
    {
        Error =
            QStringLiteral("--from, --to, --step and --delay need a .webp or .gif output or --frames DIR");
        return false;
    }
    return true;
}

bool TRenderCommand::ParseAnimation(TOptions& Options, QString& Error) const
{
    if (Options.HasTime)
    {
        Error =
            QStringLiteral("--time does not apply to an animation: its times are --from, --to and --step");
        return false;
    }
    if (Options.From.isEmpty() || Options.To.isEmpty() || Options.Step.isEmpty())
    {
        Error = QStringLiteral("an animation needs --from T0, --to T1 and --step DT");
        return false;
    }
    TAnimationPlan& Plan = Options.Animation;
    Plan.Size = DeviceSize(Options.Size, Options.Scale);
    try
    {
        Plan.From = TextToFloat(Options.From.toStdU16String(), Sep);
        Plan.To = TextToFloat(Options.To.toStdU16String(), Sep);
        Plan.Step = TextToFloat(Options.Step.toStdU16String(), Sep);
        TAnimationExport::FrameCount(Plan);
    }
    catch (const Exception& Bad)
    {
        Error = QString::fromUtf8(Bad.Message());
        return false;
    }
    if (!Options.Delay.isEmpty())
    {
        static const QRegularExpression Digits(QStringLiteral("^\\d{1,5}$"));
        const int Delay = Digits.match(Options.Delay).hasMatch() ? Options.Delay.toInt() : 0;
        if (Delay < 1 || Delay > MaxDelayMs)
        {
            Error = QStringLiteral("invalid delay '%1': expected milliseconds, 1 to %2")
                        .arg(Options.Delay)
                        .arg(MaxDelayMs);
            return false;
        }
        Plan.DelayMs = Delay;
    }
    return true;
}

bool TRenderCommand::ApplySets(const TOptions& Options, TParameterList& Parameters, QString& Error) const
{
    TParameterOverrides Overrides(Sep);
    for (const QString& Set : Options.Sets)
        if (!Overrides.Add(Set, Error))
            return false;
    return Overrides.ApplyTo(Parameters, Error);
}

int TRenderCommand::Run(const QStringList& Arguments, QTextStream& ErrorOut) const
{
    TOptions Options;
    QString Error;
    bool Parsed = Parse(Arguments, Options, Error);
    // The --set names are checked against the document's parameters before anything is drawn.
    if (Parsed && !Options.Sets.empty())
    {
        TParameterList Parameters = TParameterDocument::Read(TProfileFile(Options.Document));
        Parsed = ApplySets(Options, Parameters, Error);
    }
    if (!Parsed)
    {
        // One line names what is wrong; the usage follows only when nothing at all was given.
        ErrorOut << "vendrel: " << Error << "\n";
        if (Arguments.size() <= 2)
            ErrorOut << UsageText;
        ErrorOut.flush();
        return Usage;
    }
    int Code = Failure;
    try
    {
        Code = Render(Options, ErrorOut);
    }
    catch (const std::bad_alloc&)
    {
        ErrorOut << "vendrel: " << Msg::OutOfMemory.data() << "\n";
    }
    ErrorOut.flush();
    return Code;
}

int TRenderCommand::Render(const TOptions& Options, QTextStream& ErrorOut) const
{
    // The work writes its errors here; ErrorOut itself is left to this thread, which writes
    // the overrun report while the work may still be running.
    QString WorkErrors;
    TPartialOutput Partial;
    bool Written = false;
    // Reading, drawing and writing, animations included, all within the one budget: a stopped
    // render takes away what it began on disk before the process ends.
    TTimeBudget(std::chrono::milliseconds(std::llround(Options.TimeLimit * 1000)))
        .Run(
            [&]
            {
                QTextStream WorkErrorOut(&WorkErrors);
                Written = DrawAndWrite(Options, WorkErrorOut, Partial);
            },
            [&]
            {
                ErrorOut << "vendrel: the render took longer than " << QString::number(Options.TimeLimit)
                         << " s and was stopped\n";
                ErrorOut.flush();
                Partial.Abandon();
            });
    ErrorOut << WorkErrors;
    return Written ? Success : Failure;
}

bool TRenderCommand::DrawAndWrite(const TOptions& Options, QTextStream& ErrorOut,
                                  TPartialOutput& Partial) const
{
    QByteArray Bytes;
    std::unique_ptr<TFrameSink> Sink;
    if (!Draw(Options, ErrorOut, Bytes, Sink, Partial))
        return false;
    try
    {
        if (Sink)
            Sink->Commit();
        else
            TPictureWriter::SaveBytes(Bytes, Options.Output, &Partial);
    }
    catch (const EExportError& WriteError)
    {
        ErrorOut << "vendrel: " << WriteError.Message() << "\n";
        return false;
    }
    return true;
}

bool TRenderCommand::Draw(const TOptions& Options, QTextStream& ErrorOut, QByteArray& Bytes,
                          std::unique_ptr<TFrameSink>& Sink, TPartialOutput& Partial) const
{
    if (TRegularFile::Check(Options.Document, Options.DocumentLimit) == TRegularFile::TStatus::TooLarge)
    {
        ErrorOut << "vendrel: " << Options.Document << " is larger than the document limit of "
                 << Options.DocumentLimit / 1024 << " KiB\n";
        return false;
    }
    // Only a regular file of at most the document size is read: never a device or a pipe.
    const TProfileFile File(Options.Document);
    if (File.LoadStatus() != TRegularFile::TStatus::Read)
    {
        ErrorOut << "vendrel: cannot open " << Options.Document << "\n";
        return false;
    }
    TPlotModel Model;
    TDocument::Read(File, Model);
    Model.GraphsEnabled = true;
    if (Options.HasTime)
        Model.TimeText = Options.Time; // otherwise the model's start time
    Model.FilledGraphs = Options.Filled;
    QString SetError; // checked in Run
    ApplySets(Options, Model.Parameters, SetError);

    const QSize Size = DeviceSize(Options.Size, Options.Scale);
    TPlotPicture Picture(Model, Sep, clWhite, PlotFont(), Options.Scale);
    try
    {
        if (IsAnimation(Options.Format))
        {
            Sink = TAnimationExport::MakeSink(Options.Format, Options.Output, Options.Animation, &Partial);
            TAnimationExport::DrawFrames(Picture, Options.Animation, *Sink, {});
        }
        else
            Bytes = TPictureWriter::Encode(Picture, Options.Format, Size, Options.Output);
    }
    catch (const EExportError& WriteError)
    {
        ErrorOut << "vendrel: " << WriteError.Message() << "\n";
        return false;
    }
    catch (const Exception& DrawError)
    {
        ErrorOut << DrawError.Message() << "\n";
        return false;
    }
    return true;
}
