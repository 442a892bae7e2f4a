// The one whole-or-nothing writer against every kind of target: what counts as a device, what a
// document save and an export each do with one, and the one message of every failure.
#include "plot/Errors.h"
#include "plot/TSavingFile.h"
#include "tests/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <sys/mount.h>

using namespace SpecialFiles;
using TTarget = TSavingFile::TTarget;
using TDevices = TSavingFile::TDevices;

namespace
{
const QByteArray Old = "old contents";
const QByteArray New = "new contents, written whole";

class SavingFile : public ::testing::Test
{
  public:
    void TearDown() override
    {
        if (!ReadOnly.isEmpty())
            ::umount(QFile::encodeName(ReadOnly).constData());
    }
    QString Path(const QString& Name) const { return Dir.filePath(Name); }
    static QByteArray Contents(const QString& At)
    {
        QFile File(At);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
    }
    static void Put(const QString& At, const QByteArray& Bytes)
    {
        QFile File(At);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(File.write(Bytes), Bytes.size());
    }
    // A folder where nothing may be written, even by root: a read-only mount of its own.
    bool MakeReadOnlyFolder(const QString& At)
    {
        QDir().mkpath(At);
        if (::mount("tmpfs", QFile::encodeName(At).constData(), "tmpfs", MS_RDONLY, "size=8k") != 0)
            return false;
        ReadOnly = At;
        return true;
    }

    QTemporaryDir Dir;
    QString ReadOnly;
};

// Writes with the given device rule; the message of the failure, or empty when written.
std::string WriteMessage(const QString& Path, TDevices Devices)
{
    TSavingFile::TOptions Options;
    Options.Devices = Devices;
    try
    {
        TSavingFile::Write(Path, New, Options);
        return {};
    }
    catch (const EFileWriteError& Error)
    {
        return Error.Message();
    }
}
} // namespace

TEST_F(SavingFile, EveryTargetIsToldApartAndWrittenOrRefusedWithTheOneMessage)
{
    enum TOutcome
    {
        Fails,
        Written,  // the path holds exactly the new bytes
        WentInto, // a device took the bytes and is still that device
    };
    const struct
    {
        const char* Name;
        const char* Target;                                    // in the test's folder
        std::function<bool(SavingFile&, const QString&)> Make; // false: cannot be made here
        TTarget Kind;
        TOutcome Document, Export;
    } Rows[] = {
        {"nothing there yet is created", "new.out", [](auto&, auto&) { return true; }, TTarget::None, Written,
         Written},
        {"a regular file is replaced whole", "old.out",
         [](auto&, const QString& p)
         {
             Put(p, Old);
             return true;
         },
         TTarget::File, Written, Written},
        {"a file in a missing folder fails", "missing/x.out", [](auto&, auto&) { return true; },
         TTarget::None, Fails, Fails},
        {"a folder as the target fails", "folder.out",
         [](auto&, const QString& p) { return QDir().mkdir(p); }, TTarget::Folder, Fails, Fails},
        {"a pipe without a reader fails at once", "pipe.out",
         [](auto&, const QString& p) { return MakeFifo(p); }, TTarget::Device, Fails, Fails},
        {"a null device is written into by an export only", "null.out",
         [](auto&, const QString& p) { return MakeDevice(p, TDevice::Null); }, TTarget::Device, Fails,
         WentInto},
        {"a full device takes nothing", "full.out",
         [](auto&, const QString& p) { return MakeDevice(p, TDevice::Full); }, TTarget::Device, Fails, Fails},
        {"a link to a null device counts as the device", "to-null.out",
         [](auto&, const QString& p)
         { return MakeDevice(p + ".dev", TDevice::Null) && QFile::link(p + ".dev", p); },
         TTarget::Device, Fails, WentInto},
        {"a read-only folder fails", "ro/x.out",
         [](SavingFile& t, const QString& p) { return t.MakeReadOnlyFolder(QFileInfo(p).path()); },
         TTarget::None, Fails, Fails},
    };
    for (const auto& Row : Rows)
        for (const TDevices Devices : {TDevices::Refuse, TDevices::WriteDirectly})
        {
            const QString Target = Path(QString::fromLatin1(Row.Target));
            QDir(Dir.path()).removeRecursively();
            QDir().mkpath(Dir.path());
            if (!Row.Make(*this, Target))
            {
                std::cout << "[ SKIPPED  ] " << Row.Name << ": cannot be made here\n";
                continue;
            }
            SCOPED_TRACE(std::string(Row.Name) + (Devices == TDevices::Refuse ? ", document" : ", export"));
            EXPECT_EQ(TSavingFile::TargetKind(Target), Row.Kind);
            const TOutcome Expected = Devices == TDevices::Refuse ? Row.Document : Row.Export;
            const std::string Message = WriteMessage(Target, Devices);
            EXPECT_EQ(Message, Expected == Fails ? "Unable to write to " + Target.toStdString() : "");
            if (Expected == Written)
            {
                EXPECT_EQ(Contents(Target), New);
            }
            EXPECT_EQ(TSavingFile::TargetKind(Target), Expected == Written ? TTarget::File : Row.Kind)
                << "a device or folder was replaced";
            EXPECT_FALSE(QFile::exists(TSavingFile::TemporaryName(TSavingFile::FinalPath(Target))));
            if (!ReadOnly.isEmpty())
                ::umount(QFile::encodeName(ReadOnly).constData());
            ReadOnly.clear();
        }
}

// The last word before the rename belongs to whoever may stop the write (a time limit).
TEST_F(SavingFile, AWriteGivenUpAtTheLastMomentLeavesTheOldFileAndNoTemporary)
{
    const QString Target = Path(QStringLiteral("doc.out"));
    Put(Target, Old);
    TSavingFile::TOptions Options;
    Options.GiveUp = [] { return true; };
    EXPECT_THROW(TSavingFile::Write(Target, New, Options), EFileWriteError);
    EXPECT_EQ(Contents(Target), Old);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("doc.out")});
}
