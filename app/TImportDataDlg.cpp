#include "app/TImportDataDlg.h"

#include "analysis/Errors.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPointsKind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <new>

TImportDataDlg::TImportDataDlg(TDelimitedText Text, const QString& FileName, QWidget* Parent)
    : QDialog(Parent), Text(std::move(Text))
{
    FLayout = this->Text.Guess();
    BaseName = QFileInfo(FileName).completeBaseName();
    BuildControls(FileName);
    ShowLayout();
    ReadTable();
}

void TImportDataDlg::BuildControls(const QString& FileName)
{
    setObjectName(QStringLiteral("ImportDataDlg"));
    setWindowTitle(tr("Import Data"));
    auto* Form = new QFormLayout;
    auto Named = [](QWidget* w, const char* Name)
    {
        w->setObjectName(QLatin1String(Name));
        return w;
    };
    SeparatorBox = static_cast<QComboBox*>(Named(new QComboBox(this), "SeparatorBox"));
    SeparatorBox->addItems({tr("Tab"), tr("Semicolon"), tr("Comma"), tr("Spaces")});
    DecimalBox = static_cast<QComboBox*>(Named(new QComboBox(this), "DecimalBox"));
    DecimalBox->addItems({tr("Point (1.5)"), tr("Comma (1,5)")});
    HeaderBox = static_cast<QCheckBox*>(
        Named(new QCheckBox(tr("The first row names the columns"), this), "HeaderBox"));
    XColumnBox = static_cast<QComboBox*>(Named(new QComboBox(this), "XColumnBox"));
    YColumnBox = static_cast<QComboBox*>(Named(new QComboBox(this), "YColumnBox"));
    Form->addRow(tr("File:"), new QLabel(FileName, this));
    Form->addRow(tr("&Separator:"), SeparatorBox);
    Form->addRow(tr("&Decimal mark:"), DecimalBox);
    Form->addRow(QString(), HeaderBox);
    Form->addRow(tr("&x column:"), XColumnBox);
    Form->addRow(tr("&y column:"), YColumnBox);

    PreviewTable = static_cast<QTableWidget*>(Named(new QTableWidget(this), "PreviewTable"));
    PreviewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StatusLabel = static_cast<QLabel*>(Named(new QLabel(this), "StatusLabel"));
    StatusLabel->setWordWrap(true);
    NameEdit = static_cast<QLineEdit*>(Named(new QLineEdit(this), "NameEdit"));
    MarkerBox = static_cast<QComboBox*>(Named(new QComboBox(this), "MarkerBox"));
    for (const TMarkerShape Shape : TPointsKind::Markers())
        MarkerBox->addItem(QLatin1String(TPointsKind::MarkerName(Shape)));
    JoinedBox =
        static_cast<QCheckBox*>(Named(new QCheckBox(tr("&Join the points by a line"), this), "JoinedBox"));
    auto* Graph = new QFormLayout;
    Graph->addRow(tr("&Name:"), NameEdit);
    Graph->addRow(tr("&Marker:"), MarkerBox);
    Graph->addRow(QString(), JoinedBox);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* Page = new QVBoxLayout(this);
    Page->addLayout(Form);
    Page->addWidget(PreviewTable, 1);
    Page->addWidget(StatusLabel);
    Page->addLayout(Graph);
    Page->addWidget(Buttons);

    for (QComboBox* Box : {SeparatorBox, DecimalBox, XColumnBox, YColumnBox})
        connect(Box, &QComboBox::currentIndexChanged, this, &TImportDataDlg::LayoutChanged);
    connect(HeaderBox, &QCheckBox::toggled, this, &TImportDataDlg::LayoutChanged);
    resize(sizeHint().expandedTo(QSize(480, 600)));
}

void TImportDataDlg::ShowLayout()
{
    Updating = true;
    SeparatorBox->setCurrentIndex(int(FLayout.Separator));
    DecimalBox->setCurrentIndex(FLayout.DecimalMark == ',' ? 1 : 0);
    DecimalBox->setEnabled(FLayout.Separator != TDataSeparator::Comma);
    HeaderBox->setChecked(FLayout.Header);
    std::vector<std::string> Names;
    size_t Count = 0;
    try
    {
        Names = Text.ColumnNames(FLayout);
        Count = Text.ColumnCount(FLayout);
    }
    catch (const EDataFileError&)
    {
        // The status line shows the error of the reading.
    }
    Count = std::max({Count, FLayout.XColumn + 1, FLayout.YColumn + 1});
    for (QComboBox* Box : {XColumnBox, YColumnBox})
    {
        Box->clear();
        for (size_t i = 0; i < Count; ++i)
        {
            const QString Name = i < Names.size() ? QString::fromStdString(Names[i]) : QString();
            Box->addItem(Name.isEmpty() ? tr("Column %1").arg(i + 1) : tr("%1: %2").arg(i + 1).arg(Name));
        }
    }
    XColumnBox->setCurrentIndex(int(FLayout.XColumn));
    YColumnBox->setCurrentIndex(int(FLayout.YColumn));
    Updating = false;
}

void TImportDataDlg::LayoutChanged()
{
    if (Updating)
        return;
    FLayout.Separator = TDataSeparator(SeparatorBox->currentIndex());
    FLayout.DecimalMark = DecimalBox->currentIndex() == 1 ? ',' : '.';
    FLayout.Header = HeaderBox->isChecked();
    FLayout.XColumn = size_t(std::max(XColumnBox->currentIndex(), 0));
    FLayout.YColumn = size_t(std::max(YColumnBox->currentIndex(), 0));
    ShowLayout(); // another separator or header: other columns
    ReadTable();
}

void TImportDataDlg::ReadTable()
{
    FTable.reset();
    QString Error;
    try
    {
        FTable = std::make_shared<const TDataTable>(Text.Read(FLayout));
    }
    catch (const EDataFileError& e)
    {
        Error = QString::fromUtf8(e.Message());
    }
    catch (const std::bad_alloc&)
    {
        Error = tr("Not enough memory to read the file");
    }
    if (FTable)
        StatusLabel->setText(tr("%1 points; rows skipped for a missing value: %2")
                                 .arg(FTable->Count())
                                 .arg(FTable->SkippedRows()));
    else
        StatusLabel->setText(Error);
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(FTable != nullptr);
    ShowPreview();
    if (NameEdit->text() == Offered)
        NameEdit->setText(OfferedName());
    Offered = OfferedName();
}

QString TImportDataDlg::OfferedName() const
{
    try
    {
        const std::vector<std::string> Names = Text.ColumnNames(FLayout);
        if (FLayout.YColumn < Names.size() && !Names[FLayout.YColumn].empty())
            return QString::fromStdString(Names[FLayout.YColumn]);
    }
    catch (const EDataFileError&)
    {
        // The status line shows the error.
    }
    return BaseName;
}

void TImportDataDlg::ShowPreview()
{
    std::vector<TDataRowText> Rows;
    std::vector<std::string> Names;
    try
    {
        Rows = Text.Preview(FLayout, PreviewRows);
        Names = Text.ColumnNames(FLayout);
    }
    catch (const EDataFileError&)
    {
        // Too many columns or an open quote: the status line says which.
    }
    size_t Columns = Names.size();
    for (const TDataRowText& Row : Rows)
        Columns = std::max(Columns, Row.Fields.size());
    Columns = std::min<size_t>(Columns, 100);
    PreviewTable->clear();
    PreviewTable->setRowCount(int(Rows.size()));
    PreviewTable->setColumnCount(int(Columns));
    QStringList Header, Lines;
    for (size_t c = 0; c < Columns; ++c)
        Header << (c < Names.size() && !Names[c].empty() ? QString::fromStdString(Names[c])
                                                         : tr("Column %1").arg(c + 1));
    PreviewTable->setHorizontalHeaderLabels(Header);
    for (size_t r = 0; r < Rows.size(); ++r)
    {
        Lines << tr("Line %1").arg(Rows[r].Line);
        for (size_t c = 0; c < Rows[r].Fields.size() && c < Columns; ++c)
            PreviewTable->setItem(int(r), int(c),
                                  new QTableWidgetItem(QString::fromStdString(Rows[r].Fields[c])));
    }
    PreviewTable->setVerticalHeaderLabels(Lines);
}

QString TImportDataDlg::Status() const
{
    return StatusLabel->text();
}

QString TImportDataDlg::Name() const
{
    return NameEdit->text();
}

TMarkerShape TImportDataDlg::Marker() const
{
    return TPointsKind::Markers()[size_t(std::max(MarkerBox->currentIndex(), 0))];
}

bool TImportDataDlg::Joined() const
{
    return JoinedBox->isChecked();
}
