#include "analysis/SignChange.h"

#include "expr/Errors.h"

#include <boost/math/tools/toms748_solve.hpp>

TSignBracket NarrowSignChange(const std::function<Float80(Float80)>& G, const TSignBracket& Start)
{
    TSignBracket B = Start;
    try
    {
        std::uintmax_t Iterations = 100;
        const auto Bracket =
            boost::math::tools::toms748_solve(G, Start.Lo, Start.Hi, Start.GLo, Start.GHi,
                                              boost::math::tools::eps_tolerance<Float80>(), Iterations);
        B.Lo = Bracket.first;
        B.Hi = Bracket.second;
        B.GLo = G(B.Lo);
        B.GHi = G(B.Hi);
    }
    catch (const Exception&)
    {
        throw;
    }
    catch (const std::exception&)
    {
        // The solver's own complaint: the bisection below finds the zero alone.
        B = Start;
    }
    // The solver stops within a few units in the last place: bisect to neighbours.
    while (SignOf(B.GLo) * SignOf(B.GHi) < 0)
    {
        const Float80 Mid = B.Lo + (B.Hi - B.Lo) / 2;
        if (Mid == B.Lo || Mid == B.Hi)
            break;
        const Float80 GMid = G(Mid);
        const bool LikeLo = SignOf(GMid) == SignOf(B.GLo);
        (LikeLo ? B.Lo : B.Hi) = Mid;
        (LikeLo ? B.GLo : B.GHi) = GMid;
    }
    return B;
}
