// The formula grammar, lowest precedence first. Binary levels are left-associative loops;
// prefix operators nest to the right and bind tighter than every binary operator.
//
//   whole       = comparison End
//   comparison  = sum { ("=" | "<>" | "<" | "<=" | ">" | ">=" | "cmp") sum }
//   sum         = product { ("+" | "-" | "or" | "xor" | "bor" | "bxor") product }
//   product     = signed { ("*" | "/" | "div" | "mod" | "and" | "shl" | "shr" | "band") signed }
//   signed      = ("+" | "-" | "not" | "bnot") signed | factor
//   factor      = number | symbol | "(" comparison ")"
//   symbol      = identifier   (a function symbol reads its own "(" args ")")
//
// Keywords are identifiers compared without regard to ASCII letter case, recognised only
// where their level expects them; elsewhere they are ordinary names. Operands are
// evaluated left to right, each completely; "and", "or" and "xor" always evaluate both.
#include "expr/TExprEvalParser.h"
#include "expr/IntegerOps.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TDepthGuard.h"
#include "expr/TExprContext.h"
#include "expr/TExprLexer.h"
#include "expr/TExprSym.h"
#include "expr/Utf16.h"

#include <cmath>
#include <cstdint>

using IntegerOps::Round64;
using IntegerOps::TOperator;

namespace
{

Float80 Truth(bool b)
{
    return b ? 1 : 0;
}

// Binds a symbol to a lexer and parser while it computes, and gives back the previous
// binding however the computation ends: a symbol may occur inside its own arguments.
class TBindingGuard
{
  public:
    TBindingGuard(TExprSym& Symbol, TExprLexer* Lexer, TExprEvalParser* Parser)
        : FSymbol(Symbol), FSavedLexer(Symbol.BoundLexer()), FSavedParser(Symbol.BoundParser())
    {
        Symbol.SetBinding(Lexer, Parser);
    }
    ~TBindingGuard() { FSymbol.SetBinding(FSavedLexer, FSavedParser); }
    TBindingGuard(const TBindingGuard&) = delete;
    TBindingGuard& operator=(const TBindingGuard&) = delete;

  private:
    TExprSym& FSymbol;
    TExprLexer* FSavedLexer;
    TExprEvalParser* FSavedParser;
};
} // namespace

// whole = comparison End
Float80 TExprEvalParser::ParseWhole()
{
    Depth = 0;
    try
    {
        Float80 v = ParseComparison(false);
        // Left-over tokens are reported with the most recent number or identifier text, which
        // need not be the token left over ("2^3" names 2).
        if (FTokenSource->CurrentKind() != TTokenKind::End)
            RaiseUnknownSymbol(FTokenSource->LastText());
        return v;
    }
    // Every error of reading is raised at the current token, so that is where reading stopped.
    // A place set already belongs to another text read inside this one.
    catch (EExprEvalError& Error)
    {
        PlaceAtCurrentToken(Error);
        throw;
    }
    catch (EConvertError& Error)
    {
        PlaceAtCurrentToken(Error);
        throw;
    }
}

void TExprEvalParser::PlaceAtCurrentToken(Exception& Error) const
{
    if (!Error.Place())
        Error.SetPlace({FTokenSource->TokenStart(), FTokenSource->TokenEnd()});
}

// comparison = sum { ("=" | "<>" | "<" | "<=" | ">" | ">=" | "cmp") sum }
Float80 TExprEvalParser::ParseComparison(bool Skip)
{
    Float80 a = ParseSum(Skip);
    for (;;)
    {
        switch (FTokenSource->CurrentKind())
        {
        case TTokenKind::Equal:
            a = Truth(a == ParseSum(true));
            break;
        case TTokenKind::NotEqual:
            a = Truth(a != ParseSum(true));
            break;
        case TTokenKind::Less:
            a = Truth(a < ParseSum(true));
            break;
        case TTokenKind::LessEqual:
            a = Truth(a <= ParseSum(true));
            break;
        case TTokenKind::Greater:
            a = Truth(a > ParseSum(true));
            break;
        case TTokenKind::GreaterEqual:
            a = Truth(a >= ParseSum(true));
            break;
        default:
            if (!FTokenSource->AtKeyword("CMP"))
                return a;
            {
                Float80 b = ParseSum(true);
                a = a > b ? 1 : a < b ? -1 : 0;
            }
            break;
        }
    }
}

// sum = product { ("+" | "-" | "or" | "xor" | "bor" | "bxor") product }
Float80 TExprEvalParser::ParseSum(bool Skip)
{
    Float80 a = ParseProduct(Skip);
    for (;;)
    {
        switch (FTokenSource->CurrentKind())
        {
        case TTokenKind::Plus:
            a = FAdd(a, ParseProduct(true));
            break;
        case TTokenKind::Minus:
            a = FSub(a, ParseProduct(true));
            break;
        case TTokenKind::Identifier:
            if (FTokenSource->AtKeyword("OR"))
            {
                Float80 b = ParseProduct(true);
                a = Truth(b != 0 || a != 0);
            }
            else if (FTokenSource->AtKeyword("XOR"))
            {
                Float80 b = ParseProduct(true);
                a = Truth((a != 0) != (b != 0));
            }
            else if (FTokenSource->AtKeyword("BOR"))
                a = IntegerOps::Apply(TOperator::Bor, a, ParseProduct(true));
            else if (FTokenSource->AtKeyword("BXOR"))
                a = IntegerOps::Apply(TOperator::Bxor, a, ParseProduct(true));
            else
                return a;
            break;
        default:
            return a;
        }
    }
}

// product = signed { ("*" | "/" | "div" | "mod" | "and" | "shl" | "shr" | "band") signed }
Float80 TExprEvalParser::ParseProduct(bool Skip)
{
    Float80 a = ParseSignedFactor(Skip);
    for (;;)
    {
        switch (FTokenSource->CurrentKind())
        {
        case TTokenKind::Star:
            a = FMul(a, ParseSignedFactor(true));
            break;
        case TTokenKind::Slash:
            a = FDiv(a, ParseSignedFactor(true));
            break;
        case TTokenKind::Identifier:
            if (FTokenSource->AtKeyword("AND"))
            {
                Float80 b = ParseSignedFactor(true);
                a = Truth(a != 0 && b != 0);
                break;
            }
            {
                // The integer operators; Apply rounds the right operand before the left.
                TOperator Op;
                if (FTokenSource->AtKeyword("DIV"))
                    Op = TOperator::Div;
                else if (FTokenSource->AtKeyword("MOD"))
                    Op = TOperator::Mod;
                else if (FTokenSource->AtKeyword("SHL"))
                    Op = TOperator::Shl;
                else if (FTokenSource->AtKeyword("SHR"))
                    Op = TOperator::Shr;
                else if (FTokenSource->AtKeyword("BAND"))
                    Op = TOperator::Band;
                else
                    return a;
                a = IntegerOps::Apply(Op, a, ParseSignedFactor(true));
            }
            break;
        default:
            return a;
        }
    }
}

// signed = ("+" | "-" | "not" | "bnot") signed | factor
Float80 TExprEvalParser::ParseSignedFactor(bool Skip)
{
    // Every path of the recursion (parentheses, prefix operators, function arguments)
    // passes through here, so this is where the nesting is counted.
    TDepthGuard Guard(Depth);
    if (Skip)
        FTokenSource->Advance();
    switch (FTokenSource->CurrentKind())
    {
    case TTokenKind::Plus:
        return ParseSignedFactor(true);
    case TTokenKind::Minus:
        return -ParseSignedFactor(true);
    case TTokenKind::Identifier:
        if (FTokenSource->AtKeyword("NOT"))
            return Truth(ParseSignedFactor(true) == 0);
        if (FTokenSource->AtKeyword("BNOT"))
            return Float80(~Round64(ParseSignedFactor(true)));
        return ParseFactor();
    default:
        return ParseFactor();
    }
}

// factor = number | symbol | "(" comparison ")"
Float80 TExprEvalParser::ParseFactor()
{
    switch (FTokenSource->CurrentKind())
    {
    case TTokenKind::Number:
    {
        Float80 r = FTokenSource->NumberValue();
        FTokenSource->Advance();
        return r;
    }
    case TTokenKind::Identifier:
        return ParseSymbol();
    case TTokenKind::LParen:
    {
        Float80 r = ParseComparison(true);
        if (FTokenSource->CurrentKind() != TTokenKind::RParen)
            RaiseParseError(Msg::ParenExpected);
        FTokenSource->Advance();
        return r;
    }
    default:
        RaiseParseError(Msg::FactorExpected);
    }
}

// symbol = identifier, evaluated by the symbol registered under it
Float80 TExprEvalParser::ParseSymbol()
{
    const std::u16string& Name = FTokenSource->LastText();
    TExprSym* Symbol = FSymbolScope ? FSymbolScope->Lookup(Name) : nullptr;
    if (!Symbol)
        RaiseUnknownSymbol(Name);
    FTokenSource->Advance();
    TBindingGuard Binding(*Symbol, FTokenSource, this);
    return Symbol->ComputeValue();
}
