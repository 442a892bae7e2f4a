#pragma once
// Reading a file that the user names, whatever it turns out to be. Only a regular file is read,
// and never more than a given number of bytes: a device (/dev/zero, /dev/urandom) would be read
// until memory runs out, and opening a named pipe blocks until a writer comes. The file is
// opened without blocking and checked again through the open descriptor, so a name that is
// swapped for a pipe between the check and the open is refused too.
#include <QByteArray>
#include <QString>

class TRegularFile
{
  public:
    enum class TStatus
    {
        Read,       // the bytes are read, the whole file
        Missing,    // nothing of that name (or a link that leads nowhere)
        NotRegular, // a device, pipe, socket or folder: left unopened
        TooLarge,   // a regular file of more bytes than allowed
        Unreadable  // exists, but opening or reading it failed
    };

    // What a read of Path would give, from the file's status alone (links followed); opens
    // nothing.
    static TStatus Check(const QString& Path, qint64 MaxSize);
    // Reads the whole regular file at Path into Bytes when it holds at most MaxSize bytes.
    // Bytes is left empty on every other outcome.
    static TStatus Read(const QString& Path, qint64 MaxSize, QByteArray& Bytes);
};
