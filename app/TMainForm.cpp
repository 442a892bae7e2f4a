// The main window: creation, controls, actions, menus, layout, and the error report.
#include "app/TMainForm.h"

#include "app/PlotFont.h"
#include "app/TAboutBox.h"
#include "app/TDataCommands.h"
#include "app/TDialogs.h"
#include "app/TFormulaAssist.h"
#include "app/TFunctionsDialog.h"
#include "app/THelpWindow.h"
#include "app/TOutputCommands.h"
#include "app/TOutputSettings.h"
#include "app/TPaintSlices.h"
#include "app/TPanelDocks.h"
#include "app/TPresentationMenu.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsDlg.h"
#include "app/TStatusReadout.h"
#include "app/TStyleComboBox.h"
#include "app/TUndoMan.h"
#include "app/TUndoObject.h"
#include "app/TViewCommands.h"
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
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
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

// An allocation failure shows a sentence of its own; every other error its message.
QString ErrorText(const std::exception& Error)
{
    if (dynamic_cast<const std::bad_alloc*>(&Error))
        return QString::fromUtf8(Msg::OutOfMemory.data(), qsizetype(Msg::OutOfMemory.size()));
    return QString::fromUtf8(Error.what());
}

constexpr int Ctrl(Qt::Key Key)
{
    return (Qt::CTRL | Key).toCombined();
}

// The features the window wires, as the actions reach them.
struct TFeatures
{
    TViewCommands& View;
    TOutputCommands& Output;
    TPanelDocks& Docks;
    TDataCommands& Data;
};

// Every action of the menus, made in one loop: its name, caption, shortcuts, hint ("tool
// tip|status tip"), whether it carries a check mark (-1: a command; 0, 1: unchecked or
// checked at start) and what it runs (the check marks of the view: ShowExecute).
struct TActionRow
{
    const char* Name;
    const char* Caption;
    int Key, Key2;
    const char* Hint;
    int Checked;
    void (*Run)(TMainForm&, const TFeatures&);
};
using F = TMainForm;
using X = TFeatures;
// clang-format off
const TActionRow ActionRows[] = {
    {"FileOpen", "&Open...", Ctrl(Qt::Key_O), 0, "Open|Opens an existing file", -1, [](F& f, const X&) { f.FileOpenExecute(); }},
    {"ImportData", "Import &Data...", 0, 0, "Import Data|Reads a data file (CSV, TSV, TXT) into a points graph", -1, [](F&, const X& x) { x.Data.Import(); }},
    {"FileSaveAs", "Save &As...", 0, 0, "Save As|Saves the active file with a new name", -1, [](F& f, const X&) { f.FileSaveAsExecute(); }},
    {"FilePrintSetup", "Print Set&up...", 0, 0, "Print Setup", -1, [](F& f, const X&) { f.FilePrintSetupExecute(); }},
    {"Print", "&Print", 0, 0, nullptr, -1, [](F& f, const X&) { f.PrintExecute(); }},
    {"PrintPdf", "Print &to PDF...", 0, 0, "Print to PDF|Prints the plot into a PDF file", -1, [](F&, const X& x) { x.Output.PrintPdf(); }},
    {"ExportPicture", "&Export Picture...", Ctrl(Qt::Key_E), 0, "Export Picture|Writes the plot into a PNG, SVG or PDF file", -1, [](F&, const X& x) { x.Output.ExportPicture(); }},
    {"ExportAnimation", "Export A&nimation...", 0, 0, "Export Animation|Writes the animated plot into a WebP, a GIF or PNG frames", -1, [](F&, const X& x) { x.Output.ExportAnimation(); }},
    {"FileExit", "E&xit", 0, 0, "Exit|Quits the application", -1, [](F& f, const X&) { f.FileExitExecute(); }},
    {"EditCopy", "&Copy", Ctrl(Qt::Key_C), 0, nullptr, -1, [](F& f, const X&) { f.EditCopyExecute(); }},
    {"EditCopyAtScreenResolution", "Copy at screen resolution", 0, 0, nullptr, 0, nullptr},
    {"EditUndo", "&Undo", Ctrl(Qt::Key_Z), 0, nullptr, -1, [](F& f, const X&) { f.EditUndoExecute(); }},
    {"Grid", "&Show Grid", 0, 0, nullptr, 1, [](F& f, const X&) { f.ShowExecute(); }},
    {"Numbers", "S&how Numbers", 0, 0, nullptr, 1, [](F& f, const X&) { f.ShowExecute(); }},
    {"Arrows", "Sh&ow Arrows", 0, 0, nullptr, 1, [](F& f, const X&) { f.ShowExecute(); }},
    {"GridDot", "&Dot", 0, 0, nullptr, 0, [](F& f, const X&) { f.ShowExecute(); }},
    {"GridDash", "D&ash", 0, 0, nullptr, 0, [](F& f, const X&) { f.ShowExecute(); }},
    {"GridSolid", "&Solid", 0, 0, nullptr, 1, [](F& f, const X&) { f.ShowExecute(); }},
    {"ZoomIn", "Zoom &In", Ctrl(Qt::Key_Plus), Ctrl(Qt::Key_Equal), nullptr, -1, [](F&, const X& x) { x.View.Zoom(1); }},
    {"ZoomOut", "Zoom O&ut", Ctrl(Qt::Key_Minus), 0, nullptr, -1, [](F&, const X& x) { x.View.Zoom(-1); }},
    {"ResetView", "&Reset View", Ctrl(Qt::Key_0), 0, nullptr, -1, [](F&, const X& x) { x.View.Reset(); }},
    {"ShowTangent", "Show &Tangent", 0, 0, "Show Tangent|Draws the tangent through the trace marker", 0, nullptr},
    {"Settings", "&Settings", 0, 0, nullptr, -1, [](F& f, const X&) { f.SettingsExecute(); }},
    {"Analyse", "&Analyse...", 0, 0, "Analyse|Roots, extrema, intersections, values and areas of the selected graph", -1, [](F&, const X& x) { x.Docks.Analyse(); }},
    {"Graph", "&Graph...", 0, 0, "Graph|The kind and the formulas of the selected graph", -1, [](F&, const X& x) { x.Docks.Graph(); }},
    {"Fit", "&Fit...", 0, 0, "Fit|Fits the parameters of a function graph to a points graph", -1, [](F&, const X& x) { x.Data.Fit(); }},
    {"Parameters", "&Parameters...", 0, 0, "Parameters|Named parameters of the formulas, on sliders, animated with t", -1, [](F&, const X& x) { x.Docks.Parameters(); }},
    {"HelpContents", "&Index", Qt::Key_F1, 0, "Help Index", -1, [](F& f, const X&) { f.HelpContentsExecute(); }},
    {"Functions", "&Functions...", 0, 0, "Functions|The functions, operators and variables of formulas, with examples", -1, [](F& f, const X&) { f.FunctionsExecute(); }},
    {"About", "&About", 0, 0, nullptr, -1, [](F& f, const X&) { f.AboutExecute(); }},
};
// The menus by the names of their actions: "-" a separator, "Recent" the recent files, "Grid"
// the grid style submenu, "Presentation" the presentation options.
const std::initializer_list<const char*> MenuRows[] = {
    {"&File", "FileOpen", "Recent", "ImportData", "-", "FileSaveAs", "-", "FilePrintSetup", "Print", "PrintPdf", "-", "ExportPicture", "ExportAnimation", "-", "FileExit"},
    {"&Edit", "EditCopy", "EditCopyAtScreenResolution", "EditUndo"},
    {"&View", "Grid", "Numbers", "Arrows", "Grid...", "-", "ZoomIn", "ZoomOut", "ResetView", "-", "ShowTangent", "Presentation"},
    {"&Tools", "Settings", "Analyse", "Graph", "Parameters", "Fit"},
    {"&Help", "HelpContents", "Functions", "About"},
};
// clang-format on
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
    auto* Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);
    CreateEditors(Client);
    CreateGraphRow(Client);
    CreateActions();
    CreateMenus();
    FormCreate();
    CreateFeatures();
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
    FunctionsDialog.reset();
    Data.reset();
    Docks.reset();
    Output.reset();
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
            [this](const QString& Path) { OpenDocument(Path); });
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
}

// The plot surface and the five editors around and below it; the editors start with the
// model's texts, which they mirror from then on.
void TMainForm::CreateEditors(QWidget* Client)
{
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
                            [this](std::unique_ptr<TUndoObject> Undo) { Record(std::move(Undo)); }});
    MirrorEditorsIntoModel();
}

// The graph list with its buttons, and the time controls.
void TMainForm::CreateGraphRow(QWidget* Client)
{
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
            [this](int Index) { Guard([&] { StyleComboBoxClick(Index), StyleComboBoxChange(); }); });
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

// The status bar readout with its trace marker, the wheel and touchpad zoom, the view commands,
// the output and the docks.
void TMainForm::CreateFeatures()
{
    View = std::make_unique<TViewCommands>(
        TViewCommands::TEditors{LeftEdt, TopEdt, RightEdt, BottomEdt}, *WindowBox, *this, PlotModel,
        Navigation, Dialogs,
        TViewCommands::THooks{
            [this] { Record(std::make_unique<TUndoObject>(LeftEdt, TopEdt, RightEdt, BottomEdt)); },
            [this] { EditUndoExecute(); }, [this] { ViewChanged(); }});
    Output = std::make_unique<TOutputCommands>(
        PlotModel, *Renderer, *WindowBox, Dialogs, DecimalSeparator,
        [this](QPainter& Painter, int W, int H, int Margin, double Scale)
        { Docks->DrawMarks(Painter, W, H, Margin, Scale); },
        [this](const Exception& Error) { CurveFailed(Error, false); });
    Docks = std::make_unique<TPanelDocks>(
        *this, PlotModel, DecimalSeparator, *ComboBox, *WindowBox,
        TPanelDocks::THooks{[this](std::unique_ptr<TUndoObject> Undo) { Record(std::move(Undo)); },
                            [this] { ViewChanged(); }, [this](int Index) { GraphChanged(Index); },
                            [this](const std::exception& Error) { ReportError(Error); }});
    Data = std::make_unique<TDataCommands>(
        *this, PlotModel, Dialogs, DecimalSeparator, [this] { return ComboBox->currentIndex(); },
        TDataCommands::THooks{[this](std::unique_ptr<TUndoObject> Undo) { Record(std::move(Undo)); },
                              [this](int Index) { GraphChanged(Index), ComboBoxChange(Index); },
                              [this](const TFuncList& Graphs)
                              {
                                  // The list as an undo of an import has it, its last graph selected.
                                  PlotModel.FuncList = Graphs;
                                  FillSelector(Graphs.Count(), Graphs.Count() - 1);
                                  ComboBoxChange(Graphs.Count() - 1);
                              },
                              [this] { ViewChanged(); },
                              [this](const std::exception& Error) { ReportError(Error); }});
    CreateViewTools();
}

// The status bar's readout with its trace marker, and the wheel and touchpad zoom.
void TMainForm::CreateViewTools()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    Readout = new TStatusReadout(*WindowBox, *statusBar(), PlotModel, *Evaluator,
                                 [this] { return ComboBox->currentIndex(); });
    connect(ComboBox, &QComboBox::currentIndexChanged, Readout, &TStatusReadout::Refresh);
    connect(ShowTangent, &QAction::toggled, Readout, &TStatusReadout::SetShowTangent);
    // A gesture shows the kept picture moved and asks for the new one when it pauses.
    Gestures = new TViewGestures(*WindowBox, PlotModel, Navigation,
                                 [this](const TBoundTexts& New, bool Record)
                                 { return View->Change(New, Record) && (LastPaintError.clear(), true); });
    connect(Gestures, &TViewGestures::ViewChanged, Readout, &TStatusReadout::Refresh);
    connect(Gestures, &TViewGestures::ViewChanged, this, [this] { Docks->ModelChanged(); });
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
    for (const TActionRow& Row : ActionRows)
    {
        auto* Action = new QAction(QString::fromLatin1(Row.Caption), this);
        Action->setObjectName(QString::fromLatin1(Row.Name));
        QList<QKeySequence> Keys;
        for (const int Key : {Row.Key, Row.Key2})
            if (Key)
                Keys << QKeySequence(Key);
        Action->setShortcuts(Keys);
        Action->setShortcutContext(Qt::WindowShortcut);
        if (Row.Hint)
        {
            Action->setToolTip(QString::fromLatin1(Row.Hint).section(QLatin1Char('|'), 0, 0));
            Action->setStatusTip(QString::fromLatin1(Row.Hint).section(QLatin1Char('|'), -1));
        }
        Action->setCheckable(Row.Checked >= 0);
        Action->setChecked(Row.Checked > 0);
        if (Row.Run)
            connect(Action, &QAction::triggered, this,
                    [this, Run = Row.Run] {
                        Guard([&] { Run(*this, TFeatures{*View, *Output, *Docks, *Data}); });
                    });
        if (Row.Checked < 0)
            addAction(Action);
    }
    const auto Find = [this](const char* Name) { return findChild<QAction*>(QString::fromLatin1(Name)); };
    EditUndo = Find("EditUndo"), ShowTangent = Find("ShowTangent");
    Grid = Find("Grid"), Numbers = Find("Numbers"), Arrows = Find("Arrows");
    GridDot = Find("GridDot"), GridDash = Find("GridDash"), GridSolid = Find("GridSolid");
    EditCopyAtScreenResolution = Find("EditCopyAtScreenResolution");
}

// The menus, the grid style's radio group, the presentation options, and the switch of Copy
// that the settings store keeps.
void TMainForm::CreateMenus()
{
    auto* GridStyle = new QActionGroup(this);
    GridStyle->setExclusive(true);
    for (QAction* Style : {GridDot, GridDash, GridSolid})
        GridStyle->addAction(Style);
    OutputSettings = std::make_unique<TOutputSettings>(Store);
    EditCopyAtScreenResolution->setChecked(OutputSettings->CopyAtScreenResolution());
    connect(EditCopyAtScreenResolution, &QAction::triggered, this,
            [this](bool Checked) { OutputSettings->SetCopyAtScreenResolution(Checked); });
    Presentation = new TPresentationMenu(this,
                                         [this](const TPlotOptions& New)
                                         {
                                             bool Taken = false;
                                             Guard([&] { Taken = View->TakeOptions(New); });
                                             return Taken;
                                         });
    for (const std::initializer_list<const char*>& Row : MenuRows)
    {
        QMenu* Menu = menuBar()->addMenu(QString::fromLatin1(*Row.begin()));
        for (auto Name = Row.begin() + 1; Name != Row.end(); ++Name)
        {
            const QByteArrayView Entry(*Name);
            if (Entry == "-")
                Menu->addSeparator();
            else if (Entry == "Recent")
                Menu->addMenu(QStringLiteral("&Resent Files"))
                    ->setObjectName(QStringLiteral("RecentFilesMenu"));
            else if (Entry == "Grid...")
                Menu->addMenu(QStringLiteral("&Grid"))->addActions({GridDot, GridDash, GridSolid});
            else if (Entry == "Presentation")
                Presentation->AddTo(*Menu);
            else
                Menu->addAction(findChild<QAction*>(QString::fromLatin1(*Name)));
        }
    }
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

void TMainForm::ViewChanged()
{
    LastPaintError.clear();
    InvalidatePlot();
}

void TMainForm::InvalidatePlot()
{
    if (View)
        View->ShowDrawn();
    if (PaintSlices)
        PaintSlices->Restart();
    if (WindowBox)
        WindowBox->Invalidate();
    if (Docks)
        Docks->ModelChanged();
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

void TMainForm::ReportPaintError(const std::exception& Error)
{
    const QString Text = ErrorText(Error);
    if (Text == LastPaintError)
        return;
    LastPaintError = Text;
    QTimer::singleShot(0, this, [this, Text] { Dialogs.ShowError(this, Text); });
}

void TMainForm::CurveFailed(const std::exception& Error, bool InPaint)
{
    PlotModel.GraphsEnabled = false;
    if (InPaint)
        ReportPaintError(Error);
    else
        ReportError(Error);
}
