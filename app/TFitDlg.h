#pragma once
// Tools > Fit: fits a function graph's formula to a points graph. The user ticks the
// parameters to vary (every one at first; their current values are the start) and presses
// Fit; the dialog shows each varied parameter's value and standard error, the residual sum
// of squares, the residual standard deviation and the iterations, or says plainly that the
// fit did not converge and why (the parameters then stay as they were). OK is enabled only
// by a converged fit of the current choice; the caller takes Result() and Varied() after OK
// and sets the parameters. The fit runs on the thread of the dialog.
#include "analysis/TDataTable.h"
#include "analysis/TLeastSquaresFit.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class TFitDlg : public QDialog
{
    Q_OBJECT

  public:
    // Names and Values: every parameter the model may read. T: the time put into the model.
    TFitDlg(const QString& Model, std::shared_ptr<const TDataTable> Data, std::vector<std::u16string> Names,
            std::vector<Float80> Values, char16_t DecimalSeparator, Float80 T = 0, QWidget* Parent = nullptr);

    // The parameters ticked now, in the order of Names.
    std::vector<std::u16string> Varied() const;
    // The last fit's result while it stands for the current choice and converged.
    const std::optional<TFitResult>& Result() const { return FResult; }
    QString Status() const;

    // The Fit button.
    void RunFit();

  private:
    void BuildControls(const QString& Model);
    void ChoiceChanged();
    void ShowResult(const TFitResult& Fitted, const std::vector<std::u16string>& Chosen);
    QString Number(Float80 Value) const;

    QString ModelText;
    std::shared_ptr<const TDataTable> Data;
    std::vector<std::u16string> Names;
    std::vector<Float80> Values;
    char16_t Separator;
    Float80 T;
    std::optional<TFitResult> FResult;

    QListWidget* ParameterList = nullptr;
    QPushButton* FitBtn = nullptr;
    QTableWidget* ResultTable = nullptr;
    QLabel* SummaryLabel = nullptr;
    QLabel* StatusLabel = nullptr;
    QDialogButtonBox* Buttons = nullptr;
};
