// File > Export Picture and File > Export Animation: the plot as the screen shows it (the
// same background, font, view and graphs), at the size and times the user chooses.
#include "app/TMainForm.h"

#include "app/TDialogs.h"
#include "controls/TWindowBox.h"
#include "export/TAnimationExport.h"
#include "export/TFrameSink.h"
#include "export/TPictureWriter.h"
#include "export/TPlotPicture.h"
#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "plot/TEvalContext.h"

#include <QLineEdit>

#include <charconv>
#include <memory>

namespace
{
Float80 ReadTime(const QString& Text, char16_t Sep)
{
    return TEvalContext::ReadTime(Text, Sep);
}

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

void TMainForm::ExportPictureExecute()
{
    TPictureChoice Defaults;
    Defaults.Size = WindowBox->size();
    Defaults.Time = PlotModel.TimeText;
    Defaults.Filled = PlotModel.FilledGraphs;
    Defaults.FileName = ExportFileName;
    const std::optional<TPictureChoice> Choice = Dialogs.ExportPicture(this, Defaults);
    if (!Choice)
        return;
    ExportFileName = Choice->FileName;
    TPlotPicture Picture(PlotModel, DecimalSeparator, WindowBox->Color(), WindowBox->font());
    Picture.Model().TimeText = Choice->Time;
    Picture.Model().FilledGraphs = Choice->Filled;
    TPictureWriter::Write(Picture, Choice->Format, Choice->Size, Choice->FileName);
}

void TMainForm::ExportAnimationExecute()
{
    // The step in use while animating, else the one the settings give.
    const float Step = PlotModel.TimeIncrement != 0 ? PlotModel.TimeIncrement : PlotModel.TimeStep;
    TAnimationChoice Defaults;
    Defaults.Size = WindowBox->size();
    Defaults.From = PlotModel.TimeText;
    Defaults.Step = StepText(Step, DecimalSeparator);
    const Float80 StepValue = ReadTime(Defaults.Step, DecimalSeparator);
    Float80 From = 0;
    try
    {
        From = ReadTime(PlotModel.TimeText, DecimalSeparator);
    }
    catch (const Exception&)
    {
        Defaults.From = QStringLiteral("0");
    }
    Defaults.To =
        QString::fromStdU16String(FormatGeneral15(From + DefaultFrames * StepValue, DecimalSeparator));
    Defaults.FileName = ExportFileName;
    const std::optional<TAnimationChoice> Choice = Dialogs.ExportAnimation(this, Defaults);
    if (!Choice)
        return;
    ExportFileName = Choice->FileName;

    TAnimationPlan Plan = TAnimationPlan::Read(Choice->From, Choice->To, Choice->Step, DecimalSeparator);
    Plan.DelayMs = Choice->DelayMs;
    Plan.Size = Choice->Size;
    const int Count = Plan.FrameCount();

    TPlotPicture Picture(PlotModel, DecimalSeparator, WindowBox->Color(), WindowBox->font());
    const std::unique_ptr<TFrameSink> Sink =
        TAnimationExport::MakeSink(Choice->Format, Choice->FileName, Plan);
    std::unique_ptr<TExportProgress> Progress = Dialogs.StartProgress(this, Count);
    TAnimationExport::Run(Picture, Plan, *Sink, [&](int Done, int) { return Progress->Advance(Done); });
}
