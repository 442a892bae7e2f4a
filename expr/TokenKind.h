#pragma once
// The kinds of token the lexer produces. The numeric values are part of the formula
// language: every character of the Latin-1 range that is not a blank, a digit, a letter
// or "_" has a kind of its own, and code units above U+00FF take the kind of their low byte.
#include <cstdint>

enum class TTokenKind : uint8_t
{
    End = 0,
    Number = 1,
    Identifier = 2,
    // 3..34 are never produced.
    NotEqual = 35,     // <>
    LessEqual = 36,    // <=
    GreaterEqual = 37, // >=
    Exclamation = 38,  // !
    DoubleQuote = 39,
    NumberSign = 40, // #
    Dollar = 41,
    Percent = 42,
    Ampersand = 43,
    Apostrophe = 44,
    LParen = 45,
    RParen = 46,
    Star = 47,
    Plus = 48,
    Comma = 49,
    Minus = 50,
    Period = 51,
    Slash = 52,
    Colon = 53,
    Semicolon = 54,
    Less = 55,
    Equal = 56,
    Greater = 57,
    Question = 58,
    At = 59,
    LBracket = 60,
    Backslash = 61,
    RBracket = 62,
    Caret = 63,
    BackQuote = 64,
    LBrace = 65,
    Bar = 66,
    RBrace = 67,
    Tilde = 68,
    Delete = 69, // U+007F
    // 70..197: one kind per character code 128..255, kind = code - 58.
    FirstHighChar = 70,
    LastHighChar = 197,
    Invalid = 198,
};

// The kind of a character code 128..255.
constexpr TTokenKind HighCharKind(unsigned Code)
{
    return TTokenKind(Code - 58);
}
