#include "analysis/TCurveFunction.h"

#include "analysis/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"

#include <cmath>

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

template <typename TBody> bool TCurveFunction::Guarded(TBody Body)
{
    if (Cancel && Cancel->load(std::memory_order_relaxed))
        throw EAnalysisCancelled(std::string(Msg::Cancelled));
    try
    {
        return Body();
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
        return false;
    }
}

TCurveFunction::TPoint TCurveFunction::Run(Float80 X, bool Both)
{
    TPoint P;
    P.Defined = Guarded(
        [&]
        {
            XValue = X;
            P.Y = Evaluator.Run(*Formula);
            if (Both)
            {
                XValue = X;
                P.Y = FSub(P.Y, Evaluator.Run(*Subtracted));
            }
            return true;
        });
    if (!P.Defined)
        P.Y = 0;
    return P;
}

TCurveFunction::TJet TCurveFunction::JetAt(Float80 X)
{
    TJet J;
    TDual d;
    J.Defined = Guarded(
        [&]
        {
            XValue = X;
            // Order 0: the derivatives come as they are, and tell below whether they exist.
            d = Dual->Run(*Formula, &XValue, 0);
            return true;
        });
    if (!J.Defined)
        return J;
    J.Y = d.Value;
    J.D1 = d.D1;
    J.D2 = d.D2;
    J.D1Defined = std::isfinite(d.D1);
    J.D2Defined = J.D1Defined && std::isfinite(d.D2);
    return J;
}
