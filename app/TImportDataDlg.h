#pragma once
// The preview of a data file before it becomes a graph: the guessed layout (separator,
// decimal mark, header row, the x and y columns) in controls the user may change, the first
// rows as the layout splits them, and a line that says how many points the file gives and
// how many rows were skipped, or the first error with its line. The whole file is read again
// on every change, so what the line says is what OK returns; OK is enabled only while the
// file reads. Below the preview the graph to make: its name (the y column's header name, else
// the file's base name, offered anew while the user has not typed one), its marker and whether
// its points are joined. Nothing outside the dialog changes: the caller takes Table(), Name(),
// Marker() and Joined() after OK.
#include "analysis/TDelimitedText.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;
enum class TMarkerShape : uint8_t;

class TImportDataDlg : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int PreviewRows = 20;

    TImportDataDlg(TDelimitedText Text, const QString& FileName, QWidget* Parent = nullptr);

    TDataLayout Layout() const { return FLayout; }
    // The table the layout reads, or null while it reads none.
    std::shared_ptr<const TDataTable> Table() const { return FTable; }
    // What the status line says.
    QString Status() const;
    QString Name() const;
    TMarkerShape Marker() const;
    bool Joined() const;

  private:
    void BuildControls(const QString& FileName);
    // The controls as the layout has them (the column lists from the layout's split).
    void ShowLayout();
    // Reads the layout from the controls, then the file anew.
    void LayoutChanged();
    void ReadTable();
    void ShowPreview();
    // The name the layout offers: the y column's header name, else the file's base name.
    QString OfferedName() const;

    TDelimitedText Text;
    TDataLayout FLayout;
    std::shared_ptr<const TDataTable> FTable;
    bool Updating = false;
    QString BaseName;
    QString Offered; // the name last offered, replaced while the editor still shows it

    QComboBox* SeparatorBox = nullptr;
    QComboBox* DecimalBox = nullptr;
    QCheckBox* HeaderBox = nullptr;
    QComboBox* XColumnBox = nullptr;
    QComboBox* YColumnBox = nullptr;
    QTableWidget* PreviewTable = nullptr;
    QLabel* StatusLabel = nullptr;
    QLineEdit* NameEdit = nullptr;
    QComboBox* MarkerBox = nullptr;
    QCheckBox* JoinedBox = nullptr;
    QDialogButtonBox* Buttons = nullptr;
};
