#include "app/TSettingsDlg.h"

#include "app/TSpinEdit.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/TPlotModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <string_view>

namespace
{
constexpr int32_t TicksMin = 2;
constexpr int32_t TicksMax = 100;
} // namespace

TSettingsDlg::TSettingsDlg(char16_t Sep, QWidget* Parent) : QDialog(Parent), Separator(Sep)
{
    setObjectName(QStringLiteral("SettingsDlg"));
    setWindowTitle(QStringLiteral("Settings"));
    // Single fixed border with a system menu: no help button, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    BuildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TSettingsDlg::BuildControls()
{
    auto Named = [](auto* Widget, const char* Name)
    {
        Widget->setObjectName(QString::fromLatin1(Name));
        return Widget;
    };
    DecimalsSE = Named(new TSpinEdit(0, 0, Separator, this), "DecimalsSE");
    GroupBox = Named(new QGroupBox(QStringLiteral("Number of ticks"), this), "GroupBox");
    ByXSE = Named(new TSpinEdit(TicksMin, TicksMax, Separator, GroupBox), "ByXSE");
    ByYSE = Named(new TSpinEdit(TicksMin, TicksMax, Separator, GroupBox), "ByYSE");
    StepEdt = Named(new QLineEdit(QString::fromLatin1(TPlotModel::StartTimeStepText), this), "StepEdt");
    FillCheckBox = Named(new QCheckBox(QStringLiteral("Filled Graphs"), this), "FillCheckBox");
    FillCheckBox->setChecked(true);
    FramesCountSE = Named(new TSpinEdit(TicksMin, TicksMax, Separator, this), "FramesCountSE");
    BlurCheckBox = Named(new QCheckBox(QStringLiteral("Motion blur"), this), "BlurCheckBox");
    OKBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    CancelBtn = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects too

    auto* Ticks = new QGridLayout(GroupBox);
    Ticks->addWidget(new QLabel(QStringLiteral("By X:"), GroupBox), 0, 0);
    Ticks->addWidget(ByXSE, 0, 1);
    Ticks->addWidget(new QLabel(QStringLiteral("By Y:"), GroupBox), 1, 0);
    Ticks->addWidget(ByYSE, 1, 1);

    auto* Decimals = new QHBoxLayout;
    Decimals->addWidget(new QLabel(QStringLiteral("Decimals:"), this));
    Decimals->addWidget(DecimalsSE);
    auto* Step = new QHBoxLayout;
    Step->addWidget(new QLabel(QStringLiteral("TimeStep:"), this));
    Step->addWidget(StepEdt);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(OKBtn);
    Buttons->addWidget(CancelBtn);

    auto* Main = new QVBoxLayout(this);
    Main->addLayout(Decimals);
    Main->addWidget(GroupBox);
    Main->addLayout(Step);
    Main->addWidget(FillCheckBox);
    Main->addWidget(new QLabel(QStringLiteral("Number of frames for motion blur:"), this));
    Main->addWidget(FramesCountSE);
    Main->addWidget(BlurCheckBox);
    Main->addLayout(Buttons);
}

float TSettingsDlg::ReadTimeStep(const QString& Text, char16_t Sep)
{
    try
    {
        const auto Value = TextToFloat(std::u16string_view(reinterpret_cast<const char16_t*>(Text.utf16()),
                                                           static_cast<size_t>(Text.size())),
                                       Sep);
        const float Step = static_cast<float>(Value);
        // A step beyond the float range would stop the animation's arithmetic for good.
        return std::isfinite(Step) ? Step : TPlotModel::StartTimeStep;
    }
    catch (const Exception&)
    {
        return TPlotModel::StartTimeStep;
    }
}

std::optional<TSettingsChoice> TSettingsDlg::ExecuteSettings(const TSettingsChoice& Current)
{
    DecimalsSE->WriteValue(Current.Decimals);
    ByXSE->WriteValue(Current.TicksByX);
    ByYSE->WriteValue(Current.TicksByY);
    FillCheckBox->setChecked(Current.FilledGraphs);
    FramesCountSE->WriteValue(Current.FramesCount);
    BlurCheckBox->setChecked(Current.MotionBlur);
    // StepEdt is deliberately not filled: it keeps the text of the last use.

    const int Result = ModalRunner ? ModalRunner() : exec();
    if (Result != QDialog::Accepted)
        return std::nullopt;

    // Reading clamps the ranged fields as well, so a value confirmed with Enter before the
    // field lost the focus cannot reach the renderer, which divides by these counts.
    TSettingsChoice Chosen;
    Chosen.Decimals = DecimalsSE->ReadValue();
    Chosen.TicksByX = ByXSE->ReadValue();
    Chosen.TicksByY = ByYSE->ReadValue();
    Chosen.TimeStep = ReadTimeStep(StepEdt->text(), Separator);
    Chosen.FilledGraphs = FillCheckBox->isChecked();
    Chosen.FramesCount = FramesCountSE->ReadValue();
    Chosen.MotionBlur = BlurCheckBox->isChecked();
    return Chosen;
}
