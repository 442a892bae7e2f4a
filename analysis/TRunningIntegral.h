#pragma once
// The integral of a function from a fixed point a to each of an increasing row of points
// x0 < x1 < ...: the stretch from a to the point nearest it first, then one stretch per step
// outward in either direction, each by Boost.Math's adaptive Gauss-Kronrod rule in long
// double, so the row costs one quadrature per step, not one per point. Each value carries the
// sum of the error estimates of the stretches it is made of.
//
// Where the function is undefined (its evaluation throws an Exception that the caller
// classes as an undefined point) or a stretch's estimate is no longer small against its
// value (a pole), the integral ends: that point and every point beyond it, seen from a, have
// no value. Other errors leave the call.
#include "expr/Float80.h"

#include <exception>
#include <functional>
#include <vector>

class TRunningIntegral
{
  public:
    struct TValue
    {
        bool Defined = false;
        Float80 Value = 0;
        Float80 Estimate = 0;
    };
    // The integrand at u; throws for an undefined point or an error.
    using TIntegrand = std::function<Float80(Float80 U)>;
    // Whether an exception thrown by the integrand is an undefined point.
    using TIsUndefined = std::function<bool(const std::exception_ptr&)>;

    // The values at X (increasing) of the integral from A.
    static std::vector<TValue> Integrate(const TIntegrand& F, const TIsUndefined& IsUndefined, Float80 A,
                                         const std::vector<Float80>& X);
};
