#pragma once
// Help > Functions: everything a formula can name, in three tables: the 37 functions (with
// their arguments, meaning, where they are defined, their accuracy and an example), the
// operators from the loosest to the tightest, and the constant with the variables. A double
// click on a row, or "Insert example", hands the row's example to Insert (the window writes it
// into the formula editor at its cursor). The dialog is not modal: it may stay open while the
// formula is typed.
#include <QDialog>

#include <functional>

class QTabWidget;
class QTableWidget;

class TFunctionsDialog : public QDialog
{
    Q_OBJECT

  public:
    using TInsert = std::function<void(const QString& Example)>;

    explicit TFunctionsDialog(TInsert Insert, QWidget* Parent = nullptr);

    // The example of the current row of the table shown, handed to Insert.
    void InsertExample();

  private:
    QTableWidget* MakeTable(const char* Name, const QStringList& Headers);

    TInsert Insert;
    QTabWidget* Tabs = nullptr;
};
