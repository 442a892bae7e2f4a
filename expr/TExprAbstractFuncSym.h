#pragma once
// Base of the function symbols: reads "(" argument { "," argument } ")" through the bound
// lexer and parser, one helper per piece.
#include "expr/TExprSym.h"

class TExprAbstractFuncSym : public TExprSym
{
  public:
    using TExprSym::TExprSym;

  protected:
    // "(" and one complete expression; the token after the expression stays current.
    Float80 ReadFirstArgument();
    // "," and one complete expression.
    Float80 ReadNextArgument();
    // ")", stepped past.
    void CloseArguments();
};
