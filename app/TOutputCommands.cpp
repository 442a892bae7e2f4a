#include "app/TOutputCommands.h"

#include "app/Errors.h"
#include "app/TDialogs.h"
#include "app/TPrintOutput.h"
#include "controls/TWindowBox.h"
#include "export/TAnimationExport.h"
#include "export/TFrameSink.h"
#include "export/TPictureWriter.h"
#include "export/TPlotPicture.h"
#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include <charconv>

namespace
{
// A single-precision step as the settings show it: its shortest text (0.05, not 0.0500000007).
QString StepText(float Step, char16_t Sep)
{
    char Digits[32];
    const auto Result = std::to_chars(Digits, Digits + sizeof Digits, Step);
    return QString::fromLatin1(Digits, int(Result.ptr - Digits)).replace(QLatin1Char('.'), QChar(Sep));
}

// A default animation of 100 frames from the current time.
constexpr int DefaultFrames = 100;
} // namespace

TOutputCommands::TOutputCommands(const TPlotModel& ModelIn, TPlotRenderer& RendererIn, TWindowBox& SurfaceIn,
                                 TDialogs& DialogsIn, char16_t DecimalSeparator, TDrawMarks DrawMarksIn,
                                 TCurveFailed CurveFailedIn)
    : Model(ModelIn), Renderer(RendererIn), Surface(SurfaceIn), Dialogs(DialogsIn), Sep(DecimalSeparator),
      DrawMarks(std::move(DrawMarksIn)), CurveFailed(std::move(CurveFailedIn)),
      Printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

TOutputCommands::~TOutputCommands() = default;

QImage TOutputCommands::Render(double Scale)
{
    QImage Image(DeviceSize(Surface.size(), Scale), QImage::Format_RGB32);
    QPainter Painter(&Image);
    DrawPlotOn(Painter, Renderer, TPlotTarget::Screen(Image.size(), Scale, Surface.Color(), Surface.font()),
               CurveFailed);
    return Image;
}

// Drawn first: a failing drawing leaves the clipboard as it was.
void TOutputCommands::Copy(bool AtScreenResolution)
{
    const double Scale = AtScreenResolution ? Surface.devicePixelRatioF() : 1;
    QImage Picture = Render(Scale);
    {
        const TPlotTarget Target =
            TPlotTarget::Screen(Picture.size(), Scale, Surface.Color(), Surface.font());
        QPainter Painter(&Picture);
        DrawMarks(Painter, Picture.width(), Picture.height(), Target.Margin, Scale);
    }
    QGuiApplication::clipboard()->setImage(Picture);
}

void TOutputCommands::Print()
{
    TPrintOutput::PrintExecute(
        *Printer,
        [this](QPainter& Painter, int W, int H, int Margin, int Arrow)
        { DrawPage(Painter, W, H, Margin, Arrow); },
        [this](const QString& Text) { Dialogs.ShowErrorMessage(Surface.window(), Text); });
}

// Where no printer exists the plot can still go on paper later: into a PDF file. The file is
// made in memory and written as Export Picture writes its PDF, whole or not at all (a full disk
// leaves no truncated PDF), failing alike for the same target.
void TOutputCommands::PrintPdf()
{
    QWidget* Owner = Surface.window();
    const QString Name = Dialogs.GetPdfFileName(Owner);
    if (Name.isEmpty())
        return;
    QPrinter Pdf(QPrinter::HighResolution);
    Pdf.setOutputFormat(QPrinter::PdfFormat);
    const QByteArray Bytes =
        TPrintOutput::PdfPage(Printer->pageLayout(), Pdf.resolution(),
                              [this](QPainter& Painter, int W, int H, int Margin, int Arrow)
                              { DrawPage(Painter, W, H, Margin, Arrow); });
    if (Bytes.isEmpty())
    {
        Dialogs.ShowErrorMessage(Owner, QString::fromLatin1(Msg::CannotStartPrinting));
        return;
    }
    TPictureWriter::SaveBytes(Bytes, Name);
}

void TOutputCommands::PageSetup()
{
    Dialogs.PageSetup(Surface.window(), *Printer);
}

void TOutputCommands::DrawPage(QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
{
    DrawPlotOn(Painter, Renderer, TPlotTarget::Page(QSize(Width, Height), Margin, ArrowSize), CurveFailed);
    DrawMarks(Painter, Width, Height, Margin, ArrowSize / 3.0);
}

void TOutputCommands::ExportPicture()
{
    TPictureChoice Defaults;
    Defaults.Size = Surface.size();
    Defaults.Time = Model.TimeText;
    Defaults.Filled = Model.FilledGraphs;
    Defaults.FileName = ExportFileName;
    const std::optional<TPictureChoice> Choice = Dialogs.ExportPicture(Surface.window(), Defaults);
    if (!Choice)
        return;
    ExportFileName = Choice->FileName;
    TPlotPicture Picture(Model, Sep, Surface.Color(), Surface.font());
    Picture.Model().TimeText = Choice->Time;
    Picture.Model().FilledGraphs = Choice->Filled;
    TPictureWriter::Write(Picture, Choice->Format, Choice->Size, Choice->FileName);
}

// The step in use while animating, else the one the settings give; 100 frames from the time.
void TOutputCommands::ExportAnimation()
{
    const float Step = Model.TimeIncrement != 0 ? Model.TimeIncrement : Model.TimeStep;
    TAnimationChoice Defaults;
    Defaults.Size = Surface.size();
    Defaults.From = Model.TimeText;
    Defaults.Step = StepText(Step, Sep);
    Float80 From = 0;
    try
    {
        From = TEvalContext::ReadTime(Model.TimeText, Sep);
    }
    catch (const Exception&)
    {
        Defaults.From = QStringLiteral("0");
    }
    const Float80 Steps = DefaultFrames * TEvalContext::ReadTime(Defaults.Step, Sep);
    Defaults.To = QString::fromStdU16String(FormatGeneral15(From + Steps, Sep));
    Defaults.FileName = ExportFileName;
    const std::optional<TAnimationChoice> Choice = Dialogs.ExportAnimation(Surface.window(), Defaults);
    if (!Choice)
        return;
    ExportFileName = Choice->FileName;
    TAnimationPlan Plan = TAnimationPlan::Read(Choice->From, Choice->To, Choice->Step, Sep);
    Plan.DelayMs = Choice->DelayMs;
    Plan.Size = Choice->Size;
    TPlotPicture Picture(Model, Sep, Surface.Color(), Surface.font());
    const std::unique_ptr<TFrameSink> Sink =
        TAnimationExport::MakeSink(Choice->Format, Choice->FileName, Plan);
    std::unique_ptr<TExportProgress> Progress = Dialogs.StartProgress(Surface.window(), Plan.FrameCount());
    TAnimationExport::Run(Picture, Plan, *Sink, [&](int Done, int) { return Progress->Advance(Done); });
}
