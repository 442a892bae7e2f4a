#pragma once
// The evaluating parser: recursive descent, one operation per precedence level, computing
// while it parses. See the grammar at the top of TExprEvalParser.cpp.
#include "expr/Float80.h"
#include "expr/TDepthGuard.h"

class TExprContext;
class TExprLexer;

class TExprEvalParser
{
  public:
    // Nesting deeper than this (parentheses, prefix operators, function arguments) fails
    // with a parse error instead of exhausting the stack.
    static constexpr int MaxDepth = TDepthGuard::MaxDepth;

    explicit TExprEvalParser(TExprLexer* TokenSource) : FTokenSource(TokenSource) {}
    virtual ~TExprEvalParser() = default;

    TExprContext* SymbolScope() const { return FSymbolScope; }
    void SetSymbolScope(TExprContext* Scope) { FSymbolScope = Scope; }
    TExprLexer* TokenSource() const { return FTokenSource; }

    // Skip: step past the token that introduced the operand ("(", "," or an operator)
    // first. Every level leaves current the first token it did not consume.
    virtual Float80 ParseComparison(bool Skip);
    virtual Float80 ParseSum(bool Skip);
    virtual Float80 ParseProduct(bool Skip);
    virtual Float80 ParseSignedFactor(bool Skip);
    virtual Float80 ParseFactor();
    virtual Float80 ParseSymbol();
    // The whole text; the lexer must hold its first token.
    virtual Float80 ParseWhole();

  private:
    void PlaceAtCurrentToken(Exception& Error) const;

    TExprContext* FSymbolScope = nullptr;
    TExprLexer* FTokenSource;
    // Current nesting of ParseSignedFactor; back to 0 when a parse ends, also on error.
    int Depth = 0;
};
