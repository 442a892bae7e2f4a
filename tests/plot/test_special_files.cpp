// Files that are no documents: devices, named pipes, folders, links to them, files past the
// size cap, and saving where a write cannot go through. None may hang, exhaust memory, or have
// its target replaced; a failed save leaves the old file and no temporary behind.
#include "plot/TDocument.h"
#include "plot/TProfileFile.h"
#include "plot/TRegularFile.h"
#include "plot/TSavingFile.h"
#include "tests/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SpecialFiles;
using TStatus = TRegularFile::TStatus;

namespace
{
class SpecialFile : public ::testing::Test
{
  protected:
    QTemporaryDir Dir;
    QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }

    void Write(const QString& At, const QByteArray& Bytes)
    {
        QFile File(At);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(File.write(Bytes), Bytes.size());
    }
    QByteArray Contents(const QString& At)
    {
        QFile File(At);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
    }
    // A regular file of Size bytes that takes no room on the disk.
    void Sparse(const QString& At, qint64 Size)
    {
        QFile File(At);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        ASSERT_TRUE(File.resize(Size));
    }
    void DeviceOrSkip(const QString& At, TDevice Which)
    {
        if (!MakeDevice(At, Which))
            GTEST_SKIP() << "cannot make a device node here (not root, or a nodev mount)";
    }
};

const QByteArray Document = "[Main]\r\nFuncCount=1\r\nFunc1=Sin(x)\r\n";
} // namespace

TEST_F(SpecialFile, OnlyARegularFileWithinTheCapIsRead)
{
    Write(Path("doc.vdg"), Document);
    Sparse(Path("large.vdg"), TProfileFile::MaxFileSize + 1);
    Sparse(Path("just.vdg"), TProfileFile::MaxFileSize);
    QDir(Dir.path()).mkdir(QStringLiteral("folder.vdg"));
    ASSERT_TRUE(MakeFifo(Path("pipe.vdg")));
    ASSERT_TRUE(QFile::link(Path("pipe.vdg"), Path("link-to-pipe.vdg")));
    ASSERT_TRUE(QFile::link(Path("nowhere"), Path("dangling.vdg")));
    const TFifoWatch Watch(Path("pipe.vdg"));

    const struct
    {
        const char* Name;
        TStatus Expected;
        qsizetype Bytes;
    } Cases[] = {
        {"doc.vdg", TStatus::Read, Document.size()},
        {"just.vdg", TStatus::Read, qsizetype(TProfileFile::MaxFileSize)},
        {"large.vdg", TStatus::TooLarge, 0},
        {"folder.vdg", TStatus::NotRegular, 0},
        {"pipe.vdg", TStatus::NotRegular, 0},
        {"link-to-pipe.vdg", TStatus::NotRegular, 0},
        {"missing.vdg", TStatus::Missing, 0},
        {"dangling.vdg", TStatus::Missing, 0},
    };
    for (const auto& Case : Cases)
    {
        QByteArray Bytes;
        EXPECT_EQ(TRegularFile::Read(Path(Case.Name), TProfileFile::MaxFileSize, Bytes), Case.Expected)
            << Case.Name;
        EXPECT_EQ(TRegularFile::Check(Path(Case.Name), TProfileFile::MaxFileSize), Case.Expected)
            << Case.Name;
        EXPECT_EQ(Bytes.size(), Case.Bytes) << Case.Name;
    }
    EXPECT_FALSE(Watch.ReaderSeen()) << "the pipe was opened for reading";
}

TEST_F(SpecialFile, DevicesAreNeverReadAsDocuments)
{
    for (TDevice Which : {TDevice::Zero, TDevice::Urandom, TDevice::Null})
    {
        const QString Node = Path("device.vdg");
        QFile::remove(Node);
        DeviceOrSkip(Node, Which);
        const TProfileFile File(Node);
        EXPECT_EQ(File.LoadStatus(), TStatus::NotRegular) << int(Which);
        EXPECT_THROW(TDocument::CheckRead(File), EFileReadError);
    }
}

TEST_F(SpecialFile, ADocumentPastTheCapIsRefusedWithItsReason)
{
    Sparse(Path("large.vdg"), TProfileFile::MaxFileSize + 1);
    ASSERT_TRUE(MakeFifo(Path("pipe.vdg")));
    const TFifoWatch Watch(Path("pipe.vdg"));
    const struct
    {
        const char* Name;
        const char* Message;
    } Cases[] = {
        {"large.vdg", "Cannot open %s: a document is at most 64 MiB"},
        {"pipe.vdg", "Cannot open %s: it is not a regular file"},
    };
    for (const auto& Case : Cases)
    {
        const TProfileFile File(Path(Case.Name));
        try
        {
            TDocument::CheckRead(File);
            ADD_FAILURE() << Case.Name << " was read";
        }
        catch (const EFileReadError& Error)
        {
            EXPECT_EQ(Error.Message(), Msg::Format(Case.Message, Path(Case.Name).toStdString()));
        }
    }
    EXPECT_FALSE(Watch.ReaderSeen());
}

// The link is the user's way of keeping a file from being written; as root a rename would
// replace even a device with a regular file.
TEST_F(SpecialFile, SavingOntoALinkToADeviceOrPipeLeavesItAlone)
{
    DeviceOrSkip(Path("null"), TDevice::Null);
    ASSERT_TRUE(MakeFifo(Path("pipe")));
    ASSERT_TRUE(QFile::link(Path("null"), Path("to-null.vdg")));
    ASSERT_TRUE(QFile::link(Path("pipe"), Path("to-pipe.vdg")));
    const TFifoWatch Watch(Path("pipe"));
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QStringLiteral("x"))});
    for (const char* Name : {"to-null.vdg", "to-pipe.vdg", "null"})
        EXPECT_THROW(TDocument::Save(Path(Name), Model), EFileWriteError) << Name;
    EXPECT_TRUE(IsCharDevice(Path("null")));
    EXPECT_TRUE(IsFifo(Path("pipe")));
    EXPECT_FALSE(QFile::exists(Path("null.saving")));
    EXPECT_FALSE(Watch.ReaderSeen());
}

TEST_F(SpecialFile, ASaveGoesThroughARecognisableTemporaryThatTheNextSaveClearsAway)
{
    // What a save killed at its rename leaves: the whole new document beside the old one.
    Write(Path("doc.vdg"), Document);
    Write(TSavingFile::TemporaryName(Path("doc.vdg")), "[Main]\r\nFunc1=left over from a killed save\r\n");
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QStringLiteral("Cos(x)"))});
    TDocument::Save(Path("doc.vdg"), Model);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("doc.vdg")});
    TPlotModel Again;
    TDocument::Read(Path("doc.vdg"), Again);
    EXPECT_EQ(Again.FuncList.Item(0).Func, QStringLiteral("Cos(x)"));

    // Through a link, the file it leads to is written, beside which the temporary goes.
    QDir(Dir.path()).mkdir(QStringLiteral("real"));
    Write(Path("real/target.vdg"), Document);
    ASSERT_TRUE(QFile::link(Path("real/target.vdg"), Path("link.vdg")));
    TDocument::Save(Path("link.vdg"), Model);
    EXPECT_TRUE(QFileInfo(Path("link.vdg")).isSymLink());
    EXPECT_TRUE(Contents(Path("real/target.vdg")).contains("Func1=Cos(x)"));
}

// A file-size limit: with SIGXFSZ ignored (as the program does) the write fails, the save
// reports it, and the old document and the folder stay as they were.
TEST_F(SpecialFile, ASaveCrossingTheFileSizeLimitFailsAndKeepsTheOldFile)
{
    Write(Path("doc.vdg"), Document);
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QString(100000, u'x'))});
    {
        TFileSizeLimit Full(4096);
        ASSERT_TRUE(Full.Active);
        EXPECT_THROW(TDocument::Save(Path("doc.vdg"), Model), EFileWriteError);
    }
    EXPECT_EQ(Contents(Path("doc.vdg")), Document);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("doc.vdg")});
}
