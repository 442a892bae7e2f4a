// The narrowing of a change of sign that the root finder and the critical-point finder share:
// it must end on two neighbouring long doubles around the zero, one of them the long double
// nearest to it, or on a long double where the function's own rounding gives 0. References: mpmath 1.3.0 at
// 40 digits (sqrt(2); pi/2; ln 10; the real root of x^3 - x - 1; the root of exp(-x) - x), read here as the
// nearest long double.
#include "analysis/SignChange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

namespace
{
struct TUndefined
{
};

TEST(NarrowSignChange, EndsOnTheNeighboursAroundTheZero)
{
    const Float80 Third = 1.0L / 3;
    const struct
    {
        const char* Name;
        std::function<Float80(Float80)> G;
        Float80 Lo, Hi;
        const char* Root;
    } Rows[] = {
        {"a square root", [](Float80 x) { return x * x - 2; }, 1, 2,
         "1.41421356237309504880168872420969807857"},
        {"a falling function", [](Float80 x) { return std::cos(x); }, 1, 2,
         "1.570796326794896619231321691639751442099"},
        {"a logarithm", [](Float80 x) { return std::exp(x) - 10; }, 2, 3,
         "2.302585092994045684017991454684364207601"},
        {"a cubic", [](Float80 x) { return x * x * x - x - 1; }, 1, 2,
         "1.324717957244746025960908854478097340734"},
        {"a fixed point", [](Float80 x) { return std::exp(-x) - x; }, 0, 1,
         "0.5671432904097838729999686622103555497538"},
        // No zero at all, only a jump of the sign at a long double: the solver cannot converge on
        // the values, and the bisection alone ends on the jump.
        {"a jump", [Third](Float80 x) { return x < Third ? Float80(-1) : Float80(1); }, 0, 1, nullptr},
    };
    for (const auto& r : Rows)
    {
        const TSignBracket B = NarrowSignChange(r.G, {r.Lo, r.Hi, r.G(r.Lo), r.G(r.Hi)});
        const Float80 Nearest = r.Root ? std::strtold(r.Root, nullptr) : Third;
        if (B.GLo == 0 || B.GHi == 0)
        {
            // The formula's own rounding gives 0 at a long double: at the nearest one or beside it.
            const Float80 Zero = B.GLo == 0 ? B.Lo : B.Hi;
            EXPECT_TRUE(Zero == Nearest || std::nextafter(Zero, Nearest) == Nearest) << r.Name;
            continue;
        }
        EXPECT_EQ(std::nextafter(B.Lo, Float80(INFINITY)), B.Hi) << r.Name;
        EXPECT_LT(SignOf(B.GLo) * SignOf(B.GHi), 0) << r.Name;
        EXPECT_TRUE(B.Lo == Nearest || B.Hi == Nearest) << r.Name;
    }
}

TEST(NarrowSignChange, PassesTheCallersSignalThrough)
{
    // Undefined beyond 1.5: the caller learns where, rather than a bracket that skips it.
    const auto G = [](Float80 x)
    {
        if (x > 1.5L)
            throw TUndefined{};
        return x - 1.75L;
    };
    EXPECT_THROW(NarrowSignChange(G, {1, 2, G(1), -G(1)}), TUndefined);
}
} // namespace
