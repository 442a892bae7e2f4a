#pragma once
// The modal dialog behind Tools > Settings. It is created once and reused: every use
// refills the controls from the main window's settings, except the time step, whose field
// keeps the text it had when the dialog was last closed.
#include "app/TSettingsChoice.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TSpinEdit;

class TSettingsDlg : public QDialog
{
    Q_OBJECT

  public:
    // Sep is the user's decimal separator, used to read the time step.
    explicit TSettingsDlg(char16_t Sep, QWidget* Parent = nullptr);

    // Fills the controls from Current, runs the dialog modally and, on OK, returns all seven
    // settings read back (in this order); on any other result, nothing.
    std::optional<TSettingsChoice> ExecuteSettings(const TSettingsChoice& Current);

    // Replaces the modal run (exec() by default); tests drive the controls from it and
    // return Accepted or Rejected, so they never block.
    void SetModalRunner(std::function<int()> Runner) { ModalRunner = std::move(Runner); }

    // The time step that a StepEdt text stands for: unreadable or not finite as a 32-bit
    // float gives 0.05.
    static float ReadTimeStep(const QString& Text, char16_t Sep);

  private:
    void BuildControls();

    char16_t Separator;
    std::function<int()> ModalRunner;

    TSpinEdit* DecimalsSE = nullptr;
    QGroupBox* GroupBox = nullptr;
    TSpinEdit* ByXSE = nullptr;
    TSpinEdit* ByYSE = nullptr;
    QLineEdit* StepEdt = nullptr;
    QCheckBox* FillCheckBox = nullptr;
    TSpinEdit* FramesCountSE = nullptr;
    QCheckBox* BlurCheckBox = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};
