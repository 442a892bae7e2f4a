#include "plot/TCurveEvaluators.h"

TGraphEvaluator& TCurveEvaluators::For(std::u16string_view Variable)
{
    if (Variable == u"x")
        return *X;
    std::unique_ptr<TGraphEvaluator>& Own = Variable == u"s" ? S : Variable == u"y" ? Y : None;
    if (!Own)
    {
        Own = std::make_unique<TGraphEvaluator>(Sep, Variable == u"s" || Variable == u"y" ? Variable : u"");
        Own->SetParameters(FParameterNames, FParameterValues);
    }
    return *Own;
}

void TCurveEvaluators::SetParameters(const std::vector<std::u16string>& Names,
                                     const std::vector<Float80>& Values)
{
    FParameterNames = Names;
    FParameterValues = Values;
    for (TGraphEvaluator* Each : {X, S.get(), Y.get(), None.get()})
        if (Each)
            Each->SetParameters(Names, Values);
}
