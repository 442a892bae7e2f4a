#pragma once
// Errors of the plot layer. They join the evaluator's hierarchy under its common base, so the
// application's error report shows them like any other error.
//
//   Exception
//   ├── EFileWriteError     a file could not be written whole (missing folder, a parent that is
//   │                       a file, read-only folder, full disk, a device refused or not taking
//   │                       the bytes); the old file is left as it was
//   ├── EFileReadError      a document file exists but is not read: no regular file (a device, a
//   │                       pipe), larger than a document can be, or unreadable
//   ├── EViewRangeError     a view puts an axis so far outside the picture that its pixel
//   │                       position does not fit 32 bits (rather than letting it wrap around)
//   └── EParameterError     a parameter's name is refused, or --set names no parameter
#include "expr/Errors.h"

namespace Msg
{
inline constexpr std::string_view UnableToWrite = "Unable to write to %s";
inline constexpr std::string_view NotARegularFile = "Cannot open %s: it is not a regular file";
inline constexpr std::string_view DocumentTooLarge = "Cannot open %s: a document is at most 32 MiB";
inline constexpr std::string_view UnableToRead = "Cannot read %s";
// An allocation failed (std::bad_alloc): the operation is abandoned, the program goes on.
inline constexpr std::string_view OutOfMemory = "Not enough memory to complete the operation";
inline constexpr std::string_view ViewOutOfRange = "The view is out of range";
inline constexpr std::string_view LogAxisNotPositive = "A logarithmic axis needs bounds greater than 0";
} // namespace Msg

VENDREL_ERROR_CLASS(EFileWriteError, Exception)
VENDREL_ERROR_CLASS(EFileReadError, Exception)
VENDREL_ERROR_CLASS(EViewRangeError, Exception)
VENDREL_ERROR_CLASS(EParameterError, Exception)
