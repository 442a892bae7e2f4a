#include "analysis/TAreaIntegrator.h"

#include "analysis/Errors.h"
#include "analysis/TRootFinder.h"
#include "analysis/TSamples.h"

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/quadrature/tanh_sinh.hpp>

#include <algorithm>
#include <cmath>

namespace
{
struct TUndefinedAt
{
    Float80 X;
};

// Relative tolerance of both rules; the Gauss-Kronrod estimate (the distance between the
// 30-point Gauss and the 61-point Kronrod values) overstates the error of the Kronrod value.
constexpr Float80 Tolerance = 1e-17L;
constexpr unsigned MaxDepth = 12;
// An estimate above this share of the value (or of the integral of |f|) is large.
constexpr Float80 LargeShare = 1e-8L;

TAnalysisPoint UndefinedPoint(TCurveFunction& F, Float80 X)
{
    TAnalysisPoint P;
    P.Kind = TPointKind::Undefined;
    P.X = X;
    P.HasY = false;
    F.At(X);
    P.ErrorClass = F.LastErrorClass();
    P.ErrorMessage = F.LastErrorMessage();
    return P;
}
} // namespace

struct TAreaIntegrator::TTanhSinh
{
    boost::math::quadrature::tanh_sinh<Float80> Rule;
};

TAreaIntegrator::TAreaIntegrator() = default;
TAreaIntegrator::~TAreaIntegrator() = default;

TAnalysisResult TAreaIntegrator::Integrate(TCurveFunction& F, Float80 A, Float80 B, int Count)
{
    CheckInterval(A, B, true);
    TAnalysisResult Result;
    if (A == B)
    {
        TAnalysisPoint P;
        P.Kind = TPointKind::Area;
        P.X = A;
        P.X2 = B;
        Result.Points.push_back(P);
        return Result;
    }
    const TSamples S(F, A, B, Count);
    for (size_t i = 1; i + 1 < S.Size(); ++i)
        if (!S[i].Defined)
        {
            Result.Points.push_back(UndefinedPoint(F, S[i].X));
            Result.Notes.push_back(Msg::Format(Msg::AreaUndefinedAt, NumberText(S[i].X)));
            return Result;
        }
    const TAnalysisResult Signs = TRootFinder(F, S, 1000, TPointKind::Root).Find();
    for (const TAnalysisPoint& P : Signs.Points)
        if (P.Kind == TPointKind::Pole)
        {
            Result.Points.push_back(P);
            return Result;
        }
    const bool SingularEnd = !S[0].Defined || !S[S.Size() - 1].Defined;
    TAnalysisPoint Area = Quadrature(F, A, B, SingularEnd);
    if (Area.Kind == TPointKind::Area &&
        Area.Estimate > LargeShare * std::max(std::fabs(Area.Y), std::numeric_limits<Float80>::min()))
        Result.Notes.emplace_back(Msg::LargeErrorEstimate);
    if (Area.Kind == TPointKind::Undefined)
        Result.Notes.push_back(Msg::Format(Msg::AreaUndefinedAt, NumberText(Area.X)));
    Result.Points.push_back(std::move(Area));
    return Result;
}

TAnalysisPoint TAreaIntegrator::Quadrature(TCurveFunction& F, Float80 A, Float80 B, bool SingularEnd)
{
    auto Value = [&F](Float80 X)
    {
        const TCurveFunction::TPoint P = F.At(X);
        if (!P.Defined)
            throw TUndefinedAt{X};
        return P.Y;
    };
    TAnalysisPoint P;
    P.Kind = TPointKind::Area;
    P.X = A;
    P.X2 = B;
    try
    {
        Float80 Estimate = 0;
        if (SingularEnd)
        {
            if (!TanhSinh)
                TanhSinh = std::make_unique<TTanhSinh>();
            P.Y = TanhSinh->Rule.integrate(Value, A, B, Tolerance, &Estimate);
        }
        else
            P.Y = boost::math::quadrature::gauss_kronrod<Float80, 61>::integrate(Value, A, B, MaxDepth,
                                                                                 Tolerance, &Estimate);
        P.Estimate = Estimate;
        if (!std::isfinite(P.Y) || !std::isfinite(P.Estimate))
            throw EAnalysisError(std::string(Msg::AreaOverflow));
    }
    catch (const TUndefinedAt& U)
    {
        return UndefinedPoint(F, U.X);
    }
    catch (const Exception&)
    {
        throw;
    }
    catch (const std::exception& Error)
    {
        // The rule's own complaint (a value that is not finite, say): no area.
        throw EAnalysisError(Error.what());
    }
    return P;
}
