#pragma once
// What a formula can name, described for people: the 37 functions with their arguments, a
// one-line meaning, where they are defined and an example that can be typed as it stands; the
// operators by precedence; the constant; the variables and where each is known. The editor's
// completion and Help > Functions read it; the function library registers the same names in the
// same order (a test holds the two together), and each function's accuracy comes from
// MathLibAccuracy, never from a copy here.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace FunctionCatalog
{
struct TFunction
{
    std::u16string_view Name; // as registered
    int Arity;
    std::string_view Arguments; // "y, x"
    std::string_view Meaning;   // "angle of the point (x, y)"
    std::string_view Domain;    // where the function has a value
    std::string_view Example;   // a formula that parses as it stands
};

struct TOperator
{
    std::string_view Symbol;
    // 1 binds loosest (comparisons), 4 tightest (prefix operators); brackets bind tighter still.
    int Level;
    std::string_view Meaning;
    std::string_view Example;
};

// A constant or a variable.
struct TName
{
    std::u16string_view Name;
    std::string_view Meaning;
    std::string_view Example;
};

// In the registration order of the function library.
std::span<const TFunction> Functions();
// Lowest precedence first.
std::span<const TOperator> Operators();
std::span<const TName> Constants();
// x, t, s and y; which of them a formula knows depends on its field.
std::span<const TName> Variables();

// The function registered as Name, compared without regard to ASCII case; nullptr if none.
const TFunction* FindFunction(std::u16string_view Name);
// "ArcTan2(y, x)".
std::string Signature(const TFunction& Function);
// "ArcTan2(y, x): angle of the point (x, y)".
std::string Line(const TFunction& Function);
// The bound on the function's error in units in the last place (MathLibAccuracy).
double UlpBound(const TFunction& Function);
// "at most 2 ulp", "exact" or "correctly rounded" (half an ulp).
std::string AccuracyText(const TFunction& Function);

// One entry the editor offers for a typed prefix.
struct TCompletion
{
    std::u16string Name;
    std::u16string Insert; // what choosing it puts in place of the prefix: "Sin(" or "x"
    std::string Line;      // what the list shows: "Sin(x): sine of x (radians)", "x: the variable"
};

// The names of one formula field that begin with Prefix (ASCII case folded): the functions, the
// constant, then the field's own names (Variables as given, with their meaning from the
// catalogue, and the named parameters), each once, in that order.
std::vector<TCompletion> Completions(std::u16string_view Prefix, std::span<const std::u16string> Variables,
                                     std::span<const std::u16string> Parameters);
} // namespace FunctionCatalog
