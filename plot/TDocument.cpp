#include "plot/TDocument.h"

#include "plot/GraphKind.h"
#include "plot/TGraphKeys.h"
#include "plot/TParameterDocument.h"
#include "plot/TPlotOptionKeys.h"

#include <algorithm>
#include <vector>

namespace
{
const QString Main = QStringLiteral("Main");

// The writer keeps the low eight bits of the style as a signed number.
int32_t StyleStr(int32_t Style)
{
    return int8_t(uint8_t(Style & 0xFF));
}

// The formula is read whole: the 2047-character cap on text values would cut a longer formula
// that the writer saved whole.
TFunc ReadGraph(const TProfileFile& File, int n)
{
    const TGraphKeys Keys(File, n);
    TFunc Graph(Keys.Text("Func"));
    Graph.Color = Keys.Integer("Color", clBlack);
    Graph.BGColor = Keys.Integer("BG", clWhite);
    Graph.Style = Keys.Integer("StyleStr", 0);
    Graph.Kind = GraphKindFromName(Keys.Text("Kind"));
    KindOf(Graph).ReadKeys(Keys, Graph);
    return Graph;
}

// The four keys of a graph, then its kind's. A function writes no "Kind", so a document of
// functions is saved as it always was; only a file that had a graph of another kind at its place
// is told that the graph is a function now. A graph without a formula of its own writes its
// "Func" empty, which a reader that knows no kinds skips.
void WriteGraph(TProfileFile& File, const TFunc& Graph, int n)
{
    TGraphKeys Keys(File, n);
    const TKindDescriptor& Kind = KindOf(Graph);
    Keys.WriteText("Func", Kind.HasFormula() ? Graph.Func : QString());
    Keys.WriteInteger("Color", Graph.Color);
    Keys.WriteInteger("BG", Graph.BGColor);
    Keys.WriteInteger("StyleStr", StyleStr(Graph.Style));
    if (Graph.Kind != TFunc().Kind || Keys.Has("Kind"))
        Keys.WriteText("Kind", GraphKindName(Graph.Kind));
    Kind.WriteKeys(Keys, Graph);
}
} // namespace

void TDocument::Write(TProfileFile& File, const TPlotModel& Model)
{
    const TFuncList& List = Model.FuncList;
    for (int i = 0; i < List.Count(); ++i)
        WriteGraph(File, List.Item(i), i + 1);
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
    static_assert(TProfileFile::MaxFileSize == qint64(64) << 20, "the message names the size");
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
