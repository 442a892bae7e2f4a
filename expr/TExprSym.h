#pragma once
// A named thing of the formula language. A symbol produces its value where its name stands
// in the text; while it does so it is bound to the lexer and parser reading that text, so a
// function symbol can read its own parenthesised arguments.
#include "expr/Float80.h"

#include <string>
#include <string_view>

class TExprLexer;
class TExprEvalParser;

class TExprSym
{
  public:
    explicit TExprSym(std::u16string_view Name) : FName(Name) {}
    virtual ~TExprSym() = default;
    TExprSym(const TExprSym&) = delete;
    TExprSym& operator=(const TExprSym&) = delete;

    // The name as registered, spelled as registered.
    const std::u16string& Name() const { return FName; }

    // Null except while the symbol is being evaluated.
    TExprLexer* BoundLexer() const { return FBoundLexer; }
    TExprEvalParser* BoundParser() const { return FBoundParser; }
    void SetBinding(TExprLexer* Lexer, TExprEvalParser* Parser)
    {
        FBoundLexer = Lexer;
        FBoundParser = Parser;
    }

    // Called by the parser after it has bound the symbol and stepped past its name; the
    // current token is the one after the name.
    virtual Float80 ComputeValue() = 0;

  private:
    std::u16string FName;
    TExprLexer* FBoundLexer = nullptr;
    TExprEvalParser* FBoundParser = nullptr;
};
