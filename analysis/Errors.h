#pragma once
// The analysis's own errors, beside the evaluator's (expr/Errors.h), whose parse and
// conversion errors pass through unchanged: a formula that cannot be read cannot be
// analysed.
//
//   Exception
//   ├── EAnalysisError      the interval or the formula does not allow the analysis
//   ├── EAnalysisCancelled  the caller's cancel flag was raised
//   ├── EDataFileError      a data file cannot be read as a table of numbers
//   └── EFitError           a fit cannot start (nothing to vary, too few points)
#include "expr/Errors.h"

// The layer's messages join the evaluator's in namespace Msg.
namespace Msg
{
inline constexpr std::string_view NotFinite = "The interval's ends must be finite numbers";
inline constexpr std::string_view Reversed = "The interval's start must not lie after its end";
inline constexpr std::string_view Empty = "The interval is a single point: give a start below its end";
inline constexpr std::string_view TooWide = "The interval is wider than 1E18: choose a narrower one";
inline constexpr std::string_view UndefinedEverywhere =
    "The formula is undefined at every sample of the interval (%s)";
inline constexpr std::string_view Cancelled = "The analysis was cancelled";
inline constexpr std::string_view AreaOverflow = "The area is beyond the largest number";
// Notes that go with a result.
inline constexpr std::string_view MoreResults = "More exist beyond the first %s listed";
inline constexpr std::string_view ZeroRun = "The formula is 0 on the whole stretch from %s";
inline constexpr std::string_view LargeErrorEstimate =
    "The error estimate is large: the area may not exist (a pole inside the interval?)";
inline constexpr std::string_view AreaUndefinedAt = "The formula is undefined at x = %s inside the interval";
// Data files (TDelimitedText, TDataTable).
inline constexpr std::string_view DataUnreadable = "Cannot read %s";
inline constexpr std::string_view DataFileTooLarge = "Cannot read %s: a data file is at most 256 MiB";
inline constexpr std::string_view DataNotText = "The data is not text: line %s holds a zero byte";
inline constexpr std::string_view DataLineTooLong = "Line %s is longer than 1048576 bytes";
inline constexpr std::string_view DataTooManyColumns = "Line %s has more than 10000 columns";
inline constexpr std::string_view DataOpenQuote = "Line %s: a quoted field is not closed";
inline constexpr std::string_view DataBadField = "Line %s: '%s' is not a number";
inline constexpr std::string_view DataNoColumn = "Line %s has no column %s";
inline constexpr std::string_view DataTooManyPoints = "The data holds more than 1000000 points";
inline constexpr std::string_view DataNoPoints = "The data holds no point with both values";
// Fits (TLeastSquaresFit).
inline constexpr std::string_view FitNothingToVary = "Choose at least one parameter to vary";
inline constexpr std::string_view FitUnknownParameter = "'%s' is not a parameter of the model";
inline constexpr std::string_view FitTooFewPoints = "The fit needs more data points than parameters to vary";
inline constexpr std::string_view FitIterationLimit = "The fit did not converge within %s iterations";
inline constexpr std::string_view FitSingular =
    "The parameters cannot be told apart by the data: the Jacobian is singular";
inline constexpr std::string_view FitUndefinedAt = "The model is undefined at the point of line %s: %s";
} // namespace Msg

VENDREL_ERROR_CLASS(EAnalysisError, Exception)
VENDREL_ERROR_CLASS(EAnalysisCancelled, Exception)
VENDREL_ERROR_CLASS(EDataFileError, Exception)
VENDREL_ERROR_CLASS(EFitError, Exception)
