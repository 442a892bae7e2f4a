#pragma once
// The main window: the plot surface with the bound editors over its edges, the row of graph
// controls and the time controls below it, and the menus. It owns the model that the
// renderer draws, the evaluator and the undo manager; every handler reads a control, changes
// the model and invalidates the plot.
#include "app/TZoomSelection.h"
#include "plot/TPlotModel.h"
#include "plot/TViewNavigation.h"

#include <QMainWindow>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QComboBox;
class QDockWidget;
class QLineEdit;
class QMenu;
class QPainter;
class QPrinter;
class THelpWindow;
class QPushButton;
class QSettings;
class QTimer;
class TColorBtn;
class TFormulaEdit;
class TFunctionsDialog;
class TDialogs;
class TGraphEvaluator;
class TOutputSettings;
class TPaintSlices;
class TPresentationMenu;
class TPlotRenderer;
class TRecentFiles;
class TSettingsDlg;
class TAboutBox;
class TAnalysisPanel;
class TGraphPanel;
class TParameterList;
class TParametersPanel;
class TStatusReadout;
class TStyleComboBox;
class TUndoMan;
class TUndoObject;
class TViewGestures;
class TWindowBox;

class TMainForm : public QMainWindow
{
    Q_OBJECT

  public:
    // Dialogs and the settings store are handed in so tests can replace them.
    TMainForm(TDialogs& Dialogs, QSettings& Settings, char16_t DecimalSeparator, QWidget* Parent = nullptr);
    ~TMainForm() override;

    TPlotModel& Model() { return PlotModel; }
    // The picture as the plot surface shows it, drawn at the surface's client size times
    // Scale device pixels (1: the logical size).
    QImage RenderPlot(double Scale = 1);
    // Opens a document as the Open dialog would, recent-files list first.
    void OpenDocument(const QString& FileName);

    // --- start-up ---
    void FormCreate();

    // --- editors (Enter), view menu, paint ---
    void EditKeyPress(QLineEdit* Sender, int Key);
    void ShowExecute();
    void WindowBoxPaint(QPainter& Painter, const QSize& Size, double Ratio);

    // --- graph list ---
    void AddBtnClick();
    void ComboBoxChange(int Index);
    void ColorBtnClick();
    void BGBtnClick();
    void StyleComboBoxClick(int Index);
    void StyleComboBoxChange();

    // --- mouse zoom and undo ---
    void WindowBoxMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void WindowBoxMouseMove(Qt::KeyboardModifiers Shift, QPoint Pos);
    void WindowBoxMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void EditUndoExecute();

    // --- view menu zoom (the wheel and the touchpad: TViewGestures) ---
    void ZoomInExecute();
    void ZoomOutExecute();
    void ResetViewExecute();

    // --- animation ---
    void ForwardBtnClick();
    void BackBtnClick();
    void StopBtnClick();
    void TimerTimer();

    // --- keyboard on the plot surface ---
    void EditKeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void PanX(int n);
    void PanY(int n);

    // --- files, settings, output, help ---
    void FileOpenExecute();
    void FileOpenAccept();
    void FileSaveAsExecute();
    void FileSaveAsAccept(const QString& FileName);
    void SettingsExecute();
    void EditCopyExecute();
    void EditCopyAtScreenResolutionExecute();
    void PrintExecute();
    void FilePrintSetupExecute();
    void HelpContentsExecute();
    void FunctionsExecute();
    void AboutExecute();
    void FileExitExecute();
    void PrintPdfExecute();
    void ExportPictureExecute();
    void ExportAnimationExecute();
    void AnalyseExecute();
    void GraphExecute();

    // --- the Graph panel: kinds, formulas, derived graphs ---
    // Applies an edited graph as Enter applies a formula, recorded for Undo.
    void ApplyGraph(int Index, const TFunc& Edited);
    // Adds a graph of Kind (derivative or integral) derived from graph Of (0-based).
    void AddDerivedGraph(int Of, TGraphKind Kind);
    void ParametersExecute();

  protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    void CreateControls();
    void CreateActions();
    void CreateMenus();
    void CreateViewTools();
    void LayoutControls();
    void MirrorEditorsIntoModel();
    void LoadGraphIntoEditors(const QString& Func, int32_t Color, int32_t BGColor, int32_t Style);
    void FillSelector(int Count);
    void InvalidatePlot();
    // Puts Graph in place of graph Index, if the list has it (undo of the Graph panel).
    void PutGraph(int Index, const TFunc& Graph);
    // Opens a dock on the right; the window grows by its width, so the plot keeps its size.
    void OpenDock(QDockWidget* Dock);
    // The view or what is drawn changed on the user's word: a paint error may be reported
    // again, and the plot is drawn anew.
    void ViewChanged();
    // Runs a handler and sends any error that leaves it to the error report.
    void Guard(const std::function<void()>& Handler);
    void ReportError(const std::exception& Error);
    // The text an error shows: its message, or a sentence for an allocation failure.
    static QString ErrorText(const std::exception& Error);
    // A paint cannot open a modal box: the report runs right after the paint.
    void ReportPaintError(const QString& Text);
    void PrintOn(QPrinter& Target);
    // The plot on a page of Width x Height dots, for the printer and the PDF file.
    void DrawPage(QPainter& Painter, int Width, int Height, int Margin, int ArrowSize);
    // Pushes an undo record of the four bound editors, as every recorded view change does.
    void RecordView();
    // Pushes Record (an editor's text before a rewrite) for Edit > Undo.
    void PushUndo(std::unique_ptr<TUndoObject> Record);
    // Pushes an undo record of the parameters as Before holds them.
    void RecordParameters(const TParameterList& Before);
    // EditUndo is enabled while there is a record to take back.
    void UpdateUndo();
    TBoundTexts CurrentBounds() const;
    // Writes the four bound editors (left, top, right, bottom); the model mirrors them.
    void SetBounds(const TBoundTexts& New);
    // Writes New into the bound editors, recording the view before it when Record is set;
    // a view that cannot be drawn is refused with the message the editors and the paint
    // give, and false returned. The caller invalidates.
    bool ChangeView(const TBoundTexts& New, bool Record);
    // A recorded, redrawn change to New; nothing when New is the current view.
    void MoveView(const TBoundTexts& New);
    void ZoomView(int Notches);
    // Takes the presentation options New, or refuses a logarithmic axis whose bounds are not
    // positive with the editors' message.
    bool PresentationChange(const TPlotOptions& New);
    // With equal scales the bound editors show the bounds drawn, the shorter direction widened.
    void ShowDrawnBounds();

    TDialogs& Dialogs;
    QSettings& Store;
    const char16_t DecimalSeparator;
    TPlotModel PlotModel;
    TViewNavigation Navigation;
    std::unique_ptr<TGraphEvaluator> Evaluator;
    std::unique_ptr<TPlotRenderer> Renderer;
    std::unique_ptr<TPaintSlices> PaintSlices;
    std::unique_ptr<TUndoMan> UndoMan;
    std::unique_ptr<TRecentFiles> RecentFiles;
    std::unique_ptr<TOutputSettings> OutputSettings;
    std::unique_ptr<TSettingsDlg> SettingsDlg;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<QPrinter> Printer;
    std::unique_ptr<THelpWindow> HelpWindow;
    std::unique_ptr<TFunctionsDialog> FunctionsDialog; // made when first opened
    std::unique_ptr<TAnalysisPanel> AnalysisPanel;     // made when first opened
    std::unique_ptr<TGraphPanel> GraphPanel;           // made when first opened
    TStatusReadout* Readout = nullptr;                 // owned by WindowBox
    TViewGestures* Gestures = nullptr;                 // owned by WindowBox
    std::unique_ptr<TParametersPanel> ParametersPanel; // made when first opened
    TPresentationMenu* Presentation = nullptr;         // owned by the window

    // The zoom rectangle while a drag is on.
    std::optional<TZoomSelection> Selection;
    // The text of the last paint error reported; the same error is not reported again until
    // the user changes something, so a view that cannot be drawn does not loop message boxes.
    QString LastPaintError;
    QString OpenFileName;
    QString SaveFileName;
    QString ExportFileName;
    bool FirstShow = true;

    // Controls
    TWindowBox* WindowBox = nullptr;
    QLineEdit* LeftEdt = nullptr;
    QLineEdit* RightEdt = nullptr;
    QLineEdit* TopEdt = nullptr;
    QLineEdit* BottomEdt = nullptr;
    QLineEdit* TimeEdt = nullptr;
    TFormulaEdit* FuncEdit = nullptr;
    QComboBox* ComboBox = nullptr;
    QPushButton* AddBtn = nullptr;
    TColorBtn* ColorBtn = nullptr;
    TColorBtn* BGBtn = nullptr;
    TStyleComboBox* StyleComboBox = nullptr;
    QPushButton* ForwardBtn = nullptr;
    QPushButton* BackBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QTimer* Timer = nullptr;
    QMenu* RecentFilesClient = nullptr;

    // Actions
    QAction* FileOpen = nullptr;
    QAction* FileSaveAs = nullptr;
    QAction* FilePrintSetup = nullptr;
    QAction* Print = nullptr;
    QAction* PrintPdf = nullptr;
    QAction* ExportPicture = nullptr;
    QAction* ExportAnimation = nullptr;
    QAction* FileExit = nullptr;
    QAction* EditCopy = nullptr;
    QAction* EditCopyAtScreenResolution = nullptr; // checkable, kept in the settings store
    QAction* EditUndo = nullptr;
    QAction* Grid = nullptr;
    QAction* Numbers = nullptr;
    QAction* Arrows = nullptr;
    QAction* GridDot = nullptr;
    QAction* GridDash = nullptr;
    QAction* GridSolid = nullptr;
    QAction* ZoomIn = nullptr;
    QAction* ZoomOut = nullptr;
    QAction* ResetView = nullptr;
    QActionGroup* GridStyle = nullptr;
    QAction* Settings = nullptr;
    QAction* HelpContents = nullptr;
    QAction* Functions = nullptr;
    QAction* About = nullptr;
    QAction* Analyse = nullptr;
    QAction* GraphAction = nullptr;
    QAction* ShowTangent = nullptr; // the trace marker's tangent, an overlay
    QAction* Parameters = nullptr;
};
