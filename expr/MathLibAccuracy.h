#pragma once
// How far each function of the formula language may be from the true value, in units in the
// last place (ulp) of the result: |computed - true| <= UlpBound * ulp(true), where ulp(v) is
// 2^(e - 63) for the binade [2^e, 2^(e+1)) holding |v| (and the smallest subnormal's spacing
// below the normal range). The bounds hold at every argument where the function is defined;
// tests/expr check them against references computed outside the program. The help page, the
// Functions dialog and the interval enclosures of relations read them from here.
#include <iterator>
#include <string_view>

namespace MathLibAccuracy
{
struct TBound
{
    std::u16string_view Name; // as registered
    double UlpBound;
};

// In the registration order of the function library.
inline constexpr TBound Bounds[] = {
    {u"Sqrt", 0.5},    {u"Exp", 2},      {u"Ln", 2},        {u"Power", 2},   {u"Abs", 0},
    {u"LogBase10", 2}, {u"LogBase2", 2}, {u"LogBaseN", 2},  {u"ArcCos", 2},  {u"ArcCot", 2},
    {u"ArcCsc", 2},    {u"ArcSec", 2},   {u"ArcSin", 2},    {u"ArcTan", 2},  {u"ArcTan2", 2},
    {u"Cos", 2},       {u"Cot", 2},      {u"Coversine", 2}, {u"Csc", 2},     {u"Exsecans", 2},
    {u"Haversine", 2}, {u"Sec", 2},      {u"Sin", 2},       {u"Tan", 2},     {u"Versine", 2},
    {u"ArcCosH", 2},   {u"ArcCotH", 2},  {u"ArcCscH", 2},   {u"ArcSecH", 2}, {u"ArcSinH", 2},
    {u"ArcTanH", 2},   {u"CosH", 2},     {u"CotH", 2},      {u"CscH", 2},    {u"SecH", 2},
    {u"SinH", 2},      {u"TanH", 2},
};
static_assert(std::size(Bounds) == 37, "one row per function");

// The bound of the function registered as Name (exact spelling), or a negative number when
// there is no such function.
constexpr double UlpBound(std::u16string_view Name)
{
    for (const TBound& Row : Bounds)
        if (Row.Name == Name)
            return Row.UlpBound;
    return -1;
}
} // namespace MathLibAccuracy
