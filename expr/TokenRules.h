#pragma once
// Where a number and an identifier end: the lexer reads its tokens by these rules, and the time
// substitution finds the identifiers by them, so the two always see the same tokens. A text ends
// at its end; a NUL is no digit and no name character, so a run stops there too.
#include "expr/CharClass.h"

#include <string_view>

// The end of the number that starts with a digit at At:
//   digits [ ("." | separator) digits ] [ ("e" | "E") [ "+" | "-" ] digits ]
// A "." is taken even when the separator is another character; the conversion then rejects the
// text. The run is taken whole, or the "e" of 2e5 would look like an identifier.
inline size_t NumberEnd(std::u16string_view Text, size_t At, char16_t Sep)
{
    const auto SkipDigits = [&]
    {
        while (At < Text.size() && IsAsciiDigit(Text[At]))
            ++At;
    };
    SkipDigits();
    if (At < Text.size() && (Text[At] == u'.' || Text[At] == Sep))
    {
        ++At;
        SkipDigits();
    }
    if (At < Text.size() && (Text[At] == u'e' || Text[At] == u'E'))
    {
        ++At;
        if (At < Text.size() && (Text[At] == u'+' || Text[At] == u'-'))
            ++At;
        SkipDigits();
    }
    return At;
}

// The end of the identifier whose first character (IsIdentifierStart) is at At.
inline size_t IdentifierEnd(std::u16string_view Text, size_t At)
{
    ++At;
    while (At < Text.size() && IsIdentifierChar(Text[At]))
        ++At;
    return At;
}
