#pragma once
// The lexer of the formula language over one UTF-16 text.
#include "expr/TExprLexer.h"

#include <string_view>

class TExprSimpleLexer final : public TExprLexer
{
  public:
    // The text is not copied: it must stay valid while tokens are read from it.
    TExprSimpleLexer(std::u16string_view InitialText, char16_t DecimalSeparator);

    // Position of the next unread code unit in the text.
    size_t Cursor() const { return FCursor; }
    char16_t DecimalSeparator() const { return FDecimalSeparator; }

    // Stores the text and reads its first token (which may already fail its conversion).
    void SetText(std::u16string_view Text);
    // Forgets the text without touching the current token; further tokens are all End.
    void ReleaseText();

    void Advance() override;
    void Rewind() override;

  private:
    // The text ends at its end or at the first NUL, whichever comes first.
    char16_t Peek(size_t Offset = 0) const
    {
        size_t At = FCursor + Offset;
        return At < SourceText.size() ? SourceText[At] : u'\0';
    }
    void SkipBlanks();
    void ReadToken();
    void ReadNumber();
    void ReadIdentifier();

    size_t FCursor = 0;
    std::u16string_view SourceText;
    char16_t FDecimalSeparator;
};
