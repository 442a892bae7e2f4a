#include "app/TExportDlg.h"

#include "export/TExportLimits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace
{
QSpinBox* MakeSpin(QWidget* Parent, const char* Name, int Min, int Max, int Value)
{
    auto* Box = new QSpinBox(Parent);
    Box->setObjectName(QString::fromLatin1(Name));
    Box->setRange(Min, Max);
    Box->setValue(Value);
    return Box;
}

QLineEdit* MakeEdit(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* Edit = new QLineEdit(Text, Parent);
    Edit->setObjectName(QString::fromLatin1(Name));
    return Edit;
}

void AddFormats(QComboBox* Box, std::initializer_list<std::pair<const char*, TExportFormat>> Formats,
                TExportFormat Current)
{
    for (const auto& [Caption, Format] : Formats)
    {
        Box->addItem(QString::fromLatin1(Caption), int(Format));
        if (Format == Current)
            Box->setCurrentIndex(Box->count() - 1);
    }
}
} // namespace

QFormLayout* TExportDlg::BuildCommon(const QString& Title, QSize Size)
{
    setWindowTitle(Title);
    auto* Form = new QFormLayout(this);
    FormatBox = new QComboBox(this);
    FormatBox->setObjectName(QStringLiteral("FormatBox"));
    using namespace ExportLimits;
    WidthBox = MakeSpin(this, "WidthBox", MinSide, MaxSide, std::clamp(Size.width(), MinSide, MaxSide));
    HeightBox = MakeSpin(this, "HeightBox", MinSide, MaxSide, std::clamp(Size.height(), MinSide, MaxSide));
    Form->addRow(QStringLiteral("Format:"), FormatBox);
    Form->addRow(QStringLiteral("Width (pixels):"), WidthBox);
    Form->addRow(QStringLiteral("Height (pixels):"), HeightBox);
    return Form;
}

void TExportDlg::FollowFormat()
{
    const auto Fit = [this]
    {
        const int Most = MaxSideOf(TExportFormat(FormatBox->currentData().toInt()));
        WidthBox->setMaximum(Most);
        HeightBox->setMaximum(Most);
    };
    connect(FormatBox, &QComboBox::currentIndexChanged, this, Fit);
    Fit();
}

void TExportDlg::AddButtons(QFormLayout* Form)
{
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Form->addRow(Buttons);
}

TExportDlg::TExportDlg(const TPictureChoice& Defaults, QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("ExportPictureDlg"));
    QFormLayout* Form = BuildCommon(QStringLiteral("Export Picture"), Defaults.Size);
    AddFormats(FormatBox,
               {{"PNG", TExportFormat::Png}, {"SVG", TExportFormat::Svg}, {"PDF", TExportFormat::Pdf}},
               Defaults.Format);
    FollowFormat();
    TimeEdit = MakeEdit(this, "TimeEdit", Defaults.Time);
    FilledBox = new QCheckBox(QStringLiteral("Filled Graphs"), this);
    FilledBox->setObjectName(QStringLiteral("FilledBox"));
    FilledBox->setChecked(Defaults.Filled);
    Form->addRow(QStringLiteral("Time:"), TimeEdit);
    Form->addRow(FilledBox);
    AddButtons(Form);
}

TExportDlg::TExportDlg(const TAnimationChoice& Defaults, QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("ExportAnimationDlg"));
    QFormLayout* Form = BuildCommon(QStringLiteral("Export Animation"), Defaults.Size);
    AddFormats(FormatBox,
               {{"Animated WebP", TExportFormat::WebP},
                {"Animated GIF", TExportFormat::Gif},
                {"Numbered PNGs in a folder", TExportFormat::Frames}},
               Defaults.Format);
    FollowFormat();
    FromEdit = MakeEdit(this, "FromEdit", Defaults.From);
    ToEdit = MakeEdit(this, "ToEdit", Defaults.To);
    StepEdit = MakeEdit(this, "StepEdit", Defaults.Step);
    DelayBox =
        MakeSpin(this, "DelayBox", ExportLimits::MinDelayMs, ExportLimits::MaxDelayMs, Defaults.DelayMs);
    Form->addRow(QStringLiteral("Start time:"), FromEdit);
    Form->addRow(QStringLiteral("End time:"), ToEdit);
    Form->addRow(QStringLiteral("Time step:"), StepEdit);
    Form->addRow(QStringLiteral("Frame delay (ms):"), DelayBox);
    AddButtons(Form);
}

TPictureChoice TExportDlg::Picture() const
{
    TPictureChoice Choice;
    Choice.Format = TExportFormat(FormatBox->currentData().toInt());
    Choice.Size = QSize(WidthBox->value(), HeightBox->value());
    Choice.Time = TimeEdit->text();
    Choice.Filled = FilledBox->isChecked();
    return Choice;
}

TAnimationChoice TExportDlg::Animation() const
{
    TAnimationChoice Choice;
    Choice.Format = TExportFormat(FormatBox->currentData().toInt());
    Choice.Size = QSize(WidthBox->value(), HeightBox->value());
    Choice.From = FromEdit->text();
    Choice.To = ToEdit->text();
    Choice.Step = StepEdit->text();
    Choice.DelayMs = DelayBox->value();
    return Choice;
}
