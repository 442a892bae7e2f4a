#include "expr/TimeSubstitution.h"

#include "expr/CharClass.h"

namespace
{
// The end of the number run that starts with a digit at Start: digits, an optional
// "." or separator with digits, an optional exponent letter, sign and digits. The run
// must be skipped as a whole, or the "e" of 2e5 would look like an identifier.
size_t SkipNumber(std::u16string_view Text, size_t At, char16_t Sep)
{
    auto SkipDigits = [&] {
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

size_t SkipIdentifier(std::u16string_view Text, size_t At)
{
    ++At;
    while (At < Text.size() && IsIdentifierChar(Text[At]))
        ++At;
    return At;
}
} // namespace

std::u16string SubstituteTime(std::u16string_view Formula, std::u16string_view TimeText, char16_t Sep)
{
    if (Formula.find(u't') == std::u16string_view::npos)
        return std::u16string(Formula);
    std::u16string Out;
    Out.reserve(Formula.size() + TimeText.size());
    size_t At = 0;
    while (At < Formula.size())
    {
        const char16_t c = Formula[At];
        if (c == u'\0')
        {
            // The lexer never reads past a NUL; neither does the substitution.
            Out.append(Formula.substr(At));
            break;
        }
        size_t End = At + 1;
        if (IsAsciiDigit(c))
            End = SkipNumber(Formula, At, Sep);
        else if (IsIdentifierStart(c))
        {
            End = SkipIdentifier(Formula, At);
            if (End - At == 1 && c == u't')
            {
                Out += TimeText;
                At = End;
                continue;
            }
        }
        Out.append(Formula.substr(At, End - At));
        At = End;
    }
    return Out;
}
