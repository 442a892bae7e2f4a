// The main window's menu commands: documents, settings, copy, print, help and About.
#include "app/TMainForm.h"

#include "app/Errors.h"
#include "app/TAboutBox.h"
#include "app/TAnalysisPanel.h"
#include "app/TDialogs.h"
#include "app/TFormulaAssist.h"
#include "app/TFunctionsDialog.h"
#include "app/THelpWindow.h"
#include "app/TOutputSettings.h"
#include "app/TPresentationMenu.h"
#include "app/TPrintOutput.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsDlg.h"
#include "controls/TFormulaEdit.h"
#include "controls/TWindowBox.h"
#include "export/TPictureWriter.h"
#include "plot/TDocument.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"
#include "plot/TProfileFile.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>

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
    SetBounds({PlotModel.LeftText, PlotModel.TopText, PlotModel.RightText, PlotModel.BottomText});
    LoadGraphIntoEditors(Graph1.Func, Graph1.Color, Graph1.BGColor, Graph1.Style);
    FillSelector(PlotModel.FuncList.Count());
    ViewChanged();
}

void TMainForm::FillSelector(int Count)
{
    ComboBox->clear();
    for (int n = 1; n <= Count; ++n)
        ComboBox->addItem(QString::number(n));
    ComboBox->setCurrentIndex(0);
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
    // Drawn first: a failing drawing leaves the clipboard as it was.
    const double Scale = EditCopyAtScreenResolution->isChecked() ? WindowBox->devicePixelRatioF() : 1;
    QImage Picture = RenderPlot(Scale);
    if (AnalysisPanel)
    {
        const TPlotTarget Target =
            TPlotTarget::Screen(Picture.size(), Scale, WindowBox->Color(), WindowBox->font());
        QPainter Painter(&Picture);
        AnalysisPanel->DrawMarksForOutput(Painter, Picture.width(), Picture.height(), Target.Margin, Scale);
    }
    QGuiApplication::clipboard()->setImage(Picture);
}

void TMainForm::EditCopyAtScreenResolutionExecute()
{
    OutputSettings->SetCopyAtScreenResolution(EditCopyAtScreenResolution->isChecked());
}

void TMainForm::AboutExecute()
{
    AboutBox->exec();
}

void TMainForm::PrintExecute()
{
    PrintOn(*Printer);
}

// Where no printer exists the plot can still go on paper later: into a PDF file. The file is
// made in memory and written as Export Picture writes its PDF, whole or not at all (a full disk
// leaves no truncated PDF), failing alike for the same target.
void TMainForm::PrintPdfExecute()
{
    const QString Name = Dialogs.GetPdfFileName(this);
    if (Name.isEmpty())
        return;
    QPrinter Pdf(QPrinter::HighResolution);
    Pdf.setOutputFormat(QPrinter::PdfFormat);
    const QByteArray Bytes =
        TPrintOutput::PdfPage(Printer->pageLayout(), Pdf.resolution(),
                              [this](QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
                              { DrawPage(Painter, Width, Height, Margin, ArrowSize); });
    if (Bytes.isEmpty())
    {
        Dialogs.ShowErrorMessage(this, QString::fromLatin1(Msg::CannotStartPrinting));
        return;
    }
    TPictureWriter::SaveBytes(Bytes, Name);
}

void TMainForm::PrintOn(QPrinter& Target)
{
    TPrintOutput::PrintExecute(
        Target,
        [this](QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
        { DrawPage(Painter, Width, Height, Margin, ArrowSize); },
        [this](const QString& Text) { Dialogs.ShowErrorMessage(this, Text); });
}

void TMainForm::DrawPage(QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
{
    DrawPlotOn(Painter, *Renderer, TPlotTarget::Page(QSize(Width, Height), Margin, ArrowSize),
               [this](const Exception& Error) { ReportError(Error); });
    if (AnalysisPanel)
        AnalysisPanel->DrawMarksForOutput(Painter, Width, Height, Margin, ArrowSize / 3.0);
}

void TMainForm::FilePrintSetupExecute()
{
    Dialogs.PageSetup(this, *Printer);
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
