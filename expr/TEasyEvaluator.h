#pragma once
// The registration half of the evaluator: owns the symbol tables and creates one symbol
// per registered name. Names match without regard to the case of 'a'..'z'.
#include "expr/Float80.h"
#include "expr/TExprHashContext.h"
#include "expr/TExprSetContext.h"

#include <memory>
#include <string_view>

class TEasyEvaluator
{
  public:
    TEasyEvaluator();
    ~TEasyEvaluator();
    TEasyEvaluator(const TEasyEvaluator&) = delete;
    TEasyEvaluator& operator=(const TEasyEvaluator&) = delete;

    // Each fails with EStringHashMapError "Duplicate hash list entry: <Name>" when the name
    // is already registered, leaving the evaluator unchanged.
    void RegisterConstant(std::u16string_view Name, Float80 Value);
    // Storage is read at every use and must outlive the evaluator.
    void RegisterVariable(std::u16string_view Name, Float80* Storage);
    void RegisterUnaryFunction(std::u16string_view Name, TUnaryRoutine Routine);
    void RegisterBinaryFunction(std::u16string_view Name, TBinaryRoutine Routine);

    // Where identifiers are looked up: the own symbols first, then the extra contexts.
    TExprContext* SymbolScope() const { return SearchOrder.get(); }
    // Adds Context to the extra contexts (asked before those added earlier); it is not owned
    // and must outlive the evaluator. Programs compiled before do not see it.
    void AddContext(TExprContext* Context) { ExtraContexts->Append(Context); }

  protected:
    // Every registered symbol lives here.
    std::unique_ptr<TExprHashContext> OwnSymbols;
    // Created empty; AddContext fills it. Asked after OwnSymbols.
    std::unique_ptr<TExprSetContext> ExtraContexts;
    // ExtraContexts, then OwnSymbols; a set asks its last member first.
    std::unique_ptr<TExprSetContext> SearchOrder;
};
