#pragma once
// Compiles a formula text into a TExprProgram by running the grammar of TExprEvalParser
// once over the tokens. The parser's path depends only on the tokens, never on values, so
// one pass can emit every operation that the parser would perform, in its order. Where the
// parser would fail (a parse error, a number text the conversion rejects, the nesting
// limit), the program ends with an instruction raising that error, after all operations
// that the parser performs before it: those may fail first at run time.
#include "expr/Errors.h"
#include "expr/TExprSimpleLexer.h"

#include <memory>
#include <string_view>

class TExprContext;
class TExprProgram;

class TExprCompiler
{
  public:
    // Names are looked up in Scope while compiling: a program keeps the symbols (constant
    // values, variable storage, routines) that were registered at that moment.
    TExprCompiler(const TExprContext* Scope, char16_t DecimalSeparator);

    std::shared_ptr<const TExprProgram> Compile(std::u16string_view Text);

  private:
    // One method per level of the parser's grammar, each emitting what the parser computes.
    void CompileWhole();
    void CompileComparison(bool Skip);
    void CompileSum(bool Skip);
    void CompileProduct(bool Skip);
    void CompileSignedFactor(bool Skip);
    void CompileFactor();
    void CompileSymbol();
    // The current token's place in the text: where reading stopped when an error is caught.
    TTextPlace CurrentPlace() const;

    const TExprContext* FScope;
    TExprSimpleLexer FLexer;
    TExprProgram* FProgram = nullptr;
    int FDepth = 0;
};
