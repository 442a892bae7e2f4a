// Exports that are stopped or cannot go on: an export abandoned from outside leaves nothing it
// began, errors name what the user named, a pipe nobody reads fails instead of waiting, and a
// picture too large for its format is refused before any work.
#include "ExportTestSupport.h"
#include "tests/SpecialFiles.h"

#include "export/Errors.h"
#include "export/TAnimationExport.h"
#include "export/TFrameFolderWriter.h"
#include "export/TPartialOutput.h"
#include "export/TPictureWriter.h"
#include "export/TPngEncoder.h"
#include "export/TWebPWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

using namespace ExportTest;
using namespace std::chrono_literals;

namespace
{
QStringList EntriesOf(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QImage Frame(QSize Size = QSize(120, 90))
{
    return Picture().Render(Size);
}

// The message of the EExportError that Work throws, or "" when it throws none.
template <class F> QString ExportErrorOf(F Work)
{
    try
    {
        Work();
    }
    catch (const EExportError& e)
    {
        return QString::fromUtf8(e.Message());
    }
    return QString();
}
} // namespace

TEST(StoppedExport, AbandonedFramesLeaveTheOldFolderAndNothingElse)
{
    QTemporaryDir Dir;
    const QString Folder = Dir.filePath(QStringLiteral("frames"));
    {
        TFrameFolderWriter Earlier(Folder);
        Earlier.Add(Frame());
        Earlier.Commit();
    }
    TPartialOutput Partial;
    TFrameFolderWriter Writer(Folder, &Partial);
    Writer.Add(Frame());
    Writer.Add(Frame());
    EXPECT_EQ(EntriesOf(Dir.path()).size(), 2) << "the frames so far lie in a folder beside the old one";
    // From another thread, as a time limit stops it.
    std::async(std::launch::async, [&] { Partial.Abandon(); }).wait();
    EXPECT_EQ(EntriesOf(Dir.path()), QStringList{QStringLiteral("frames")});
    EXPECT_EQ(EntriesOf(Folder), QStringList{QStringLiteral("frame0001.png")});
    // Nothing more is written: each later step fails, naming the folder the user gave.
    const QString CannotWrite = QStringLiteral("cannot write ") + Folder;
    EXPECT_EQ(ExportErrorOf([&] { Writer.Add(Frame()); }), CannotWrite);
    EXPECT_EQ(ExportErrorOf([&] { Writer.Commit(); }), CannotWrite);
    EXPECT_EQ(EntriesOf(Dir.path()), QStringList{QStringLiteral("frames")});
    EXPECT_EQ(EntriesOf(Folder), QStringList{QStringLiteral("frame0001.png")});
}

TEST(StoppedExport, AbandonedPictureAndAnimationWriteNothing)
{
    QTemporaryDir Dir;
    TPartialOutput Partial;
    Partial.Abandon();
    const QString Png = Dir.filePath(QStringLiteral("p.png"));
    EXPECT_EQ(ExportErrorOf([&] { TPictureWriter::SaveBytes(TPngEncoder::Encode(Frame()), Png, &Partial); }),
              QStringLiteral("cannot write ") + Png);
    const QString WebP = Dir.filePath(QStringLiteral("a.webp"));
    TAnimationPlan Plan;
    Plan.To = 1;
    Plan.Step = 1;
    Plan.Size = QSize(120, 90);
    EXPECT_FALSE(ExportErrorOf(
                     [&]
                     {
                         auto Sink = TAnimationExport::MakeSink(TExportFormat::WebP, WebP, Plan, &Partial);
                         TPlotPicture P = Picture();
                         TAnimationExport::Run(P, Plan, *Sink, {});
                     })
                     .isEmpty());
    EXPECT_TRUE(EntriesOf(Dir.path()).isEmpty());
}

// A disk that fills up while frames are written is reported against the folder the user named,
// not the temporary folder beside it.
TEST(StoppedExport, FullDiskNamesTheFramesFolderAsGiven)
{
    QTemporaryDir Dir;
    const QString Given = Dir.filePath(QStringLiteral("sub/../fr"));
    QDir().mkdir(Dir.filePath(QStringLiteral("sub")));
    TFrameFolderWriter Writer(Given);
    const SpecialFiles::TFileSizeLimit Limit(512);
    if (!Limit.Active)
        GTEST_SKIP() << "no file-size limit here";
    EXPECT_EQ(ExportErrorOf([&] { Writer.Add(Frame(QSize(400, 300))); }),
              QStringLiteral("cannot write ") + Given);
}

// Opening a pipe for writing waits for a reader: the writer must not. A wrong open would wait
// for ever; the test then opens the pipe for reading itself to release it, and fails.
TEST(StoppedExport, PipeWithoutAReaderFailsAtOnceAndOneWithAReaderGetsTheBytes)
{
    QTemporaryDir Dir;
    const QString Pipe = Dir.filePath(QStringLiteral("pipe.png"));
    if (!SpecialFiles::MakeFifo(Pipe))
        GTEST_SKIP() << "cannot make a pipe here";
    const QByteArray Bytes(200000, 'b'); // more than a pipe holds: the write waits for the reader
    auto Write = std::async(std::launch::async,
                            [&] { return ExportErrorOf([&] { TPictureWriter::SaveBytes(Bytes, Pipe); }); });
    if (Write.wait_for(5s) != std::future_status::ready)
    {
        const int Release = ::open(QFile::encodeName(Pipe).constData(), O_RDONLY | O_NONBLOCK);
        Write.wait();
        ::close(Release);
        FAIL() << "the write waited for a reader";
    }
    EXPECT_EQ(Write.get(), QStringLiteral("cannot write ") + Pipe);

    const int Reader = ::open(QFile::encodeName(Pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(Reader, 0);
    auto Written = std::async(std::launch::async,
                              [&] { return ExportErrorOf([&] { TPictureWriter::SaveBytes(Bytes, Pipe); }); });
    QByteArray Read;
    char Buffer[65536];
    const auto Until = std::chrono::steady_clock::now() + 10s;
    while (Read.size() < Bytes.size() && std::chrono::steady_clock::now() < Until)
    {
        const ssize_t n = ::read(Reader, Buffer, sizeof Buffer);
        if (n > 0)
            Read.append(Buffer, n);
        else
            std::this_thread::sleep_for(1ms);
    }
    ::close(Reader);
    EXPECT_EQ(Written.get(), QString());
    EXPECT_EQ(Read, Bytes);
    EXPECT_TRUE(SpecialFiles::IsFifo(Pipe)) << "the pipe is still a pipe";
}

TEST(StoppedExport, WebPLargerThanItsEncoderTakesIsRefusedBeforeAnyWork)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("big.webp"));
    for (QSize Size : {QSize(16384, 16), QSize(16, 16384)})
        EXPECT_EQ(ExportErrorOf([&] { TWebPWriter(Path, Size, 40); }),
                  QStringLiteral("a picture of %1x%2 is too large for WebP: each side at most 16383")
                      .arg(Size.width())
                      .arg(Size.height()));
    EXPECT_EQ(MaxSideOf(TExportFormat::WebP), 16383);
    EXPECT_EQ(MaxSideOf(TExportFormat::Gif), 16384);
    EXPECT_TRUE(EntriesOf(Dir.path()).isEmpty());
}
