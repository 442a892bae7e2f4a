#include "expr/TimeSubstitution.h"

#include "expr/NumberText.h"
#include "expr/TokenRules.h"

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
            End = NumberEnd(Formula, At, Sep);
        else if (IsIdentifierStart(c))
        {
            End = IdentifierEnd(Formula, At);
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

std::u16string FormulaAtTime(std::u16string_view Formula, Float80 T, char16_t Sep)
{
    return SubstituteTime(Formula, FormatGeneral15(T, Sep), Sep);
}
