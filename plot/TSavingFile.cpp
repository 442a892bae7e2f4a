#include "plot/TSavingFile.h"

#include "plot/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
// Another save of the same document is given this long to finish before this one gives up.
constexpr auto LockWait = std::chrono::seconds(5);
constexpr auto LockRetry = std::chrono::milliseconds(10);

[[noreturn]] void Fail(const QString& Path)
{
    throw EFileWriteError(Msg::Format(Msg::UnableToWrite, Path.toStdString()));
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAll(int Fd, const QByteArray& Bytes)
{
    qsizetype Done = 0;
    while (Done < Bytes.size())
    {
        const ssize_t Wrote = ::write(Fd, Bytes.constData() + Done, size_t(Bytes.size() - Done));
        if (Wrote < 0 && errno == EINTR)
            continue;
        if (Wrote <= 0)
            return false;
        Done += Wrote;
    }
    return true;
}

// A pipe opened for writing the usual way waits until someone opens it for reading, for ever if
// nobody does: it is opened without waiting (no reader: a failure), and waits only in the writes
// that follow, for a reader that is there but slow.
bool WriteToDevice(const QByteArray& Name, const QByteArray& Bytes)
{
    const int Fd = ::open(Name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0)
        return false;
    const int Flags = ::fcntl(Fd, F_GETFL);
    const bool Written = Flags >= 0 && ::fcntl(Fd, F_SETFL, Flags & ~O_NONBLOCK) == 0 && WriteAll(Fd, Bytes);
    return ::close(Fd) == 0 && Written;
}

// Opens and locks the temporary, creating it or taking over one a killed save left. Returns the
// descriptor, or -1. The name is checked again once locked: the save that held the lock may have
// renamed that very file over the document in the meantime.
int OpenLocked(const QByteArray& Name)
{
    const auto GiveUp = std::chrono::steady_clock::now() + LockWait;
    for (;;)
    {
        // Not blocking and not following a link: a pipe or a link put under this name is refused.
        const int Fd =
            ::open(Name.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (Fd < 0)
            return -1;
        struct stat Opened, Named;
        if (::fstat(Fd, &Opened) != 0 || !S_ISREG(Opened.st_mode))
        {
            ::close(Fd);
            return -1;
        }
        if (::flock(Fd, LOCK_EX | LOCK_NB) == 0)
        {
            if (::lstat(Name.constData(), &Named) == 0 && SameFile(Opened, Named))
                return Fd;
        }
        else if (errno != EWOULDBLOCK)
        {
            ::close(Fd);
            return -1;
        }
        ::close(Fd);
        if (std::chrono::steady_clock::now() > GiveUp)
            return -1;
        std::this_thread::sleep_for(LockRetry);
    }
}
} // namespace

QString TSavingFile::FinalPath(const QString& Path)
{
    QString Final = Path;
    // A chain of links ends somewhere within a few steps; a loop is left to fail on writing.
    for (int Step = 0; Step < 40; ++Step)
    {
        const QFileInfo Info(Final);
        if (!Info.isSymLink())
            break;
        Final = Info.symLinkTarget();
    }
    return Final;
}

TSavingFile::TTarget TSavingFile::TargetKind(const QString& Path)
{
    struct stat Info;
    if (Path.isEmpty() || ::stat(QFile::encodeName(Path).constData(), &Info) != 0)
        return TTarget::None;
    if (S_ISREG(Info.st_mode))
        return TTarget::File;
    return S_ISDIR(Info.st_mode) ? TTarget::Folder : TTarget::Device;
}

void TSavingFile::Write(const QString& Path, const QByteArray& Bytes, const TOptions& Options)
{
    switch (TargetKind(Path))
    {
    case TTarget::Folder:
        Fail(Path);
    case TTarget::Device:
        if (Options.Devices == TDevices::Refuse || !WriteToDevice(QFile::encodeName(Path), Bytes))
            Fail(Path);
        return;
    default:
        break;
    }
    const QString Final = FinalPath(Path);
    const QByteArray FinalName = QFile::encodeName(Final);
    // Looked at once more where the links lead: the target may have changed since.
    struct stat Old;
    const bool HasOld = ::lstat(FinalName.constData(), &Old) == 0;
    if (HasOld && !S_ISREG(Old.st_mode))
        Fail(Path);

    const QByteArray TempName = QFile::encodeName(TemporaryName(Final));
    const int Fd = OpenLocked(TempName);
    if (Fd < 0)
        Fail(Path);
    // The old file's permissions carry over to the new one, as an edit in place would keep them.
    const bool Written = ::ftruncate(Fd, 0) == 0 && WriteAll(Fd, Bytes) &&
                         (!HasOld || ::fchmod(Fd, Old.st_mode & 07777) == 0) && ::fsync(Fd) == 0 &&
                         !(Options.GiveUp && Options.GiveUp()) &&
                         ::rename(TempName.constData(), FinalName.constData()) == 0;
    if (!Written)
        ::unlink(TempName.constData());
    ::close(Fd);
    if (!Written)
        Fail(Path);
}
