#include "expr/TExprAbstractFuncSym.h"

#include "expr/Errors.h"
#include "expr/TExprEvalParser.h"
#include "expr/TExprLexer.h"

Float80 TExprAbstractFuncSym::ReadFirstArgument()
{
    if (BoundLexer()->CurrentKind() != TTokenKind::LParen)
        RaiseParseError(Msg::FirstParameterExpected);
    return BoundParser()->ParseComparison(true);
}

Float80 TExprAbstractFuncSym::ReadNextArgument()
{
    if (BoundLexer()->CurrentKind() != TTokenKind::Comma)
        RaiseParseError(Msg::NextParameterExpected);
    return BoundParser()->ParseComparison(true);
}

void TExprAbstractFuncSym::CloseArguments()
{
    if (BoundLexer()->CurrentKind() != TTokenKind::RParen)
        RaiseParseError(Msg::CloseParametersExpected);
    BoundLexer()->Advance();
}
