// Every message constant against its literal text: the texts are part of what the user sees and
// what scripts read, so a change to any of them must fail here first.
#include "analysis/Errors.h"
#include "plot/Errors.h"

#include <gtest/gtest.h>

#include <string_view>

TEST(Messages, EveryConstantHoldsItsExactText)
{
    const struct
    {
        const char* Name;
        std::string_view Constant;
        std::string_view Text;
    } Rows[] = {
        {"ParenExpected", Msg::ParenExpected, "Parse error: ')' expected"},
        {"FactorExpected", Msg::FactorExpected, "Parse error: Factor expected"},
        {"UnknownSymbol", Msg::UnknownSymbol, "Parse error: Unknown symbol: '%s'"},
        {"FirstParameterExpected", Msg::FirstParameterExpected,
         "Parse error: '(' and function's first parameter expected"},
        {"NextParameterExpected", Msg::NextParameterExpected,
         "Parse error: ',' and another parameter expected"},
        {"CloseParametersExpected", Msg::CloseParametersExpected,
         "Parse error: ')' to close function's parameters expected"},
        {"NestingTooDeep", Msg::NestingTooDeep, "Parse error: Expression nested too deeply"},
        {"InvalidFloat", Msg::InvalidFloat, "'%s' is not a valid floating point value"},
        {"DomainCheck", Msg::DomainCheck, "Domain check failure in MathLib"},
        {"ZeroDivide", Msg::ZeroDivide, "Floating point division by zero"},
        {"InvalidOp", Msg::InvalidOp, "Invalid floating point operation"},
        {"Overflow", Msg::Overflow, "Floating point overflow"},
        {"DivByZero", Msg::DivByZero, "Division by zero"},
        {"DuplicateEntry", Msg::DuplicateEntry, "Duplicate hash list entry: %s"},
        {"NoDerivative", Msg::NoDerivative, "The formula calls a function whose derivative is unknown"},
        {"UnableToWrite", Msg::UnableToWrite, "Unable to write to %s"},
        {"ViewOutOfRange", Msg::ViewOutOfRange, "The view is out of range"},
        {"NotARegularFile", Msg::NotARegularFile, "Cannot open %s: it is not a regular file"},
        {"DocumentTooLarge", Msg::DocumentTooLarge, "Cannot open %s: a document is at most 64 MiB"},
        {"DocumentTooLargeToSave", Msg::DocumentTooLargeToSave,
         "Unable to write to %s: a document is at most 64 MiB"},
        {"UnableToRead", Msg::UnableToRead, "Cannot read %s"},
        {"OutOfMemory", Msg::OutOfMemory, "Not enough memory to complete the operation"},
        {"NotFinite", Msg::NotFinite, "The interval's ends must be finite numbers"},
        {"Reversed", Msg::Reversed, "The interval's start must not lie after its end"},
        {"Empty", Msg::Empty, "The interval is a single point: give a start below its end"},
        {"TooWide", Msg::TooWide, "The interval is wider than 1E18: choose a narrower one"},
        {"UndefinedEverywhere", Msg::UndefinedEverywhere,
         "The formula is undefined at every sample of the interval (%s)"},
        {"Cancelled", Msg::Cancelled, "The analysis was cancelled"},
        {"AreaOverflow", Msg::AreaOverflow, "The area is beyond the largest number"},
        {"MoreResults", Msg::MoreResults, "More exist beyond the first %s listed"},
        {"ZeroRun", Msg::ZeroRun, "The formula is 0 on the whole stretch from %s"},
        {"LargeErrorEstimate", Msg::LargeErrorEstimate,
         "The error estimate is large: the area may not exist (a pole inside the interval?)"},
        {"AreaUndefinedAt", Msg::AreaUndefinedAt, "The formula is undefined at x = %s inside the interval"},
        {"ParameterNotAName", Msg::ParameterNotAName,
         "'%s' is not a name: a parameter's name starts with a letter or '_' and goes on with letters, "
         "digits "
         "and '_'"},
        {"ParameterReserved", Msg::ParameterReserved,
         "'%s' cannot name a parameter: x, y, s, t and Pi have a meaning of their own in formulas"},
        {"ParameterIsFunction", Msg::ParameterIsFunction,
         "'%s' cannot name a parameter: it is the name of a function"},
        {"ParameterTaken", Msg::ParameterTaken,
         "'%s' cannot name a parameter: another parameter has that name"},
        {"DerivesFromItself", Msg::DerivesFromItself,
         "Graph %s derives from itself through a chain of derived graphs."},
        {"GraphHasNoFormula", Msg::GraphHasNoFormula, "Graph %s has no formula."},
        {"NotDerivable", Msg::NotDerivable,
         "Graph %s is no function y = f(x): only functions and graphs derived from them are derived."},
        {"NoSuchGraph", Msg::NoSuchGraph, "Graph %s does not exist."},
        {"IntegralOfIntegral", Msg::IntegralOfIntegral, "An integral of an integral is not drawn."},
        {"DerivativeOrder", Msg::DerivativeOrder, "A derivative is of order 1 or 2."},
        {"OrderBeyondTwo", Msg::OrderBeyondTwo, "Derivatives beyond the second order are not drawn."},
        {"UndefinedBetweenAAndX", Msg::UndefinedBetweenAAndX, "the graph is undefined between a and x"},
        {"CurveUndefinedOverS", Msg::CurveUndefinedOverS, "The curve is undefined from s = %s to %s."},
        {"SampledCurveAnalysis", Msg::SampledCurveAnalysis,
         "A parametric or polar curve is measured over s from S0 to S1: its arc length and, when it is "
         "closed, "
         "the area it encloses. Roots, extrema, intersections, values and areas under a graph are answered "
         "for "
         "functions and inverse graphs."},
        {"InverseAnalysis", Msg::InverseAnalysis,
         "Inverse graph x = g(y): the questions are asked of g over the view's y range; the x column holds y "
         "and the y column g(y)."},
        {"DerivedAnalysis", Msg::DerivedAnalysis,
         "A derived graph is analysed through the graph it comes from."},
        {"RelationAnalysis", Msg::RelationAnalysis,
         "A relation in x and y is drawn, not analysed: the Analyse panel answers for functions, inverse "
         "graphs and curves."},
        {"RelationLogAxis", Msg::RelationLogAxis, "A relation is drawn on linear axes only."},
        {"RelationNeedsParentheses", Msg::RelationNeedsParentheses,
         "and, or and xor bind tighter than comparisons: put each condition in parentheses, as in "
         "(x*x+y*y <= 4) and (y >= 0)."},
        {"NoPointsData", Msg::NoPointsData,
         "No data: File > Import Data... reads a data file into a points graph."},
        {"PointsCount", Msg::PointsCount, "%s points; rows skipped for a missing value: %s"},
        {"PointsAnalysis", Msg::PointsAnalysis,
         "A points graph is summed up whatever the question: its count, its mean point (the means of x and "
         "y) and its points of least and greatest x and y."},
        {"InputLineShape", Msg::InputLineShape, "Input line is not X<TAB>T<TAB>FORMULA"},
        {"DataUnreadable", Msg::DataUnreadable, "Cannot read %s"},
        {"DataFileTooLarge", Msg::DataFileTooLarge, "Cannot read %s: a data file is at most 256 MiB"},
        {"DataNotText", Msg::DataNotText, "The data is not text: line %s holds a zero byte"},
        {"DataLineTooLong", Msg::DataLineTooLong, "Line %s is longer than 1048576 bytes"},
        {"DataTooManyColumns", Msg::DataTooManyColumns, "Line %s has more than 10000 columns"},
        {"DataOpenQuote", Msg::DataOpenQuote, "Line %s: a quoted field is not closed"},
        {"DataBadField", Msg::DataBadField, "Line %s: '%s' is not a number"},
        {"DataNoColumn", Msg::DataNoColumn, "Line %s has no column %s"},
        {"DataTooManyPoints", Msg::DataTooManyPoints, "The data holds more than 1000000 points"},
        {"DataNoPoints", Msg::DataNoPoints, "The data holds no point with both values"},
        {"FitNothingToVary", Msg::FitNothingToVary, "Choose at least one parameter to vary"},
        {"FitUnknownParameter", Msg::FitUnknownParameter, "'%s' is not a parameter of the model"},
        {"FitTooFewPoints", Msg::FitTooFewPoints, "The fit needs more data points than parameters to vary"},
        {"FitIterationLimit", Msg::FitIterationLimit, "The fit did not converge within %s iterations"},
        {"FitSingular", Msg::FitSingular,
         "The parameters cannot be told apart by the data: the Jacobian is singular"},
        {"FitUndefinedAt", Msg::FitUndefinedAt, "The model is undefined at the point of line %s: %s"},
    };
    for (const auto& Row : Rows)
        EXPECT_EQ(Row.Constant, Row.Text) << Row.Name;
}

TEST(Messages, FormatFillsTheOnePlaceholder)
{
    EXPECT_EQ(Msg::Format(Msg::UnknownSymbol, "Sinn"), "Parse error: Unknown symbol: 'Sinn'");
    EXPECT_EQ(Msg::Format(Msg::UnableToWrite, "/tmp/a %s b.vdg"), "Unable to write to /tmp/a %s b.vdg");
    EXPECT_EQ(Msg::Format(Msg::Overflow, "ignored"), "Floating point overflow");
}

TEST(Messages, FormatFillsTwoPlaceholdersInOrderAndNotInsideTheFirstArgument)
{
    EXPECT_EQ(Msg::Format(Msg::CurveUndefinedOverS, "0", "6.28"),
              "The curve is undefined from s = 0 to 6.28.");
    EXPECT_EQ(Msg::Format(Msg::CurveUndefinedOverS, "%s", "1"), "The curve is undefined from s = %s to 1.");
    EXPECT_EQ(Msg::Format(Msg::UnableToWrite, "a", "b"), "Unable to write to a");
}
