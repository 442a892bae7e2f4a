#include "plot/TGraphEvaluator.h"

#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"
#include "plot/TFuncList.h"

TGraphEvaluator::TGraphEvaluator(char16_t DecimalSeparator, std::u16string_view Variable)
    : Sep(DecimalSeparator), Parameters(std::make_unique<TParameterContext>()),
      Evaluator(MakePlotEvaluator(DecimalSeparator, &XValue, Variable)),
      DualRunner(std::make_unique<TDualRunner>(*Evaluator))
{
    Evaluator->AddContext(Parameters.get());
}

TGraphEvaluator::~TGraphEvaluator() = default;

Float80 TGraphEvaluator::EvaluateGraph(const TFuncList& FuncList, int Index, Float80 X, Float80 T)
{
    XValue = X;
    return Evaluator->EvaluateText(FormulaAtTime(FuncList, Index, T));
}

std::u16string TGraphEvaluator::FormulaAtTime(const TFuncList& FuncList, int Index, Float80 T) const
{
    return ::FormulaAtTime(FuncList.Item(Index).Func.toStdU16String(), T, Sep);
}

Float80 TGraphEvaluator::EvaluateAt(std::u16string_view Text, Float80 X)
{
    return Run(*Program(Text), X);
}

std::shared_ptr<const TExprProgram> TGraphEvaluator::Program(std::u16string_view Text)
{
    auto Found = Programs.find(Text);
    if (Found == Programs.end())
    {
        if (Programs.size() >= MaxCachedPrograms)
            Programs.clear();
        Found = Programs.emplace(std::u16string(Text), Evaluator->Compile(Text)).first;
    }
    return Found->second;
}

Float80 TGraphEvaluator::Run(const TExprProgram& Program, Float80 X)
{
    XValue = X;
    return Evaluator->Run(Program);
}

TDual TGraphEvaluator::RunDual(const TExprProgram& Program, Float80 X, int Order)
{
    XValue = X;
    return DualRunner->Run(Program, &XValue, Order);
}

void TGraphEvaluator::SetParameters(const std::vector<std::u16string>& Names,
                                    const std::vector<Float80>& Values)
{
    if (Parameters->Assign(Names, Values))
        Programs.clear();
}
