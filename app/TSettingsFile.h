#pragma once
// The per-user settings store, opened only where that is safe. The store's file is read at
// start and replaced at exit; a file that is not a regular one (a pipe would block the start,
// and a link to /dev/null, a common way to keep a program from remembering, would have the
// device replaced by a file) or that is far larger than the store can grow is left untouched:
// the program then keeps its settings in a scratch store for this run only, and says so once.
#include <QString>

#include <memory>

class QSettings;
class QTemporaryDir;
class QTextStream;

class TSettingsFile
{
  public:
    // Ten paths of at most 4096 bytes and a switch: a megabyte is ample.
    static constexpr qint64 MaxSize = qint64(1) << 20;

    // The file of the "Halvorn"/"Vendrel" store, as QSettings places it for this user.
    static QString DefaultPath();

    // Opens the store at Path, or a scratch store with a warning on Warnings.
    TSettingsFile(const QString& Path, QTextStream& Warnings);
    ~TSettingsFile();
    TSettingsFile(const TSettingsFile&) = delete;
    TSettingsFile& operator=(const TSettingsFile&) = delete;

    QSettings& Store() { return *Settings; }
    // Whether the settings are those of Path (false: the scratch store).
    bool Persistent() const { return !Scratch; }

  private:
    std::unique_ptr<QTemporaryDir> Scratch;
    std::unique_ptr<QSettings> Settings;
};
