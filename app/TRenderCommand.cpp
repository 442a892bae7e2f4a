#include "app/TRenderCommand.h"

#include "app/PlotFont.h"
#include "app/TTimeBudget.h"

#include "expr/Errors.h"
#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>

namespace
{
// Larger pictures are refused rather than risking an allocation the machine cannot make.
constexpr int MaxSide = 16384;
constexpr double MinScale = 0.25;
constexpr double MaxScale = 8;
// A time limit beyond a day is surely a typing error.
constexpr double MaxTimeLimit = 86400;

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
            Options.Time = Arguments[++i];
        else if (Argument == QLatin1String("--time-limit") && HasValue)
        {
            const std::optional<double> Seconds = ParseTimeLimit(Arguments[++i]);
            if (!Seconds)
            {
                Error = QStringLiteral("invalid time limit '%1': expected seconds, more than 0 and at most %2")
                            .arg(Arguments[i])
                            .arg(MaxTimeLimit);
                return false;
            }
            Options.TimeLimit = *Seconds;
        }
        else if (Argument.startsWith(QLatin1String("--")))
        {
            Error = QStringLiteral("unknown or incomplete option '%1'").arg(Argument);
            return false;
        }
        else
            Positional << Argument;
    }
    if (Positional.size() != 2)
    {
        Error = QStringLiteral("expected a document and an output file");
        return false;
    }
    Options.Document = Positional[0];
    Options.Output = Positional[1];
    return true;
}

int TRenderCommand::Run(const QStringList& Arguments, QTextStream& ErrorOut) const
{
    TOptions Options;
    QString Error;
    if (!Parse(Arguments, Options, Error))
    {
        ErrorOut << "vendrel: " << Error << "\n" << UsageText;
        ErrorOut.flush();
        return Usage;
    }
    const int Code = Render(Options, ErrorOut);
    ErrorOut.flush();
    return Code;
}

int TRenderCommand::Render(const TOptions& Options, QTextStream& ErrorOut) const
{
    // The drawing thread writes its errors here; ErrorOut itself is left to this thread, which
    // writes the overrun report while the drawing may still be running.
    QString DrawErrors;
    QByteArray Bytes;
    bool Drawn = false;
    const std::chrono::milliseconds Limit(std::llround(Options.TimeLimit * 1000));
    TTimeBudget(Limit).Run(
        [&]
        {
            QTextStream DrawErrorOut(&DrawErrors);
            Drawn = Draw(Options, DrawErrorOut, Bytes);
        },
        [&]
        {
            ErrorOut << "vendrel: the render took longer than " << QString::number(Options.TimeLimit)
                     << " s and was stopped\n";
            ErrorOut.flush();
        });
    ErrorOut << DrawErrors;
    if (!Drawn)
        return Failure;
    QSaveFile File(Options.Output);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit())
    {
        ErrorOut << "vendrel: cannot write " << Options.Output << "\n";
        return Failure;
    }
    return Success;
}

bool TRenderCommand::Draw(const TOptions& Options, QTextStream& ErrorOut, QByteArray& Bytes) const
{
    if (!QFileInfo(Options.Document).isFile())
    {
        ErrorOut << "vendrel: cannot open " << Options.Document << "\n";
        return false;
    }
    TPlotModel Model;
    TDocument::Read(Options.Document, Model);
    Model.GraphsEnabled = true;
    Model.TimeText = Options.Time;
    Model.FilledGraphs = Options.Filled;

    const QSize Size = DeviceSize(Options.Size, Options.Scale);
    if (Size.width() > MaxSide || Size.height() > MaxSide)
    {
        ErrorOut << "vendrel: the picture at scale " << Options.Scale << " is larger than " << MaxSide << "x"
                 << MaxSide << "\n";
        return false;
    }
    QImage Image(Size, QImage::Format_RGB32);
    bool Failed = false;
    {
        QPainter Painter(&Image);
        TGraphEvaluator Evaluator(Sep);
        TPlotRenderer Renderer(Model, Evaluator, Sep);
        try
        {
            DrawPlotOn(Painter, Renderer, TPlotTarget::Screen(Image.size(), Options.Scale, clWhite, PlotFont()),
                       [&](const Exception& CurveError)
                       {
                           ErrorOut << CurveError.Message() << "\n";
                           Failed = true;
                       });
        }
        catch (const Exception& DrawError)
        {
            ErrorOut << DrawError.Message() << "\n";
            Failed = true;
        }
    }
    if (Failed)
        return false;
    QBuffer Buffer(&Bytes);
    if (!Buffer.open(QIODevice::WriteOnly) || !Image.save(&Buffer, "PNG"))
    {
        ErrorOut << "vendrel: cannot encode the picture for " << Options.Output << "\n";
        return false;
    }
    return true;
}
