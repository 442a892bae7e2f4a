#include "plot/TRegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
TRegularFile::TStatus StatusOf(const struct stat& Info, qint64 MaxSize)
{
    if (!S_ISREG(Info.st_mode))
        return TRegularFile::TStatus::NotRegular;
    if (Info.st_size > MaxSize)
        return TRegularFile::TStatus::TooLarge;
    return TRegularFile::TStatus::Read;
}

TRegularFile::TStatus StatusOfError(int Error)
{
    return (Error == ENOENT || Error == ENOTDIR) ? TRegularFile::TStatus::Missing
                                                 : TRegularFile::TStatus::Unreadable;
}

// Closes the descriptor on every path out of Read.
class TDescriptor
{
  public:
    explicit TDescriptor(int Fd) : Fd(Fd) {}
    ~TDescriptor()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Fd;
};
} // namespace

TRegularFile::TStatus TRegularFile::Check(const QString& Path, qint64 MaxSize)
{
    struct stat Info;
    if (Path.isEmpty())
        return TStatus::Missing;
    if (::stat(QFile::encodeName(Path).constData(), &Info) != 0)
        return StatusOfError(errno);
    return StatusOf(Info, MaxSize);
}

TRegularFile::TStatus TRegularFile::Read(const QString& Path, qint64 MaxSize, QByteArray& Bytes)
{
    Bytes.clear();
    // Looked at before opening: opening some devices has effects of its own.
    const TStatus Before = Check(Path, MaxSize);
    if (Before != TStatus::Read)
        return Before;
    const TDescriptor File(
        ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (File.Fd < 0)
        return StatusOfError(errno);
    struct stat Info;
    if (::fstat(File.Fd, &Info) != 0)
        return TStatus::Unreadable;
    const TStatus Opened = StatusOf(Info, MaxSize);
    if (Opened != TStatus::Read)
        return Opened;

    // The file may grow while it is read: one byte beyond the cap tells.
    QByteArray Buffer(qsizetype(Info.st_size) + 1, Qt::Uninitialized);
    qsizetype Filled = 0;
    for (;;)
    {
        if (Filled == Buffer.size())
        {
            if (Buffer.size() > MaxSize)
                return TStatus::TooLarge;
            Buffer.resize(std::min<qsizetype>(qsizetype(MaxSize) + 1, Buffer.size() * 2));
        }
        const ssize_t Got = ::read(File.Fd, Buffer.data() + Filled, size_t(Buffer.size() - Filled));
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            return TStatus::Unreadable;
        if (Got == 0)
            break;
        Filled += Got;
    }
    if (Filled > MaxSize)
        return TStatus::TooLarge;
    Buffer.truncate(Filled);
    Bytes = std::move(Buffer);
    return TStatus::Read;
}
