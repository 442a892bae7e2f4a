// The main window: creation, controls, actions, menus, layout, and the error report.
#include "app/TMainForm.h"

#include "app/PlotFont.h"

#include "app/TAboutBox.h"
#include "app/TDialogs.h"
#include "app/THelpWindow.h"
#include "app/TRecentFiles.h"
#include "app/TSettingsDlg.h"
#include "app/TStyleComboBox.h"
#include "app/TUndoMan.h"
#include "controls/TColorBtn.h"
#include "controls/TWindowBox.h"
#include "expr/Errors.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotRenderer.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace
{
QLineEdit* MakeEdit(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* Edit = new QLineEdit(Text, Parent);
    Edit->setObjectName(QString::fromLatin1(Name));
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
    : QMainWindow(Parent), Dialogs(DialogsIn), Store(StoreIn), DecimalSeparator(Separator), Navigation(Separator)
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
    resize(540, 619 + menuBar()->sizeHint().height());
}

TMainForm::~TMainForm()
{
    // Recent files first, then the evaluator, the undo manager and the graphs.
    RecentFiles->SaveRecentFiles();
    HelpWindow.reset();
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

    // The recent-files submenu is found by its caption among all menu items.
    RecentFilesClient = TRecentFiles::FindClient(*menuBar());
    RecentFiles = std::make_unique<TRecentFiles>(Store);
    RecentFiles->SetClient(RecentFilesClient);
    connect(RecentFiles.get(), &TRecentFiles::ReopenRequested, this, [this](const QString& Path) {
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
    WindowBox->SetOnPaint([this](QPainter& Painter, const QSize& Size) { WindowBoxPaint(Painter, Size); });
    connect(WindowBox, &TWindowBox::MouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) {
        Guard([&] { WindowBoxMouseDown(b, m, p); });
    });
    connect(WindowBox, &TWindowBox::MouseMove, this, [this](Qt::MouseButton, Qt::KeyboardModifiers m, QPoint p) {
        Guard([&] { WindowBoxMouseMove(m, p); });
    });
    connect(WindowBox, &TWindowBox::MouseUp, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) {
        Guard([&] { WindowBoxMouseUp(b, m, p); });
    });
    connect(WindowBox, &TWindowBox::KeyDown, this,
            [this](int& Key, Qt::KeyboardModifiers Shift) { Guard([&] { EditKeyDown(Key, Shift); }); });

    // The editors start with the model's texts, which they mirror from then on.
    LeftEdt = MakeEdit(Client, "LeftEdt", PlotModel.LeftText);
    RightEdt = MakeEdit(Client, "RightEdt", PlotModel.RightText);
    TopEdt = MakeEdit(Client, "TopEdt", PlotModel.TopText);
    BottomEdt = MakeEdit(Client, "BottomEdt", PlotModel.BottomText);
    TimeEdt = MakeEdit(Client, "TimeEdt", PlotModel.TimeText);
    FuncEdit = MakeEdit(Client, "FuncEdit", QString());
    for (QLineEdit* Edit : {LeftEdt, RightEdt, TopEdt, BottomEdt, TimeEdt, FuncEdit})
        Edit->installEventFilter(this);
    MirrorEditorsIntoModel();

    ComboBox = new QComboBox(Client);
    ComboBox->setObjectName(QStringLiteral("ComboBox"));
    ComboBox->addItem(QStringLiteral("1"));
    connect(ComboBox, &QComboBox::activated, this, [this](int Index) { Guard([&] { ComboBoxChange(Index); }); });

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
    connect(StyleComboBox, &QComboBox::activated, this, [this](int Index) {
        Guard([&] {
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

void TMainForm::MirrorEditorsIntoModel()
{
    // Every read of a bound or time text sees exactly what the editor shows.
    auto Mirror = [this](QLineEdit* Edit, QString TPlotModel::*Field) {
        PlotModel.*Field = Edit->text();
        connect(Edit, &QLineEdit::textChanged, this, [this, Field](const QString& Text) { PlotModel.*Field = Text; });
    };
    Mirror(LeftEdt, &TPlotModel::LeftText);
    Mirror(RightEdt, &TPlotModel::RightText);
    Mirror(TopEdt, &TPlotModel::TopText);
    Mirror(BottomEdt, &TPlotModel::BottomText);
    Mirror(TimeEdt, &TPlotModel::TimeText);
}

void TMainForm::CreateActions()
{
    auto Make = [this](const char* Name, const QString& Caption, const QKeySequence& Shortcut, const QString& Hint,
                       void (TMainForm::*Slot)()) {
        auto* Action = new QAction(Caption, this);
        Action->setObjectName(QString::fromLatin1(Name));
        Action->setShortcut(Shortcut);
        Action->setShortcutContext(Qt::WindowShortcut);
        if (!Hint.isEmpty())
        {
            Action->setToolTip(Hint.section(QLatin1Char('|'), 0, 0));
            Action->setStatusTip(Hint.section(QLatin1Char('|'), -1));
        }
        connect(Action, &QAction::triggered, this, [this, Slot] { Guard([this, Slot] { (this->*Slot)(); }); });
        return Action;
    };
    auto Toggle = [this](const char* Name, const QString& Caption, bool Checked) {
        auto* Action = new QAction(Caption, this);
        Action->setObjectName(QString::fromLatin1(Name));
        Action->setCheckable(true);
        Action->setChecked(Checked);
        connect(Action, &QAction::triggered, this, [this] { ShowExecute(); });
        return Action;
    };

    FileOpen = Make("FileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                    QStringLiteral("Open|Opens an existing file"), &TMainForm::FileOpenExecute);
    FileSaveAs = Make("FileSaveAs", QStringLiteral("Save &As..."), QKeySequence(),
                      QStringLiteral("Save As|Saves the active file with a new name"), &TMainForm::FileSaveAsExecute);
    FilePrintSetup = Make("FilePrintSetup", QStringLiteral("Print Set&up..."), QKeySequence(),
                          QStringLiteral("Print Setup"), &TMainForm::FilePrintSetupExecute);
    Print = Make("Print", QStringLiteral("&Print"), QKeySequence(), QString(), &TMainForm::PrintExecute);
    PrintPdf = Make("PrintPdf", QStringLiteral("Print to P&DF..."), QKeySequence(),
                    QStringLiteral("Print to PDF|Prints the plot into a PDF file"), &TMainForm::PrintPdfExecute);
    FileExit = Make("FileExit", QStringLiteral("E&xit"), QKeySequence(), QStringLiteral("Exit|Quits the application"),
                    &TMainForm::FileExitExecute);
    EditCopy = Make("EditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), QString(),
                    &TMainForm::EditCopyExecute);
    EditUndo = Make("EditUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), QString(),
                    &TMainForm::EditUndoExecute);
    EditUndo->setEnabled(false);
    Settings = Make("Settings", QStringLiteral("&Settings"), QKeySequence(), QString(), &TMainForm::SettingsExecute);
    HelpContents = Make("HelpContents", QStringLiteral("&Index"), QKeySequence(Qt::Key_F1),
                        QStringLiteral("Help Index"), &TMainForm::HelpContentsExecute);
    About = Make("About", QStringLiteral("&About"), QKeySequence(), QString(), &TMainForm::AboutExecute);

    Grid = Toggle("Grid", QStringLiteral("&Show Grid"), true);
    Numbers = Toggle("Numbers", QStringLiteral("S&how Numbers"), true);
    Arrows = Toggle("Arrows", QStringLiteral("Sh&ow Arrows"), true);
    GridDot = Toggle("GridDot", QStringLiteral("&Dot"), false);
    GridDash = Toggle("GridDash", QStringLiteral("D&ash"), false);
    GridSolid = Toggle("GridSolid", QStringLiteral("&Solid"), true);
    GridStyle = new QActionGroup(this);
    GridStyle->setExclusive(true);
    for (QAction* Action : {GridDot, GridDash, GridSolid})
        GridStyle->addAction(Action);
    addActions({FileOpen, FileSaveAs, FilePrintSetup, Print, PrintPdf, FileExit, EditCopy, EditUndo, Settings, HelpContents,
                About});
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
    File->addAction(FileExit);

    QMenu* Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit->addAction(EditCopy);
    Edit->addAction(EditUndo);

    QMenu* View = menuBar()->addMenu(QStringLiteral("&View"));
    View->addAction(Grid);
    View->addAction(Numbers);
    View->addAction(Arrows);
    QMenu* GridMenu = View->addMenu(QStringLiteral("&Grid"));
    GridMenu->addActions({GridDot, GridDash, GridSolid});

    QMenu* Tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools->addAction(Settings);

    QMenu* Help = menuBar()->addMenu(QStringLiteral("&Help"));
    Help->addAction(HelpContents);
    Help->addAction(About);
}

void TMainForm::resizeEvent(QResizeEvent* Event)
{
    QMainWindow::resizeEvent(Event);
    LayoutControls();
    InvalidatePlot(); // FormResize
}

// The plot takes all the space the two rows of controls below it leave; the bound editors
// keep their places over its edges.
void TMainForm::LayoutControls()
{
    const int W = centralWidget()->width();
    const int H = centralWidget()->height();
    const QRect Plot(9, 6, std::max(W - 17, 40), std::max(H - 72, 40));
    WindowBox->setGeometry(Plot);

    const int MidY = Plot.top() + Plot.height() / 2;
    const int MidX = Plot.left() + Plot.width() / 2;
    // A little wider than 41 pixels, so that a bound with three decimals shows whole.
    constexpr int BoundWidth = 52;
    LeftEdt->setGeometry(Plot.left() + 7, MidY - 40, BoundWidth, 21);
    RightEdt->setGeometry(Plot.right() - 14 - BoundWidth, MidY - 40, BoundWidth, 21);
    TopEdt->setGeometry(MidX - 52, Plot.top() + 10, BoundWidth, 21);
    BottomEdt->setGeometry(MidX - 52, Plot.bottom() - 33, BoundWidth, 21);

    const int Row1 = Plot.bottom() + 9;
    const int Row2 = Row1 + 29;
    ComboBox->setGeometry(8, Row1, 50, 23);
    AddBtn->setGeometry(62, Row1, 60, 25);
    ColorBtn->setGeometry(126, Row1, 75, 25);
    BGBtn->setGeometry(205, Row1, 75, 25);
    StyleComboBox->setGeometry(284, Row1, 120, 23);
    TimeEdt->setGeometry(std::max(411, W - 129), Row1, 121, 21);
    FuncEdit->setGeometry(8, Row2, std::max(W - 259, 100), 21);
    const int ButtonsLeft = std::max(FuncEdit->geometry().right() + 6, W - 245);
    ForwardBtn->setGeometry(ButtonsLeft, Row2 - 2, 75, 25);
    BackBtn->setGeometry(ButtonsLeft + 79, Row2 - 2, 75, 25);
    StopBtn->setGeometry(ButtonsLeft + 158, Row2 - 2, 75, 25);
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress)
    {
        auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter)
        {
            auto* Edit = qobject_cast<QLineEdit*>(Watched);
            Guard([&] { EditKeyPress(Edit, 13); });
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

void TMainForm::FileExitExecute() { close(); }

void TMainForm::InvalidatePlot()
{
    if (WindowBox)
        WindowBox->Invalidate();
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
    Dialogs.ShowError(this, QString::fromUtf8(Error.what()));
}

void TMainForm::ReportPaintError(const QString& Text)
{
    if (Text == LastPaintError)
        return;
    LastPaintError = Text;
    QTimer::singleShot(0, this, [this, Text] { Dialogs.ShowError(this, Text); });
}
