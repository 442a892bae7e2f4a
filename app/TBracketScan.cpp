#include "app/TBracketScan.h"

#include <algorithm>

namespace TBracketScan
{
namespace
{
bool IsNameChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

// The partner of the bracket at At, reading away from it; -1 when not found within the reach.
// Whole: the search met the end of the text rather than the end of the reach.
qsizetype Partner(QStringView Text, qsizetype At, bool& Whole)
{
    const bool Forward = Text[At] == u'(';
    const qsizetype Step = Forward ? 1 : -1;
    const qsizetype Stop = Forward ? std::min(Text.size(), At + Reach) : std::max<qsizetype>(-1, At - Reach);
    Whole = Forward ? Stop == Text.size() : Stop == -1;
    int Depth = 0;
    for (qsizetype i = At; i != Stop; i += Step)
    {
        if (Text[i] == u'(')
            Depth += Step;
        else if (Text[i] == u')')
            Depth -= Step;
        if (Depth == 0)
            return i;
    }
    return -1;
}
} // namespace

TPair MatchAt(QStringView Text, qsizetype Cursor)
{
    TPair Pair;
    const auto IsBracket = [&](qsizetype i)
    { return i >= 0 && i < Text.size() && (Text[i] == u'(' || Text[i] == u')'); };
    if (IsBracket(Cursor - 1))
        Pair.Bracket = Cursor - 1;
    else if (IsBracket(Cursor))
        Pair.Bracket = Cursor;
    else
        return Pair;
    bool Whole = false;
    Pair.Partner = Partner(Text, Pair.Bracket, Whole);
    Pair.Unmatched = Pair.Partner < 0 && Whole;
    return Pair;
}

std::optional<TCall> CallAt(QStringView Text, qsizetype Cursor)
{
    int Depth = 0, Argument = 0;
    const qsizetype Stop = std::max<qsizetype>(0, Cursor - Reach);
    for (qsizetype i = std::min(Cursor, Text.size()) - 1; i >= Stop; --i)
    {
        const QChar c = Text[i];
        if (c == u')')
            ++Depth;
        else if (c == u',' && Depth == 0)
            ++Argument;
        else if (c == u'(' && Depth-- == 0)
        {
            qsizetype End = i;
            while (End > 0 && Text[End - 1].isSpace())
                --End;
            qsizetype Start = End;
            while (Start > 0 && IsNameChar(Text[Start - 1]))
                --Start;
            // A name starts with a letter or "_"; "2(" is a product, not a call.
            if (Start == End || Text[Start].isDigit())
                return std::nullopt;
            return TCall{Text.mid(Start, End - Start).toString(), Argument, i};
        }
    }
    return std::nullopt;
}
} // namespace TBracketScan
