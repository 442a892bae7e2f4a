#pragma once
// The analysis's own errors, beside the evaluator's (expr/Errors.h), whose parse and
// conversion errors pass through unchanged: a formula that cannot be read cannot be
// analysed.
//
//   Exception
//   ├── EAnalysisError      the interval or the formula does not allow the analysis
//   └── EAnalysisCancelled  the caller's cancel flag was raised
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
} // namespace Msg

// The name the analysis knew its messages by.
namespace AnalysisMsg = Msg;

VENDREL_ERROR_CLASS(EAnalysisError, Exception)
VENDREL_ERROR_CLASS(EAnalysisCancelled, Exception)
