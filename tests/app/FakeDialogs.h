#pragma once
// Answers every dialog of the main window from values the test sets, and records every
// message, so no test ever blocks on a modal box.
#include "app/TDialogs.h"

#include <QStringList>

#include <deque>

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
};
