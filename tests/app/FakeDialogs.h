#pragma once
// Answers every dialog of the main window from values the test sets, and records every
// message, so no test ever blocks on a modal box.
#include "app/TDialogs.h"
#include "app/TFitDlg.h"
#include "app/TImportDataDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

class TFakeDialogs : public TDialogs
{
  public:
    QStringList Errors;
    QStringList Messages;
    std::deque<std::optional<TColor>> Colors;
    QString OpenName, SaveName, PdfName;

    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowErrorMessage(QWidget*, const QString& Text) override { Messages << Text; }
    void ShowWarning(QWidget*, const QString& Text, const QString& Caption) override
    {
        Messages << Caption + QStringLiteral(": ") + Text;
    }
    std::optional<TColor> ChooseColor(QWidget*, TColor) override
    {
        if (Colors.empty())
            return std::nullopt;
        auto c = Colors.front();
        Colors.pop_front();
        return c;
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return OpenName; }
    QString GetSaveFileName(QWidget*, const QString&) override { return SaveName; }
    QString GetPdfFileName(QWidget*) override { return PdfName; }
    bool PageSetup(QWidget*, QPrinter&) override { return false; }

    // The export dialogs: the defaults they were shown, and the answer (none: cancelled).
    TPictureChoice PictureDefaults;
    std::optional<TPictureChoice> PictureAnswer;
    TAnimationChoice AnimationDefaults;
    std::optional<TAnimationChoice> AnimationAnswer;
    // The progress of an export: the frame counts it was shown; Cancel is pressed once
    // CancelAt frames are done (never when 0).
    std::vector<int> ProgressShown;
    int CancelAt = 0;

    std::optional<TPictureChoice> ExportPicture(QWidget*, const TPictureChoice& Defaults) override
    {
        PictureDefaults = Defaults;
        return PictureAnswer;
    }
    std::optional<TAnimationChoice> ExportAnimation(QWidget*, const TAnimationChoice& Defaults) override
    {
        AnimationDefaults = Defaults;
        return AnimationAnswer;
    }
    std::unique_ptr<TExportProgress> StartProgress(QWidget*, int Count) override
    {
        struct TFakeProgress : TExportProgress
        {
            TFakeDialogs& Owner;
            explicit TFakeProgress(TFakeDialogs& o) : Owner(o) {}
            bool Advance(int Done) override
            {
                Owner.ProgressShown.push_back(Done);
                return Owner.CancelAt == 0 || Done < Owner.CancelAt;
            }
        };
        ProgressShown = {Count};
        return std::make_unique<TFakeProgress>(*this);
    }

    // The data dialogs are the real ones, never shown: the import preview as it guessed (with
    // ImportMarker and ImportJoined set when given), confirmed unless CancelImport; the fit run
    // once with every parameter ticked, accepted when it converged unless CancelFit. What they
    // showed is kept.
    QString DataName;
    bool CancelImport = false, CancelFit = false;
    std::optional<int> ImportMarker;
    bool ImportJoined = false;
    QString ImportStatus, FitStatus;
    std::optional<TFitQuestion> FitAsked;

    QString GetDataFileName(QWidget*, const QString&) override { return DataName; }
    std::optional<TImportedData> ImportData(QWidget*, TDelimitedText Text, const QString& FileName) override
    {
        TImportDataDlg Dialog(std::move(Text), FileName);
        ImportStatus = Dialog.Status();
        if (ImportMarker)
            Dialog.findChild<QComboBox*>(QStringLiteral("MarkerBox"))->setCurrentIndex(*ImportMarker);
        Dialog.findChild<QCheckBox*>(QStringLiteral("JoinedBox"))->setChecked(ImportJoined);
        if (CancelImport || !Dialog.Table())
            return std::nullopt;
        return TImportedData{Dialog.Table(), Dialog.Name(), Dialog.Marker(), Dialog.Joined()};
    }
    std::optional<TFitAnswer> Fit(QWidget*, const TFitQuestion& Q) override
    {
        FitAsked = Q;
        TFitDlg Dialog(Q.Model, Q.Data, Q.Names, Q.Values, Q.Separator, Q.T);
        Dialog.RunFit();
        FitStatus = Dialog.Status();
        if (CancelFit || !Dialog.Result())
            return std::nullopt;
        return TFitAnswer{Dialog.Varied(), *Dialog.Result()};
    }
};
