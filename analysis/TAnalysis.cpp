#include "analysis/TAnalysis.h"

#include "analysis/Errors.h"
#include "analysis/TAreaIntegrator.h"
#include "analysis/TCriticalPointFinder.h"
#include "analysis/TCurveFunction.h"
#include "analysis/TRootFinder.h"
#include "analysis/TSamples.h"
#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"

#include <cmath>

TAnalysis::TAnalysis(char16_t DecimalSeparator, std::u16string_view Variable)
    : Sep(DecimalSeparator), Parameters(std::make_unique<TParameterContext>()),
      Evaluator(MakePlotEvaluator(DecimalSeparator, &XValue, Variable)),
      DualRunner(std::make_unique<TDualRunner>(*Evaluator)), Integrator(std::make_unique<TAreaIntegrator>())
{
    Evaluator->AddContext(Parameters.get());
}

void TAnalysis::SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values)
{
    Parameters->Assign(Names, Values);
}

TAnalysis::~TAnalysis() = default;

std::shared_ptr<const TExprProgram> TAnalysis::Program(std::u16string_view Formula, Float80 T)
{
    return Evaluator->Compile(FormulaAtTime(Formula, T, Sep));
}

TCurveFunction TAnalysis::Curve(std::u16string_view Formula, std::u16string_view Subtracted, Float80 T)
{
    TCurveFunction F(*Evaluator, XValue, Program(Formula, T),
                     Subtracted.empty() ? nullptr : Program(Subtracted, T), Cancel);
    F.SetDualRunner(DualRunner.get());
    return F;
}

TAnalysisResult TAnalysis::Roots(std::u16string_view Formula, Float80 T, Float80 A, Float80 B)
{
    CheckInterval(A, B, false);
    TCurveFunction F = Curve(Formula, {}, T);
    const TSamples S(F, A, B, Samples);
    return TRootFinder(F, S, MaxResults, TPointKind::Root).Find();
}

TAnalysisResult TAnalysis::Extrema(std::u16string_view Formula, Float80 T, Float80 A, Float80 B)
{
    CheckInterval(A, B, false);
    TCurveFunction F = Curve(Formula, {}, T);
    const TSamples S(F, A, B, Samples);
    return Limited(TCriticalPointFinder(F, S).Extrema());
}

TAnalysisResult TAnalysis::Inflections(std::u16string_view Formula, Float80 T, Float80 A, Float80 B)
{
    CheckInterval(A, B, false);
    TCurveFunction F = Curve(Formula, {}, T);
    const TSamples S(F, A, B, Samples);
    return Limited(TCriticalPointFinder(F, S).Inflections());
}

TAnalysisResult TAnalysis::Limited(std::vector<TAnalysisPoint> Points) const
{
    TAnalysisResult Result;
    Result.Points = std::move(Points);
    if (Result.Points.size() > MaxResults)
    {
        Result.Points.resize(MaxResults);
        Result.Notes.push_back(Msg::Format(Msg::MoreResults, std::to_string(MaxResults)));
    }
    return Result;
}

TAnalysisResult TAnalysis::Intersections(std::u16string_view First, std::u16string_view Second, Float80 T,
                                         Float80 A, Float80 B)
{
    CheckInterval(A, B, false);
    // An empty second text would read as "no second graph": it is the empty formula, which
    // the parser rejects, so it is compiled as it stands.
    TCurveFunction F(*Evaluator, XValue, Program(First, T), Program(Second, T), Cancel);
    const TSamples S(F, A, B, Samples);
    return TRootFinder(F, S, MaxResults, TPointKind::Intersection).Find();
}

TAnalysisResult TAnalysis::ValueAt(std::u16string_view Formula, Float80 T, Float80 X)
{
    if (!std::isfinite(X))
        throw EAnalysisError(std::string(Msg::NotFinite));
    TCurveFunction F = Curve(Formula, {}, T);
    TAnalysisPoint P;
    P.X = X;
    const TCurveFunction::TJet V = F.JetAt(X);
    P.Kind = V.Defined ? TPointKind::Value : TPointKind::Undefined;
    P.Y = V.Y;
    P.HasY = V.Defined;
    P.D1 = V.D1;
    P.D2 = V.D2;
    P.HasD1 = V.D1Defined;
    P.HasD2 = V.D2Defined;
    P.ErrorClass = F.FirstErrorClass();
    P.ErrorMessage = F.FirstErrorMessage();
    TAnalysisResult Result;
    Result.Points.push_back(P);
    return Result;
}

TAnalysisResult TAnalysis::Area(std::u16string_view Formula, Float80 T, Float80 A, Float80 B)
{
    CheckInterval(A, B, true);
    TCurveFunction F = Curve(Formula, {}, T);
    return Integrator->Integrate(F, A, B, Samples);
}
