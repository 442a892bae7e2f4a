#include "app/TGraphPanel.h"

#include "app/TFormulaAssist.h"
#include "plot/GraphKind.h"
#include "plot/TDerivedCurve.h"
#include "plot/TPlotModel.h"
#include "plot/TSampledCurve.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// The kinds in the order of TGraphKind, as the kind list shows them.
const char* const KindCaptions[] = {"Function y = f(x)",     "Parametric x = X(s), y = Y(s)",
                                    "Polar r = R(s)",        "Inverse x = g(y)",
                                    "Derivative of a graph", "Integral of a graph"};

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
      Apply(std::move(ApplyIn)), AddDerived(std::move(AddDerivedIn))
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
    for (const char* Caption : KindCaptions)
        KindBox->addItem(QString::fromLatin1(Caption));
    Form->addRow(QStringLiteral("&Kind:"), KindBox);
    FirstLabel = new QLabel;
    FirstEdt = Named(new QLineEdit, "FirstEdt");
    Form->addRow(FirstLabel, FirstEdt);
    SecondLabel = new QLabel(QStringLiteral("y = Y(s):"));
    SecondEdt = Named(new QLineEdit, "SecondEdt");
    Form->addRow(SecondLabel, SecondEdt);
    FromLabel = new QLabel;
    FromEdt = Named(new QLineEdit, "FromEdt");
    Form->addRow(FromLabel, FromEdt);
    ToLabel = new QLabel(QStringLiteral("s to (S1):"));
    ToEdt = Named(new QLineEdit, "ToEdt");
    Form->addRow(ToLabel, ToEdt);
    OfLabel = new QLabel(QStringLiteral("Of graph:"));
    OfSpin = Named(new QSpinBox, "OfSpin");
    OfSpin->setRange(1, 1000);
    Form->addRow(OfLabel, OfSpin);
    OrderLabel = new QLabel(QStringLiteral("Order:"));
    OrderBox = Named(new QComboBox, "OrderBox");
    OrderBox->addItems({QStringLiteral("1"), QStringLiteral("2")});
    Form->addRow(OrderLabel, OrderBox);
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

    for (QLineEdit* Edit : {FirstEdt, SecondEdt, FromEdt, ToEdt})
        connect(Edit, &QLineEdit::returnPressed, this, &TGraphPanel::ApplyEdits);
    const TFormulaField::TNames Parameters = [this] { return Model.Parameters.Names(); };
    TFormulaAssist::Attach(
        FirstEdt, {[this] { return TFormulaAssist::VariablesOf(TGraphKind(KindBox->currentIndex())); },
                   Parameters, Sep});
    TFormulaAssist::Attach(
        SecondEdt, {[] { return TFormulaAssist::VariablesOf(TGraphKind::Parametric); }, Parameters, Sep});
    for (QLineEdit* Ends : {FromEdt, ToEdt})
        TFormulaAssist::Attach(Ends, {{}, Parameters, Sep});
    connect(KindBox, &QComboBox::currentIndexChanged, this,
            [this](int Index)
            {
                ShowKind(TGraphKind(std::max(Index, 0)));
                if (!Loading)
                    ApplyEdits();
            });
    connect(OfSpin, &QSpinBox::valueChanged, this,
            [this]
            {
                if (!Loading)
                    ApplyEdits();
            });
    connect(OrderBox, &QComboBox::currentIndexChanged, this,
            [this]
            {
                if (!Loading)
                    ApplyEdits();
            });
    connect(AddDerivativeBtn, &QPushButton::clicked, this,
            [this] { AddDerived(SelectedGraph(), TGraphKind::Derivative); });
    connect(AddIntegralBtn, &QPushButton::clicked, this,
            [this] { AddDerived(SelectedGraph(), TGraphKind::Integral); });
}

// Only the editors the kind reads are shown, each captioned with what it holds.
void TGraphPanel::ShowKind(TGraphKind Kind)
{
    const bool Sampled = Kind == TGraphKind::Parametric || Kind == TGraphKind::Polar;
    const bool Derived = !HasFormula(Kind);
    static const char* const FirstCaptions[] = {"y = f(x):", "x = X(s):", "r = R(s):", "x = g(y):", "", ""};
    FirstLabel->setText(QString::fromLatin1(FirstCaptions[size_t(Kind)]));
    FirstLabel->setVisible(!Derived);
    FirstEdt->setVisible(!Derived);
    SecondLabel->setVisible(Kind == TGraphKind::Parametric);
    SecondEdt->setVisible(Kind == TGraphKind::Parametric);
    FromLabel->setText(Kind == TGraphKind::Integral ? QStringLiteral("From a:")
                                                    : QStringLiteral("s from (S0):"));
    FromLabel->setVisible(Sampled || Kind == TGraphKind::Integral);
    FromEdt->setVisible(Sampled || Kind == TGraphKind::Integral);
    ToLabel->setVisible(Sampled);
    ToEdt->setVisible(Sampled);
    OfLabel->setVisible(Derived);
    OfSpin->setVisible(Derived);
    OrderLabel->setVisible(Kind == TGraphKind::Derivative);
    OrderBox->setVisible(Kind == TGraphKind::Derivative);
}

void TGraphPanel::ModelChanged()
{
    const int Index = SelectedGraph();
    const TFunc& Graph = Model.FuncList.Item(Index);
    Loading = true;
    GraphLabel->setText(QStringLiteral("Graph %1").arg(Index + 1));
    KindBox->setCurrentIndex(int(Graph.Kind));
    ShowKind(Graph.Kind);
    FirstEdt->setText(Graph.Func);
    SecondEdt->setText(Graph.FuncY);
    FromEdt->setText(Graph.FromText);
    ToEdt->setText(Graph.ToText);
    OfSpin->setValue(std::clamp(Graph.Of, 1, 1000));
    OrderBox->setCurrentIndex(Graph.Order == 2 ? 1 : 0);
    Problem->setText(HasFormula(Graph.Kind) ? SampledEndsProblem(Model, Index, Sep)
                                            : DerivedGraphProblem(Model.FuncList, Index));
    Loading = false;
}

TFunc TGraphPanel::Edited() const
{
    TFunc Graph = Model.FuncList.Item(SelectedGraph());
    Graph.Kind = TGraphKind(std::max(KindBox->currentIndex(), 0));
    if (HasFormula(Graph.Kind))
        Graph.Func = FirstEdt->text();
    Graph.FuncY = SecondEdt->text();
    Graph.FromText = FromEdt->text();
    Graph.ToText = ToEdt->text();
    Graph.Of = OfSpin->value();
    Graph.Order = OrderBox->currentIndex() + 1;
    return Graph;
}

void TGraphPanel::ApplyEdits()
{
    Apply(SelectedGraph(), Edited());
}
