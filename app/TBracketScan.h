#pragma once
// The brackets around a place in a formula's text, as the editor shows them while the cursor
// moves: the bracket next to the cursor and its partner, and the function call the cursor
// stands in until its bracket closes. Only "(" and ")" are brackets in the formula language. A
// scan reads at most Reach characters from the cursor, so a key costs the same in any formula;
// what lies further is treated as unknown, never as unmatched.
#include <QString>
#include <QStringView>

#include <optional>

namespace TBracketScan
{
inline constexpr qsizetype Reach = 20000;

struct TPair
{
    qsizetype Bracket = -1; // the bracket beside the cursor, or -1 when there is none
    qsizetype Partner = -1; // its partner, or -1
    bool Unmatched = false; // no partner in the whole text (not only beyond the reach)
};

// The bracket just before the cursor, else the one just after it, with its partner.
TPair MatchAt(QStringView Text, qsizetype Cursor);

struct TCall
{
    QString Name;       // as written before the "("
    int Argument = 0;   // 0 for the first
    qsizetype Open = 0; // the "(" of the call
};

// The innermost call whose "(" lies before the cursor and is not closed before it.
std::optional<TCall> CallAt(QStringView Text, qsizetype Cursor);
} // namespace TBracketScan
