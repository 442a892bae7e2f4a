#include "app/TDialogs.h"

#include "app/TExportDlg.h"
#include "app/TFitDlg.h"
#include "app/TImportDataDlg.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QProgressDialog>

namespace
{
const QString DocumentFilter = QStringLiteral("Vendrel (*.vdg)");
const QString DocumentSuffix = QStringLiteral("vdg");

QString RunFileDialog(QWidget* Owner, const QString& Initial, QFileDialog::AcceptMode Mode)
{
    QFileDialog Dialog(Owner);
    Dialog.setAcceptMode(Mode);
    Dialog.setNameFilter(DocumentFilter);
    Dialog.setDefaultSuffix(DocumentSuffix);
    // Open accepts a name of a file that does not exist; Save As asks before replacing one.
    Dialog.setFileMode(QFileDialog::AnyFile);
    if (!Initial.isEmpty())
        Dialog.selectFile(Initial);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return QString();
    return Dialog.selectedFiles().first();
}

// The name of an exported file: the format's extension, and "cannot write" never comes from
// a missing one.
QString GetExportFileName(QWidget* Owner, const QString& Initial, TExportFormat Format)
{
    if (Format == TExportFormat::Frames)
        return QFileDialog::getExistingDirectory(Owner, QStringLiteral("Folder for the frames"), Initial);
    const QString Suffix = ExtensionOf(Format);
    QFileDialog Dialog(Owner);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setNameFilter(QStringLiteral("%1 (*.%2)").arg(Suffix.toUpper(), Suffix));
    Dialog.setDefaultSuffix(Suffix);
    if (!Initial.isEmpty())
    {
        const QFileInfo Last(Initial);
        Dialog.selectFile(Last.path() + QLatin1Char('/') + Last.completeBaseName() + QLatin1Char('.') +
                          Suffix);
    }
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return QString();
    return Dialog.selectedFiles().first();
}

class TQtProgress : public TExportProgress
{
  public:
    TQtProgress(QWidget* Owner, int CountIn)
        : Dialog(QStringLiteral("Exporting %1 frames...").arg(CountIn), QStringLiteral("Cancel"), 0, CountIn,
                 Owner),
          Count(CountIn)
    {
        Dialog.setWindowTitle(QStringLiteral("Export Animation"));
        Dialog.setWindowModality(Qt::WindowModal);
        Dialog.setMinimumDuration(500);
        Dialog.setValue(0);
    }
    bool Advance(int Done) override
    {
        Dialog.setLabelText(QStringLiteral("Frame %1 of %2").arg(Done).arg(Count));
        Dialog.setValue(Done);
        return !Dialog.wasCanceled();
    }

  private:
    QProgressDialog Dialog;
    int Count;
};
} // namespace

void TQtDialogs::ShowError(QWidget* Owner, const QString& Text)
{
    QMessageBox::critical(Owner, QString(), Text, QMessageBox::Ok);
}

void TQtDialogs::ShowErrorMessage(QWidget* Owner, const QString& Text)
{
    QMessageBox::critical(Owner, QString(), Text, QMessageBox::Ok);
}

void TQtDialogs::ShowWarning(QWidget* Owner, const QString& Text, const QString& Caption)
{
    QMessageBox::warning(Owner, Caption, Text, QMessageBox::Ok);
}

std::optional<TColor> TQtDialogs::ChooseColor(QWidget* Owner, TColor Initial)
{
    QColor Chosen = QColorDialog::getColor(ToQColor(Initial), Owner);
    if (!Chosen.isValid())
        return std::nullopt;
    return FromQColor(Chosen);
}

QString TQtDialogs::GetOpenFileName(QWidget* Owner, const QString& Initial)
{
    return RunFileDialog(Owner, Initial, QFileDialog::AcceptOpen);
}

QString TQtDialogs::GetSaveFileName(QWidget* Owner, const QString& Initial)
{
    return RunFileDialog(Owner, Initial, QFileDialog::AcceptSave);
}

QString TQtDialogs::GetPdfFileName(QWidget* Owner)
{
    return QFileDialog::getSaveFileName(Owner, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
}

bool TQtDialogs::PageSetup(QWidget* Owner, QPrinter& Printer)
{
    QPageSetupDialog Dialog(&Printer, Owner);
    return Dialog.exec() == QDialog::Accepted;
}

std::optional<TPictureChoice> TQtDialogs::ExportPicture(QWidget* Owner, const TPictureChoice& Defaults)
{
    TExportDlg Dialog(Defaults, Owner);
    if (Dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    TPictureChoice Choice = Dialog.Picture();
    Choice.FileName = GetExportFileName(Owner, Defaults.FileName, Choice.Format);
    if (Choice.FileName.isEmpty())
        return std::nullopt;
    return Choice;
}

std::optional<TAnimationChoice> TQtDialogs::ExportAnimation(QWidget* Owner, const TAnimationChoice& Defaults)
{
    TExportDlg Dialog(Defaults, Owner);
    if (Dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    TAnimationChoice Choice = Dialog.Animation();
    Choice.FileName = GetExportFileName(Owner, Defaults.FileName, Choice.Format);
    if (Choice.FileName.isEmpty())
        return std::nullopt;
    return Choice;
}

std::unique_ptr<TExportProgress> TQtDialogs::StartProgress(QWidget* Owner, int Count)
{
    return std::make_unique<TQtProgress>(Owner, Count);
}

QString TQtDialogs::GetDataFileName(QWidget* Owner, const QString& Initial)
{
    return QFileDialog::getOpenFileName(Owner, QStringLiteral("Import Data"), Initial,
                                        QStringLiteral("Data files (*.csv *.tsv *.txt);;All files (*)"));
}

std::optional<TImportedData> TQtDialogs::ImportData(QWidget* Owner, TDelimitedText Text,
                                                    const QString& FileName)
{
    TImportDataDlg Dialog(std::move(Text), FileName, Owner);
    if (Dialog.exec() != QDialog::Accepted || !Dialog.Table())
        return std::nullopt;
    return TImportedData{Dialog.Table(), Dialog.Name(), Dialog.Marker(), Dialog.Joined()};
}

std::optional<TFitAnswer> TQtDialogs::Fit(QWidget* Owner, const TFitQuestion& Q)
{
    TFitDlg Dialog(Q.Model, Q.Data, Q.Names, Q.Values, Q.Separator, Q.T, Owner);
    if (Dialog.exec() != QDialog::Accepted || !Dialog.Result())
        return std::nullopt;
    return TFitAnswer{Dialog.Varied(), *Dialog.Result()};
}
