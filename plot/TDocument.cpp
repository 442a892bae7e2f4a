#include "plot/TDocument.h"

#include "plot/GraphKind.h"
#include "plot/TParameterDocument.h"
#include "plot/TPlotOptionKeys.h"

#include <algorithm>
#include <vector>

namespace
{
const QString Main = QStringLiteral("Main");

QString Numbered(const char* Key, int n)
{
    return QLatin1String(Key) + QString::number(n);
}

// The writer keeps the low eight bits of the style as a signed number.
int32_t StyleStr(int32_t Style)
{
    return int8_t(uint8_t(Style & 0xFF));
}

// The formula is read whole: the 2047-character cap on text values would cut a longer formula
// that the writer saved whole.
TFunc ReadGraph(const TProfileFile& File, int n)
{
    TFunc Graph(File.ReadString(Main, Numbered("Func", n), QString(), TProfileFile::Unlimited));
    Graph.Color = File.ReadInteger(Main, Numbered("Color", n), clBlack);
    Graph.BGColor = File.ReadInteger(Main, Numbered("BG", n), clWhite);
    Graph.Style = File.ReadInteger(Main, Numbered("StyleStr", n), 0);
    Graph.Kind = GraphKindFromName(File.ReadString(Main, Numbered("Kind", n), QString()));
    const TFunc Defaults;
    switch (Graph.Kind)
    {
    case TGraphKind::Function:
    case TGraphKind::Inverse:
        break;
    case TGraphKind::Parametric:
        Graph.FuncY = File.ReadString(Main, Numbered("FuncY", n), QString(), TProfileFile::Unlimited);
        [[fallthrough]];
    case TGraphKind::Polar:
        Graph.FromText =
            File.ReadString(Main, Numbered("From", n), Defaults.FromText, TProfileFile::Unlimited);
        Graph.ToText = File.ReadString(Main, Numbered("To", n), Defaults.ToText, TProfileFile::Unlimited);
        break;
    case TGraphKind::Derivative:
    case TGraphKind::Integral:
        // A derived graph has no formula of its own, whatever the file says.
        Graph.Func.clear();
        Graph.Of = File.ReadInteger(Main, Numbered("Of", n), 0);
        Graph.Order = File.ReadInteger(Main, Numbered("Order", n), 1);
        Graph.FromText =
            File.ReadString(Main, Numbered("From", n), QStringLiteral("0"), TProfileFile::Unlimited);
        break;
    }
    return Graph;
}

bool HasKey(const TProfileFile& File, const QString& Key)
{
    const QString Missing(QChar(0));
    return File.ReadString(Main, Key, Missing) != Missing;
}

// The keys of a graph that is not a function, after its four keys. A function writes none, so a
// document of functions is saved as it always was; only a file that had a curve of another
// kind at its place is told that the graph is a function now.
void WriteKind(TProfileFile& File, const TFunc& Graph, int n)
{
    if (Graph.Kind == TGraphKind::Function)
    {
        if (HasKey(File, Numbered("Kind", n)))
            File.WriteString(Main, Numbered("Kind", n), GraphKindName(Graph.Kind));
        return;
    }
    File.WriteString(Main, Numbered("Kind", n), GraphKindName(Graph.Kind));
    switch (Graph.Kind)
    {
    case TGraphKind::Function:
    case TGraphKind::Inverse:
        break;
    case TGraphKind::Parametric:
        File.WriteString(Main, Numbered("FuncY", n), Graph.FuncY);
        [[fallthrough]];
    case TGraphKind::Polar:
        File.WriteString(Main, Numbered("From", n), Graph.FromText);
        File.WriteString(Main, Numbered("To", n), Graph.ToText);
        break;
    case TGraphKind::Derivative:
    case TGraphKind::Integral:
        File.WriteInteger(Main, Numbered("Of", n), Graph.Of);
        if (Graph.Kind == TGraphKind::Derivative)
            File.WriteInteger(Main, Numbered("Order", n), Graph.Order);
        else
            File.WriteString(Main, Numbered("From", n), Graph.FromText);
        break;
    }
}
} // namespace

void TDocument::Write(TProfileFile& File, const TPlotModel& Model)
{
    const TFuncList& List = Model.FuncList;
    for (int i = 0; i < List.Count(); ++i)
    {
        const TFunc& Graph = List.Item(i);
        // A derived graph's formula is written empty: a reader that knows no kinds skips it.
        File.WriteString(Main, Numbered("Func", i + 1), HasFormula(Graph.Kind) ? Graph.Func : QString());
        File.WriteInteger(Main, Numbered("Color", i + 1), Graph.Color);
        File.WriteInteger(Main, Numbered("BG", i + 1), Graph.BGColor);
        File.WriteInteger(Main, Numbered("StyleStr", i + 1), StyleStr(Graph.Style));
        WriteKind(File, Graph, i + 1);
    }
    File.WriteInteger(Main, QStringLiteral("FuncCount"), List.Count());
    File.WriteString(Main, QStringLiteral("Left"), Model.LeftText);
    File.WriteString(Main, QStringLiteral("Top"), Model.TopText);
    File.WriteString(Main, QStringLiteral("Right"), Model.RightText);
    File.WriteString(Main, QStringLiteral("Bottom"), Model.BottomText);
    File.WriteInteger(Main, QStringLiteral("Decimals"), Model.Decimals);
    File.WriteInteger(Main, QStringLiteral("ByX"), Model.TicksByX);
    File.WriteInteger(Main, QStringLiteral("ByY"), Model.TicksByY);
    File.WriteInteger(Main, QStringLiteral("FramesCount"), Model.FramesCount);
    TParameterDocument::Write(File, Model.Parameters);
    WritePlotOptions(File, Model.Options);
}

void TDocument::Save(const QString& Path, const TPlotModel& Model)
{
    TProfileFile File(Path);
    Write(File, Model);
    File.Save();
}

TDocumentGraph1 TDocument::Read(const TProfileFile& File, TPlotModel& Model)
{
    Model.LeftText = File.ReadString(Main, QStringLiteral("Left"), Model.LeftText);
    Model.TopText = File.ReadString(Main, QStringLiteral("Top"), Model.TopText);
    Model.RightText = File.ReadString(Main, QStringLiteral("Right"), Model.RightText);
    Model.BottomText = File.ReadString(Main, QStringLiteral("Bottom"), Model.BottomText);

    Model.Decimals = File.ReadInteger(Main, QStringLiteral("Decimals"), Model.Decimals);
    Model.TicksByX =
        std::clamp(File.ReadInteger(Main, QStringLiteral("ByX"), Model.TicksByX), -MaxTicks, MaxTicks);
    Model.TicksByY =
        std::clamp(File.ReadInteger(Main, QStringLiteral("ByY"), Model.TicksByY), -MaxTicks, MaxTicks);
    Model.GraphsEnabled = true;
    Model.Options = ReadPlotOptions(File);

    const TFunc First = ReadGraph(File, 1);
    const TDocumentGraph1 Graph1{First.Func, First.Color, First.BGColor, First.Style};

    // Limited below too: the renderer counts frames down from FramesCount - 1, which must not
    // overflow (any count below 1 draws no frame with motion blur on).
    Model.FramesCount =
        std::clamp(File.ReadInteger(Main, QStringLiteral("FramesCount"), 5), -MaxFrames, MaxFrames);

    // A count below 1 gives an empty list, which the list turns into one empty graph.
    const int32_t Count = std::min(File.ReadInteger(Main, QStringLiteral("FuncCount"), 1), MaxGraphs);
    std::vector<TFunc> Graphs;
    Graphs.reserve(size_t(std::max(Count, 0)));
    for (int n = 1; n <= Count; ++n)
        Graphs.push_back(ReadGraph(File, n));
    Model.FuncList.Assign(std::move(Graphs));
    Model.Parameters = TParameterDocument::Read(File);
    return Graph1;
}

TDocumentGraph1 TDocument::Read(const QString& Path, TPlotModel& Model)
{
    const TProfileFile File(Path);
    return Read(File, Model);
}

void TDocument::CheckRead(const TProfileFile& File)
{
    static_assert(TProfileFile::MaxFileSize == qint64(32) << 20, "the message names the size");
    const std::string Path = File.Path().toStdString();
    switch (File.LoadStatus())
    {
    case TRegularFile::TStatus::Read:
    case TRegularFile::TStatus::Missing:
        return;
    case TRegularFile::TStatus::NotRegular:
        throw EFileReadError(Msg::Format(Msg::NotARegularFile, Path));
    case TRegularFile::TStatus::TooLarge:
        throw EFileReadError(Msg::Format(Msg::DocumentTooLarge, Path));
    case TRegularFile::TStatus::Unreadable:
        break;
    }
    throw EFileReadError(Msg::Format(Msg::UnableToRead, Path));
}
