#pragma once
// The evaluator: registrations of TEasyEvaluator plus one lexer and one parser that turn
// a formula text into a Float80. One text at a time; not re-entrant.
#include "expr/TEasyEvaluator.h"
#include "expr/TExprEvalParser.h"
#include "expr/TExprSimpleLexer.h"

class TEvaluator : public TEasyEvaluator
{
  public:
    // DecimalSeparator: the user's decimal separator, accepted in numbers besides nothing
    // else ("." is scanned but rejected when the separator is another character).
    explicit TEvaluator(char16_t DecimalSeparator = u'.');
    ~TEvaluator();

    // Reads the text anew: the value, or exactly one error (parse, conversion, arithmetic
    // or routine error). Afterwards the evaluator is ready for the next text.
    Float80 EvaluateText(std::u16string_view Text);

    char16_t DecimalSeparator() const { return TextLexer->DecimalSeparator(); }

  protected:
    std::unique_ptr<TExprSimpleLexer> TextLexer;
    std::unique_ptr<TExprEvalParser> TextParser;
};
