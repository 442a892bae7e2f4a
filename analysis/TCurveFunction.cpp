#include "analysis/TCurveFunction.h"

#include "analysis/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TEvaluator.h"

TCurveFunction::TCurveFunction(TEvaluator& EvaluatorIn, Float80& XStorage,
                               std::shared_ptr<const TExprProgram> F, std::shared_ptr<const TExprProgram> G,
                               const std::atomic<bool>* CancelFlag)
    : Evaluator(EvaluatorIn), XValue(XStorage), Formula(std::move(F)), Subtracted(std::move(G)),
      Cancel(CancelFlag)
{
}

TCurveFunction::TPoint TCurveFunction::At(Float80 X)
{
    return Run(X, Subtracted != nullptr);
}

TCurveFunction::TPoint TCurveFunction::FirstAt(Float80 X)
{
    return Run(X, false);
}

TCurveFunction::TPoint TCurveFunction::Run(Float80 X, bool Both)
{
    if (Cancel && Cancel->load(std::memory_order_relaxed))
        throw EAnalysisCancelled(std::string(AnalysisMsg::Cancelled));
    try
    {
        XValue = X;
        Float80 Y = Evaluator.Run(*Formula);
        if (Both)
        {
            XValue = X;
            Y = FSub(Y, Evaluator.Run(*Subtracted));
        }
        return {Y, true};
    }
    catch (const EExprEvalError&)
    {
        throw;
    }
    catch (const EConvertError&)
    {
        throw;
    }
    catch (const Exception& Error)
    {
        LastClass = Error.ClassName();
        LastMessage = Error.Message();
        if (ErrorClass.empty())
        {
            ErrorClass = LastClass;
            ErrorMessage = LastMessage;
        }
        return {0, false};
    }
}
