#include "analysis/TRelation.h"

#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"

#include <algorithm>

namespace
{
bool IsComparison(TExprOpCode Code)
{
    return Code >= TExprOpCode::Equal && Code <= TExprOpCode::GreaterEqual;
}

bool IsStrict(TExprOpCode Code)
{
    return Code == TExprOpCode::Less || Code == TExprOpCode::Greater || Code == TExprOpCode::NotEqual;
}

TBoxAnswer AnswerOf(const TInterval& Truth)
{
    if (Truth.Defined == TTri::No || Truth.CertainlyZero())
        return TBoxAnswer::Nowhere;
    if (Truth.Defined == TTri::Yes && Truth.CertainlyNonZero())
        return TBoxAnswer::Everywhere;
    return TBoxAnswer::Unknown;
}
} // namespace

TRelation::TRelation(const TRelationInput& Input)
    : Parameters(std::make_unique<TParameterContext>()),
      Evaluator(MakePlotEvaluator(Input.Separator, &X, u"x"))
{
    Evaluator->RegisterVariable(u"y", &Y);
    Parameters->Define(Input.ParameterNames);
    for (size_t i = 0; i < Input.ParameterValues.size() && i < Input.ParameterNames.size(); ++i)
        Parameters->SetValue(i, Input.ParameterValues[i]);
    Evaluator->AddContext(Parameters.get());
    Program = Evaluator->Compile(FormulaAtTime(Input.Formula, Input.Time, Input.Separator));
    const auto& Code = Program->Code();
    if (!Code.empty() && Code.back().Code == TExprOpCode::Raise)
        Program->RaiseError(); // the text cannot be read
    if (Code.size() >= 2 && Code[Code.size() - 2].Code == TExprOpCode::Equal)
        FShape = TRelationShape::Curve;
    const bool AnyComparison =
        std::any_of(Code.begin(), Code.end(), [](auto& I) { return IsComparison(I.Code); });
    const bool AllStrict = std::all_of(Code.begin(), Code.end(),
                                       [](auto& I) { return !IsComparison(I.Code) || IsStrict(I.Code); });
    if (FShape == TRelationShape::Region && AnyComparison && AllStrict)
        FBoundary = TBoundaryPen::Dashed;
}

TRelation::~TRelation() = default;

TRelation::TFacts TRelation::Examine(const TPlaneBox& Box)
{
    Runner.Bind(&X, TInterval::Of(Box.X0, Box.X1));
    Runner.Bind(&Y, TInterval::Of(Box.Y0, Box.Y1));
    if (FShape == TRelationShape::Region)
        return {AnswerOf(Runner.Run(*Program)), false};
    const auto [Left, Right] = Runner.RunOperandsOfLast(*Program);
    return {AnswerOf(Equal(Left, Right)), Left.Proven() && Right.Proven()};
}

bool TRelation::HoldsAt(Float80 x, Float80 y)
{
    X = x;
    Y = y;
    try
    {
        return Evaluator->Run(*Program) != 0;
    }
    catch (const EMathError&) // undefined points: the relation does not hold there
    {
    }
    catch (const EDomainError&)
    {
    }
    catch (const EIntError&)
    {
    }
    return false;
}

int TRelation::SignAt(Float80 x, Float80 y)
{
    if (FShape != TRelationShape::Curve)
        return 0;
    Runner.Bind(&X, TInterval::Point(x));
    Runner.Bind(&Y, TInterval::Point(y));
    const auto [Left, Right] = Runner.RunOperandsOfLast(*Program);
    const TInterval Difference = Left - Right;
    if (Difference.Defined != TTri::Yes)
        return 0;
    return Difference.Lo > 0 ? 1 : Difference.Hi < 0 ? -1 : 0;
}
