#include "app/TFunctionsDialog.h"

#include "expr/FunctionCatalog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
QString Text(std::string_view Utf8)
{
    return QString::fromUtf8(Utf8.data(), qsizetype(Utf8.size()));
}

QString Text(std::u16string_view Utf16)
{
    return QString::fromUtf16(Utf16.data(), qsizetype(Utf16.size()));
}

// One row of read-only cells; the example, last, is what an insertion writes.
void AddRow(QTableWidget* Table, const QStringList& Cells)
{
    const int Row = Table->rowCount();
    Table->insertRow(Row);
    for (int Column = 0; Column < Cells.size(); ++Column)
    {
        auto* Cell = new QTableWidgetItem(Cells[Column]);
        Cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        Table->setItem(Row, Column, Cell);
    }
}
} // namespace

TFunctionsDialog::TFunctionsDialog(TInsert InsertIn, QWidget* Parent)
    : QDialog(Parent), Insert(std::move(InsertIn))
{
    setObjectName(QStringLiteral("FunctionsDialog"));
    setWindowTitle(QStringLiteral("Functions"));
    Tabs = new QTabWidget(this);

    QTableWidget* Functions =
        MakeTable("FunctionsTable",
                  {QStringLiteral("Function"), QStringLiteral("Meaning"), QStringLiteral("Defined for"),
                   QStringLiteral("Accuracy"), QStringLiteral("Example")});
    for (const FunctionCatalog::TFunction& Row : FunctionCatalog::Functions())
        AddRow(Functions,
               {QString::fromStdString(FunctionCatalog::Signature(Row)), Text(Row.Meaning), Text(Row.Domain),
                QString::fromStdString(FunctionCatalog::AccuracyText(Row)), Text(Row.Example)});
    Tabs->addTab(Functions, QStringLiteral("&Functions"));

    QTableWidget* Operators =
        MakeTable("OperatorsTable", {QStringLiteral("Level"), QStringLiteral("Operator"),
                                     QStringLiteral("Meaning"), QStringLiteral("Example")});
    for (const FunctionCatalog::TOperator& Row : FunctionCatalog::Operators())
        AddRow(Operators,
               {QString::number(Row.Level), Text(Row.Symbol), Text(Row.Meaning), Text(Row.Example)});
    Tabs->addTab(Operators, QStringLiteral("&Operators (1 binds loosest)"));

    QTableWidget* Names = MakeTable(
        "NamesTable", {QStringLiteral("Name"), QStringLiteral("Meaning"), QStringLiteral("Example")});
    for (std::span<const FunctionCatalog::TName> Group :
         {FunctionCatalog::Constants(), FunctionCatalog::Variables()})
        for (const FunctionCatalog::TName& Row : Group)
            AddRow(Names, {Text(Row.Name), Text(Row.Meaning), Text(Row.Example)});
    Tabs->addTab(Names, QStringLiteral("&Constant and variables"));

    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* InsertBtn =
        Buttons->addButton(QStringLiteral("&Insert example"), QDialogButtonBox::ActionRole);
    InsertBtn->setObjectName(QStringLiteral("InsertExampleBtn"));
    connect(InsertBtn, &QPushButton::clicked, this, &TFunctionsDialog::InsertExample);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (QTableWidget* Table : {Functions, Operators, Names})
        Table->resizeColumnsToContents();
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Tabs);
    Layout->addWidget(Buttons);
    resize(980, 560);
}

QTableWidget* TFunctionsDialog::MakeTable(const char* Name, const QStringList& Headers)
{
    auto* Table = new QTableWidget(0, int(Headers.size()), this);
    Table->setObjectName(QString::fromLatin1(Name));
    Table->setHorizontalHeaderLabels(Headers);
    Table->verticalHeader()->hide();
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->setWordWrap(false);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 8);
    connect(Table, &QTableWidget::cellDoubleClicked, this, [this] { InsertExample(); });
    return Table;
}

void TFunctionsDialog::InsertExample()
{
    auto* Table = qobject_cast<QTableWidget*>(Tabs->currentWidget());
    if (!Table || Table->currentRow() < 0 || !Insert)
        return;
    Insert(Table->item(Table->currentRow(), Table->columnCount() - 1)->text());
}
