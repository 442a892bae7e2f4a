#pragma once
// Everything modal that the main window opens, behind one interface, so that tests
// can answer the dialogs and message boxes without blocking on them.
#include "analysis/TDelimitedText.h"
#include "app/TDataChoice.h"
#include "app/TExportChoice.h"
#include "plot/TColor.h"

#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

class TDialogs
{
  public:
    virtual ~TDialogs() = default;

    // The application's error report: the error's text, an error icon and an OK button.
    virtual void ShowError(QWidget* Owner, const QString& Text) = 0;
    // A message box with the platform's default caption and the error icon.
    virtual void ShowErrorMessage(QWidget* Owner, const QString& Text) = 0;
    // A message box with its own caption and the warning icon.
    virtual void ShowWarning(QWidget* Owner, const QString& Text, const QString& Caption) = 0;
    // The colour chooser; nothing when the user cancels.
    virtual std::optional<TColor> ChooseColor(QWidget* Owner, TColor Initial) = 0;
    // The Open and Save As dialogs; an empty text when the user cancels.
    virtual QString GetOpenFileName(QWidget* Owner, const QString& Initial) = 0;
    virtual QString GetSaveFileName(QWidget* Owner, const QString& Initial) = 0;
    // The file to print into where no printer exists; empty when cancelled.
    virtual QString GetPdfFileName(QWidget* Owner) = 0;
    // The page set-up of the printer; false when cancelled.
    virtual bool PageSetup(QWidget* Owner, QPrinter& Printer) = 0;
    // The export options, then the file (or folder) name; nothing when either is cancelled.
    virtual std::optional<TPictureChoice> ExportPicture(QWidget* Owner, const TPictureChoice& Defaults) = 0;
    virtual std::optional<TAnimationChoice> ExportAnimation(QWidget* Owner,
                                                            const TAnimationChoice& Defaults) = 0;
    // The progress of an export of Count frames, with a Cancel button.
    virtual std::unique_ptr<TExportProgress> StartProgress(QWidget* Owner, int Count) = 0;
    // The data file to import (CSV, TSV, TXT); empty when cancelled.
    virtual QString GetDataFileName(QWidget* Owner, const QString& Initial) = 0;
    // The import preview of Text, read from the file FileName (TImportDataDlg); nothing when
    // cancelled.
    virtual std::optional<TImportedData> ImportData(QWidget* Owner, TDelimitedText Text,
                                                    const QString& FileName) = 0;
    // The fit of a model to data (TFitDlg): the fit the user accepted, nothing otherwise.
    virtual std::optional<TFitAnswer> Fit(QWidget* Owner, const TFitQuestion& Question) = 0;
};

// The real dialogs of Qt.
class TQtDialogs : public TDialogs
{
  public:
    void ShowError(QWidget* Owner, const QString& Text) override;
    void ShowErrorMessage(QWidget* Owner, const QString& Text) override;
    void ShowWarning(QWidget* Owner, const QString& Text, const QString& Caption) override;
    std::optional<TColor> ChooseColor(QWidget* Owner, TColor Initial) override;
    QString GetOpenFileName(QWidget* Owner, const QString& Initial) override;
    QString GetSaveFileName(QWidget* Owner, const QString& Initial) override;
    QString GetPdfFileName(QWidget* Owner) override;
    bool PageSetup(QWidget* Owner, QPrinter& Printer) override;
    std::optional<TPictureChoice> ExportPicture(QWidget* Owner, const TPictureChoice& Defaults) override;
    std::optional<TAnimationChoice> ExportAnimation(QWidget* Owner,
                                                    const TAnimationChoice& Defaults) override;
    std::unique_ptr<TExportProgress> StartProgress(QWidget* Owner, int Count) override;
    QString GetDataFileName(QWidget* Owner, const QString& Initial) override;
    std::optional<TImportedData> ImportData(QWidget* Owner, TDelimitedText Text,
                                            const QString& FileName) override;
    std::optional<TFitAnswer> Fit(QWidget* Owner, const TFitQuestion& Question) override;
};
