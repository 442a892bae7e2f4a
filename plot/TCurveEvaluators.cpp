#include "plot/TCurveEvaluators.h"

TGraphEvaluator& TCurveEvaluators::For(std::u16string_view Variable)
{
    if (Variable == u"x")
        return *X;
    std::unique_ptr<TGraphEvaluator>& Own = Variable == u"s" ? S : Variable == u"y" ? Y : None;
    if (!Own)
        Own = std::make_unique<TGraphEvaluator>(Sep, Variable == u"s" || Variable == u"y" ? Variable : u"");
    return *Own;
}
