#pragma once
// The lexer's face to the parser and the function symbols: exactly one current token and
// no look-ahead. The token's place in the text is kept only to say where reading stopped
// when a text fails (Exception::Place); nothing in the grammar looks at it.
#include "expr/AsciiCase.h"
#include "expr/Float80.h"
#include "expr/TokenKind.h"

#include <string>
#include <string_view>

class TExprLexer
{
  public:
    virtual ~TExprLexer() = default;

    TTokenKind CurrentKind() const { return FCurrentKind; }
    // The value of the most recent number token.
    Float80 NumberValue() const { return FNumberValue; }
    // The text of the most recent number or identifier token; other tokens leave it alone,
    // and a new text does not clear it (error messages quote it).
    const std::u16string& LastText() const { return FLastText; }
    // Where the current token begins and ends in the text, in code units; both are the end of
    // the text at End. A number the conversion rejects has its place set all the same.
    size_t TokenStart() const { return FTokenStart; }
    size_t TokenEnd() const { return FTokenEnd; }

    // Whether the current token is the keyword, given in upper-case ASCII: keywords are
    // identifiers that match after folding 'a'..'z' (not the C library's tolower, which
    // follows the process locale). The parser and the compiler recognise them by this alone.
    bool AtKeyword(std::string_view Keyword) const
    {
        return FCurrentKind == TTokenKind::Identifier && EqualsAsciiCase(FLastText, Keyword);
    }

    // Reads the next token. Fails only when a number text is rejected by the conversion.
    virtual void Advance() = 0;
    // Goes back to the start of the text and reads the first token.
    virtual void Rewind() { Advance(); }

  protected:
    // A derived lexer calls Rewind at the end of its own construction: a base constructor
    // cannot reach the derived scanner.
    TExprLexer() = default;

    TTokenKind FCurrentKind = TTokenKind::End;
    Float80 FNumberValue = 0;
    std::u16string FLastText;
    size_t FTokenStart = 0;
    size_t FTokenEnd = 0;
};
