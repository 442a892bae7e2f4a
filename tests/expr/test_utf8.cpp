// The UTF-8 reader of formulas and command lines: every byte sequence that is not the shortest
// form of a character reads as U+FFFD, so no other bytes can stand for a digit, an operator or
// a line break.
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <string>

TEST(FromUtf8, ReadsOnlyTheShortestFormOfEachCharacter)
{
    const struct
    {
        const char* Name;
        std::string Bytes;
        std::u16string Text;
    } Cases[] = {
        {"ASCII", "x+1", u"x+1"},
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"\u00E9\u20AC\U0001F600"},
        {"the largest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"overlong digit one", "\xC0\xB1", u"\uFFFD\uFFFD"},
        {"overlong line break", "1\xC0\x8A+2", u"1\uFFFD\uFFFD+2"},
        {"overlong three-byte slash", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"overlong four-byte character", "\xF0\x82\x82\xAC", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"shortest two-byte form", "\xC2\x80", u"\u0080"},
        {"encoded high surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded low surrogate", "\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"stray continuation byte",
         "a\x80"
         "b",
         u"a\uFFFDb"},
        {"cut-off sequence at the end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"bytes that never start a sequence", "\xF8\xFF", u"\uFFFD\uFFFD"},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(FromUtf8(Case.Bytes), Case.Text) << Case.Name;
}

TEST(FromUtf8, RoundTripsThroughToUtf8)
{
    const std::u16string Text = u"Sin(x)\u00B7\U0001D453\uFFFD";
    EXPECT_EQ(FromUtf8(ToUtf8(Text)), Text);
}
