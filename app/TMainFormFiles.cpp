// The main window's menu commands: documents, settings, copy, print, help and About.
#include "app/TMainForm.h"

#include "app/TAboutBox.h"
#include "app/TDataCommands.h"
#include "app/TDialogs.h"
#include "app/TFormulaAssist.h"
#include "app/TFunctionsDialog.h"
#include "app/THelpWindow.h"
#include "app/TOutputCommands.h"
#include "app/TPresentationMenu.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsDlg.h"
#include "app/TViewCommands.h"
#include "controls/TFormulaEdit.h"
#include "plot/TDocument.h"
#include "plot/TProfileFile.h"

#include <QAction>
#include <QComboBox>

void TMainForm::FileOpenExecute()
{
    const QString Name = Dialogs.GetOpenFileName(this, OpenFileName);
    if (Name.isEmpty())
        return;
    OpenFileName = Name;
    FileOpenAccept();
}

void TMainForm::OpenDocument(const QString& FileName)
{
    OpenFileName = FileName;
    Guard([this] { FileOpenAccept(); });
}

void TMainForm::FileOpenAccept()
{
    // The recent-files list first, whether or not the file can be read.
    if (!RecentFiles->Contains(OpenFileName))
        RecentFiles->AddRecentFile(OpenFileName);

    // A file that is there but is no document (a device, a pipe, too large) leaves the
    // window's document as it was.
    const TProfileFile File(OpenFileName);
    TDocument::CheckRead(File);
    const TDocumentGraph1 Graph1 = TDocument::Read(File, PlotModel);
    Presentation->Show(PlotModel.Options);
    View->Set({PlotModel.LeftText, PlotModel.TopText, PlotModel.RightText, PlotModel.BottomText});
    LoadGraphIntoEditors(Graph1.Func, Graph1.Color, Graph1.BGColor, Graph1.Style);
    FillSelector(PlotModel.FuncList.Count());
    ViewChanged();
}

void TMainForm::FillSelector(int Count, int Selected)
{
    ComboBox->clear();
    for (int n = 1; n <= Count; ++n)
        ComboBox->addItem(QString::number(n));
    ComboBox->setCurrentIndex(0);
    if (Selected > 0)
        ComboBox->setCurrentIndex(Selected);
}

void TMainForm::FileSaveAsExecute()
{
    const QString Name = Dialogs.GetSaveFileName(this, SaveFileName);
    if (Name.isEmpty())
        return;
    SaveFileName = Name;
    FileSaveAsAccept(Name);
}

void TMainForm::FileSaveAsAccept(const QString& FileName)
{
    TDocument::Save(FileName, PlotModel);
}

void TMainForm::SettingsExecute()
{
    const std::optional<TSettingsChoice> Chosen =
        SettingsDlg->ExecuteSettings(TSettingsChoice::Of(PlotModel));
    if (!Chosen)
        return;
    Chosen->ApplyTo(PlotModel);
    ViewChanged();
}

void TMainForm::EditCopyExecute()
{
    Output->Copy(EditCopyAtScreenResolution->isChecked());
}

void TMainForm::PrintExecute()
{
    Output->Print();
}

void TMainForm::FilePrintSetupExecute()
{
    Output->PageSetup();
}

void TMainForm::AboutExecute()
{
    AboutBox->exec();
}

void TMainForm::FileExitExecute()
{
    close();
}

void TMainForm::FunctionsExecute()
{
    if (!FunctionsDialog)
        FunctionsDialog = std::make_unique<TFunctionsDialog>(
            [this](const QString& Example) { TFormulaAssist::Type(FuncEdit, Example); }, this);
    FunctionsDialog->show();
    FunctionsDialog->raise();
}

void TMainForm::HelpContentsExecute()
{
    if (!HelpWindow)
        HelpWindow = std::make_unique<THelpWindow>();
    HelpWindow->Launch(THelpWindow::HelpFilePath(), [this](const QString& Text, const QString& Caption)
                       { Dialogs.ShowWarning(this, Text, Caption); });
}
