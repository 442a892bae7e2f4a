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
inline constexpr std::string_view DocumentTooLarge = "Cannot open %s: a document is at most 64 MiB";
inline constexpr std::string_view DocumentTooLargeToSave =
    "Unable to write to %s: a document is at most 64 MiB";
inline constexpr std::string_view UnableToRead = "Cannot read %s";
// An allocation failed (std::bad_alloc): the operation is abandoned, the program goes on.
inline constexpr std::string_view OutOfMemory = "Not enough memory to complete the operation";
inline constexpr std::string_view ViewOutOfRange = "The view is out of range";
inline constexpr std::string_view LogAxisNotPositive = "A logarithmic axis needs bounds greater than 0";

// Why a derived graph draws nothing (the Graph panel shows it; the readout gives it as an error).
inline constexpr std::string_view DerivesFromItself =
    "Graph %s derives from itself through a chain of derived graphs.";
inline constexpr std::string_view GraphHasNoFormula = "Graph %s has no formula.";
inline constexpr std::string_view NotDerivable =
    "Graph %s is no function y = f(x): only functions and graphs derived from them are derived.";
inline constexpr std::string_view NoSuchGraph = "Graph %s does not exist.";
inline constexpr std::string_view IntegralOfIntegral = "An integral of an integral is not drawn.";
inline constexpr std::string_view DerivativeOrder = "A derivative is of order 1 or 2.";
inline constexpr std::string_view OrderBeyondTwo = "Derivatives beyond the second order are not drawn.";
// The readout of an integral where the graph integrated has a gap before x.
inline constexpr std::string_view UndefinedBetweenAAndX = "the graph is undefined between a and x";
// The readout of a parametric or polar curve without a point at any sample.
inline constexpr std::string_view CurveUndefinedOverS = "The curve is undefined from s = %s to %s.";
// How the Analyse panel answers for graphs that are not functions.
inline constexpr std::string_view SampledCurveAnalysis =
    "A parametric or polar curve is measured over s from S0 to S1: its arc length and, when it is closed, "
    "the area it encloses. Roots, extrema, intersections, values and areas under a graph are answered for "
    "functions and inverse graphs.";
inline constexpr std::string_view InverseAnalysis =
    "Inverse graph x = g(y): the questions are asked of g over the view's y range; the x column holds y "
    "and the y column g(y).";
inline constexpr std::string_view DerivedAnalysis =
    "A derived graph is analysed through the graph it comes from.";
// Relations in x and y: what the Analyse panel says of them, why one draws nothing on a
// logarithmic axis, and the hint under a combination of conditions written without parentheses.
inline constexpr std::string_view RelationAnalysis =
    "A relation in x and y is drawn, not analysed: the Analyse panel answers for functions, inverse graphs "
    "and curves.";
inline constexpr std::string_view RelationLogAxis = "A relation is drawn on linear axes only.";
inline constexpr std::string_view RelationNeedsParentheses =
    "and, or and xor bind tighter than comparisons: put each condition in parentheses, as in "
    "(x*x+y*y <= 4) and (y >= 0).";
// Points graphs: the Graph panel's line under the name, and how the Analyse panel answers.
inline constexpr std::string_view NoPointsData =
    "No data: File > Import Data... reads a data file into a points graph.";
inline constexpr std::string_view PointsCount = "%s points; rows skipped for a missing value: %s";
inline constexpr std::string_view PointsAnalysis =
    "A points graph is summed up whatever the question: its count, its mean point (the means of x and "
    "y) and its points of least and greatest x and y.";
} // namespace Msg

VENDREL_ERROR_CLASS(EFileWriteError, Exception)
VENDREL_ERROR_CLASS(EFileReadError, Exception)
VENDREL_ERROR_CLASS(EViewRangeError, Exception)
VENDREL_ERROR_CLASS(EParameterError, Exception)
