#include "analysis/TRunningIntegral.h"

#include <boost/math/quadrature/gauss_kronrod.hpp>

#include <algorithm>
#include <cmath>
#include <exception>

namespace
{
// The integral over one stretch, or false where it ends there.
bool Stretch(const TRunningIntegral::TIntegrand& F, const TRunningIntegral::TIsUndefined& IsUndefined,
             Float80 From, Float80 To, Float80& Value, Float80& Estimate)
{
    if (From == To)
    {
        Value = Estimate = 0;
        return true;
    }
    try
    {
        using Rule = boost::math::quadrature::gauss_kronrod<Float80, 15>;
        Value = Rule::integrate(F, From, To, 8, Float80(1e-17), &Estimate);
    }
    catch (...)
    {
        if (IsUndefined(std::current_exception()))
            return false;
        throw;
    }
    // A pole shows as a value that is not finite or an estimate that is not small against it.
    return std::isfinite(Value) && std::isfinite(Estimate) &&
           Estimate <= Float80(1e-6) * (std::fabs(Value) + Float80(1e-30));
}
} // namespace

std::vector<TRunningIntegral::TValue> TRunningIntegral::Integrate(const TIntegrand& F,
                                                                  const TIsUndefined& IsUndefined, Float80 A,
                                                                  const std::vector<Float80>& X)
{
    std::vector<TValue> Out(X.size());
    if (X.empty() || !std::isfinite(A))
        return Out;
    // The first point at or past a, or the last one.
    size_t Near = size_t(std::lower_bound(X.begin(), X.end(), A) - X.begin());
    if (Near == X.size())
        --Near;
    Float80 v = 0, e = 0;
    if (!Stretch(F, IsUndefined, A, X[Near], v, e))
        return Out;
    Out[Near] = {true, v, e};
    for (size_t i = Near + 1; i < X.size(); ++i)
    {
        if (!Stretch(F, IsUndefined, X[i - 1], X[i], v, e))
            break;
        Out[i] = {true, Out[i - 1].Value + v, Out[i - 1].Estimate + e};
    }
    for (size_t i = Near; i-- > 0;)
    {
        if (!Stretch(F, IsUndefined, X[i + 1], X[i], v, e))
            break;
        Out[i] = {true, Out[i + 1].Value + v, Out[i + 1].Estimate + e};
    }
    return Out;
}
