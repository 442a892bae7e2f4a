#include "app/TDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>

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
