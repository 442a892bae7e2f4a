#include "app/TDataCommands.h"

#include "analysis/TDelimitedText.h"
#include "app/Errors.h"
#include "app/TDialogs.h"
#include "app/TGraphListUndo.h"
#include "app/TParameterUndo.h"
#include "expr/CharClass.h"
#include "expr/TStringHashMapTraits.h"
#include "expr/TokenRules.h"
#include "plot/GraphKind.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotModel.h"
#include "plot/TPointsKind.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <set>

namespace
{
// Imported points are blue, apart from the black of a new function.
constexpr TColor PointsColor = 0xC00000;

std::u16string Folded(std::u16string_view Name)
{
    std::u16string Out(Name);
    for (char16_t& c : Out)
        c = FoldAsciiCase(c);
    return Out;
}

// The names (folded) of the identifiers in Formula, found by the lexer's rules.
std::set<std::u16string> IdentifiersIn(std::u16string_view Formula, char16_t Sep)
{
    std::set<std::u16string> Names;
    for (size_t At = 0; At < Formula.size() && Formula[At] != u'\0';)
    {
        size_t End = At + 1;
        if (IsAsciiDigit(Formula[At]))
            End = NumberEnd(Formula, At, Sep);
        else if (IsIdentifierStart(Formula[At]))
        {
            End = IdentifierEnd(Formula, At);
            Names.insert(Folded(Formula.substr(At, End - At)));
        }
        At = End;
    }
    return Names;
}

// The dropped file, when it is one local data file.
QString DroppedDataFile(const QMimeData* Data)
{
    if (!Data || !Data->hasUrls() || Data->urls().size() != 1 || !Data->urls().front().isLocalFile())
        return QString();
    const QString Path = Data->urls().front().toLocalFile();
    return TDataCommands::IsDataFile(Path) ? Path : QString();
}

TGraphKind PointsKind()
{
    return GraphKindFromName(QLatin1String(TPointsKind::KindName));
}

bool ReadsParameter(const TFunc& Graph, const TParameterList& Parameters, char16_t Sep)
{
    const std::set<std::u16string> Names = IdentifiersIn(Graph.Func.toStdU16String(), Sep);
    for (const TParameter& p : Parameters.All())
        if (Names.count(Folded(p.Name.toStdU16String())))
            return true;
    return false;
}
} // namespace

TDataCommands::TDataCommands(QWidget& WindowIn, TPlotModel& ModelIn, TDialogs& DialogsIn, char16_t Separator,
                             std::function<int()> Selected, THooks HooksIn)
    : Window(WindowIn), Model(ModelIn), Dialogs(DialogsIn), Sep(Separator),
      SelectedGraph(std::move(Selected)), Hooks(std::move(HooksIn))
{
    Window.setAcceptDrops(true);
    Window.installEventFilter(this);
}

bool TDataCommands::IsDataFile(const QString& Path)
{
    const QString Suffix = QFileInfo(Path).suffix().toLower();
    return Suffix == QStringLiteral("csv") || Suffix == QStringLiteral("tsv") ||
           Suffix == QStringLiteral("txt");
}

void TDataCommands::Import()
{
    const QString Path = Dialogs.GetDataFileName(&Window, DataFileName);
    if (Path.isEmpty())
        return;
    DataFileName = Path;
    ImportFile(Path);
}

void TDataCommands::ImportFile(const QString& Path)
{
    std::optional<TImportedData> Chosen = Dialogs.ImportData(
        &Window, TDelimitedText::FromFile(QFile::encodeName(Path).toStdString()), QFileInfo(Path).fileName());
    if (!Chosen || !Chosen->Table)
        return;
    TFunc Graph(Chosen->Name);
    Graph.Kind = PointsKind();
    Graph.Data = std::move(Chosen->Table);
    Graph.Marker = Chosen->Marker;
    Graph.Joined = Chosen->Joined;
    Graph.Color = PointsColor;
    TFuncList Before = Model.FuncList;
    Model.FuncList.Add(Graph);
    Hooks.Record(std::make_unique<TGraphListUndo>(std::move(Before), Hooks.PutGraphs));
    Hooks.GraphAdded(Model.FuncList.Count() - 1);
    Model.GraphsEnabled = true;
    Hooks.Changed();
}

int TDataCommands::FitGraph(bool Points) const
{
    const auto Fits = [&](int i)
    {
        const TFunc& Graph = Model.FuncList.Item(i);
        if (Points)
            return Graph.Kind == PointsKind() && Graph.Data && !Graph.Data->Empty();
        return KindOf(Graph).DerivedRole() == TDerivedRole::Function &&
               ReadsParameter(Graph, Model.Parameters, Sep);
    };
    const int Selected = SelectedGraph();
    if (Selected >= 0 && Selected < Model.FuncList.Count() && Fits(Selected))
        return Selected;
    for (int i = 0; i < Model.FuncList.Count(); ++i)
        if (Fits(i))
            return i;
    return -1;
}

void TDataCommands::Fit()
{
    const int Points = FitGraph(true), Function = FitGraph(false);
    if (Points < 0 || Function < 0)
    {
        Dialogs.ShowErrorMessage(&Window,
                                 QString::fromLatin1(Points < 0 ? Msg::FitNeedsPoints : Msg::FitNeedsModel));
        return;
    }
    const TFunc& Model1 = Model.FuncList.Item(Function);
    const std::set<std::u16string> Read = IdentifiersIn(Model1.Func.toStdU16String(), Sep);
    TFitQuestion Question;
    Question.Model = Model1.Func;
    Question.Data = Model.FuncList.Item(Points).Data;
    for (const TParameter& p : Model.Parameters.All())
        if (Read.count(Folded(p.Name.toStdU16String())))
        {
            Question.Names.push_back(p.Name.toStdU16String());
            Question.Values.push_back(p.Value);
        }
    Question.Separator = Sep;
    Question.T = TEvalContext::Of(Model, Sep).Time;
    const std::optional<TFitAnswer> Answer = Dialogs.Fit(&Window, Question);
    if (!Answer || !Answer->Result.Converged())
        return;
    const TParameterList Before = Model.Parameters;
    for (size_t j = 0; j < Answer->Varied.size() && j < Answer->Result.Values.size(); ++j)
    {
        const int Index = Model.Parameters.IndexOf(QString::fromStdU16String(Answer->Varied[j]));
        if (Index >= 0)
            Model.Parameters.Item(Index).Value = Answer->Result.Values[j];
    }
    Hooks.Record(std::make_unique<TParameterUndo>(Model, Before));
    Hooks.Changed();
}

bool TDataCommands::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != &Window)
        return false;
    if (Event->type() == QEvent::DragEnter)
    {
        auto* Drag = static_cast<QDragEnterEvent*>(Event);
        if (DroppedDataFile(Drag->mimeData()).isEmpty())
            return false;
        Drag->acceptProposedAction();
        return true;
    }
    if (Event->type() == QEvent::Drop)
    {
        auto* Drop = static_cast<QDropEvent*>(Event);
        const QString Path = DroppedDataFile(Drop->mimeData());
        if (Path.isEmpty())
            return false;
        Drop->acceptProposedAction();
        try
        {
            ImportFile(Path);
        }
        catch (const std::exception& Error)
        {
            Hooks.Report(Error);
        }
        return true;
    }
    return false;
}
