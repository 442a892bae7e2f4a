#pragma once
// How far each function of the formula language may be from the true value, in units in the
// last place (ulp) of the result: |computed - true| <= UlpBound * ulp(true), where ulp(v) is
// 2^(e - 63) for the binade [2^e, 2^(e+1)) holding |v| (and the smallest subnormal's spacing
// below the normal range). The bounds hold at every argument where the function is defined;
// tests/expr check them against references computed outside the program. Each is the largest
// error measured there and over four wider random runs of the same generator, plus a twentieth,
// rounded up to a half unit (Sqrt is rounded correctly by the processor, Abs is exact). The help page, the
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
    {u"Sqrt", 0.5},      {u"Exp", 1},       {u"Ln", 1},        {u"Power", 1},     {u"Abs", 0},
    {u"LogBase10", 1.5}, {u"LogBase2", 1},  {u"LogBaseN", 2},  {u"ArcCos", 1},    {u"ArcCot", 1},
    {u"ArcCsc", 1.5},    {u"ArcSec", 1},    {u"ArcSin", 1},    {u"ArcTan", 1},    {u"ArcTan2", 1},
    {u"Cos", 1},         {u"Cot", 1},       {u"Coversine", 1}, {u"Csc", 1},       {u"Exsecans", 1},
    {u"Haversine", 1},   {u"Sec", 1},       {u"Sin", 1},       {u"Tan", 1},       {u"Versine", 1},
    {u"ArcCosH", 1.5},   {u"ArcCotH", 1.5}, {u"ArcCscH", 1.5}, {u"ArcSecH", 1.5}, {u"ArcSinH", 1.5},
    {u"ArcTanH", 1.5},   {u"CosH", 1},      {u"CotH", 1},      {u"CscH", 2},      {u"SecH", 1.5},
    {u"SinH", 2},        {u"TanH", 1},
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
