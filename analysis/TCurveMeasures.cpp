#include "analysis/TCurveMeasures.h"

#include "analysis/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/NumberText.h"
#include "expr/TEvaluator.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"

#include <boost/math/differentiation/finite_difference.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>

#include <cmath>

namespace
{
// An undefined point met while integrating: where, and the evaluator's error.
struct TUndefinedAt
{
    Float80 S;
    std::string Class, Message;
};

std::string Text(Float80 v)
{
    const std::u16string t = FormatGeneral15(v, u'.');
    return std::string(t.begin(), t.end());
}
} // namespace

TCurveMeasures::TCurveMeasures(char16_t DecimalSeparator)
    : Sep(DecimalSeparator), Parameters(std::make_unique<TParameterContext>()),
      Ends(MakePlotEvaluator(DecimalSeparator, &SValue, u"")),
      Curve(MakePlotEvaluator(DecimalSeparator, &SValue, u"s"))
{
    Ends->AddContext(Parameters.get());
    Curve->AddContext(Parameters.get());
}

void TCurveMeasures::SetParameters(const std::vector<std::u16string>& Names,
                                   const std::vector<Float80>& Values)
{
    Parameters->Assign(Names, Values);
}

TCurveMeasures::~TCurveMeasures() = default;

TAnalysisResult TCurveMeasures::Measure(std::u16string_view First, std::u16string_view Second,
                                        std::u16string_view From, std::u16string_view To, Float80 T,
                                        bool Polar)
{
    const Float80 S0 = Ends->EvaluateText(FormulaAtTime(From, T, Sep));
    const Float80 S1 = Ends->EvaluateText(FormulaAtTime(To, T, Sep));
    if (!std::isfinite(S0) || !std::isfinite(S1))
        throw EAnalysisError(std::string(Msg::NotFinite));
    if (S0 == S1)
        throw EAnalysisError(std::string(Msg::Empty));
    const auto A = Curve->Compile(FormulaAtTime(First, T, Sep));
    const auto B = Polar ? nullptr : Curve->Compile(FormulaAtTime(Second, T, Sep));
    const auto Run = [&](const TExprProgram& P, Float80 S)
    {
        if (Cancel && Cancel->load(std::memory_order_relaxed))
            throw EAnalysisCancelled(std::string(Msg::Cancelled));
        SValue = S;
        try
        {
            return Curve->Run(P);
        }
        catch (const EAnalysisCancelled&)
        {
            throw;
        }
        catch (const EExprEvalError&)
        {
            throw;
        }
        catch (const Exception& Error)
        {
            throw TUndefinedAt{S, Error.ClassName(), Error.Message()};
        }
    };
    // The plane point and its derivative at s.
    const auto Point = [&](Float80 S, Float80& X, Float80& Y)
    {
        if (Polar)
        {
            const Float80 r = Run(*A, S);
            X = r * std::cos(S);
            Y = r * std::sin(S);
        }
        else
        {
            X = Run(*A, S);
            Y = Run(*B, S);
        }
    };
    using boost::math::differentiation::finite_difference_derivative;
    const auto Derivative = [&](const TExprProgram& P, Float80 S)
    { return finite_difference_derivative([&](Float80 u) { return Run(P, u); }, S); };

    TAnalysisResult Result;
    try
    {
        Float80 X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
        Point(S0, X0, Y0);
        Point(S1, X1, Y1);
        const Float80 Lo = std::min(S0, S1), Hi = std::max(S0, S1), Sign = S1 < S0 ? -1 : 1;
        using Rule = boost::math::quadrature::gauss_kronrod<Float80, 31>;
        Float80 LengthError = 0;
        const Float80 Length = Rule::integrate(
            [&](Float80 S)
            {
                if (Polar)
                {
                    const Float80 r = Run(*A, S), dr = Derivative(*A, S);
                    return std::sqrt(r * r + dr * dr);
                }
                return std::hypot(Derivative(*A, S), Derivative(*B, S));
            },
            Lo, Hi, 15, Float80(1e-15), &LengthError);
        TAnalysisPoint L;
        L.Kind = TPointKind::ArcLength;
        L.X = S0;
        L.X2 = S1;
        L.Y = Length;
        L.Estimate = LengthError;
        Result.Points.push_back(L);

        const Float80 Size = 1 + std::max({std::fabs(X0), std::fabs(Y0), std::fabs(X1), std::fabs(Y1)});
        if (std::hypot(X1 - X0, Y1 - Y0) > Size * Float80(1e-9))
        {
            Result.Notes.push_back("The curve is open (its end is not its start): it encloses no area");
            return Result;
        }
        Float80 AreaError = 0;
        const Float80 Area = Rule::integrate(
            [&](Float80 S)
            {
                if (Polar)
                {
                    const Float80 r = Run(*A, S);
                    return r * r / 2;
                }
                const Float80 x = Run(*A, S), y = Run(*B, S);
                return (x * Derivative(*B, S) - y * Derivative(*A, S)) / 2;
            },
            Lo, Hi, 15, Float80(1e-15), &AreaError);
        TAnalysisPoint P;
        P.Kind = TPointKind::Area;
        P.X = S0;
        P.X2 = S1;
        P.Y = Sign * Area;
        P.Estimate = AreaError;
        Result.Points.push_back(P);
    }
    catch (const TUndefinedAt& At)
    {
        TAnalysisPoint U;
        U.Kind = TPointKind::Undefined;
        U.X = At.S;
        U.HasY = false;
        U.ErrorClass = At.Class;
        U.ErrorMessage = At.Message;
        Result.Points = {U};
        Result.Notes = {"The curve is undefined at s = " + Text(At.S) + ": it has no length or area"};
    }
    return Result;
}
