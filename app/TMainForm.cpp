// The main window: creation, controls, actions, menus, layout, and the error report.
#include "app/TMainForm.h"

#include "app/PlotFont.h"

#include "app/TAboutBox.h"
#include "app/TAnalysisPanel.h"
#include "app/TDialogs.h"
#include "app/TFormulaAssist.h"
#include "app/TFunctionsDialog.h"
#include "app/TGraphPanel.h"
#include "app/THelpWindow.h"
#include "app/TOutputSettings.h"
#include "app/TPaintSlices.h"
#include "app/TParametersPanel.h"
#include "app/TPresentationMenu.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsDlg.h"
#include "app/TStatusReadout.h"
#include "app/TStyleComboBox.h"
#include "app/TUndoMan.h"
#include "app/TViewGestures.h"
#include "controls/TColorBtn.h"
#include "controls/TFormulaEdit.h"
#include "controls/TWindowBox.h"
#include "expr/Errors.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotRenderer.h"
#include "plot/TProfileFile.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <new>

namespace
{
template <class TEdit = QLineEdit> TEdit* MakeEdit(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* Edit = new TEdit(Parent);
    Edit->setText(Text);
    Edit->setObjectName(QString::fromLatin1(Name));
    // No editor holds less than a document can bring: Qt's default of 32767 characters would
    // cut a longer formula that the reader keeps whole.
    Edit->setMaxLength(int(TProfileFile::MaxFileSize));
    return Edit;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption)
{
    auto* Button = new QPushButton(Caption, Parent);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setFocusPolicy(Qt::TabFocus);
    return Button;
}
} // namespace

TMainForm::TMainForm(TDialogs& DialogsIn, QSettings& StoreIn, char16_t Separator, QWidget* Parent)
    : QMainWindow(Parent), Dialogs(DialogsIn), Store(StoreIn), DecimalSeparator(Separator),
      Navigation(Separator)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vendrel"));
    // The window's font is 8 points; the plot surface takes it for the tick numbers.
    setFont(PlotFont());
    QPixmap Icon(64, 48);
    Icon.fill(Qt::white);
    {
        QPainter Painter(&Icon);
        TAboutBox::DrawProgramIcon(Painter, Icon.width(), Icon.height());
    }
    setWindowIcon(QIcon(Icon));
    CreateControls();
    CreateActions();
    CreateMenus();
    FormCreate();
    CreateViewTools();
    // The client area above the status bar, menu bar included, is the designed 540 x 619.
    resize(540, 619 + statusBar()->sizeHint().height());
    // Laid out now, not at the first show, so the window measures as designed from the start.
    layout()->activate();
    LayoutControls();
}

TMainForm::~TMainForm()
{
    // Recent files first, then the evaluator, the undo manager and the graphs.
    RecentFiles->SaveRecentFiles();
    HelpWindow.reset();
    AnalysisPanel.reset();
    GraphPanel.reset();
    ParametersPanel.reset();
    Renderer.reset();
    Evaluator.reset();
    UndoMan.reset();
}

void TMainForm::FormCreate()
{
    WindowBox->SetDoubleBuffered(true);
    // FramesCount, MotionBlur, TicksByX, TicksByY and TimeStep start at the model's values.
    PlotModel.FuncList.Assign({TFunc()});
    // The evaluator, with "Pi", the function library and "x" bound to its storage.
    Evaluator = std::make_unique<TGraphEvaluator>(DecimalSeparator);
    Renderer = std::make_unique<TPlotRenderer>(PlotModel, *Evaluator, DecimalSeparator);
    PaintSlices = std::make_unique<TPaintSlices>(this, [this] { WindowBox->Invalidate(); });

    // The recent-files submenu is found by its caption among all menu items.
    RecentFilesClient = TRecentFiles::FindClient(*menuBar());
    RecentFiles = std::make_unique<TRecentFiles>(Store);
    RecentFiles->SetClient(RecentFilesClient);
    connect(RecentFiles.get(), &TRecentFiles::ReopenRequested, this,
            [this](const QString& Path)
            {
                OpenFileName = Path;
                Guard([this] { FileOpenAccept(); });
            });
    RecentFiles->LoadRecentFiles();
    // The next Open dialog starts at the newest entry.
    if (RecentFiles->Count() > 0)
        OpenFileName = RecentFiles->Path(0);

    // The hints keep the start texts, put back when a typed range is rejected.
    for (QLineEdit* Edit : {LeftEdt, TopEdt, RightEdt, BottomEdt})
        Edit->setToolTip(Edit->text());
    UndoMan = std::make_unique<TUndoMan>();
    UpdateUndo();
    SettingsDlg = std::make_unique<TSettingsDlg>(DecimalSeparator, this);
    AboutBox = std::make_unique<TAboutBox>(this);
    Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
}

void TMainForm::CreateControls()
{
    auto* Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);

    WindowBox = new TWindowBox(Client);
    WindowBox->setObjectName(QStringLiteral("WindowBox"));
    WindowBox->SetOnPaint([this](QPainter& Painter, const QSize& Size, double Ratio)
                          { WindowBoxPaint(Painter, Size, Ratio); });
    connect(WindowBox, &TWindowBox::MouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p)
            { Guard([&] { WindowBoxMouseDown(b, m, p); }); });
    connect(WindowBox, &TWindowBox::MouseMove, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers m, QPoint p)
            { Guard([&] { WindowBoxMouseMove(m, p); }); });
    connect(WindowBox, &TWindowBox::MouseUp, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p)
            { Guard([&] { WindowBoxMouseUp(b, m, p); }); });
    connect(WindowBox, &TWindowBox::KeyDown, this,
            [this](int& Key, Qt::KeyboardModifiers Shift) { Guard([&] { EditKeyDown(Key, Shift); }); });

    // The editors start with the model's texts, which they mirror from then on.
    LeftEdt = MakeEdit(Client, "LeftEdt", PlotModel.LeftText);
    RightEdt = MakeEdit(Client, "RightEdt", PlotModel.RightText);
    TopEdt = MakeEdit(Client, "TopEdt", PlotModel.TopText);
    BottomEdt = MakeEdit(Client, "BottomEdt", PlotModel.BottomText);
    TimeEdt = MakeEdit(Client, "TimeEdt", PlotModel.TimeText);
    FuncEdit = MakeEdit<TFormulaEdit>(Client, "FuncEdit", QString());
    for (QLineEdit* Edit : {LeftEdt, RightEdt, TopEdt, BottomEdt, TimeEdt, static_cast<QLineEdit*>(FuncEdit)})
        Edit->installEventFilter(this);
    TFormulaAssist::Attach(FuncEdit,
                           {[this] { return TFormulaAssist::VariablesOf(PlotModel.FuncList.Last().Kind); },
                            [this] { return PlotModel.Parameters.Names(); }, DecimalSeparator,
                            [this](std::unique_ptr<TUndoObject> Record) { PushUndo(std::move(Record)); }});
    MirrorEditorsIntoModel();

    ComboBox = new QComboBox(Client);
    ComboBox->setObjectName(QStringLiteral("ComboBox"));
    ComboBox->addItem(QStringLiteral("1"));
    connect(ComboBox, &QComboBox::activated, this,
            [this](int Index) { Guard([&] { ComboBoxChange(Index); }); });

    AddBtn = MakeButton(Client, "AddBtn", QStringLiteral("Add"));
    connect(AddBtn, &QPushButton::clicked, this, [this] { Guard([this] { AddBtnClick(); }); });

    ColorBtn = new TColorBtn(Client);
    ColorBtn->setObjectName(QStringLiteral("ColorBtn"));
    ColorBtn->SetColor(clBlack);
    connect(ColorBtn, &QPushButton::clicked, this, [this] { Guard([this] { ColorBtnClick(); }); });
    BGBtn = new TColorBtn(Client);
    BGBtn->setObjectName(QStringLiteral("BGBtn"));
    BGBtn->SetColor(clWhite);
    connect(BGBtn, &QPushButton::clicked, this, [this] { Guard([this] { BGBtnClick(); }); });

    StyleComboBox = new TStyleComboBox([this] { return ColorBtn->Color(); }, Client);
    StyleComboBox->setObjectName(QStringLiteral("StyleComboBox"));
    connect(StyleComboBox, &QComboBox::activated, this,
            [this](int Index)
            {
                Guard(
                    [&]
                    {
                        StyleComboBoxClick(Index);
                        StyleComboBoxChange();
                    });
            });

    ForwardBtn = MakeButton(Client, "ForwardBtn", QStringLiteral("Forward"));
    BackBtn = MakeButton(Client, "BackBtn", QStringLiteral("Back"));
    StopBtn = MakeButton(Client, "StopBtn", QStringLiteral("Stop"));
    connect(ForwardBtn, &QPushButton::clicked, this, [this] { ForwardBtnClick(); });
    connect(BackBtn, &QPushButton::clicked, this, [this] { BackBtnClick(); });
    connect(StopBtn, &QPushButton::clicked, this, [this] { StopBtnClick(); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(40);
    connect(Timer, &QTimer::timeout, this, [this] { Guard([this] { TimerTimer(); }); });
}

// The status bar readout with its trace marker, and the wheel and touchpad zoom.
void TMainForm::CreateViewTools()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    Readout = new TStatusReadout(*WindowBox, *statusBar(), PlotModel, *Evaluator,
                                 [this] { return ComboBox->currentIndex(); });
    connect(ComboBox, &QComboBox::currentIndexChanged, Readout, &TStatusReadout::Refresh);
    connect(ShowTangent, &QAction::toggled, Readout, &TStatusReadout::SetShowTangent);
    Gestures =
        new TViewGestures(*WindowBox, PlotModel, Navigation,
                          [this](const TBoundTexts& New, bool Record) { return ChangeView(New, Record); });
    connect(Gestures, &TViewGestures::ViewChanged, Readout, &TStatusReadout::Refresh);
    connect(WindowBox, &TWindowBox::Wheel, this,
            [this](QPoint Angle, QPoint Pixels, Qt::ScrollPhase Phase, Qt::KeyboardModifiers Shift,
                   QPointF Pos) { Guard([&] { Gestures->Wheel(Angle, Pixels, Phase, Shift, Pos); }); });
    connect(WindowBox, &TWindowBox::NativeGesture, this,
            [this](Qt::NativeGestureType Type, qreal Value, QPointF Pos)
            { Guard([&] { Gestures->NativeGesture(Type, Value, Pos); }); });
}

void TMainForm::MirrorEditorsIntoModel()
{
    // Every read of a bound or time text sees exactly what the editor shows.
    auto Mirror = [this](QLineEdit* Edit, QString TPlotModel::*Field)
    {
        PlotModel.*Field = Edit->text();
        connect(Edit, &QLineEdit::textChanged, this,
                [this, Field](const QString& Text) { PlotModel.*Field = Text; });
    };
    // A bound written by the program (a zoom, a pan, an undo) shows its head: a 15-digit
    // text is wider than its editor.
    for (QLineEdit* Edit : {LeftEdt, RightEdt, TopEdt, BottomEdt})
        connect(Edit, &QLineEdit::textChanged, Edit,
                [Edit]
                {
                    if (!Edit->hasFocus())
                        Edit->setCursorPosition(0);
                });
    Mirror(LeftEdt, &TPlotModel::LeftText);
    Mirror(RightEdt, &TPlotModel::RightText);
    Mirror(TopEdt, &TPlotModel::TopText);
    Mirror(BottomEdt, &TPlotModel::BottomText);
    Mirror(TimeEdt, &TPlotModel::TimeText);
}

void TMainForm::CreateActions()
{
    auto Make = [this](const char* Name, const QString& Caption, const QKeySequence& Shortcut,
                       const QString& Hint, void (TMainForm::*Slot)())
    {
        auto* Action = new QAction(Caption, this);
        Action->setObjectName(QString::fromLatin1(Name));
        Action->setShortcut(Shortcut);
        Action->setShortcutContext(Qt::WindowShortcut);
        if (!Hint.isEmpty())
        {
            Action->setToolTip(Hint.section(QLatin1Char('|'), 0, 0));
            Action->setStatusTip(Hint.section(QLatin1Char('|'), -1));
        }
        connect(Action, &QAction::triggered, this,
                [this, Slot] { Guard([this, Slot] { (this->*Slot)(); }); });
        return Action;
    };
    auto Toggle = [this](const char* Name, const QString& Caption, bool Checked)
    {
        auto* Action = new QAction(Caption, this);
        Action->setObjectName(QString::fromLatin1(Name));
        Action->setCheckable(true);
        Action->setChecked(Checked);
        connect(Action, &QAction::triggered, this, [this] { ShowExecute(); });
        return Action;
    };

    FileOpen = Make("FileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                    QStringLiteral("Open|Opens an existing file"), &TMainForm::FileOpenExecute);
    FileSaveAs =
        Make("FileSaveAs", QStringLiteral("Save &As..."), QKeySequence(),
             QStringLiteral("Save As|Saves the active file with a new name"), &TMainForm::FileSaveAsExecute);
    FilePrintSetup = Make("FilePrintSetup", QStringLiteral("Print Set&up..."), QKeySequence(),
                          QStringLiteral("Print Setup"), &TMainForm::FilePrintSetupExecute);
    Print = Make("Print", QStringLiteral("&Print"), QKeySequence(), QString(), &TMainForm::PrintExecute);
    PrintPdf =
        Make("PrintPdf", QStringLiteral("Print to P&DF..."), QKeySequence(),
             QStringLiteral("Print to PDF|Prints the plot into a PDF file"), &TMainForm::PrintPdfExecute);
    ExportPicture =
        Make("ExportPicture", QStringLiteral("&Export Picture..."), QKeySequence(Qt::CTRL | Qt::Key_E),
             QStringLiteral("Export Picture|Writes the plot into a PNG, SVG or PDF file"),
             &TMainForm::ExportPictureExecute);
    ExportAnimation =
        Make("ExportAnimation", QStringLiteral("Export A&nimation..."), QKeySequence(),
             QStringLiteral("Export Animation|Writes the animated plot into a WebP, a GIF or PNG frames"),
             &TMainForm::ExportAnimationExecute);
    FileExit = Make("FileExit", QStringLiteral("E&xit"), QKeySequence(),
                    QStringLiteral("Exit|Quits the application"), &TMainForm::FileExitExecute);
    EditCopy = Make("EditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), QString(),
                    &TMainForm::EditCopyExecute);
    EditUndo = Make("EditUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), QString(),
                    &TMainForm::EditUndoExecute);
    OutputSettings = std::make_unique<TOutputSettings>(Store);
    EditCopyAtScreenResolution =
        Make("EditCopyAtScreenResolution", QStringLiteral("Copy at screen resolution"), QKeySequence(),
             QString(), &TMainForm::EditCopyAtScreenResolutionExecute);
    EditCopyAtScreenResolution->setCheckable(true);
    EditCopyAtScreenResolution->setChecked(OutputSettings->CopyAtScreenResolution());
    Settings =
        Make("Settings", QStringLiteral("&Settings"), QKeySequence(), QString(), &TMainForm::SettingsExecute);
    HelpContents = Make("HelpContents", QStringLiteral("&Index"), QKeySequence(Qt::Key_F1),
                        QStringLiteral("Help Index"), &TMainForm::HelpContentsExecute);
    Functions =
        Make("Functions", QStringLiteral("&Functions..."), QKeySequence(),
             QStringLiteral("Functions|The functions, operators and variables of formulas, with examples"),
             &TMainForm::FunctionsExecute);
    About = Make("About", QStringLiteral("&About"), QKeySequence(), QString(), &TMainForm::AboutExecute);
    Analyse =
        Make("Analyse", QStringLiteral("&Analyse..."), QKeySequence(),
             QStringLiteral("Analyse|Roots, extrema, intersections, values and areas of the selected graph"),
             &TMainForm::AnalyseExecute);
    GraphAction = Make("Graph", QStringLiteral("&Graph..."), QKeySequence(),
                       QStringLiteral("Graph|The kind and the formulas of the selected graph"),
                       &TMainForm::GraphExecute);
    Parameters =
        Make("Parameters", QStringLiteral("&Parameters..."), QKeySequence(),
             QStringLiteral("Parameters|Named parameters of the formulas, on sliders, animated with t"),
             &TMainForm::ParametersExecute);

    Grid = Toggle("Grid", QStringLiteral("&Show Grid"), true);
    Numbers = Toggle("Numbers", QStringLiteral("S&how Numbers"), true);
    Arrows = Toggle("Arrows", QStringLiteral("Sh&ow Arrows"), true);
    GridDot = Toggle("GridDot", QStringLiteral("&Dot"), false);
    GridDash = Toggle("GridDash", QStringLiteral("D&ash"), false);
    GridSolid = Toggle("GridSolid", QStringLiteral("&Solid"), true);
    ZoomIn = Make("ZoomIn", QStringLiteral("Zoom &In"), QKeySequence(Qt::CTRL | Qt::Key_Plus), QString(),
                  &TMainForm::ZoomInExecute);
    ZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOut = Make("ZoomOut", QStringLiteral("Zoom O&ut"), QKeySequence(Qt::CTRL | Qt::Key_Minus), QString(),
                   &TMainForm::ZoomOutExecute);
    ResetView = Make("ResetView", QStringLiteral("&Reset View"), QKeySequence(Qt::CTRL | Qt::Key_0),
                     QString(), &TMainForm::ResetViewExecute);
    ShowTangent = new QAction(QStringLiteral("Show &Tangent"), this);
    ShowTangent->setObjectName(QStringLiteral("ShowTangent"));
    ShowTangent->setCheckable(true);
    ShowTangent->setStatusTip(QStringLiteral("Draws the tangent through the trace marker"));
    Presentation = new TPresentationMenu(this,
                                         [this](const TPlotOptions& New)
                                         {
                                             bool Taken = false;
                                             Guard([&] { Taken = PresentationChange(New); });
                                             return Taken;
                                         });
    GridStyle = new QActionGroup(this);
    GridStyle->setExclusive(true);
    for (QAction* Action : {GridDot, GridDash, GridSolid})
        GridStyle->addAction(Action);
    addActions({FileOpen, FileSaveAs, FilePrintSetup, Print,    PrintPdf,     ExportPicture, ExportAnimation,
                FileExit, EditCopy,   EditUndo,       Settings, HelpContents, Functions,     About,
                ZoomIn,   ZoomOut,    ResetView,      Analyse,  GraphAction,  Parameters});
}

void TMainForm::CreateMenus()
{
    QMenu* File = menuBar()->addMenu(QStringLiteral("&File"));
    File->addAction(FileOpen);
    QMenu* Recent = File->addMenu(QStringLiteral("&Resent Files"));
    Recent->setObjectName(QStringLiteral("RecentFilesMenu"));
    File->addSeparator();
    File->addAction(FileSaveAs);
    File->addSeparator();
    File->addAction(FilePrintSetup);
    File->addAction(Print);
    File->addAction(PrintPdf);
    File->addSeparator();
    File->addAction(ExportPicture);
    File->addAction(ExportAnimation);
    File->addSeparator();
    File->addAction(FileExit);

    QMenu* Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit->addAction(EditCopy);
    Edit->addAction(EditCopyAtScreenResolution);
    Edit->addAction(EditUndo);

    QMenu* View = menuBar()->addMenu(QStringLiteral("&View"));
    View->addAction(Grid);
    View->addAction(Numbers);
    View->addAction(Arrows);
    QMenu* GridMenu = View->addMenu(QStringLiteral("&Grid"));
    GridMenu->addActions({GridDot, GridDash, GridSolid});
    View->addSeparator();
    View->addActions({ZoomIn, ZoomOut, ResetView});
    View->addSeparator();
    View->addAction(ShowTangent);
    Presentation->AddTo(*View);

    QMenu* Tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools->addAction(Settings);
    Tools->addAction(Analyse);
    Tools->addAction(GraphAction);
    Tools->addAction(Parameters);

    QMenu* Help = menuBar()->addMenu(QStringLiteral("&Help"));
    Help->addAction(HelpContents);
    Help->addAction(Functions);
    Help->addAction(About);
}

void TMainForm::resizeEvent(QResizeEvent* Event)
{
    QMainWindow::resizeEvent(Event);
    LayoutControls();
    InvalidatePlot(); // FormResize
}

// Positions are those of the designed client area (menu bar included, status bar not), with
// the designed anchors: the plot follows all four sides, the left and right bound editors keep
// their sides and stay centred vertically, the top and bottom ones keep their edges and stay
// centred horizontally, and the rows below the plot follow the bottom.
void TMainForm::LayoutControls()
{
    const int Top = centralWidget()->y();
    const int W = centralWidget()->width();
    const int H = Top + centralWidget()->height();
    const int dW = W - 540, dH = H - 619;
    auto Place = [Top](QWidget* Control, int X, int Y, int Width, int Height)
    { Control->setGeometry(X, Y - Top, Width, Height); };
    Place(WindowBox, 9, 30, std::max(523 + dW, 40), std::max(523 + dH, 40));
    // 41 pixels, so the top editor ends short of the y axis's arrow head.
    constexpr int BoundWidth = 41;
    Place(LeftEdt, 16, 251 + dH / 2, BoundWidth, 21);
    Place(RightEdt, 477 + dW, 251 + dH / 2, BoundWidth, 21);
    Place(TopEdt, 218 + dW / 2, 40, BoundWidth, 21);
    Place(BottomEdt, 218 + dW / 2, 519 + dH, BoundWidth, 21);

    const int Row1 = 561 + dH;
    const int Row2 = 590 + dH;
    Place(ComboBox, 8, Row1, 50, 23);
    Place(AddBtn, 62, Row1, 60, 25);
    Place(ColorBtn, 126, Row1, 75, 25);
    Place(BGBtn, 205, Row1, 75, 25);
    Place(StyleComboBox, 284, Row1, 120, 23);
    Place(TimeEdt, 411, Row1, 121, 21);
    Place(FuncEdit, 8, Row2, std::max(281 + dW, 100), 21);
    const int ButtonsLeft = std::max(8 + FuncEdit->width() + 6, 295 + dW);
    Place(ForwardBtn, ButtonsLeft, Row2 - 2, 75, 25);
    Place(BackBtn, ButtonsLeft + 79, Row2 - 2, 75, 25);
    Place(StopBtn, ButtonsLeft + 158, Row2 - 2, 75, 25);
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress)
    {
        auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter)
        {
            auto* Edit = qobject_cast<QLineEdit*>(Watched);
            Guard([&] { EditKeyPress(Edit, Qt::Key_Return); });
            return true;
        }
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TMainForm::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (!FirstShow)
        return;
    FirstShow = false;
    WindowBox->setFocus();
    RecentFiles->ReadFilledGraphs(PlotModel.FilledGraphs);
}

void TMainForm::closeEvent(QCloseEvent* Event)
{
    // The help window goes with the main window, so closing it ends the program.
    if (HelpWindow)
        HelpWindow->close();
    RecentFiles->WriteFilledGraphs(PlotModel.FilledGraphs);
    QMainWindow::closeEvent(Event);
}

void TMainForm::FileExitExecute()
{
    close();
}

void TMainForm::ViewChanged()
{
    LastPaintError.clear();
    InvalidatePlot();
}

void TMainForm::InvalidatePlot()
{
    ShowDrawnBounds();
    if (PaintSlices)
        PaintSlices->Restart();
    if (WindowBox)
        WindowBox->Invalidate();
    if (AnalysisPanel)
        AnalysisPanel->ModelChanged();
    if (ParametersPanel)
        ParametersPanel->ModelChanged();
}

// The panel opens on the right; the window grows by its width, so the plot keeps its size.
void TMainForm::AnalyseExecute()
{
    if (!AnalysisPanel)
    {
        AnalysisPanel = std::make_unique<TAnalysisPanel>(
            PlotModel, DecimalSeparator, [this] { return ComboBox->currentIndex(); }, WindowBox, this);
        connect(ComboBox, &QComboBox::currentIndexChanged, AnalysisPanel.get(),
                [this] { AnalysisPanel->ModelChanged(); });
        // The wheel changes the view between paints.
        connect(Gestures, &TViewGestures::ViewChanged, AnalysisPanel.get(),
                [this] { AnalysisPanel->ModelChanged(); });
        addDockWidget(Qt::RightDockWidgetArea, AnalysisPanel.get());
        AnalysisPanel->show();
        const int Separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
        resize(width() + AnalysisPanel->sizeHint().width() + Separator, height());
    }
    AnalysisPanel->show();
    AnalysisPanel->raise();
}

// The panel opens on the right like the analysis panel; a slider redraws at once.
void TMainForm::ParametersExecute()
{
    if (!ParametersPanel)
    {
        ParametersPanel = std::make_unique<TParametersPanel>(
            PlotModel, DecimalSeparator, [this] { ViewChanged(); },
            [this](const TParameterList& Before) { RecordParameters(Before); }, this);
        addDockWidget(Qt::RightDockWidgetArea, ParametersPanel.get());
        ParametersPanel->show();
        const int Separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
        resize(width() + ParametersPanel->sizeHint().width() + Separator, height());
    }
    ParametersPanel->show();
    ParametersPanel->raise();
}

void TMainForm::Guard(const std::function<void()>& Handler)
{
    try
    {
        Handler();
    }
    catch (const std::exception& Error)
    {
        ReportError(Error);
    }
}

void TMainForm::ReportError(const std::exception& Error)
{
    Dialogs.ShowError(this, ErrorText(Error));
}

QString TMainForm::ErrorText(const std::exception& Error)
{
    if (dynamic_cast<const std::bad_alloc*>(&Error))
        return QString::fromUtf8(Msg::OutOfMemory.data(), qsizetype(Msg::OutOfMemory.size()));
    return QString::fromUtf8(Error.what());
}

void TMainForm::ReportPaintError(const QString& Text)
{
    if (Text == LastPaintError)
        return;
    LastPaintError = Text;
    QTimer::singleShot(0, this, [this, Text] { Dialogs.ShowError(this, Text); });
}
