#pragma once
// The options of File > Export Picture and File > Export Animation: format, size in pixels
// and either the time and "filled", or the start and end time, the time step and the frame
// delay, each within the export's limits (export/TExportLimits.h): the sides within those of
// the chosen format. The file name is asked for afterwards, with the format's extension (a
// folder for numbered PNGs).
#include "app/TExportChoice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

class TExportDlg : public QDialog
{
    Q_OBJECT

  public:
    explicit TExportDlg(const TPictureChoice& Defaults, QWidget* Parent = nullptr);
    explicit TExportDlg(const TAnimationChoice& Defaults, QWidget* Parent = nullptr);

    TPictureChoice Picture() const;
    TAnimationChoice Animation() const;

  private:
    QFormLayout* BuildCommon(const QString& Title, QSize Size);
    void AddButtons(QFormLayout* Form);
    // Keeps the size boxes within the largest side of the chosen format, now and on each change.
    void FollowFormat();

    QComboBox* FormatBox = nullptr;
    QSpinBox* WidthBox = nullptr;
    QSpinBox* HeightBox = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QCheckBox* FilledBox = nullptr;
    QLineEdit* FromEdit = nullptr;
    QLineEdit* ToEdit = nullptr;
    QLineEdit* StepEdit = nullptr;
    QSpinBox* DelayBox = nullptr;
};
