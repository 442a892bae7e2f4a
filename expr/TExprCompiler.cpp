#include "expr/TExprCompiler.h"

#include "expr/Errors.h"
#include "expr/TDepthGuard.h"
#include "expr/TExprBinary80FuncSym.h"
#include "expr/TExprConst80Sym.h"
#include "expr/TExprContext.h"
#include "expr/TExprEvalParser.h"
#include "expr/TExprProgram.h"
#include "expr/TExprUnary80FuncSym.h"
#include "expr/TExprVar80Sym.h"
#include "expr/Utf16.h"

namespace
{

// A symbol whose way of reading tokens the compiler does not know (a class of symbol other
// than constants, variables and the two function kinds).
struct TNotCompilable
{
};

} // namespace

TExprCompiler::TExprCompiler(const TExprContext* Scope, char16_t DecimalSeparator)
    : FScope(Scope), FLexer(u"", DecimalSeparator)
{
}

// Errors found while compiling are thrown as the parser throws them and caught here, where
// they become the program's last instruction: everything emitted so far runs before them.
std::shared_ptr<const TExprProgram> TExprCompiler::Compile(std::u16string_view Text)
{
    auto Program = std::make_shared<TExprProgram>();
    FProgram = Program.get();
    FDepth = 0;
    try
    {
        FLexer.SetText(Text);
        CompileWhole();
    }
    // Reading stopped at the current token, as in the parser.
    catch (const EExprEvalError& Error)
    {
        Program->EmitRaise(TExprProgram::TErrorKind::Parse, Error.Message(), CurrentPlace());
    }
    catch (const EConvertError& Error)
    {
        Program->EmitRaise(TExprProgram::TErrorKind::Convert, Error.Message(), CurrentPlace());
    }
    catch (const TNotCompilable&)
    {
        *Program = TExprProgram::ReadingText(Text);
    }
    Program->Finish();
    FLexer.ReleaseText();
    FProgram = nullptr;
    return Program;
}

TTextPlace TExprCompiler::CurrentPlace() const
{
    return {FLexer.TokenStart(), FLexer.TokenEnd()};
}

// whole = comparison End
void TExprCompiler::CompileWhole()
{
    CompileComparison(false);
    // Left-over tokens name the most recent number or identifier text, as in the parser.
    if (FLexer.CurrentKind() != TTokenKind::End)
        RaiseUnknownSymbol(FLexer.LastText());
}

// comparison = sum { ("=" | "<>" | "<" | "<=" | ">" | ">=" | "cmp") sum }
void TExprCompiler::CompileComparison(bool Skip)
{
    CompileSum(Skip);
    for (;;)
    {
        TExprOpCode Code;
        switch (FLexer.CurrentKind())
        {
        case TTokenKind::Equal:
            Code = TExprOpCode::Equal;
            break;
        case TTokenKind::NotEqual:
            Code = TExprOpCode::NotEqual;
            break;
        case TTokenKind::Less:
            Code = TExprOpCode::Less;
            break;
        case TTokenKind::LessEqual:
            Code = TExprOpCode::LessEqual;
            break;
        case TTokenKind::Greater:
            Code = TExprOpCode::Greater;
            break;
        case TTokenKind::GreaterEqual:
            Code = TExprOpCode::GreaterEqual;
            break;
        default:
            if (!FLexer.AtKeyword("CMP"))
                return;
            Code = TExprOpCode::Cmp;
            break;
        }
        CompileSum(true);
        FProgram->Emit(Code);
    }
}

// sum = product { ("+" | "-" | "or" | "xor" | "bor" | "bxor") product }
void TExprCompiler::CompileSum(bool Skip)
{
    CompileProduct(Skip);
    for (;;)
    {
        TExprOpCode Code;
        if (FLexer.CurrentKind() == TTokenKind::Plus)
            Code = TExprOpCode::Add;
        else if (FLexer.CurrentKind() == TTokenKind::Minus)
            Code = TExprOpCode::Sub;
        else if (FLexer.AtKeyword("OR"))
            Code = TExprOpCode::Or;
        else if (FLexer.AtKeyword("XOR"))
            Code = TExprOpCode::Xor;
        else if (FLexer.AtKeyword("BOR"))
            Code = TExprOpCode::Bor;
        else if (FLexer.AtKeyword("BXOR"))
            Code = TExprOpCode::Bxor;
        else
            return;
        CompileProduct(true);
        FProgram->Emit(Code);
    }
}

// product = signed { ("*" | "/" | "div" | "mod" | "and" | "shl" | "shr" | "band") signed }
void TExprCompiler::CompileProduct(bool Skip)
{
    CompileSignedFactor(Skip);
    for (;;)
    {
        TExprOpCode Code;
        if (FLexer.CurrentKind() == TTokenKind::Star)
            Code = TExprOpCode::Mul;
        else if (FLexer.CurrentKind() == TTokenKind::Slash)
            Code = TExprOpCode::Div;
        else if (FLexer.AtKeyword("AND"))
            Code = TExprOpCode::And;
        else if (FLexer.AtKeyword("DIV"))
            Code = TExprOpCode::IntDiv;
        else if (FLexer.AtKeyword("MOD"))
            Code = TExprOpCode::IntMod;
        else if (FLexer.AtKeyword("SHL"))
            Code = TExprOpCode::Shl;
        else if (FLexer.AtKeyword("SHR"))
            Code = TExprOpCode::Shr;
        else if (FLexer.AtKeyword("BAND"))
            Code = TExprOpCode::Band;
        else
            return;
        CompileSignedFactor(true);
        FProgram->Emit(Code);
    }
}

// signed = ("+" | "-" | "not" | "bnot") signed | factor
void TExprCompiler::CompileSignedFactor(bool Skip)
{
    // The nesting is counted before the skipped token is read, as in the parser.
    TDepthGuard Guard(FDepth);
    if (Skip)
        FLexer.Advance();
    switch (FLexer.CurrentKind())
    {
    case TTokenKind::Plus:
        return CompileSignedFactor(true);
    case TTokenKind::Minus:
        CompileSignedFactor(true);
        return FProgram->Emit(TExprOpCode::Negate);
    case TTokenKind::Identifier:
        if (FLexer.AtKeyword("NOT"))
        {
            CompileSignedFactor(true);
            return FProgram->Emit(TExprOpCode::Not);
        }
        if (FLexer.AtKeyword("BNOT"))
        {
            CompileSignedFactor(true);
            return FProgram->Emit(TExprOpCode::Bnot);
        }
        return CompileFactor();
    default:
        return CompileFactor();
    }
}

// factor = number | symbol | "(" comparison ")"
void TExprCompiler::CompileFactor()
{
    switch (FLexer.CurrentKind())
    {
    case TTokenKind::Number:
        FProgram->EmitConst(FLexer.NumberValue());
        FLexer.Advance();
        return;
    case TTokenKind::Identifier:
        return CompileSymbol();
    case TTokenKind::LParen:
        CompileComparison(true);
        if (FLexer.CurrentKind() != TTokenKind::RParen)
            RaiseParseError(Msg::ParenExpected);
        FLexer.Advance();
        return;
    default:
        RaiseParseError(Msg::FactorExpected);
    }
}

// symbol = identifier, with the arguments of a function read as its symbol reads them
void TExprCompiler::CompileSymbol()
{
    const TExprSym* Symbol = FScope ? FScope->Lookup(FLexer.LastText()) : nullptr;
    if (!Symbol)
        RaiseUnknownSymbol(FLexer.LastText());
    FLexer.Advance();
    if (const auto* Constant = dynamic_cast<const TExprConst80Sym*>(Symbol))
        return FProgram->EmitConst(Constant->ConstValue());
    if (const auto* Variable = dynamic_cast<const TExprVar80Sym*>(Symbol))
        return FProgram->EmitLoad(Variable->Storage());
    const auto* Unary = dynamic_cast<const TExprUnary80FuncSym*>(Symbol);
    const auto* Binary = dynamic_cast<const TExprBinary80FuncSym*>(Symbol);
    if (!Unary && !Binary)
        throw TNotCompilable{};

    if (FLexer.CurrentKind() != TTokenKind::LParen)
        RaiseParseError(Msg::FirstParameterExpected);
    CompileComparison(true);
    if (Unary)
        // The routine runs before the closing parenthesis is checked: "Ln(0" fails in Ln.
        FProgram->EmitCall1(Unary->Routine());
    else
    {
        if (FLexer.CurrentKind() != TTokenKind::Comma)
            RaiseParseError(Msg::NextParameterExpected);
        CompileComparison(true);
    }
    if (FLexer.CurrentKind() != TTokenKind::RParen)
        RaiseParseError(Msg::CloseParametersExpected);
    // Stepping past ")" reads the next token, which may fail its conversion before a
    // two-argument routine runs.
    FLexer.Advance();
    if (Binary)
        FProgram->EmitCall2(Binary->Routine());
}
