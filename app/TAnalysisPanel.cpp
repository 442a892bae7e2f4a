#include "app/TAnalysisPanel.h"

#include "app/AnalysisNumber.h"
#include "app/Errors.h"
#include "app/TAnalysisMarks.h"
#include "app/TTangentRows.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/GraphKind.h"
#include "plot/QtText.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
using TQuestion = TAnalysisRequest::TQuestion;

// The sections of the tab bar, one per question of a graph, in the order of the questions, so
// that a tab's index is its question.
struct TSectionTab
{
    TQuestion Question;
    const char* Caption;
};
constexpr TSectionTab SectionTabs[] = {
    {TQuestion::Roots, "Roots"},
    {TQuestion::Extrema, "Extrema"},
    {TQuestion::Intersections, "Intersections"},
    {TQuestion::ValueAt, "Value at x"},
    {TQuestion::Area, "Area"},
    {TQuestion::Inflections, "Inflections"},
};
constexpr bool TabsFollowTheQuestions()
{
    for (int i = 0; i < int(std::size(SectionTabs)); ++i)
        if (TAnalysisPanel::SectionOf(SectionTabs[i].Question) != i)
            return false;
    return true;
}
static_assert(TabsFollowTheQuestions());

QWidget* Row(std::initializer_list<QWidget*> Widgets)
{
    auto* Box = new QWidget;
    auto* Layout = new QHBoxLayout(Box);
    Layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* W : Widgets)
        Layout->addWidget(W);
    Layout->addStretch();
    return Box;
}

QLineEdit* NamedEdit(const char* Name, const QString& Text, const QString& Placeholder = QString())
{
    auto* Edit = new QLineEdit(Text);
    Edit->setObjectName(QString::fromLatin1(Name));
    Edit->setPlaceholderText(Placeholder);
    return Edit;
}
} // namespace

TAnalysisPanel::TAnalysisPanel(const TPlotModel& ModelIn, char16_t DecimalSeparator,
                               std::function<int()> Selected, QWidget* Surface, QWidget* Parent)
    : QDockWidget(QStringLiteral("Analyse"), Parent), Model(ModelIn), Sep(DecimalSeparator),
      SelectedGraph([this, Selected = std::move(Selected)]
                    { return std::clamp(Selected(), 0, Model.FuncList.Count() - 1); })
{
    setObjectName(QStringLiteral("AnalysisPanel"));
    Marks = new TAnalysisMarks(Model, Sep, Surface);
    CreateControls();
    connect(&Runner, &TAnalysisRunner::Finished, this, &TAnalysisPanel::ShowResult);
}

TAnalysisPanel::~TAnalysisPanel()
{
    // The marks belong to the panel although they live on the surface.
    delete Marks.data();
}

void TAnalysisPanel::CreateControls()
{
    auto* Client = new QWidget(this);
    auto* Layout = new QVBoxLayout(Client);
    GraphLabel = new QLabel(Client);
    GraphLabel->setObjectName(QStringLiteral("AnalysisGraph"));
    Layout->addWidget(GraphLabel);

    Sections = new QTabBar(Client);
    Sections->setObjectName(QStringLiteral("AnalysisSections"));
    for (const TSectionTab& Tab : SectionTabs)
        Sections->addTab(QString::fromLatin1(Tab.Caption));
    Sections->setExpanding(false);
    Sections->setUsesScrollButtons(true);
    Layout->addWidget(Sections);

    OtherGraph = new QComboBox;
    OtherGraph->setObjectName(QStringLiteral("AnalysisOtherGraph"));
    ValueX = NamedEdit("AnalysisX", QStringLiteral("0"));
    AreaFrom = NamedEdit("AnalysisFrom", QString(), QStringLiteral("left bound"));
    AreaTo = NamedEdit("AnalysisTo", QString(), QStringLiteral("right bound"));
    Inputs = new QStackedWidget(Client);
    Inputs->addWidget(new QLabel(QStringLiteral("Over the view, from left to right")));
    Inputs->addWidget(new QLabel(QStringLiteral("Over the view, from left to right")));
    Inputs->addWidget(Row({new QLabel(QStringLiteral("With graph")), OtherGraph}));
    Inputs->addWidget(Row({new QLabel(QStringLiteral("x =")), ValueX}));
    Inputs->addWidget(
        Row({new QLabel(QStringLiteral("From")), AreaFrom, new QLabel(QStringLiteral("to")), AreaTo}));
    Inputs->addWidget(new QLabel(QStringLiteral("Over the view, from left to right")));
    Layout->addWidget(Inputs);

    Table = new QTableWidget(0, 3, Client);
    Table->setObjectName(QStringLiteral("AnalysisTable"));
    Table->setHorizontalHeaderLabels({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("kind")});
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->setVisible(false);
    Table->horizontalHeader()->setStretchLastSection(true);
    Layout->addWidget(Table, 1);

    Status = new QLabel(Client);
    Status->setObjectName(QStringLiteral("AnalysisStatus"));
    Status->setWordWrap(true);
    Layout->addWidget(Status);

    CopyBtn = new QPushButton(QStringLiteral("Copy"));
    CopyBtn->setObjectName(QStringLiteral("AnalysisCopy"));
    StopBtn = new QPushButton(QStringLiteral("Stop"));
    StopBtn->setObjectName(QStringLiteral("AnalysisStop"));
    StopBtn->setEnabled(false);
    Layout->addWidget(Row({CopyBtn, StopBtn}));
    MarksInOutput = new QCheckBox(QStringLiteral("Include marks in copy and print"), Client);
    MarksInOutput->setObjectName(QStringLiteral("AnalysisMarksInOutput"));
    Layout->addWidget(MarksInOutput);
    setWidget(Client);

    connect(Sections, &QTabBar::currentChanged, this,
            [this](int Index)
            {
                Inputs->setCurrentIndex(Index);
                ModelChanged();
            });
    connect(OtherGraph, &QComboBox::activated, this, [this] { ModelChanged(); });
    for (QLineEdit* Edit : {ValueX, AreaFrom, AreaTo})
        connect(Edit, &QLineEdit::editingFinished, this, [this] { ModelChanged(); });
    connect(Table, &QTableWidget::itemSelectionChanged, this, [this] { MarkSelectedRows(); });
    connect(CopyBtn, &QPushButton::clicked, this, [this] { CopyClick(); });
    connect(StopBtn, &QPushButton::clicked, this, [this] { StopClick(); });
}

void TAnalysisPanel::showEvent(QShowEvent* Event)
{
    QDockWidget::showEvent(Event);
    ModelChanged();
}

void TAnalysisPanel::hideEvent(QHideEvent* Event)
{
    QDockWidget::hideEvent(Event);
    Runner.Cancel();
    StopBtn->setEnabled(false);
    LastKey.clear();
    Marks->SetMarks({});
}

void TAnalysisPanel::ModelChanged()
{
    if (!isVisible())
        return;
    FillOtherGraphs();
    const int Index = SelectedGraph();
    GraphLabel->setText(QStringLiteral("Graph %1: %2").arg(Index + 1).arg(Model.FuncList.Item(Index).Func));
    TAnalysisRequest Request;
    QString Problem;
    const bool Ready = MakeRequest(Request, Problem);
    const QString Key = Ready ? RequestKey(Request) : QStringLiteral("problem\n") + Problem;
    if (Key == LastKey)
        return;
    LastKey = Key;
    Marks->SetMarks({});
    if (!Ready)
    {
        Runner.Cancel();
        StopBtn->setEnabled(false);
        ShowResult({}, Problem);
        return;
    }
    Status->setText(QString::fromLatin1(Msg::Computing));
    StopBtn->setEnabled(true);
    Runner.Start(Request);
}

// The request as for a function, then the kind's part of it (its variable, its texts, the
// question it answers).
bool TAnalysisPanel::MakeRequest(TAnalysisRequest& R, QString& Problem) const
{
    const TFunc& Graph = Model.FuncList.Item(SelectedGraph());
    const TKindDescriptor& Kind = KindOf(Graph);
    R.Formula = ToU16(Graph.Func);
    R.Separator = Sep;
    R.Question = SectionTabs[size_t(Sections->currentIndex())].Question;
    // Never fewer samples than the plot has columns.
    R.Samples = std::max(TAnalysisRequest::DefaultSamples, Marks->width());
    Problem = Kind.AnalysisRefusal();
    if (Problem.isEmpty() && Kind.HasFormula() && R.Formula.empty())
        Problem = QString::fromLatin1(Msg::NoFormula);
    if (!Problem.isEmpty())
        return false;
    const std::vector<std::u16string> Variables = Kind.Variables();
    if (!Variables.empty())
        R.Variable = Variables.front();
    if (!ReadInputs(R, Problem))
        return false;
    Kind.Ask(Graph, R);
    return true;
}

// The context and the question's inputs; false with the message when one is not a number.
bool TAnalysisPanel::ReadInputs(TAnalysisRequest& R, QString& Problem) const
{
    auto Value = [this](const QString& Text) { return TextToFloat(ToU16(Text), Sep); };
    try
    {
        const TEvalContext Context = TEvalContext::Of(Model, Sep);
        R.T = Context.Time;
        R.ParameterNames = Context.ParameterNames;
        R.ParameterValues = Context.ParameterValues;
        const Float80 Left = Value(R.Variable == u"y" ? Model.BottomText : Model.LeftText),
                      Right = Value(R.Variable == u"y" ? Model.TopText : Model.RightText);
        R.A = std::min(Left, Right);
        R.B = std::max(Left, Right);
        switch (R.Question)
        {
        case TQuestion::Intersections:
            if (OtherGraph->currentIndex() < 0)
            {
                Problem = QString::fromLatin1(Msg::NoSecondGraph);
                return false;
            }
            R.Second = ToU16(Model.FuncList.Item(OtherGraph->currentData().toInt()).Func);
            break;
        case TQuestion::ValueAt:
            R.X = Value(ValueX->text());
            break;
        case TQuestion::Area:
            if (!AreaFrom->text().trimmed().isEmpty())
                R.A = Value(AreaFrom->text());
            if (!AreaTo->text().trimmed().isEmpty())
                R.B = Value(AreaTo->text());
            break;
        default:
            break;
        }
    }
    catch (const std::exception& Error)
    {
        Problem = QString::fromUtf8(Error.what());
        return false;
    }
    return true;
}

QString TAnalysisPanel::RequestKey(const TAnalysisRequest& R) const
{
    // The section too: a curve is measured alike from every section, but each shows it afresh.
    QString Key = QString::number(Sections->currentIndex()) + QLatin1Char(' ') +
                  QString::number(int(R.Question)) + QLatin1Char(' ') + QString::number(R.Samples);
    for (Float80 Value : {R.T, R.A, R.B, R.X})
        Key += QLatin1Char(' ') + AnalysisNumber(Value, 21, u'.');
    for (size_t i = 0; i < R.ParameterNames.size(); ++i)
        Key += QLatin1Char(' ') + QString::fromStdU16String(R.ParameterNames[i]) + QLatin1Char('=') +
               AnalysisNumber(R.ParameterValues[i], 21, u'.');
    for (const std::u16string* Text : {&R.Formula, &R.Second, &R.Variable, &R.From, &R.To})
        Key += QLatin1Char('\n') + QString::fromStdU16String(*Text);
    // Data are never changed in place: another table is other data.
    Key += QLatin1Char('\n') + QString::number(quintptr(R.Data.get()));
    return Key;
}

void TAnalysisPanel::FillOtherGraphs()
{
    const int Selected = SelectedGraph();
    QStringList Wanted;
    QList<int> Indexes;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (i != Selected && !Model.FuncList.Item(i).Func.isEmpty())
        {
            Wanted << QStringLiteral("%1: %2").arg(i + 1).arg(Model.FuncList.Item(i).Func);
            Indexes << i;
        }
    QStringList Present;
    for (int i = 0; i < OtherGraph->count(); ++i)
        Present << OtherGraph->itemText(i);
    if (Present == Wanted)
        return;
    const QString Current = OtherGraph->currentText();
    OtherGraph->clear();
    for (int i = 0; i < Wanted.size(); ++i)
        OtherGraph->addItem(Wanted[i], Indexes[i]);
    OtherGraph->setCurrentIndex(std::max(0, int(Wanted.indexOf(Current))));
}

QString TAnalysisPanel::Number(Float80 Value) const
{
    return AnalysisNumber(Value, 18, Sep);
}

void TAnalysisPanel::ShowResult(const TAnalysisResult& Result, const QString& Error)
{
    StopBtn->setEnabled(false);
    Shown = Result;
    Table->clearContents();
    Table->setRowCount(0);
    auto Add = [this](int Point, const QString& X, const QString& Y, const QString& Kind)
    {
        const int R = Table->rowCount();
        Table->insertRow(R);
        int Column = 0;
        for (const QString& Text : {X, Y, Kind})
        {
            auto* Item = new QTableWidgetItem(Text);
            Item->setData(Qt::UserRole, Point);
            Table->setItem(R, Column++, Item);
        }
    };
    for (int i = 0; i < int(Result.Points.size()); ++i)
    {
        const TAnalysisPoint& P = Result.Points[size_t(i)];
        const QString Kind = QString::fromLatin1(KindName(P.Kind));
        if (P.Kind == TPointKind::Area || P.Kind == TPointKind::ArcLength)
        {
            Add(-1, Number(P.X) + QStringLiteral(" .. ") + Number(P.X2), Number(P.Y), Kind);
            Add(-1, QString(), Number(P.Estimate), QStringLiteral("error estimate"));
        }
        else if (P.Kind == TPointKind::Count)
            Add(-1, QString(), Number(P.Y), Kind);
        else if (P.Kind == TPointKind::Undefined)
            Add(i, Number(P.X), QString(),
                Kind + QStringLiteral(": ") + QString::fromStdString(P.ErrorClass) + QStringLiteral(" ") +
                    QString::fromStdString(P.ErrorMessage));
        else
            Add(i, Number(P.X), P.HasY ? Number(P.Y) : QString(), Kind);
        if (P.Kind == TPointKind::Value)
            for (const TTangentRows::TRow& Extra : TTangentRows::Rows(P, Sep))
                Add(-1, Extra.X, Extra.Y, Extra.Kind);
    }
    Table->resizeColumnsToContents();
    QStringList Lines;
    if (!Error.isEmpty())
        Lines << Error;
    for (const std::string& Note : Result.Notes)
        Lines << QString::fromStdString(Note);
    if (Error.isEmpty() && Result.Points.empty())
        Lines << QString::fromLatin1(Msg::NothingFound);
    const QString Note = KindOf(Model.FuncList.Item(SelectedGraph())).AnalysisNote();
    if (!Note.isEmpty())
        Lines << Note;
    Status->setText(Lines.join(QLatin1Char('\n')));
}

void TAnalysisPanel::MarkSelectedRows()
{
    std::vector<TAnalysisMarks::TMark> Chosen;
    for (QTableWidgetItem* Item : Table->selectedItems())
    {
        const int Point = Item->data(Qt::UserRole).toInt();
        if (Item->column() != 0 || Point < 0 || Point >= int(Shown.Points.size()))
            continue;
        const TAnalysisPoint& P = Shown.Points[size_t(Point)];
        // Poles, jumps and undefined points sit on the axis; the kind places the point.
        const auto [X, Y] = KindOf(Model.FuncList.Item(SelectedGraph())).MarkAt(P.X, P.HasY ? P.Y : 0);
        Chosen.push_back({X, Y});
    }
    Marks->SetMarks(std::move(Chosen));
}

QString TAnalysisPanel::TableText() const
{
    QString Text = QStringLiteral("x\ty\tkind\n");
    for (int R = 0; R < Table->rowCount(); ++R)
    {
        QStringList Cells;
        for (int C = 0; C < Table->columnCount(); ++C)
            Cells << (Table->item(R, C) ? Table->item(R, C)->text() : QString());
        Text += Cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return Text;
}

void TAnalysisPanel::CopyClick()
{
    QApplication::clipboard()->setText(TableText());
}

void TAnalysisPanel::StopClick()
{
    Runner.Cancel();
    StopBtn->setEnabled(false);
    LastKey.clear();
    Status->setText(QString::fromLatin1(Msg::Stopped));
}

void TAnalysisPanel::DrawMarksForOutput(QPainter& Painter, int Width, int Height, int Margin,
                                        qreal Scale) const
{
    if (MarksInOutput->isChecked())
        Marks->Draw(Painter, Width, Height, Margin, Scale);
}
