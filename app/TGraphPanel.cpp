#include "app/TGraphPanel.h"

#include "app/TFormulaAssist.h"
#include "plot/GraphKind.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace
{
template <class TWidget> TWidget* Named(TWidget* Widget, const char* Name)
{
    Widget->setObjectName(QString::fromLatin1(Name));
    return Widget;
}
} // namespace

TGraphPanel::TGraphPanel(const TPlotModel& ModelIn, char16_t DecimalSeparator, std::function<int()> Selected,
                         TApply ApplyIn, TAddDerived AddDerivedIn, QWidget* Parent)
    : QDockWidget(QStringLiteral("Graph"), Parent), Model(ModelIn), Sep(DecimalSeparator),
      SelectedGraph([this, Selected = std::move(Selected)]
                    { return std::clamp(Selected(), 0, Model.FuncList.Count() - 1); }),
      Apply(std::move(ApplyIn)), AddDerived(std::move(AddDerivedIn)), Kinds(GraphKinds())
{
    setObjectName(QStringLiteral("GraphPanel"));
    CreateControls();
    ModelChanged();
}

void TGraphPanel::CreateControls()
{
    auto* Body = new QWidget(this);
    auto* Layout = new QVBoxLayout(Body);
    GraphLabel = Named(new QLabel, "GraphLabel");
    Layout->addWidget(GraphLabel);

    auto* Form = new QFormLayout;
    KindBox = Named(new QComboBox, "KindBox");
    for (const TGraphKind Kind : Kinds)
        KindBox->addItem(KindOf(Kind).Caption());
    Form->addRow(QStringLiteral("&Kind:"), KindBox);
    FirstEdt = Named(new QLineEdit, "FirstEdt");
    SecondEdt = Named(new QLineEdit, "SecondEdt");
    FromEdt = Named(new QLineEdit, "FromEdt");
    ToEdt = Named(new QLineEdit, "ToEdt");
    OfSpin = Named(new QSpinBox, "OfSpin");
    OfSpin->setRange(1, 1000);
    OrderBox = Named(new QComboBox, "OrderBox");
    OrderBox->addItems({QStringLiteral("1"), QStringLiteral("2")});
    MarkerBox = Named(new QComboBox, "MarkerBox");
    JoinedBox = Named(new QCheckBox, "JoinedBox");
    // One row per field, in the order of TGraphField, shown as the kind asks.
    for (QWidget* Editor : std::initializer_list<QWidget*>{FirstEdt, SecondEdt, FromEdt, ToEdt, OfSpin,
                                                           OrderBox, MarkerBox, JoinedBox})
    {
        auto* Label = new QLabel;
        Form->addRow(Label, Editor);
        Rows.push_back({Label, Editor});
    }
    Layout->addLayout(Form);

    Problem = Named(new QLabel, "Problem");
    Problem->setWordWrap(true);
    Layout->addWidget(Problem);

    auto* Buttons = new QHBoxLayout;
    AddDerivativeBtn = Named(new QPushButton(QStringLiteral("Add &derivative")), "AddDerivativeBtn");
    AddIntegralBtn = Named(new QPushButton(QStringLiteral("Add &integral")), "AddIntegralBtn");
    Buttons->addWidget(AddDerivativeBtn);
    Buttons->addWidget(AddIntegralBtn);
    Buttons->addStretch();
    Layout->addLayout(Buttons);
    Layout->addStretch();
    setWidget(Body);
    Connect();
}

void TGraphPanel::Connect()
{
    const auto Edited = [this]
    {
        if (!Loading)
            ApplyEdits();
    };
    for (QLineEdit* Edit : {FirstEdt, SecondEdt, FromEdt, ToEdt})
        connect(Edit, &QLineEdit::returnPressed, this, &TGraphPanel::ApplyEdits);
    const TFormulaField::TNames Parameters = [this] { return Model.Parameters.Names(); };
    TFormulaField First{[this] { return TFormulaAssist::VariablesOf(KindAt(KindBox->currentIndex())); },
                        Parameters, Sep};
    First.HoldsFormula = [this] { return KindOf(KindAt(KindBox->currentIndex())).HasFormula(); };
    TFormulaAssist::Attach(FirstEdt, std::move(First));
    TFormulaAssist::Attach(
        SecondEdt,
        {[this] { return TFormulaAssist::VariablesOf(KindAt(KindBox->currentIndex())); }, Parameters, Sep});
    for (QLineEdit* Ends : {FromEdt, ToEdt})
        TFormulaAssist::Attach(Ends, {{}, Parameters, Sep});
    connect(KindBox, &QComboBox::currentIndexChanged, this,
            [this, Edited](int Index)
            {
                ShowKind(KindAt(Index));
                Edited();
            });
    connect(OfSpin, &QSpinBox::valueChanged, this, Edited);
    connect(OrderBox, &QComboBox::currentIndexChanged, this, Edited);
    connect(MarkerBox, &QComboBox::currentIndexChanged, this, Edited);
    connect(JoinedBox, &QCheckBox::toggled, this, Edited);
    connect(AddDerivativeBtn, &QPushButton::clicked, this,
            [this] { AddDerived(SelectedGraph(), KindOfRole(TDerivedRole::Derivative)); });
    connect(AddIntegralBtn, &QPushButton::clicked, this,
            [this] { AddDerived(SelectedGraph(), KindOfRole(TDerivedRole::Integral)); });
}

TGraphKind TGraphPanel::KindAt(int Index) const
{
    return Kinds[size_t(std::clamp(Index, 0, int(Kinds.size()) - 1))];
}

// Only the editors the kind reads are shown, each captioned with what it holds.
void TGraphPanel::ShowKind(TGraphKind Kind)
{
    for (TRow& Row : Rows)
    {
        Row.Label->hide();
        Row.Editor->hide();
    }
    for (const TGraphEditor& Editor : KindOf(Kind).Editors())
    {
        const TRow& Row = Rows[size_t(Editor.Field)];
        Row.Label->setText(Editor.Caption);
        Row.Label->show();
        Row.Editor->show();
        if (Editor.Field != TGraphField::Marker)
            continue;
        const bool Was = Loading;
        Loading = true;
        MarkerBox->clear();
        for (const QString& Choice : Editor.Choices)
            MarkerBox->addItem(Choice);
        Loading = Was;
    }
}

void TGraphPanel::ModelChanged()
{
    const int Index = SelectedGraph();
    const TFunc& Graph = Model.FuncList.Item(Index);
    Loading = true;
    GraphLabel->setText(QStringLiteral("Graph %1").arg(Index + 1));
    const auto At = std::find(Kinds.begin(), Kinds.end(), Graph.Kind);
    KindBox->setCurrentIndex(At == Kinds.end() ? 0 : int(At - Kinds.begin()));
    ShowKind(Graph.Kind);
    FirstEdt->setText(Graph.Func);
    SecondEdt->setText(Graph.FuncY);
    FromEdt->setText(Graph.FromText);
    ToEdt->setText(Graph.ToText);
    OfSpin->setValue(std::clamp(Graph.Of, 1, 1000));
    OrderBox->setCurrentIndex(Graph.Order == 2 ? 1 : 0);
    MarkerBox->setCurrentIndex(KindOf(Graph).Choice(Graph, TGraphField::Marker));
    JoinedBox->setChecked(Graph.Joined);
    std::optional<TEvalContext> Context;
    try
    {
        Context = TEvalContext::Of(Model, Sep);
    }
    catch (const std::exception&)
    {
        // The time editor reports a time that is not a number.
    }
    Problem->setText(KindOf(Graph).Problem(Model.FuncList, Index, Context ? &*Context : nullptr));
    Loading = false;
}

// The selected graph with the values of the editors its kind shows.
TFunc TGraphPanel::Edited() const
{
    TFunc Graph = Model.FuncList.Item(SelectedGraph());
    Graph.Kind = KindAt(KindBox->currentIndex());
    for (const TGraphEditor& Editor : KindOf(Graph).Editors())
        switch (Editor.Field)
        {
        case TGraphField::Func:
            Graph.Func = FirstEdt->text();
            break;
        case TGraphField::FuncY:
            Graph.FuncY = SecondEdt->text();
            break;
        case TGraphField::From:
            Graph.FromText = FromEdt->text();
            break;
        case TGraphField::To:
            Graph.ToText = ToEdt->text();
            break;
        case TGraphField::Of:
            Graph.Of = OfSpin->value();
            break;
        case TGraphField::Order:
            Graph.Order = OrderBox->currentIndex() + 1;
            break;
        case TGraphField::Marker:
            KindOf(Graph).Choose(Graph, TGraphField::Marker, MarkerBox->currentIndex());
            break;
        case TGraphField::Joined:
            Graph.Joined = JoinedBox->isChecked();
            break;
        }
    return Graph;
}

void TGraphPanel::ApplyEdits()
{
    Apply(SelectedGraph(), Edited());
}
