#pragma once
// Replacing a file's contents whole or not at all: the one writer of document saves, exported
// pictures and Print to PDF. The new contents go into "<name>.saving" beside the file, are
// flushed to the disk and renamed over it: a failed write leaves the old file as it was, and a
// write killed before its rename leaves the whole new contents under a name the user
// recognises. That name is held under an exclusive lock while it is written, so two writes of
// one file take turns, and the next write takes over (and so removes) a temporary that a killed
// one left behind.
//
// A link is followed, as the file it leads to is the one meant; the link stays. What the target
// is, links followed, is told by TargetKind alone: nothing there yet, a regular file, a folder,
// or a device (anything else: a character or block device, a pipe, a socket). A folder is never
// written. A device is never replaced: a document save refuses it, an export writes into it
// directly (/dev/stdout, a pipe a viewer reads), opened without waiting for a reader, so a pipe
// nobody reads fails at once; a write it does not take whole fails.
//
// Every failure throws EFileWriteError("Unable to write to <Path>"), Path as given; the front
// ends that speak of it in words of their own catch it once.
#include <QByteArray>
#include <QString>

#include <functional>

class TSavingFile
{
  public:
    enum class TTarget
    {
        None,   // nothing of that name (or a link leading nowhere): the write creates it
        File,   // a regular file: replaced whole
        Folder, // never written
        Device, // not a regular file nor a folder: never replaced
    };
    enum class TDevices
    {
        Refuse,        // a document is a file: a device is no place for one
        WriteDirectly, // an export goes where it is sent
    };
    struct TOptions
    {
        TDevices Devices = TDevices::Refuse;
        // Asked once more just before the rename; true gives the write up and leaves nothing.
        std::function<bool()> GiveUp;
    };

    static QString TemporaryName(const QString& FinalPath) { return FinalPath + QStringLiteral(".saving"); }
    // The file a write of Path writes: Path itself, or where its links lead.
    static QString FinalPath(const QString& Path);
    static TTarget TargetKind(const QString& Path);
    static void Write(const QString& Path, const QByteArray& Bytes, const TOptions& Options);
    // A document's save: a device is refused.
    static void Write(const QString& Path, const QByteArray& Bytes) { Write(Path, Bytes, TOptions()); }
};
