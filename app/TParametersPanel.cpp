#include "app/TParametersPanel.h"

#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/Errors.h"
#include "plot/QtText.h"
#include "plot/TPlotModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace
{
// The columns of a row.
enum TColumn
{
    NameColumn,
    SliderColumn,
    ValueColumn,
    MinColumn,
    MaxColumn,
    StepColumn,
    ModeColumn,
    RemoveColumn,
};

QLineEdit* MakeEdit(QWidget* Parent, const QString& Name, int Width)
{
    auto* Edit = new QLineEdit(Parent);
    Edit->setObjectName(Name);
    Edit->setMinimumWidth(Width);
    return Edit;
}
} // namespace

TParametersPanel::TParametersPanel(TPlotModel& ModelIn, char16_t DecimalSeparator,
                                   std::function<void()> ChangedIn,
                                   std::function<void(const TParameterList&)> RecordIn, QWidget* Parent)
    : QDockWidget(QStringLiteral("Parameters"), Parent), Model(ModelIn), Sep(DecimalSeparator),
      Changed(std::move(ChangedIn)), Record(std::move(RecordIn))
{
    setObjectName(QStringLiteral("ParametersPanel"));
    auto* Body = new QWidget(this);
    auto* Column = new QVBoxLayout(Body);
    auto* RowsHolder = new QWidget(Body);
    Grid = new QGridLayout(RowsHolder);
    Grid->setContentsMargins(0, 0, 0, 0);
    const QStringList Heads = {QStringLiteral("Name"),  QString(),
                               QStringLiteral("Value"), QStringLiteral("Min"),
                               QStringLiteral("Max"),   QStringLiteral("Step"),
                               QStringLiteral("Mode")};
    for (int c = 0; c < Heads.size(); ++c)
        Grid->addWidget(new QLabel(Heads[c], RowsHolder), 0, c);
    Grid->setColumnStretch(SliderColumn, 1);
    // Columns as wide with rows as without, so the dock opens wide enough for all of them.
    const int Widths[] = {48, 110, 64, 44, 44, 44, 0, 24};
    for (int c = 0; c < int(std::size(Widths)); ++c)
        Grid->setColumnMinimumWidth(c, Widths[c]);
    Grid->setColumnMinimumWidth(ModeColumn, QComboBox().sizeHint().width());
    auto* Scroll = new QScrollArea(Body);
    Scroll->setWidgetResizable(true);
    Scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Scroll->setWidget(RowsHolder);
    Scroll->setMinimumWidth(RowsHolder->minimumSizeHint().width() +
                            Scroll->verticalScrollBar()->sizeHint().width() + 2 * Scroll->frameWidth());
    Column->addWidget(Scroll, 1);
    auto* Add = new QPushButton(QStringLiteral("Add"), Body);
    Add->setObjectName(QStringLiteral("AddParameter"));
    connect(Add, &QPushButton::clicked, this, [this] { Safely([this] { AddParameter(); }); });
    Column->addWidget(Add, 0, Qt::AlignLeft);
    MessageLabel = new QLabel(Body);
    MessageLabel->setObjectName(QStringLiteral("ParameterMessage"));
    MessageLabel->setWordWrap(true);
    Column->addWidget(MessageLabel);
    setWidget(Body);
    Rebuild();
}

TParametersPanel::~TParametersPanel() = default;

QString TParametersPanel::Message() const
{
    return MessageLabel->text();
}

QString TParametersPanel::Number(Float80 Value) const
{
    return FromU16(FormatGeneral15(Value, Sep));
}

void TParametersPanel::ModelChanged()
{
    const TParameterList& Parameters = Model.Parameters;
    bool Same = int(Rows.size()) == Parameters.Count();
    for (int i = 0; Same && i < Parameters.Count(); ++i)
        Same = Rows[size_t(i)].Name->hasFocus() || Rows[size_t(i)].Name->text() == Parameters.Item(i).Name;
    if (!Same)
        return Rebuild();
    for (int i = 0; i < Parameters.Count(); ++i)
        ShowValues(i);
}

void TParametersPanel::Rebuild()
{
    for (TRow& Row : Rows)
        for (QWidget* w : std::initializer_list<QWidget*>{Row.Name, Row.Slider, Row.Value, Row.Min, Row.Max,
                                                          Row.Step, Row.Mode, Row.Remove})
            w->deleteLater();
    Rows.clear();
    QWidget* Holder = Grid->parentWidget();
    for (int i = 0; i < Model.Parameters.Count(); ++i)
    {
        const QString n = QString::number(i + 1);
        TRow Row;
        Row.Name = MakeEdit(Holder, QStringLiteral("ParameterName") + n, 40);
        Row.Name->setText(Model.Parameters.Item(i).Name);
        Row.Slider = new QSlider(Qt::Horizontal, Holder);
        Row.Slider->setObjectName(QStringLiteral("ParameterSlider") + n);
        Row.Slider->setRange(0, SliderPositions);
        Row.Slider->setMinimumWidth(110);
        Row.Value = MakeEdit(Holder, QStringLiteral("ParameterValue") + n, 60);
        Row.Min = MakeEdit(Holder, QStringLiteral("ParameterMin") + n, 40);
        Row.Max = MakeEdit(Holder, QStringLiteral("ParameterMax") + n, 40);
        Row.Step = MakeEdit(Holder, QStringLiteral("ParameterStep") + n, 40);
        Row.Mode = new QComboBox(Holder);
        Row.Mode->setObjectName(QStringLiteral("ParameterMode") + n);
        Row.Mode->addItems({QStringLiteral("off"), QStringLiteral("loop"), QStringLiteral("bounce"),
                            QStringLiteral("once")});
        Row.Remove = new QToolButton(Holder);
        Row.Remove->setObjectName(QStringLiteral("ParameterRemove") + n);
        Row.Remove->setText(QStringLiteral("\u2212"));
        Row.Remove->setToolTip(QStringLiteral("Remove this parameter"));

        connect(Row.Name, &QLineEdit::editingFinished, this,
                [this, i] { Safely([=, this] { NameEdited(i); }); });
        connect(Row.Value, &QLineEdit::editingFinished, this,
                [this, i] { Safely([=, this] { ValueEdited(i); }); });
        connect(Row.Min, &QLineEdit::editingFinished, this,
                [this, i] { Safely([=, this] { RangeEdited(i, Rows[size_t(i)].Min, &TParameter::Min); }); });
        connect(Row.Max, &QLineEdit::editingFinished, this,
                [this, i] { Safely([=, this] { RangeEdited(i, Rows[size_t(i)].Max, &TParameter::Max); }); });
        connect(Row.Step, &QLineEdit::editingFinished, this,
                [this, i]
                { Safely([=, this] { RangeEdited(i, Rows[size_t(i)].Step, &TParameter::Step); }); });
        connect(Row.Mode, &QComboBox::activated, this,
                [this, i](int Mode) { Safely([=, this] { ModeChosen(i, Mode); }); });
        // One undo record per drag: the parameters as they were when the slider was taken.
        connect(Row.Slider, &QSlider::sliderPressed, this,
                [this]
                {
                    if (Record)
                        Record(Model.Parameters);
                });
        connect(Row.Slider, &QSlider::valueChanged, this,
                [this, i](int Position) { SliderMoved(i, Position); });
        connect(Row.Remove, &QToolButton::clicked, this,
                [this, i] { Safely([=, this] { RemoveParameter(i); }); });

        const int GridRow = i + 1;
        Grid->addWidget(Row.Name, GridRow, NameColumn);
        Grid->addWidget(Row.Slider, GridRow, SliderColumn);
        Grid->addWidget(Row.Value, GridRow, ValueColumn);
        Grid->addWidget(Row.Min, GridRow, MinColumn);
        Grid->addWidget(Row.Max, GridRow, MaxColumn);
        Grid->addWidget(Row.Step, GridRow, StepColumn);
        Grid->addWidget(Row.Mode, GridRow, ModeColumn);
        Grid->addWidget(Row.Remove, GridRow, RemoveColumn);
        Rows.push_back(Row);
        ShowValues(i);
    }
    Grid->setRowStretch(Model.Parameters.Count() + 1, 1);
}

void TParametersPanel::ShowValues(int Index)
{
    const TParameter& p = Model.Parameters.Item(Index);
    TRow& Row = Rows[size_t(Index)];
    Showing = true;
    const auto Show = [](QLineEdit* Edit, const QString& Text)
    {
        if (!Edit->hasFocus() && Edit->text() != Text)
            Edit->setText(Text);
    };
    Show(Row.Value, Number(p.Value));
    Show(Row.Min, Number(p.Min));
    Show(Row.Max, Number(p.Max));
    Show(Row.Step, Number(p.Step));
    Row.Mode->setCurrentIndex(int(p.Mode));
    if (!Row.Slider->isSliderDown())
        Row.Slider->setValue(p.Position(SliderPositions));
    Showing = false;
}

bool TParametersPanel::ReadNumber(QLineEdit* Edit, Float80& Value)
{
    try
    {
        Value = TextToFloat(ToU16(Edit->text()), Sep);
        return true;
    }
    catch (const Exception& Bad)
    {
        Refuse(QString::fromUtf8(Bad.what()));
        return false;
    }
}

void TParametersPanel::Safely(const std::function<void()>& Action)
{
    try
    {
        Action();
    }
    catch (const std::exception& Error)
    {
        Refuse(QString::fromUtf8(Error.what()));
    }
}

void TParametersPanel::Refuse(const QString& Reason)
{
    MessageLabel->setText(Reason);
}

void TParametersPanel::Done()
{
    MessageLabel->clear();
    if (Changed)
        Changed();
}

void TParametersPanel::AddParameter()
{
    TParameter New;
    for (int k = 0; New.Name.isEmpty(); ++k)
    {
        const QString Name = k < 26 ? QString(QChar(u'a' + k)) : QStringLiteral("p%1").arg(k - 25);
        if (Model.Parameters.NameRefusal(Name).empty())
            New.Name = Name;
    }
    Model.Parameters.Add(New);
    Done();
}

void TParametersPanel::RemoveParameter(int Index)
{
    if (Index >= Model.Parameters.Count())
        return;
    Model.Parameters.Remove(Index);
    Done();
}

void TParametersPanel::NameEdited(int Index)
{
    if (Showing || Index >= Model.Parameters.Count())
        return;
    QLineEdit* Edit = Rows[size_t(Index)].Name;
    const QString Name = Edit->text().trimmed();
    if (Name == Model.Parameters.Item(Index).Name)
        return;
    if (const std::string Refusal = Model.Parameters.NameRefusal(Name, Index); !Refusal.empty())
    {
        Edit->setText(Model.Parameters.Item(Index).Name);
        return Refuse(QString::fromStdString(Refusal));
    }
    Model.Parameters.Rename(Index, Name);
    Done();
}

void TParametersPanel::ValueEdited(int Index)
{
    if (Showing || Index >= Model.Parameters.Count())
        return;
    QLineEdit* Edit = Rows[size_t(Index)].Value;
    TParameter& p = Model.Parameters.Item(Index);
    if (Edit->text() == Number(p.Value))
        return;
    Float80 Value = 0;
    if (!ReadNumber(Edit, Value))
        return Edit->setText(Number(p.Value));
    if (Record)
        Record(Model.Parameters);
    p.Value = Value;
    ShowValues(Index);
    Done();
}

void TParametersPanel::RangeEdited(int Index, QLineEdit* Edit, Float80 TParameter::*Field)
{
    if (Showing || Index >= Model.Parameters.Count())
        return;
    TParameter& p = Model.Parameters.Item(Index);
    if (Edit->text() == Number(p.*Field))
        return;
    Float80 Value = 0;
    if (!ReadNumber(Edit, Value))
        return Edit->setText(Number(p.*Field));
    p.*Field = Value;
    ShowValues(Index);
    Done();
}

void TParametersPanel::ModeChosen(int Index, int Mode)
{
    if (Showing || Index >= Model.Parameters.Count())
        return;
    Model.Parameters.Item(Index).Mode = TParameterMode(Mode);
    Done();
}

// A drag changes the value at every position it passes; a step of the keyboard or the wheel
// is a change of its own, recorded here.
void TParametersPanel::SliderMoved(int Index, int Position)
{
    if (Showing || Index >= Model.Parameters.Count())
        return;
    TRow& Row = Rows[size_t(Index)];
    if (!Row.Slider->isSliderDown() && Record)
        Record(Model.Parameters);
    TParameter& p = Model.Parameters.Item(Index);
    p.Value = p.ValueAt(Position, SliderPositions);
    Showing = true;
    Row.Value->setText(Number(p.Value));
    Showing = false;
    Done();
}
