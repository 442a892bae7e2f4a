#include "expr/TExprSimpleLexer.h"

#include "expr/CharClass.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "expr/TokenRules.h"

#include <array>

namespace
{
// A character of a name below U+0080.
constexpr bool IsAsciiNameChar(unsigned c)
{
    return IsAsciiDigit(char16_t(c)) || IsIdentifierStart(char16_t(c));
}

// The kind of every character code 0..255 that reaches the table: the characters that
// have no rule of their own, and the low byte of every code unit above U+00FF. Blanks,
// control characters, digits, letters and "_" are Invalid here (the actual blanks, digits
// and letters below U+0100 are taken by the scanner before the table is consulted).
constexpr std::array<TTokenKind, 256> LowByteKinds = []
{
    std::array<TTokenKind, 256> k{};
    for (auto& Kind : k)
        Kind = TTokenKind::Invalid;
    uint8_t Next = uint8_t(TTokenKind::Exclamation);
    for (unsigned c = 0x21; c <= 0x7F; ++c)
        if (!IsAsciiNameChar(c))
            k[c] = TTokenKind(Next++);
    for (unsigned c = 0x80; c <= 0xFF; ++c)
        k[c] = HighCharKind(c);
    return k;
}();
static_assert(LowByteKinds[u'!'] == TTokenKind::Exclamation && LowByteKinds[0x7F] == TTokenKind::Delete);
static_assert(LowByteKinds[u'^'] == TTokenKind::Caret && LowByteKinds[u'`'] == TTokenKind::BackQuote);
} // namespace

TExprSimpleLexer::TExprSimpleLexer(std::u16string_view InitialText, char16_t DecimalSeparator)
    : SourceText(InitialText), FDecimalSeparator(DecimalSeparator)
{
    Rewind();
}

void TExprSimpleLexer::SetText(std::u16string_view Text)
{
    SourceText = Text;
    Rewind();
}

void TExprSimpleLexer::ReleaseText()
{
    SourceText = {};
    FCursor = 0;
}

void TExprSimpleLexer::Rewind()
{
    FCursor = 0;
    TExprLexer::Rewind();
}

void TExprSimpleLexer::Advance()
{
    SkipBlanks();
    FTokenStart = FCursor;
    ReadToken();
    FTokenEnd = FCursor;
}

void TExprSimpleLexer::ReadToken()
{
    const char16_t c = Peek();
    if (c == u'\0')
    {
        // The cursor stays on the end, so every further token is End again.
        FCurrentKind = TTokenKind::End;
        return;
    }
    if (IsAsciiDigit(c))
        return ReadNumber();
    if (IsIdentifierStart(c))
        return ReadIdentifier();
    if (c == u'<')
    {
        const char16_t d = Peek(1);
        FCurrentKind = d == u'='   ? TTokenKind::LessEqual
                       : d == u'>' ? TTokenKind::NotEqual
                                   : TTokenKind::Less;
        FCursor += FCurrentKind == TTokenKind::Less ? 1 : 2;
        return;
    }
    if (c == u'>')
    {
        const bool WithEqual = Peek(1) == u'=';
        FCurrentKind = WithEqual ? TTokenKind::GreaterEqual : TTokenKind::Greater;
        FCursor += WithEqual ? 2 : 1;
        return;
    }
    FCurrentKind = LowByteKinds[c & 0xFF];
    ++FCursor;
}

void TExprSimpleLexer::SkipBlanks()
{
    while (IsBlank(Peek()))
        ++FCursor;
}

// digits [ ("." | separator) digits ] [ ("e" | "E") [ "+" | "-" ] digits ], by NumberEnd
void TExprSimpleLexer::ReadNumber()
{
    const size_t Start = FCursor;
    FCursor = NumberEnd(SourceText, FCursor, FDecimalSeparator);
    FLastText.assign(SourceText.substr(Start, FCursor - Start));
    FTokenEnd = FCursor;
    // On a rejected text LastText and the place already hold it and the kind stays as it was.
    // The first token is read by SetText, before any parse begins: the error carries its place.
    try
    {
        FNumberValue = TextToFloat(FLastText, FDecimalSeparator);
    }
    catch (EConvertError& Error)
    {
        Error.SetPlace({Start, FCursor});
        throw;
    }
    FCurrentKind = TTokenKind::Number;
}

void TExprSimpleLexer::ReadIdentifier()
{
    const size_t Start = FCursor;
    FCursor = IdentifierEnd(SourceText, FCursor);
    FLastText.assign(SourceText.substr(Start, FCursor - Start));
    FCurrentKind = TTokenKind::Identifier;
}
