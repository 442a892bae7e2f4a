#pragma once
// Character classes of the formula language, shared by the lexer and the time substitution.

constexpr bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr bool IsAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The first character of an identifier: an ASCII letter or "_".
constexpr bool IsIdentifierStart(char16_t c)
{
    return IsAsciiLetter(c) || c == u'_';
}

// Characters after the first one: the XML 1.1 name characters without "-", "." and ":".
// Surrogate code units end an identifier.
inline bool IsIdentifierChar(char16_t c)
{
    if (c < 0x80)
        return IsAsciiDigit(c) || IsIdentifierStart(c);
    return c == 0xB7 || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x203F && c <= 0x2040) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD);
}

// White space between tokens: U+0009 to U+000D and U+0020.
inline bool IsBlank(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20;
}
