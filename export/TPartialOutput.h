#pragma once
// What an export has begun on disk and not yet put in place (a temporary file or folder beside
// the target), for one who must stop the export from another thread: a time limit that ends the
// process while the writer still runs would otherwise leave it behind.
//
// A writer takes every step that creates, fills, renames or removes such a file through Step,
// and names the temporaries it leaves between steps with Hold (Release once they are gone or in
// place). Abandon waits for the step under way, removes every temporary still held, and lets no
// later step begin: each fails with "cannot write". A step is a write to a regular file, which
// does not wait for anyone; a write into a pipe or a device, which may wait for its reader,
// is never taken as a step (it leaves no temporary to remove). Thread-safe.
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>

class TPartialOutput
{
  public:
    // Runs Work unless abandoned; throws EExportError("cannot write Target") once abandoned.
    // With no TPartialOutput (null) Work simply runs.
    static void Step(TPartialOutput* Output, const QString& Target, const std::function<void()>& Work);

    // Within a step only: Path (a file or a folder) is removed by Abandon until released.
    void Hold(const QString& Path) { Held << Path; }
    void Release(const QString& Path) { Held.removeAll(Path); }

    // Removes what is held and stops every later step; returns once no step runs.
    void Abandon();
    // True once Abandon is called, even while it waits for the step under way: a step about
    // to put a file in place checks it last and gives up instead.
    static bool Abandoning(const TPartialOutput* Output) { return Output && Output->Stopping; }

  private:
    std::atomic<bool> Stopping{false};
    std::mutex Lock;
    bool Abandoned = false;
    QStringList Held;
};
