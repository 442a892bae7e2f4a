#pragma once
// The one ASCII case of the program: 'a'..'z' match 'A'..'Z', every other code unit matches
// only itself, whatever the locale. The C library's tolower follows the process locale and
// Qt's case folding follows Unicode (the Kelvin sign folds to 'k', and under a Turkish locale
// "i" is no lower-case "I"); names of the formula language, sections and keys of documents,
// file names of the recent-files list, file extensions and the words of documents and data
// files compare this way instead.
#include <cstddef>
#include <string_view>

// 'a'..'z' to 'A'..'Z', nothing else.
constexpr char16_t FoldAsciiCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

namespace AsciiCaseDetail
{
constexpr char16_t Unit(char16_t c)
{
    return c;
}
constexpr char16_t Unit(char c)
{
    return char16_t(static_cast<unsigned char>(c));
}

// The difference of the first folded units that differ, else of the lengths' order.
template <typename TLeft, typename TRight>
constexpr int Compare(std::basic_string_view<TLeft> Left, std::basic_string_view<TRight> Right)
{
    const size_t Common = Left.size() < Right.size() ? Left.size() : Right.size();
    for (size_t i = 0; i < Common; ++i)
        if (const int Difference = int(FoldAsciiCase(Unit(Left[i]))) - int(FoldAsciiCase(Unit(Right[i])));
            Difference != 0)
            return Difference;
    return Left.size() < Right.size() ? -1 : Left.size() > Right.size() ? 1 : 0;
}
} // namespace AsciiCaseDetail

// Negative, zero or positive as Left sorts before, equal to or after Right, unit by unit after
// folding (so "_" sorts after every letter).
constexpr int CompareAsciiCase(std::u16string_view Left, std::u16string_view Right)
{
    return AsciiCaseDetail::Compare(Left, Right);
}

constexpr bool EqualsAsciiCase(std::u16string_view Left, std::u16string_view Right)
{
    return Left.size() == Right.size() && AsciiCaseDetail::Compare(Left, Right) == 0;
}
// Right is 8-bit text: ASCII, or bytes compared as the code units U+0000..U+00FF.
constexpr bool EqualsAsciiCase(std::u16string_view Left, std::string_view Right)
{
    return Left.size() == Right.size() && AsciiCaseDetail::Compare(Left, Right) == 0;
}
constexpr bool EqualsAsciiCase(std::string_view Left, std::string_view Right)
{
    return Left.size() == Right.size() && AsciiCaseDetail::Compare(Left, Right) == 0;
}
