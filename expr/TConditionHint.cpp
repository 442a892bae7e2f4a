#include "expr/TConditionHint.h"

#include "expr/AsciiCase.h"
#include "expr/CharClass.h"
#include "expr/TFormulaCheck.h"

#include <vector>

namespace
{
bool IsComparisonChar(char16_t c)
{
    return c == u'=' || c == u'<' || c == u'>';
}

// The text's parts between the logical operators outside every bracket, and whether each
// holds a comparison outside every bracket; Joins are the operators' texts with their blanks.
struct TParts
{
    std::vector<std::u16string_view> Parts;
    std::vector<std::u16string_view> Joins;
    std::vector<bool> Compares;
};

TParts Split(std::u16string_view Text)
{
    TParts Out;
    int Depth = 0;
    size_t Start = 0;
    bool Compares = false;
    for (size_t i = 0; i < Text.size();)
    {
        const char16_t c = Text[i];
        if (c == u'(')
            ++Depth;
        else if (c == u')')
            --Depth;
        else if (Depth == 0 && IsComparisonChar(c))
            Compares = true;
        else if (Depth == 0 && (IsIdentifierStart(c)))
        {
            size_t End = i;
            while (End < Text.size() && IsIdentifierChar(Text[End]))
                ++End;
            const std::u16string_view Word = Text.substr(i, End - i);
            if (EqualsAsciiCase(Word, std::string_view("and")) ||
                EqualsAsciiCase(Word, std::string_view("or")) ||
                EqualsAsciiCase(Word, std::string_view("xor")))
            {
                Out.Parts.push_back(Text.substr(Start, i - Start));
                Out.Compares.push_back(Compares);
                Out.Joins.push_back(Word);
                Start = End;
                Compares = false;
            }
            i = End;
            continue;
        }
        ++i;
    }
    Out.Parts.push_back(Text.substr(Start));
    Out.Compares.push_back(Compares);
    return Out;
}

// Part in brackets, its blanks outside them.
std::u16string Bracketed(std::u16string_view Part)
{
    size_t First = 0, Last = Part.size();
    while (First < Last && Part[First] == u' ')
        ++First;
    while (Last > First && Part[Last - 1] == u' ')
        --Last;
    std::u16string Out(Part.substr(0, First));
    Out += u'(';
    Out += Part.substr(First, Last - First);
    Out += u')';
    Out += Part.substr(Last);
    return Out;
}
} // namespace

std::optional<std::u16string> TConditionHint::Rewrite(std::u16string_view Text) const
{
    const TParts Split1 = Split(Text);
    size_t Comparing = 0;
    for (const bool c : Split1.Compares)
        Comparing += c;
    if (Split1.Joins.empty() || Comparing < 2)
        return std::nullopt;
    std::u16string Out;
    for (size_t i = 0; i < Split1.Parts.size(); ++i)
    {
        Out += Split1.Compares[i] ? Bracketed(Split1.Parts[i]) : std::u16string(Split1.Parts[i]);
        if (i < Split1.Joins.size())
            Out += Split1.Joins[i];
    }
    if (Check.Check(Out))
        return std::nullopt;
    return Out;
}
