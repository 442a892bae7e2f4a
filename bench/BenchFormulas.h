#pragma once
// The five formulas F1 .. F5 of the evaluation benches, as the program reads them.
#include <array>

namespace BenchFormulas
{
inline constexpr std::array<const char16_t*, 5> Formulas = {
    u"Sin(x*0.05)",
    u"x*x-3*x+2",
    u"Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)",
    u"1/x",
    u"Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2",
};
} // namespace BenchFormulas
