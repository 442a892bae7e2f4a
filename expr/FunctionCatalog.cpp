#include "expr/FunctionCatalog.h"

#include "expr/MathLibAccuracy.h"
#include "expr/TStringHashMapTraits.h"
#include "expr/Utf16.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace FunctionCatalog
{
namespace
{
// clang-format off
constexpr TFunction FunctionRows[] = {
    {u"Sqrt",      1, "x",    "square root",                          "x >= 0",                                 "Sqrt(x)"},
    {u"Exp",       1, "x",    "e to the power x",                     "every x up to about 11356.5",            "Exp(-x*x)"},
    {u"Ln",        1, "x",    "natural logarithm",                    "x > 0",                                  "Ln(x)"},
    {u"Power",     2, "b, n", "b to the power n, n an integer",       "n an integer, |n| < 2^31; b <> 0 when n < 0", "Power(x, 3)"},
    {u"Abs",       1, "x",    "absolute value",                       "every x",                                "Abs(x)"},
    {u"LogBase10", 1, "x",    "logarithm to base 10",                 "x > 0",                                  "LogBase10(x)"},
    {u"LogBase2",  1, "x",    "logarithm to base 2",                  "x > 0",                                  "LogBase2(x)"},
    {u"LogBaseN",  2, "b, x", "logarithm of x to base b",             "b > 0, b <> 1, x > 0",                   "LogBaseN(3, x)"},
    {u"ArcCos",    1, "x",    "angle whose cosine is x, 0 to Pi",     "-1 <= x <= 1",                           "ArcCos(x)"},
    {u"ArcCot",    1, "x",    "angle whose cotangent is x",           "x <> 0",                                 "ArcCot(x)"},
    {u"ArcCsc",    1, "x",    "angle whose cosecant is |x|, 0 to Pi/2", "|x| > 1",                              "ArcCsc(x)"},
    {u"ArcSec",    1, "x",    "angle whose secant is |x|, 0 to Pi/2", "|x| >= 1",                               "ArcSec(x)"},
    {u"ArcSin",    1, "x",    "angle whose sine is x, -Pi/2 to Pi/2", "-1 <= x <= 1",                           "ArcSin(x)"},
    {u"ArcTan",    1, "x",    "angle whose tangent is x",             "every x",                                "ArcTan(x)"},
    {u"ArcTan2",   2, "y, x", "angle of the point (x, y), -Pi to Pi", "every y and x",                          "ArcTan2(1, x)"},
    {u"Cos",       1, "x",    "cosine of x (radians)",                "|x| <= 2^63",                            "Cos(x)"},
    {u"Cot",       1, "x",    "cotangent of x",                       "|x| <= 2^63, Tan(x) <> 0",               "Cot(x)"},
    {u"Coversine", 1, "x",    "1 - Sin(x)",                           "|x| <= 2^63",                            "Coversine(x)"},
    {u"Csc",       1, "x",    "cosecant, 1/Sin(x)",                   "|x| <= 2^63, Sin(x) <> 0",               "Csc(x)"},
    {u"Exsecans",  1, "x",    "Sec(x) - 1",                           "|x| <= 2^63",                            "Exsecans(x)"},
    {u"Haversine", 1, "x",    "(1 - Cos(x))/2",                       "|x| <= 2^63",                            "Haversine(x)"},
    {u"Sec",       1, "x",    "secant, 1/Cos(x)",                     "|x| <= 2^63",                            "Sec(x)"},
    {u"Sin",       1, "x",    "sine of x (radians)",                  "|x| <= 2^63",                            "Sin(x)"},
    {u"Tan",       1, "x",    "tangent of x",                         "|x| <= 2^63",                            "Tan(x)"},
    {u"Versine",   1, "x",    "1 - Cos(x)",                           "|x| <= 2^63",                            "Versine(x)"},
    {u"ArcCosH",   1, "x",    "inverse hyperbolic cosine",            "x >= 1",                                 "ArcCosH(x)"},
    {u"ArcCotH",   1, "x",    "inverse hyperbolic cotangent",         "|x| > 1",                                "ArcCotH(x)"},
    {u"ArcCscH",   1, "x",    "inverse hyperbolic cosecant",          "x <> 0",                                 "ArcCscH(x)"},
    {u"ArcSecH",   1, "x",    "inverse hyperbolic secant",            "0 < x <= 1",                             "ArcSecH(x)"},
    {u"ArcSinH",   1, "x",    "inverse hyperbolic sine",              "every x",                                "ArcSinH(x)"},
    {u"ArcTanH",   1, "x",    "inverse hyperbolic tangent",           "|x| < 1",                                "ArcTanH(x)"},
    {u"CosH",      1, "x",    "hyperbolic cosine",                    "|x| up to about 11356.5",                "CosH(x)"},
    {u"CotH",      1, "x",    "hyperbolic cotangent",                 "x <> 0",                                 "CotH(x)"},
    {u"CscH",      1, "x",    "hyperbolic cosecant",                  "x <> 0, |x| up to about 11356.5",        "CscH(x)"},
    {u"SecH",      1, "x",    "hyperbolic secant",                    "|x| up to about 11356.5",                "SecH(x)"},
    {u"SinH",      1, "x",    "hyperbolic sine",                      "|x| up to about 11356.5",                "SinH(x)"},
    {u"TanH",      1, "x",    "hyperbolic tangent",                   "every x",                                "TanH(x)"},
};

constexpr TOperator OperatorRows[] = {
    {"=  <>  <  <=  >  >=", 1, "comparison: 1 when it holds, else 0",                          "x > 0"},
    {"cmp",                 1, "1, 0 or -1 as the left side is greater, equal or less",         "x cmp 0"},
    {"+  -",                2, "sum and difference",                                             "x + 1"},
    {"or  xor",             2, "1 when either side (xor: exactly one side) is not 0, else 0",     "(x < -1) or (x > 1)"},
    {"bor  bxor",           2, "bitwise or, exclusive or of the operands rounded to integers",   "x bor 1"},
    {"*  /",                3, "product and quotient",                                           "2*x/3"},
    {"div",                 3, "quotient of the operands rounded to integers (half to even), truncated toward 0", "x div 2"},
    {"mod",                 3, "remainder of that quotient, with the sign of the left side",     "x mod 3"},
    {"and",                 3, "both are not 0: 1, else 0",                                      "(x > 0) and (x < 1)"},
    {"shl  shr  band",      3, "shifts and bitwise and of the operands rounded to integers",     "1 shl 4"},
    {"+  -  not  bnot",     4, "sign, logical not (1 for 0, else 0), bitwise not",               "-x"},
};

constexpr TName ConstantRows[] = {
    {u"Pi", "3.14159265358979323873 (one unit in the last place above pi)", "2*Pi*x"},
};

constexpr TName VariableRows[] = {
    {u"x", "the variable of a function graph y = f(x)", "x"},
    {u"t", "the time, moved by the animation, in every formula", "Sin(x - t)"},
    {u"s", "the parameter of a parametric or polar curve", "Cos(s)"},
    {u"y", "the variable of an inverse graph x = g(y)", "y*y"},
};
// clang-format on
static_assert(std::size(FunctionRows) == 37, "one row per function of the library");

bool StartsWithFolded(std::u16string_view Name, std::u16string_view Prefix)
{
    return Name.size() >= Prefix.size() &&
           std::equal(Prefix.begin(), Prefix.end(), Name.begin(),
                      [](char16_t a, char16_t b) { return FoldAsciiCase(a) == FoldAsciiCase(b); });
}

bool EqualFolded(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && StartsWithFolded(a, b);
}

const TName* FindVariable(std::u16string_view Name)
{
    for (const TName& Row : VariableRows)
        if (EqualFolded(Row.Name, Name))
            return &Row;
    return nullptr;
}
} // namespace

std::span<const TFunction> Functions()
{
    return FunctionRows;
}
std::span<const TOperator> Operators()
{
    return OperatorRows;
}
std::span<const TName> Constants()
{
    return ConstantRows;
}
std::span<const TName> Variables()
{
    return VariableRows;
}

const TFunction* FindFunction(std::u16string_view Name)
{
    for (const TFunction& Row : FunctionRows)
        if (EqualFolded(Row.Name, Name))
            return &Row;
    return nullptr;
}

std::string Signature(const TFunction& Function)
{
    return ToUtf8(Function.Name) + "(" + std::string(Function.Arguments) + ")";
}

std::string Line(const TFunction& Function)
{
    return Signature(Function) + ": " + std::string(Function.Meaning);
}

double UlpBound(const TFunction& Function)
{
    return MathLibAccuracy::UlpBound(Function.Name);
}

std::string AccuracyText(const TFunction& Function)
{
    const double Bound = UlpBound(Function);
    if (Bound == 0)
        return "exact";
    if (Bound == 0.5)
        return "correctly rounded";
    char Text[48];
    std::snprintf(Text, sizeof Text, "within %g ulp", Bound);
    return Text;
}

std::vector<TCompletion> Completions(std::u16string_view Prefix, std::span<const std::u16string> Variables,
                                     std::span<const std::u16string> Parameters)
{
    std::vector<TCompletion> Found;
    auto Offer = [&](std::u16string_view Name, std::u16string Insert, std::string Line)
    {
        if (!StartsWithFolded(Name, Prefix))
            return;
        for (const TCompletion& Taken : Found)
            if (EqualFolded(Taken.Name, Name))
                return;
        Found.push_back({std::u16string(Name), std::move(Insert), std::move(Line)});
    };
    for (const TFunction& Row : FunctionRows)
        Offer(Row.Name, std::u16string(Row.Name) + u"(", Line(Row));
    for (const TName& Row : ConstantRows)
        Offer(Row.Name, std::u16string(Row.Name), ToUtf8(Row.Name) + ": " + std::string(Row.Meaning));
    for (const std::u16string& Name : Variables)
    {
        const TName* Known = FindVariable(Name);
        Offer(Name, Name,
              ToUtf8(Name) + ": " + (Known ? std::string(Known->Meaning) : std::string("a variable")));
    }
    for (const std::u16string& Name : Parameters)
        Offer(Name, Name, ToUtf8(Name) + ": a named parameter");
    return Found;
}
} // namespace FunctionCatalog
