#pragma once
// Errors of the export writers. A writer that fails leaves the file or folder that was
// there before as it was, and no partial file beside it.
#include "expr/Errors.h"

#include <QSize>
#include <QString>

// A picture or animation that cannot be written, or an animation that cannot be made
// from the times given.
VENDREL_ERROR_CLASS(EExportError, Exception)

// The layer's messages join the evaluator's and the plot's in namespace Msg.
namespace Msg
{
inline QString CannotWrite(const QString& Path)
{
    return QStringLiteral("cannot write %1").arg(Path);
}
// The encoder refused the pictures: nothing is wrong with the disk.
inline QString CannotEncode(const QString& Path, const QString& Reason)
{
    return QStringLiteral("cannot encode %1: %2").arg(Path, Reason);
}
inline QString TooLargeFor(QSize Size, const QString& Format, int MaxSide)
{
    return QStringLiteral("a picture of %1x%2 is too large for %3: each side at most %4")
        .arg(Size.width())
        .arg(Size.height())
        .arg(Format)
        .arg(MaxSide);
}
inline constexpr const char* ZeroStep = "the time step must not be 0";
inline constexpr const char* WrongSign = "the time step must lead from the start time to the end time";
inline constexpr const char* TooManyFrames = "an animation has at most 10000 frames";
inline constexpr const char* FolderNotEmpty = "%1 holds other files than frames";
} // namespace Msg

[[noreturn]] inline void ThrowExport(const QString& Message)
{
    throw EExportError(Message.toStdString());
}
