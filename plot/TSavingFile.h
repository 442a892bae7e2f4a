#pragma once
// Replacing a file's contents so that nobody ever sees half of them. The new contents go into
// "<name>.saving" beside the file, which is then renamed over it: a failed write leaves the old
// file as it was, and a save killed before its rename leaves the whole new document under a
// name the user recognises. That name is held under an exclusive lock while it is written, so
// two saves of one document take turns, and the next save of the document takes over (and so
// removes) a temporary that a killed save left behind.
//
// A link is followed, as the file it leads to is the document; the link stays. Anything that is
// not a regular file (a device, a pipe, a folder, or a link to one) is never replaced.
#include <QByteArray>
#include <QString>

class TSavingFile
{
  public:
    static QString TemporaryName(const QString& FinalPath) { return FinalPath + QStringLiteral(".saving"); }
    // The file a save of Path writes: Path itself, or where its links lead.
    static QString FinalPath(const QString& Path);
    // Throws EFileWriteError ("Unable to write to <Path>") on every failure.
    static void Write(const QString& Path, const QByteArray& Bytes);
};
