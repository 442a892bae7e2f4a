#include "expr/TParameterContext.h"

#include "expr/AsciiCase.h"
#include "expr/CharClass.h"
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEasyEvaluator.h"
#include "expr/TExprHashContext.h"
#include "expr/TExprVar80Sym.h"
#include "expr/TokenRules.h"
#include "expr/Utf16.h"

namespace
{
constexpr uint32_t ParameterBucketCount = 31;

} // namespace

TParameterContext::TParameterContext()
    : Symbols(std::make_unique<TExprHashContext>(false, ParameterBucketCount))
{
}

TParameterContext::~TParameterContext()
{
    Symbols.reset();
}

std::string TParameterContext::Refusal(std::u16string_view Name)
{
    const std::string Shown = ToUtf8(Name);
    if (Name.empty() || !IsIdentifierStart(Name[0]) || IdentifierEnd(Name, 0) != Name.size())
        return Msg::Format(Msg::ParameterNotAName, Shown);
    for (std::u16string_view Own : {u"x", u"y", u"s", u"t", u"Pi"})
        if (EqualsAsciiCase(Name, Own))
            return Msg::Format(Msg::ParameterReserved, Shown);
    // The library as the plot registers it, asked as the parser would ask it.
    TEasyEvaluator Library;
    RegisterFunctionLibrary(Library);
    if (Library.SymbolScope()->Lookup(Name))
        return Msg::Format(Msg::ParameterIsFunction, Shown);
    return {};
}

void TParameterContext::Define(const std::vector<std::u16string>& Names)
{
    auto NewSymbols = std::make_unique<TExprHashContext>(false, ParameterBucketCount);
    auto NewValues = std::make_unique<Float80[]>(Names.size());
    for (size_t i = 0; i < Names.size(); ++i)
        NewSymbols->Insert(std::make_unique<TExprVar80Sym>(Names[i], &NewValues[i]));
    FNames = Names;
    Symbols = std::move(NewSymbols);
    Values = std::move(NewValues);
}

bool TParameterContext::Assign(const std::vector<std::u16string>& Names,
                               const std::vector<Float80>& NewValues)
{
    const bool Redefined = Names != FNames;
    if (Redefined)
        Define(Names);
    for (size_t i = 0; i < FNames.size(); ++i)
        Values[i] = i < NewValues.size() ? NewValues[i] : 0;
    return Redefined;
}

TExprSym* TParameterContext::Lookup(std::u16string_view Name) const
{
    return Symbols->Lookup(Name);
}
