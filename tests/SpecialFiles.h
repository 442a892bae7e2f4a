#pragma once
// Files that are not regular files, made privately for a test: named pipes and device nodes in
// the test's own temporary folder (tests run as root; without the right they skip). Nothing
// here touches the machine's own /dev entries.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace SpecialFiles
{
// Linux's memory devices by their numbers: a private node behaves as the machine's entry.
enum class TDevice
{
    Null = 3,
    Zero = 5,
    Full = 7,
    Urandom = 9
};

// A character device node at Path; false when this process may not make one.
inline bool MakeDevice(const QString& Path, TDevice Which)
{
    return ::mknod(QFile::encodeName(Path).constData(), S_IFCHR | 0666, makedev(1, unsigned(Which))) == 0;
}

inline bool MakeFifo(const QString& Path)
{
    return ::mkfifo(QFile::encodeName(Path).constData(), 0666) == 0;
}

inline bool IsCharDevice(const QString& Path)
{
    struct stat Info;
    return ::lstat(QFile::encodeName(Path).constData(), &Info) == 0 && S_ISCHR(Info.st_mode);
}

inline bool IsFifo(const QString& Path)
{
    struct stat Info;
    return ::lstat(QFile::encodeName(Path).constData(), &Info) == 0 && S_ISFIFO(Info.st_mode);
}

// Watches a named pipe while the code under test runs: every few milliseconds it tries to open
// the pipe for writing without blocking, which succeeds only while someone has it open for
// reading. A reader that opened it is thereby seen, and released at once (the writer closes,
// the reader sees the end of the file), so a test of code that wrongly reads the pipe fails
// instead of hanging the suite.
class TFifoWatch
{
  public:
    explicit TFifoWatch(const QString& Path) : Name(QFile::encodeName(Path)), Watcher([this] { Watch(); }) {}
    ~TFifoWatch()
    {
        Stop = true;
        Watcher.join();
    }
    TFifoWatch(const TFifoWatch&) = delete;
    TFifoWatch& operator=(const TFifoWatch&) = delete;

    // Whether anyone opened the pipe for reading while watched.
    bool ReaderSeen() const { return Seen; }

  private:
    void Watch()
    {
        while (!Stop)
        {
            const int Fd = ::open(Name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (Fd >= 0)
            {
                Seen = true;
                ::close(Fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    QByteArray Name;
    std::atomic<bool> Stop{false};
    std::atomic<bool> Seen{false};
    std::thread Watcher;
};
// While it lives, no file of this process may grow past Bytes: writes beyond that fail as
// they do on a full disk (with the signal that would end the process ignored).
class TFileSizeLimit
{
  public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        getrlimit(RLIMIT_FSIZE, &Saved);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limited = Saved;
        Limited.rlim_cur = Bytes;
        Active = setrlimit(RLIMIT_FSIZE, &Limited) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }
    bool Active = false;

  private:
    rlimit Saved{};
    void (*OldHandler)(int) = nullptr;
};
} // namespace SpecialFiles
