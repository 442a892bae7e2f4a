#include "expr/TFormulaCheck.h"

#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprBinary80FuncSym.h"
#include "expr/TExprContext.h"
#include "expr/TExprProgram.h"
#include "expr/TExprUnary80FuncSym.h"
#include "expr/TimeSubstitution.h"

TFormulaCheck::TFormulaCheck(char16_t DecimalSeparator, std::span<const std::u16string> Names, bool ReadsTime)
    : Sep(DecimalSeparator), FReadsTime(ReadsTime), FNames(Names.begin(), Names.end()),
      Storage(std::make_unique<long double>(0)),
      Evaluator(MakePlotEvaluator(DecimalSeparator, Storage.get(), u""))
{
    for (const std::u16string& Name : FNames)
        if (Evaluator->SymbolScope()->Lookup(Name) == nullptr)
            Evaluator->RegisterVariable(Name, Storage.get());
}

TFormulaCheck::~TFormulaCheck() = default;

std::optional<TFormulaCheck::TFailure> TFormulaCheck::Check(std::u16string_view Text) const
{
    // The time's text has the length of "t", so the places need no mapping back.
    const std::u16string Read = FReadsTime ? SubstituteTime(Text, u"0", Sep) : std::u16string(Text);
    const auto Program = Evaluator->Compile(Read);
    if (Program->Code().empty() || Program->Code().back().Code != TExprOpCode::Raise)
        return std::nullopt;
    try
    {
        Program->RaiseError();
    }
    catch (const Exception& Error)
    {
        return TFailure{Error.ClassName(), Error.Message(), Error.Place().value_or(TTextPlace{})};
    }
}

int TFormulaCheck::Arity(std::u16string_view Name) const
{
    if (FReadsTime && Name == u"t")
        return 0; // the time, a number once put in
    const TExprSym* Symbol = Evaluator->SymbolScope()->Lookup(Name);
    if (!Symbol)
        return -1;
    if (dynamic_cast<const TExprBinary80FuncSym*>(Symbol))
        return 2;
    return dynamic_cast<const TExprUnary80FuncSym*>(Symbol) ? 1 : 0;
}
