#include "expr/Utf16.h"

namespace
{
void AppendUtf8(std::string& Out, char32_t c)
{
    if (c < 0x80)
        Out += char(c);
    else if (c < 0x800)
    {
        Out += char(0xC0 | (c >> 6));
        Out += char(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        Out += char(0xE0 | (c >> 12));
        Out += char(0x80 | ((c >> 6) & 0x3F));
        Out += char(0x80 | (c & 0x3F));
    }
    else
    {
        Out += char(0xF0 | (c >> 18));
        Out += char(0x80 | ((c >> 12) & 0x3F));
        Out += char(0x80 | ((c >> 6) & 0x3F));
        Out += char(0x80 | (c & 0x3F));
    }
}

// The smallest character that needs a sequence of Length bytes.
char32_t MinimumOfLength(int Length)
{
    return Length <= 1 ? 0 : Length == 2 ? 0x80 : Length == 3 ? 0x800 : 0x10000;
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
} // namespace

std::string ToUtf8(std::u16string_view Text)
{
    std::string Out;
    Out.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i)
    {
        char16_t c = Text[i];
        if (IsHighSurrogate(c) && i + 1 < Text.size() && IsLowSurrogate(Text[i + 1]))
        {
            AppendUtf8(Out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(Text[i + 1]) - 0xDC00));
            ++i;
        }
        else if (IsHighSurrogate(c) || IsLowSurrogate(c))
            AppendUtf8(Out, 0xFFFD);
        else
            AppendUtf8(Out, c);
    }
    return Out;
}

std::u16string FromUtf8(std::string_view Text)
{
    std::u16string Out;
    Out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size())
    {
        unsigned char b = Text[i];
        int Length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t c = Length == 1 ? b : Length == 2 ? (b & 0x1F) : Length == 3 ? (b & 0x0F) : (b & 0x07);
        bool Valid = Length > 0 && i + Length <= Text.size();
        for (int k = 1; Valid && k < Length; ++k)
        {
            unsigned char n = Text[i + k];
            Valid = (n & 0xC0) == 0x80;
            c = (c << 6) | (n & 0x3F);
        }
        // An overlong form (C0 B1 for "1", C0 8A for a line break) would let other bytes stand
        // for a character than the one that is checked for; surrogates are not characters.
        if (Valid && (c < MinimumOfLength(Length) || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
            Valid = false;
        if (!Valid)
        {
            Out += char16_t(0xFFFD);
            ++i;
            continue;
        }
        if (c >= 0x10000)
        {
            c -= 0x10000;
            Out += char16_t(0xD800 + (c >> 10));
            Out += char16_t(0xDC00 + (c & 0x3FF));
        }
        else
            Out += char16_t(c);
        i += Length;
    }
    return Out;
}
