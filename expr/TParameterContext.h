#pragma once
// Named parameters of the formulas: variables beside "x" whose numbers this context owns.
// A program compiled while a name is defined reads that name's storage at every run, as it
// reads x, so changing a value needs no new compile. Defining a new set of names replaces
// the storage: programs compiled before then must be compiled again.
//
// Names follow the lexer's identifier rule and match without regard to the case of 'a'..'z',
// as every name of the evaluator does. A name the plot gives a meaning of its own (x, y, s,
// t, Pi) or a function's name is refused with a sentence that says why.
#include "expr/Float80.h"
#include "expr/TExprContext.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TExprHashContext;

class TParameterContext final : public TExprContext
{
  public:
    TParameterContext();
    ~TParameterContext() override;
    TParameterContext(const TParameterContext&) = delete;
    TParameterContext& operator=(const TParameterContext&) = delete;

    // Why Name cannot name a parameter (one of the messages above), or an empty text.
    static std::string Refusal(std::u16string_view Name);

    // Replaces the names by Names, every value 0. Each name must have no Refusal; two names
    // equal but for case fail with EStringHashMapError and leave the context as it was.
    void Define(const std::vector<std::u16string>& Names);
    // Names with Values, the one way every evaluator takes its parameters: the names are
    // defined anew only where they differ from the current ones (true then: programs compiled
    // before must be compiled again); the first Values.size() take Values, the others 0.
    bool Assign(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);
    const std::vector<std::u16string>& Names() const { return FNames; }
    size_t Count() const { return FNames.size(); }

    // The value of parameter Index (in the order of Define).
    void SetValue(size_t Index, Float80 Value) { Values[Index] = Value; }
    Float80 Value(size_t Index) const { return Values[Index]; }

    TExprSym* Lookup(std::u16string_view Name) const override;

  private:
    std::vector<std::u16string> FNames;
    std::unique_ptr<Float80[]> Values;
    std::unique_ptr<TExprHashContext> Symbols;
};
