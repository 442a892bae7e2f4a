// Any bytes open as a document, and what opened saves and opens again unchanged: the graphs'
// formulas, colours and styles (the writer keeps a style's low byte, signed), the bound
// texts, the counts and settings. The bounded reader of files gives all of a file within its cap
// and nothing of a larger one.
#include "FuzzSupport.h"

#include "plot/TDocument.h"
#include "plot/TPlotModel.h"
#include "plot/TRegularFile.h"

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
void WriteBytes(const QString& Path, const uint8_t* Data, size_t Size)
{
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Fuzz::Fail("cannot write", Path.toStdString());
    if (File.write(reinterpret_cast<const char*>(Data), qint64(Size)) != qint64(Size))
        Fuzz::Fail("short write", Path.toStdString());
}

void ExpectEqual(const QString& First, const QString& Second, const char* What)
{
    if (First != Second)
        Fuzz::Fail(What, "'" + First.toStdString() + "' became '" + Second.toStdString() + "'");
}

void ExpectEqual(int64_t First, int64_t Second, const char* What)
{
    if (First != Second)
        Fuzz::Fail(What, std::to_string(First) + " became " + std::to_string(Second));
}

void ExpectSameDocument(const TPlotModel& Read, const TPlotModel& Again)
{
    ExpectEqual(Read.FuncList.Count(), Again.FuncList.Count(), "graph count");
    for (int i = 0; i < Read.FuncList.Count(); ++i)
    {
        const TFunc& A = Read.FuncList.Item(i);
        const TFunc& B = Again.FuncList.Item(i);
        ExpectEqual(A.Func, B.Func, "formula");
        ExpectEqual(A.Color, B.Color, "colour");
        ExpectEqual(A.BGColor, B.BGColor, "fill colour");
        ExpectEqual(int8_t(uint8_t(A.Style & 0xFF)), B.Style, "style");
    }
    ExpectEqual(Read.LeftText, Again.LeftText, "Left");
    ExpectEqual(Read.RightText, Again.RightText, "Right");
    ExpectEqual(Read.BottomText, Again.BottomText, "Bottom");
    ExpectEqual(Read.TopText, Again.TopText, "Top");
    ExpectEqual(Read.Decimals, Again.Decimals, "Decimals");
    ExpectEqual(Read.TicksByX, Again.TicksByX, "ByX");
    ExpectEqual(Read.TicksByY, Again.TicksByY, "ByY");
    ExpectEqual(Read.FramesCount, Again.FramesCount, "FramesCount");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QString Dir = QString::fromStdString(Fuzz::ScratchDir());
    const QString Input = Dir + QStringLiteral("/input.vdg");
    const QString Saved = Dir + QStringLiteral("/saved.vdg");
    WriteBytes(Input, Data, Size);
    QFile::remove(Saved);

    // The bounded reader: the whole file when it fits the cap, nothing when it does not.
    const qint64 Cap = Size ? qint64(Data[0]) * 4 : 0;
    QByteArray Bytes;
    const TRegularFile::TStatus Status = TRegularFile::Read(Input, Cap, Bytes);
    if (qint64(Size) <= Cap
            ? (Status != TRegularFile::TStatus::Read ||
               Bytes != QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size)))
            : (Status != TRegularFile::TStatus::TooLarge || !Bytes.isEmpty()))
        Fuzz::Fail("bounded read", std::to_string(Size) + " bytes under a cap of " + std::to_string(Cap));

    TPlotModel Read;
    TDocument::Read(Input, Read);
    TDocument::Save(Saved, Read);
    TPlotModel Again;
    TDocument::Read(Saved, Again);
    ExpectSameDocument(Read, Again);

    // Saving over the input keeps its other lines; the document still reads back the same.
    TDocument::Save(Input, Read);
    TPlotModel Over;
    TDocument::Read(Input, Over);
    ExpectSameDocument(Read, Over);
    return 0;
}
