#include "app/TFitDlg.h"

#include "analysis/Errors.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <new>

TFitDlg::TFitDlg(const QString& Model, std::shared_ptr<const TDataTable> Data,
                 std::vector<std::u16string> Names, std::vector<Float80> Values, char16_t DecimalSeparator,
                 Float80 T, QWidget* Parent)
    : QDialog(Parent), ModelText(Model), Data(std::move(Data)), Names(std::move(Names)),
      Values(std::move(Values)), Separator(DecimalSeparator), T(T)
{
    BuildControls(Model);
    ChoiceChanged();
}

void TFitDlg::BuildControls(const QString& Model)
{
    setObjectName(QStringLiteral("FitDlg"));
    setWindowTitle(tr("Fit"));
    ParameterList = new QListWidget(this);
    ParameterList->setObjectName(QStringLiteral("ParameterList"));
    for (size_t i = 0; i < Names.size(); ++i)
    {
        auto* Item = new QListWidgetItem(
            QStringLiteral("%1 = %2").arg(QString::fromStdU16String(Names[i]), Number(Values[i])),
            ParameterList);
        Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
        Item->setCheckState(Qt::Checked);
    }
    FitBtn = new QPushButton(tr("&Fit"), this);
    FitBtn->setObjectName(QStringLiteral("FitBtn"));
    ResultTable = new QTableWidget(0, 3, this);
    ResultTable->setObjectName(QStringLiteral("ResultTable"));
    ResultTable->setHorizontalHeaderLabels({tr("Parameter"), tr("Value"), tr("Standard error")});
    ResultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultTable->setWordWrap(false);
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setWordWrap(true);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FitBtn, &QPushButton::clicked, this, &TFitDlg::RunFit);
    connect(ParameterList, &QListWidget::itemChanged, this, &TFitDlg::ChoiceChanged);

    auto* Form = new QFormLayout;
    Form->addRow(tr("Model:"), new QLabel(Model, this));
    Form->addRow(tr("Points:"), new QLabel(QString::number(Data ? Data->Count() : 0), this));
    Form->addRow(tr("&Vary:"), ParameterList);
    auto* Page = new QVBoxLayout(this);
    Page->addLayout(Form);
    Page->addWidget(FitBtn);
    Page->addWidget(ResultTable, 1);
    Page->addWidget(SummaryLabel);
    Page->addWidget(StatusLabel);
    Page->addWidget(Buttons);
}

std::vector<std::u16string> TFitDlg::Varied() const
{
    std::vector<std::u16string> Chosen;
    for (int i = 0; i < ParameterList->count(); ++i)
        if (ParameterList->item(i)->checkState() == Qt::Checked)
            Chosen.push_back(Names[size_t(i)]);
    return Chosen;
}

void TFitDlg::ChoiceChanged()
{
    FResult.reset();
    ResultTable->setRowCount(0);
    SummaryLabel->clear();
    StatusLabel->clear();
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    FitBtn->setEnabled(!Varied().empty() && Data);
}

void TFitDlg::RunFit()
{
    ChoiceChanged();
    if (!Data)
        return;
    const std::vector<std::u16string> Chosen = Varied();
    try
    {
        TLeastSquaresFit Fit(Separator);
        Fit.SetParameters(Names, Values);
        const TFitResult Fitted = Fit.Fit(ModelText.toStdU16String(), *Data, Chosen, T);
        ShowResult(Fitted, Chosen);
    }
    catch (const Exception& e)
    {
        StatusLabel->setText(tr("The fit could not start: %1").arg(QString::fromUtf8(e.Message())));
    }
    catch (const std::bad_alloc&)
    {
        StatusLabel->setText(tr("The fit could not start: not enough memory"));
    }
}

void TFitDlg::ShowResult(const TFitResult& Fitted, const std::vector<std::u16string>& Chosen)
{
    if (!Fitted.Converged())
    {
        StatusLabel->setText(tr("The fit did not converge: %1. The parameters keep their values.")
                                 .arg(QString::fromStdString(Fitted.Message)));
        return;
    }
    ResultTable->setRowCount(int(Chosen.size()));
    for (size_t j = 0; j < Chosen.size(); ++j)
    {
        ResultTable->setItem(int(j), 0, new QTableWidgetItem(QString::fromStdU16String(Chosen[j])));
        ResultTable->setItem(int(j), 1, new QTableWidgetItem(Number(Fitted.Values[j])));
        ResultTable->setItem(int(j), 2, new QTableWidgetItem(Number(Fitted.StandardErrors[j])));
    }
    ResultTable->resizeColumnsToContents();
    SummaryLabel->setText(
        tr("Residual sum of squares %1, residual standard deviation %2, %3 iterations")
            .arg(Number(Fitted.ResidualSumOfSquares), Number(Fitted.ResidualStandardDeviation))
            .arg(Fitted.Iterations));
    StatusLabel->setText(tr("The fit converged. OK sets the parameters."));
    FResult = Fitted;
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(true);
}

QString TFitDlg::Number(Float80 Value) const
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.19Lg", Value);
    QString Text = QString::fromLatin1(Buffer);
    return Text.replace(QLatin1Char('.'), QChar(Separator));
}

QString TFitDlg::Status() const
{
    return StatusLabel->text();
}
