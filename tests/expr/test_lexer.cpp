// The lexer and the number conversion: token streams, the low-byte rule, number runs
// under "." and "," and the exact conversion errors.
#include "ExprTestSupport.h"

#include "expr/TExprSimpleLexer.h"
#include "expr/TextToFloat.h"

#include <vector>

using namespace ExprTest;

namespace
{
struct TToken
{
    TTokenKind Kind;
    std::u16string Text; // checked for numbers and identifiers only

    bool operator==(const TToken& Other) const
    {
        bool HasText = Kind == TTokenKind::Number || Kind == TTokenKind::Identifier;
        return Kind == Other.Kind && (!HasText || Text == Other.Text);
    }
};

std::ostream& operator<<(std::ostream& Out, const TToken& t)
{
    return Out << int(t.Kind) << " '" << ToUtf8(t.Text) << "'";
}

TToken Num(const char16_t* Text)
{
    return {TTokenKind::Number, Text};
}
TToken Id(const char16_t* Text)
{
    return {TTokenKind::Identifier, Text};
}
TToken Kind(TTokenKind k)
{
    return {k, u""};
}
TToken Kind(int k)
{
    return {TTokenKind(k), u""};
}

// Every token up to and excluding End.
std::vector<TToken> Tokens(std::u16string_view Text, char16_t Separator)
{
    TExprSimpleLexer Lexer(Text, Separator);
    std::vector<TToken> Out;
    while (Lexer.CurrentKind() != TTokenKind::End && Out.size() < 100)
    {
        Out.push_back({Lexer.CurrentKind(), Lexer.LastText()});
        Lexer.Advance();
    }
    return Out;
}

struct TStreamCase
{
    const char* Name;
    std::u16string Text;
    char16_t Separator;
    std::vector<TToken> Expected;
};

void PrintTo(const TStreamCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

const TStreamCase StreamCases[] = {
    {"an empty text is at its end at once", u"", u'.', {}},
    {"blanks alone are the end", u" \t\r\n\v\f ", u'.', {}},
    {"a decimal number is one token", u"1.5", u'.', {Num(u"1.5")}},
    {"a trailing separator belongs to the number", u"1.", u'.', {Num(u"1.")}},
    {"an exponent without digits belongs to the number", u"2e", u'.', {Num(u"2e")}},
    {"an exponent sign without digits belongs to the number", u"2e+", u'.', {Num(u"2e+")}},
    {"a leading period is a token of its own", u".5", u'.', {Kind(51), Num(u"5")}},
    {"a comma separator joins digits", u"1,5", u',', {Num(u"1,5")}},
    {"a comma is a token under a period separator",
     u"1,5",
     u'.',
     {Num(u"1"), Kind(TTokenKind::Comma), Num(u"5")}},
    {"2,3 inside Power is one number under a comma separator",
     u"Power(2,3)",
     u',',
     {Id(u"Power"), Kind(TTokenKind::LParen), Num(u"2,3"), Kind(TTokenKind::RParen)}},
    {"a blank before the comma keeps it a comma",
     u"Power(2 ,3)",
     u',',
     {Id(u"Power"), Kind(45), Num(u"2"), Kind(49), Num(u"3"), Kind(46)}},
    {"a number then a name", u"2x", u'.', {Num(u"2"), Id(u"x")}},
    {"2ex reads the exponent letter into the number", u"2ex", u'.', {Num(u"2e"), Id(u"x")}},
    {"2exp(1) leaves xp as the name",
     u"2exp(1)",
     u'.',
     {Num(u"2e"), Id(u"xp"), Kind(45), Num(u"1"), Kind(46)}},
    {"digits continue a name", u"Sqrt0", u'.', {Id(u"Sqrt0")}},
    {"a superscript two ends a name and has its own kind", u"x\u00B2", u'.', {Id(u"x"), Kind(120)}},
    {"an accented letter continues a name", u"x\u00E9", u'.', {Id(u"x\u00E9")}},
    {"an accented letter cannot start a name", u"\u00E9x", u'.', {Kind(0xE9 - 58), Id(u"x")}},
    {"a surrogate ends a name; its low byte decides its kind",
     u"ab\xD835\xDC65",
     u'.',
     {Id(u"ab"), Kind(TTokenKind::Invalid), Kind(TTokenKind::Invalid)}},
    {"less-greater is not-equal", u"<>", u'.', {Kind(TTokenKind::NotEqual)}},
    {"comparison pairs and singles",
     u"< <= > >= =",
     u'.',
     {Kind(55), Kind(TTokenKind::LessEqual), Kind(57), Kind(TTokenKind::GreaterEqual), Kind(56)}},
    {"double equals is two tokens", u"==", u'.', {Kind(56), Kind(56)}},
    {"bang-equals is two tokens", u"!=", u'.', {Kind(38), Kind(56)}},
    {"a greater-less pair is two tokens", u"><", u'.', {Kind(57), Kind(55)}},
    {"there are no hexadecimal numbers", u"$FF", u'.', {Kind(41), Id(u"FF")}},
    {"caret and the punctuation kinds",
     u"!\"#%&'*+-/:;?@[\\]^`{|}~\x7F",
     u'.',
     {Kind(38), Kind(39), Kind(40), Kind(42), Kind(43), Kind(44), Kind(47), Kind(48),
      Kind(50), Kind(52), Kind(53), Kind(54), Kind(58), Kind(59), Kind(60), Kind(61),
      Kind(62), Kind(63), Kind(64), Kind(65), Kind(66), Kind(67), Kind(68), Kind(69)}},
    {"Latin-1 codes take code minus 58", u"\u0080\u00FF", u'.', {Kind(70), Kind(197)}},
    {"control characters are invalid",
     u"\x01\x08\x0E\x1F",
     u'.',
     {Kind(198), Kind(198), Kind(198), Kind(198)}},
    {"a wide unit takes the kind of its low byte",
     u"\u012B\u0128\u0129\u01B2",
     u'.',
     {Kind(TTokenKind::Plus), Kind(TTokenKind::LParen), Kind(TTokenKind::RParen), Kind(120)}},
    {"wide units whose low byte is a letter, digit, blank or underscore are invalid",
     u"\u0141\u0131\u0120\u015F\u0100\u0109",
     u'.',
     {Kind(198), Kind(198), Kind(198), Kind(198), Kind(198), Kind(198)}},
    {"a wide less-than does not pair with the next unit", u"\u013C=", u'.', {Kind(55), Kind(56)}},
    {"the text ends at an embedded NUL", std::u16string(u"1+\0+2", 5), u'.', {Num(u"1"), Kind(48)}},
};

class TokenStream : public testing::TestWithParam<TStreamCase>
{
};

TEST_P(TokenStream, GivesTheExpectedKindsAndTexts)
{
    const TStreamCase& c = GetParam();
    EXPECT_EQ(Tokens(c.Text, c.Separator), c.Expected) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Lexer, TokenStream, testing::ValuesIn(StreamCases));

struct TNumberCase
{
    const char* Name;
    std::u16string Text;
    char16_t Separator;
    Float80 Value;
};

void PrintTo(const TNumberCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

const TNumberCase NumberCases[] = {
    {"a plain decimal", u"1.5", u'.', 1.5L},
    {"a trailing separator", u"1.", u'.', 1.0L},
    {"an empty exponent is zero", u"2e", u'.', 2.0L},
    {"a signed empty exponent is zero", u"2e+", u'.', 2.0L},
    {"a negative exponent", u"2e-3", u'.', 2e-3L},
    {"a comma separator", u"1,5", u',', 1.5L},
    {"the exponent may reach 500", u"1e500", u'.', 1e500L},
    {"underflow is silent", u"1e-4999", u'.', 0.0L},
    {"a denormal survives", u"3.6e-4951", u'.', 3.6e-4951L},
    {"the largest finite value", u"1.18973149535723176502e4932", u'.', 1.18973149535723176502e4932L},
    {"long mantissas round correctly", u"0.1000000000000000000000000001", u'.',
     0.1000000000000000000000000001L},
    {"nineteen digits are exact", u"9999999999999999999", u'.', 9999999999999999999.0L},
    {"twenty digits round", u"18446744073709551617", u'.', 18446744073709551617.0L},
    {"a small fraction", u"0.1", u'.', 0.1L},
    {"many leading zeros in the exponent", u"1e0000000007", u'.', 1e7L},
};

class NumberToken : public testing::TestWithParam<TNumberCase>
{
};

TEST_P(NumberToken, HasTheCorrectlyRoundedValue)
{
    const TNumberCase& c = GetParam();
    TExprSimpleLexer Lexer(c.Text, c.Separator);
    ASSERT_EQ(Lexer.CurrentKind(), TTokenKind::Number) << c.Name;
    EXPECT_EQ(Exact(Lexer.NumberValue()), Exact(c.Value)) << c.Name;
    Lexer.Advance();
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::End) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Lexer, NumberToken, testing::ValuesIn(NumberCases));

struct TRejectedCase
{
    const char* Name;
    std::u16string Text;
    char16_t Separator;
    const char* Quoted;
};

void PrintTo(const TRejectedCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

const TRejectedCase RejectedCases[] = {
    {"an exponent past 500 leaves a digit unread", u"1e5000", u'.', "1e5000"},
    {"a negative exponent past 500 leaves a digit unread", u"1e-5000", u'.', "1e-5000"},
    {"an overflowing value", u"1e4999", u'.', "1e4999"},
    {"a period under a comma separator", u"1.5", u',', "1.5"},
    {"a period with nothing after it under a comma separator", u"2.", u',', "2."},
    {"a number after an operator", u"2+1e9999", u'.', "1e9999"},
};

class RejectedNumber : public testing::TestWithParam<TRejectedCase>
{
};

TEST_P(RejectedNumber, FailsTheConversionWithItsText)
{
    const TRejectedCase& c = GetParam();
    TExprSimpleLexer Lexer(u"", c.Separator);
    std::string Got = ErrorOf(
        [&]
        {
            Lexer.SetText(c.Text);
            while (Lexer.CurrentKind() != TTokenKind::End)
                Lexer.Advance();
        });
    EXPECT_EQ(Got, Error("EConvertError", Msg::InvalidFloat, c.Quoted)) << c.Name;
    EXPECT_EQ(ToUtf8(Lexer.LastText()), c.Quoted) << "the rejected text is already the last text";
}

INSTANTIATE_TEST_SUITE_P(Lexer, RejectedNumber, testing::ValuesIn(RejectedCases));

TEST(Lexer, KeepsTheKindWhenANumberIsRejected)
{
    TExprSimpleLexer Lexer(u"( 1e5000", u'.');
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::LParen);
    EXPECT_THROW(Lexer.Advance(), EConvertError);
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::LParen);
}

TEST(Lexer, StaysAtTheEndAndRewindsToTheStart)
{
    TExprSimpleLexer Lexer(u"a", u'.');
    Lexer.Advance();
    Lexer.Advance();
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::End);
    Lexer.Rewind();
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::Identifier);
    EXPECT_EQ(Lexer.LastText(), u"a");
}

TEST(Lexer, LastTextSurvivesOtherTokensAndNewTexts)
{
    TExprSimpleLexer Lexer(u"abc + (", u'.');
    Lexer.Advance();
    Lexer.Advance();
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::LParen);
    EXPECT_EQ(Lexer.LastText(), u"abc");
    Lexer.SetText(u"*");
    EXPECT_EQ(Lexer.CurrentKind(), TTokenKind::Star);
    EXPECT_EQ(Lexer.LastText(), u"abc");
}

// The conversion as the bound editors use it: blanks and a sign around the number.
struct TConversionCase
{
    const char* Name;
    std::u16string Text;
    char16_t Separator;
    Float80 Value;
};

void PrintTo(const TConversionCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

const TConversionCase ConversionCases[] = {
    {"a negative integer", u"-10", u'.', -10.0L},
    {"blanks around a decimal", u" 2.5 ", u'.', 2.5L},
    {"an explicit plus", u"+3", u'.', 3.0L},
    {"no digits before the separator", u".5", u'.', 0.5L},
    {"no digits after the separator", u"5.", u'.', 5.0L},
    {"a comma separator with a sign", u"-0,25", u',', -0.25L},
    {"negative zero keeps its sign", u"-0", u'.', -0.0L},
    {"a signed exponent with blanks", u"\t1.5e-2 ", u'.', 0.015L},
};

class Conversion : public testing::TestWithParam<TConversionCase>
{
};

TEST_P(Conversion, AcceptsEditorTexts)
{
    const TConversionCase& c = GetParam();
    Float80 v = TextToFloat(c.Text, c.Separator);
    EXPECT_EQ(Exact(v), Exact(c.Value)) << c.Name;
    EXPECT_EQ(std::signbit(v), std::signbit(c.Value)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(TextToFloat, Conversion, testing::ValuesIn(ConversionCases));

TEST(TextToFloat, RejectsTextsThatAreNotOneNumber)
{
    const std::u16string Rejected[] = {u"",    u"   ", u".",   u"-",   u"+.",  u"e5",  u"1e5x",  u"1 2",
                                       u"--1", u"1..", u"0x1", u"1,5", u"inf", u"nan", u"1e+-2", u"\u0661"};
    for (const auto& Text : Rejected)
        EXPECT_EQ(ErrorOf([&] { TextToFloat(Text, u'.'); }),
                  Error("EConvertError", Msg::InvalidFloat, ToUtf8(Text)))
            << ToUtf8(Text);
}
} // namespace
