#pragma once
// Whether a formula text reads, without computing it: the text is compiled as the plot would
// compile it and the error of reading it, if any, is taken from the program, so a routine's
// domain error or a division by zero on the way can never hide a parse error. A field's formulas
// know the library, "Pi" and the field's own names (its variable and the named parameters); the
// time parameter t is put in as the plot puts it in, as text, here "0": one character for one, so
// every place in the text read is the same place in the text given.
#include "expr/Errors.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TEvaluator;

class TFormulaCheck
{
  public:
    // Names: the field's variables and parameters. A name registered already (a parameter
    // named like the variable) is known once.
    TFormulaCheck(char16_t DecimalSeparator, std::span<const std::u16string> Names, bool ReadsTime = true);
    ~TFormulaCheck();
    TFormulaCheck(const TFormulaCheck&) = delete;
    TFormulaCheck& operator=(const TFormulaCheck&) = delete;

    struct TFailure
    {
        std::string ClassName; // "EExprEvalError" or "EConvertError"
        std::string Message;   // exactly the evaluator's
        TTextPlace Place;      // in Text as given
    };
    // Nothing when Text reads; otherwise the error the plot reports for it, with its place.
    std::optional<TFailure> Check(std::u16string_view Text) const;

    // How a name is known: -1 not at all, 0 as a value (variable, constant, parameter, the time
    // t), 1 or 2 as a function of that many arguments. Names are compared without regard to
    // ASCII case, except t, which is only the lower-case letter.
    int Arity(std::u16string_view Name) const;
    const std::vector<std::u16string>& Names() const { return FNames; }
    bool ReadsTime() const { return FReadsTime; }
    char16_t DecimalSeparator() const { return Sep; }

  private:
    char16_t Sep;
    bool FReadsTime;
    std::vector<std::u16string> FNames;
    // The variables' storage; a text is only compiled, never run.
    std::unique_ptr<long double> Storage;
    std::unique_ptr<TEvaluator> Evaluator;
};
