#include "expr/TEasyEvaluator.h"

#include "expr/TExprBinary80FuncSym.h"
#include "expr/TExprConst80Sym.h"
#include "expr/TExprUnary80FuncSym.h"
#include "expr/TExprVar80Sym.h"

namespace
{
constexpr uint32_t SymbolBucketCount = 127;
}

TEasyEvaluator::TEasyEvaluator()
    : OwnSymbols(std::make_unique<TExprHashContext>(false, SymbolBucketCount)),
      ExtraContexts(std::make_unique<TExprSetContext>(false)),
      SearchOrder(std::make_unique<TExprSetContext>(false))
{
    SearchOrder->Append(ExtraContexts.get());
    SearchOrder->Append(OwnSymbols.get());
}

TEasyEvaluator::~TEasyEvaluator()
{
    SearchOrder.reset();
    OwnSymbols.reset();
    ExtraContexts.reset();
}

void TEasyEvaluator::RegisterConstant(std::u16string_view Name, Float80 Value)
{
    OwnSymbols->Insert(std::make_unique<TExprConst80Sym>(Name, Value));
}

void TEasyEvaluator::RegisterVariable(std::u16string_view Name, Float80* Storage)
{
    OwnSymbols->Insert(std::make_unique<TExprVar80Sym>(Name, Storage));
}

void TEasyEvaluator::RegisterUnaryFunction(std::u16string_view Name, TUnaryRoutine Routine)
{
    OwnSymbols->Insert(std::make_unique<TExprUnary80FuncSym>(Name, Routine));
}

void TEasyEvaluator::RegisterBinaryFunction(std::u16string_view Name, TBinaryRoutine Routine)
{
    OwnSymbols->Insert(std::make_unique<TExprBinary80FuncSym>(Name, Routine));
}
