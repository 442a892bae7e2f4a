#pragma once
// Data in the window: File > Import Data... and a data file (.csv, .tsv, .txt) dropped on the
// window read the file, show it in the import preview (TDialogs::ImportData) and, when the user
// confirms, add a points graph of it at the end of the list, selected (one undo step: the list
// as it was). Tools > Fit... fits a function graph whose formula reads named parameters to a
// points graph: the selected graph if it is one of the two, the first of the other kind in the
// list otherwise. The fit dialog (TDialogs::Fit) starts from the parameters' values and the time
// now; a fit the user accepts sets the varied parameters (one undo step), anything else keeps
// them (the dialog has said why). Without both graphs a message says which is missing. A file
// that cannot be read is the error report's, and nothing changes.
#include "app/TDataChoice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TDialogs;
class TFuncList;
class TPlotModel;
class TUndoObject;

class TDataCommands : public QObject
{
  public:
    struct THooks
    {
        std::function<void(std::unique_ptr<TUndoObject>)> Record; // pushes an undo record
        std::function<void(int Index)> GraphAdded;                // graph Index is new: selected, shown
        std::function<void(const TFuncList&)> PutGraphs;          // the list as an undo has it
        std::function<void()> Changed;                            // redraw, errors may show again
        std::function<void(const std::exception&)> Report;        // the application's error report
    };

    // Window: the main window, on which files may be dropped. SelectedGraph: the graph list's
    // current graph.
    TDataCommands(QWidget& Window, TPlotModel& Model, TDialogs& Dialogs, char16_t DecimalSeparator,
                  std::function<int()> SelectedGraph, THooks Hooks);

    void Import();
    // The import preview of the file at Path, then the graph.
    void ImportFile(const QString& Path);
    void Fit();

    // Whether a dropped file is taken for data: by its extension, in any case.
    static bool IsDataFile(const QString& Path);

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    // The graph Fit takes of Kind: the selected one if it is of that kind, or the first.
    int FitGraph(bool Points) const;

    QWidget& Window;
    TPlotModel& Model;
    TDialogs& Dialogs;
    const char16_t Sep;
    std::function<int()> SelectedGraph;
    THooks Hooks;
    QString DataFileName;
};
