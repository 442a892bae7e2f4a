#pragma once
// The window's own messages, beside those of the layers below it (the Errors.h of expr/,
// plot/, analysis/ and export/), all in namespace Msg. Each is used from one place.
namespace Msg
{
// A bound typed or a view asked for whose maximum is not above its minimum.
inline constexpr const char* WrongRange =
    "You have set the wrong range! Max should be always greater than Min!";
// Help > Index when the help page is found nowhere.
inline constexpr const char* HelpMissing = "Failed to launch help.";
inline constexpr const char* NoPrinters = "No printers";
inline constexpr const char* CannotStartPrinting = "Unable to start printing";
// The analysis panel's questions that have no answer to compute.
inline constexpr const char* NoFormula = "The selected graph has no formula.";
inline constexpr const char* NoSecondGraph = "Add a second graph with a formula to intersect with.";
inline constexpr const char* NothingFound = "Nothing found in the interval.";
// The analysis panel's status while it computes, and once the user stopped it.
inline constexpr const char* Computing = "Computing...";
inline constexpr const char* Stopped = "Stopped.";
// Tools > Fit... without the two graphs a fit needs.
inline constexpr const char* FitNeedsPoints =
    "A fit needs a points graph: File > Import Data... reads a data file into one.";
inline constexpr const char* FitNeedsModel =
    "A fit needs a function graph y = f(x) whose formula reads a named parameter (Tools > Parameters...).";
} // namespace Msg
