#include "app/TRenderCommand.h"

#include "app/PlotFont.h"
#include "app/RenderText.h"
#include "app/TParameterOverrides.h"
#include "app/TTimeBudget.h"

#include "export/Errors.h"
#include "export/TExportLimits.h"
#include "export/TFrameSink.h"
#include "export/TPartialOutput.h"
#include "export/TPictureWriter.h"
#include "export/TPlotPicture.h"
#include "expr/Errors.h"
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
using ExportLimits::MaxScale;
using ExportLimits::MaxSide;
using ExportLimits::MinScale;
// A time limit beyond a day is surely a typing error.
constexpr double MaxTimeLimit = 86400;
constexpr qint64 MaxDocumentKiB = TProfileFile::MaxFileSize / 1024;

QString MessageText(const char* Message)
{
    return QString::fromUtf8(Message);
}

std::optional<QSize> ParseSize(const QString& Text)
{
    static const QRegularExpression Pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch Match = Pattern.match(Text);
    if (!Match.hasMatch())
        return std::nullopt;
    const QSize Size(Match.captured(1).toInt(), Match.captured(2).toInt());
    if (Size.width() < ExportLimits::MinPngSide || Size.height() < ExportLimits::MinPngSide ||
        Size.width() > MaxSide || Size.height() > MaxSide)
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
                Error = MessageText(Msg::InvalidSize).arg(Arguments[i]).arg(MaxSide);
                return false;
            }
            Options.Size = *Size;
        }
        else if (Argument == QLatin1String("--scale") && HasValue)
        {
            const std::optional<double> Scale = ParseScale(Arguments[++i]);
            if (!Scale)
            {
                Error = MessageText(Msg::InvalidScale).arg(Arguments[i]).arg(MinScale).arg(MaxScale);
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
                Error = MessageText(Msg::InvalidTimeLimit).arg(Arguments[i]).arg(MaxTimeLimit);
                return false;
            }
            Options.TimeLimit = *Seconds;
        }
        else if (Argument == QLatin1String("--document-limit") && HasValue)
        {
            const std::optional<qint64> KiB = ParseKiB(Arguments[++i]);
            if (!KiB)
            {
                Error = MessageText(Msg::InvalidDocumentLimit).arg(Arguments[i]).arg(MaxDocumentKiB);
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
            Error = MessageText(Msg::UnknownOption).arg(Argument);
            return false;
        }
        else
            Positional << Argument;
    }
    if (Positional.size() != (Options.Frames.isEmpty() ? 2 : 1))
    {
        Error = MessageText(Options.Frames.isEmpty() ? Msg::NoDocumentAndOutput : Msg::NoDocumentAndFrames);
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
        Error = MessageText(Msg::UnknownFormat).arg(Options.Output);
        return false;
    }
    const int Least = LeastSideOf(Options.Format);
    const int Most = MaxSideOf(Options.Format);
    if (Options.Size.width() < Least || Options.Size.height() < Least || Options.Size.width() > Most ||
        Options.Size.height() > Most)
    {
        Error = MessageText(Msg::InvalidSizeFor)
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
        Error = MessageText(Msg::InvalidScaledSize)
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
        Error = MessageText(Msg::TimesWithoutAnimation);
        return false;
    }
    return true;
}

bool TRenderCommand::ParseAnimation(TOptions& Options, QString& Error) const
{
    if (Options.HasTime)
    {
        Error = MessageText(Msg::TimeInAnimation);
        return false;
    }
    if (Options.From.isEmpty() || Options.To.isEmpty() || Options.Step.isEmpty())
    {
        Error = MessageText(Msg::AnimationWithoutTimes);
        return false;
    }
    TAnimationPlan& Plan = Options.Animation;
    try
    {
        Plan = TAnimationPlan::Read(Options.From, Options.To, Options.Step, Sep);
    }
    catch (const Exception& Bad)
    {
        Error = QString::fromUtf8(Bad.Message());
        return false;
    }
    Plan.Size = DeviceSize(Options.Size, Options.Scale);
    if (!Options.Delay.isEmpty())
    {
        static const QRegularExpression Digits(QStringLiteral("^\\d{1,5}$"));
        const int Delay = Digits.match(Options.Delay).hasMatch() ? Options.Delay.toInt() : 0;
        if (!TAnimationPlan::DelayFits(Delay))
        {
            Error = MessageText(Msg::InvalidDelay)
                        .arg(Options.Delay)
                        .arg(ExportLimits::MinDelayMs)
                        .arg(ExportLimits::MaxDelayMs);
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
        ErrorOut << Msg::ErrorPrefix << Error << "\n";
        if (Arguments.size() <= 2)
            ErrorOut << Msg::RenderUsage;
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
        ErrorOut << Msg::ErrorPrefix << Msg::OutOfMemory.data() << "\n";
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
                ErrorOut << Msg::ErrorPrefix
                         << MessageText(Msg::RenderStopped).arg(QString::number(Options.TimeLimit)) << "\n";
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
        ErrorOut << Msg::ErrorPrefix << WriteError.Message() << "\n";
        return false;
    }
    return true;
}

bool TRenderCommand::Draw(const TOptions& Options, QTextStream& ErrorOut, QByteArray& Bytes,
                          std::unique_ptr<TFrameSink>& Sink, TPartialOutput& Partial) const
{
    if (TRegularFile::Check(Options.Document, Options.DocumentLimit) == TRegularFile::TStatus::TooLarge)
    {
        ErrorOut
            << Msg::ErrorPrefix
            << MessageText(Msg::DocumentOverLimit).arg(Options.Document).arg(Options.DocumentLimit / 1024)
            << "\n";
        return false;
    }
    // Only a regular file of at most the document size is read: never a device or a pipe.
    const TProfileFile File(Options.Document);
    if (File.LoadStatus() != TRegularFile::TStatus::Read)
    {
        ErrorOut << Msg::ErrorPrefix << MessageText(Msg::CannotOpenDocument).arg(Options.Document) << "\n";
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
        ErrorOut << Msg::ErrorPrefix << WriteError.Message() << "\n";
        return false;
    }
    catch (const Exception& DrawError)
    {
        ErrorOut << DrawError.Message() << "\n";
        return false;
    }
    return true;
}
