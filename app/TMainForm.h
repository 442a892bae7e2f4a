#pragma once
// The main window: the plot surface with the bound editors over its edges, the row of graph
// controls and the time controls below it, and the menus. It owns the model that the renderer
// draws, the evaluator and the undo manager; every handler reads a control, changes the model
// and invalidates the plot. Features are classes of their own that the window wires: TViewCommands,
// TOutputCommands, TPanelDocks, TDataCommands, TStatusReadout, TViewGestures, TPresentationMenu.
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
class QComboBox;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QSettings;
class QTimer;
class TAboutBox;
class TColorBtn;
class TDataCommands;
class TDialogs;
class TFormulaEdit;
class TFunctionsDialog;
class TGraphEvaluator;
class THelpWindow;
class TOutputCommands;
class TOutputSettings;
class TPaintSlices;
class TPanelDocks;
class TPlotRenderer;
class TPresentationMenu;
class TRecentFiles;
class TSettingsDlg;
class TStatusReadout;
class TStyleComboBox;
class TUndoMan;
class TUndoObject;
class TViewCommands;
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
    void PrintExecute();
    void FilePrintSetupExecute();
    void HelpContentsExecute();
    // Help > Functions: the functions, operators and variables; an example goes into FuncEdit.
    void FunctionsExecute();
    void AboutExecute();
    void FileExitExecute();

  protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    void CreateEditors(QWidget* Client);
    void CreateGraphRow(QWidget* Client);
    void CreateActions();
    void CreateMenus();
    // The features that need the evaluator and the renderer: the view commands, output, docks and
    // data commands; then the status bar's readout and the wheel and touchpad.
    void CreateFeatures();
    void CreateViewTools();
    void LayoutControls();
    void MirrorEditorsIntoModel();
    void LoadGraphIntoEditors(const QString& Func, int32_t Color, int32_t BGColor, int32_t Style);
    // The graph list's numbers 1 .. Count, Selected the current one.
    void FillSelector(int Count, int Selected = 0);
    void InvalidatePlot();
    // The view or what is drawn changed on the user's word: a paint error may be reported
    // again, and the plot is drawn anew.
    void ViewChanged();
    // Graph Index is new (it is added to the graph list and selected) or changed (the formula
    // editor shows it when it is the selected one).
    void GraphChanged(int Index);
    // Pushes an undo record; EditUndo is enabled while there is a record to take back.
    void Record(std::unique_ptr<TUndoObject> Undo);
    void UpdateUndo();
    // Runs a handler and sends any error that leaves it to the error report.
    void Guard(const std::function<void()>& Handler);
    void ReportError(const std::exception& Error);
    // A paint cannot open a modal box: the report runs right after the paint, once for the same
    // text until the user changes something.
    void ReportPaintError(const std::exception& Error);
    // A curve's error: the graphs are hidden until the user shows them again, and Report tells.
    void CurveFailed(const std::exception& Error, bool InPaint);

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
    std::unique_ptr<THelpWindow> HelpWindow;
    std::unique_ptr<TFunctionsDialog> FunctionsDialog; // made when first opened
    std::unique_ptr<TViewCommands> View;
    std::unique_ptr<TOutputCommands> Output;
    std::unique_ptr<TPanelDocks> Docks;
    std::unique_ptr<TDataCommands> Data;
    TStatusReadout* Readout = nullptr;         // owned by WindowBox
    TViewGestures* Gestures = nullptr;         // owned by WindowBox
    TPresentationMenu* Presentation = nullptr; // owned by the window

    // The zoom rectangle while a drag is on.
    std::optional<TZoomSelection> Selection;
    // The text of the last paint error reported; the same error is not reported again until
    // the user changes something, so a view that cannot be drawn does not loop message boxes.
    QString LastPaintError;
    QString OpenFileName;
    QString SaveFileName;
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

    // The actions a handler reads or sets; every action is a child named as in the table of
    // TMainForm.cpp, and the menus find them by name.
    QAction* EditUndo = nullptr;
    QAction* EditCopyAtScreenResolution = nullptr; // checkable, kept in the settings store
    QAction* Grid = nullptr;
    QAction* Numbers = nullptr;
    QAction* Arrows = nullptr;
    QAction* GridDot = nullptr;
    QAction* GridDash = nullptr;
    QAction* GridSolid = nullptr;
    QAction* ShowTangent = nullptr; // the trace marker's tangent, an overlay
};
