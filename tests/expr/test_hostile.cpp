// Formulas and number texts that nobody types but anybody can paste or load: enormous,
// pathologically nested, with NULs and lone surrogates, and evaluated while the C library
// runs under a locale whose decimal point is "," or whose case rules are Turkish.
#include "ExprTestSupport.h"

#include "expr/FunctionLibrary.h"
#include "expr/NumberText.h"
#include "expr/TExprEvalParser.h"
#include "expr/TextToFloat.h"

#include <pthread.h>

#include <clocale>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace
{
using namespace ExprTest;

constexpr size_t TenMillion = 10'000'000;

// The plot's own evaluator: "Pi", the whole library, "x".
struct TPlotEvaluator
{
    explicit TPlotEvaluator(char16_t Sep = u'.') : Evaluator(MakePlotEvaluator(Sep, &X)) {}
    std::string Result(std::u16string_view Text)
    {
        std::string Outcome = ErrorOf([&] { Value = Evaluator->EvaluateText(Text); });
        return Outcome == "no error" ? Exact(Value) : Outcome;
    }
    Float80 X = 0.5L;
    Float80 Value = 0;
    std::unique_ptr<TEvaluator> Evaluator;
};

std::string Parse(std::string_view Message, std::string_view Argument = {})
{
    return Error("EExprEvalError", Message, Argument);
}

std::u16string Repeat(std::u16string_view Piece, size_t Times)
{
    std::u16string s;
    s.reserve(Piece.size() * Times);
    for (size_t i = 0; i < Times; ++i)
        s += Piece;
    return s;
}

// Pieces joined into one text (GCC 12 warns falsely on literal + string of this size).
std::u16string Join(std::initializer_list<std::u16string_view> Pieces)
{
    std::u16string s;
    for (auto Piece : Pieces)
        s.append(Piece);
    return s;
}

// Runs Work on a thread with a stack of StackBytes, as a worker thread of the program
// would have: the nesting limit must keep the parser's recursion well inside it.
bool RunWithStack(size_t StackBytes, const std::function<void()>& Work)
{
    pthread_attr_t Attr;
    pthread_attr_init(&Attr);
    pthread_attr_setstacksize(&Attr, StackBytes);
    pthread_t Thread;
    auto Entry = [](void* Arg) -> void*
    {
        (*static_cast<const std::function<void()>*>(Arg))();
        return nullptr;
    };
    const bool Started =
        pthread_create(&Thread, &Attr, Entry, const_cast<std::function<void()>*>(&Work)) == 0;
    pthread_attr_destroy(&Attr);
    if (Started)
        pthread_join(Thread, nullptr);
    return Started;
}

TEST(HostileFormula, MillionFoldNestingFailsCleanlyWithTheFullLibrary)
{
    constexpr size_t Deep = 1'000'000;
    TPlotEvaluator t;
    const std::u16string Texts[] = {
        std::u16string(Deep, u'(') + u"x" + std::u16string(Deep, u')'),
        std::u16string(Deep, u'+') + u"1",
        Repeat(u"Sin(", Deep) + u"x" + std::u16string(Deep, u')'),
        Repeat(u"Power(x,", Deep) + u"2" + std::u16string(Deep, u')'),
        Repeat(u"bnot ", Deep) + u"1",
        // Unclosed: the depth limit must strike before the missing parentheses are noticed.
        std::u16string(Deep, u'('),
    };
    for (const auto& Text : Texts)
        EXPECT_EQ(t.Result(Text), Parse(Msg::NestingTooDeep)) << ToUtf8(Text.substr(0, 12));
    EXPECT_EQ(t.Result(u"Sin(0)"), Exact(0)) << "the evaluator is still usable";
}

TEST(HostileFormula, NestingAtTheLimitFitsASmallThreadStack)
{
    // 512 KiB is the stack of a secondary thread on some systems; even under AddressSanitizer's
    // larger frames the deepest text the parser accepts, and one it refuses, must fit.
    constexpr size_t Stack = 512 * 1024;
    const size_t Levels = TExprEvalParser::MaxDepth - 1;
    const std::u16string Deepest[] = {
        std::u16string(Levels, u'(') + u"x" + std::u16string(Levels, u')'),
        std::u16string(Levels, u'-') + u"x",
        Repeat(u"Abs(", Levels / 2) + u"x" + std::u16string(Levels / 2, u')'),
    };
    for (const auto& Text : Deepest)
    {
        std::string AtLimit, PastLimit;
        ASSERT_TRUE(RunWithStack(Stack,
                                 [&]
                                 {
                                     TPlotEvaluator t;
                                     AtLimit = t.Result(Text);
                                     PastLimit =
                                         t.Result(std::u16string(TExprEvalParser::MaxDepth, u'(') + Text);
                                 }));
        EXPECT_EQ(AtLimit.rfind("E", 0), std::string::npos)
            << AtLimit << " for " << ToUtf8(Text.substr(0, 8));
        EXPECT_EQ(PastLimit, Parse(Msg::NestingTooDeep));
    }
}

TEST(HostileFormula, TenMillionCharacterTextsEvaluateOrFailCleanly)
{
    TPlotEvaluator t;
    const std::u16string Digits(TenMillion, u'9');

    struct TCase
    {
        const char* Name;
        std::u16string Text;
        std::string Expected;
    };
    const TCase Cases[] = {
        {"a long sum", Join({u"0", Repeat(u"+x", TenMillion / 2)}), Exact(Float80(TenMillion / 2) * 0.5L)},
        {"blanks around one number",
         Join({std::u16string(TenMillion, u' '), u"7", std::u16string(TenMillion, u'\t')}), Exact(7)},
        {"ten million nines overflow", Digits, Error("EConvertError", Msg::InvalidFloat, ToUtf8(Digits))},
        {"leading zeros", Join({std::u16string(TenMillion, u'0'), u"1.5"}), Exact(1.5L)},
        {"a long fraction", Join({u"0.", std::u16string(TenMillion, u'3')}),
         Exact(TextToFloat(u"0.3333333333333333333333333333", u'.'))},
        {"a long name", Join({u"x", std::u16string(TenMillion, u'y')}),
         Parse(Msg::UnknownSymbol, "x" + std::string(TenMillion, 'y'))},
        {"a long chain of unary minus signs", Join({std::u16string(TenMillion, u'-'), u"1"}),
         Parse(Msg::NestingTooDeep)},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(t.Result(Case.Text), Case.Expected) << Case.Name;
}

TEST(HostileFormula, EmbeddedNulEndsTheText)
{
    TPlotEvaluator t;
    using namespace std::string_view_literals;
    EXPECT_EQ(t.Result(u"1+2\0+1000"sv), Exact(3));
    EXPECT_EQ(t.Result(u"\0Sqrt(-1)"sv), Parse(Msg::FactorExpected));
    EXPECT_EQ(t.Result(u"Sin(\0)"sv), Parse(Msg::FactorExpected));
    EXPECT_EQ(t.Result(u"1.5\0e4000"sv), Exact(1.5L)) << "the number stops at the NUL";
    EXPECT_EQ(t.Result(std::u16string(u"Pi\0"sv) + std::u16string(1000, u'(')), t.Result(u"Pi"));
}

TEST(HostileFormula, LoneSurrogatesAreOrdinaryCodeUnits)
{
    // A surrogate ends an identifier and is then read by its low byte like any code unit
    // above U+00FF: U+D82B as "+", U+DC28 as "(", U+DB29 as ")".
    TPlotEvaluator t;
    EXPECT_EQ(t.Result(u"1\xD82B"
                       u"2"),
              Exact(3));
    EXPECT_EQ(t.Result(u"Sqrt\xDC28"
                       u"4\xDB29"),
              Exact(2));
    // U+D800 reads as the invalid kind of code 0 (it is not the NUL that ends a text): a
    // left-over token, reported with the name before it.
    EXPECT_EQ(t.Result(u"x\xD800"
                       u"1"),
              Parse(Msg::UnknownSymbol, "x"));
    // Every lone surrogate, high and low, alone and after a name, gives a value or an error.
    for (char32_t c = 0xD800; c <= 0xDFFF; ++c)
    {
        const std::u16string Alone(1, char16_t(c));
        const std::string Outcome = t.Result(Alone) + t.Result(u"Sin" + Alone + u"x");
        EXPECT_FALSE(Outcome.empty());
    }
}

// Sets the C library's locale for the test's duration, or reports that it is not installed.
class TCLocale
{
  public:
    explicit TCLocale(const char* Name)
    {
        const char* Old = std::setlocale(LC_ALL, nullptr);
        Saved = Old ? Old : "C";
        Active = std::setlocale(LC_ALL, Name) != nullptr;
    }
    ~TCLocale() { std::setlocale(LC_ALL, Saved.c_str()); }
    bool Active = false;

  private:
    std::string Saved;
};

class HostileLocale : public ::testing::TestWithParam<const char*>
{
};

TEST_P(HostileLocale, NumberTextsIgnoreTheCLibraryLocale)
{
    TCLocale Locale(GetParam());
    if (!Locale.Active)
        GTEST_SKIP() << GetParam() << " is not installed";

    EXPECT_EQ(Exact(TextToFloat(u"1.5", u'.')), Exact(1.5L));
    EXPECT_EQ(Exact(TextToFloat(u" -2,25e1 ", u',')), Exact(-22.5L));
    EXPECT_EQ(ErrorOf([] { TextToFloat(u"1,5", u'.'); }), Error("EConvertError", Msg::InvalidFloat, "1,5"));
    EXPECT_EQ(ErrorOf([] { TextToFloat(u"1.5", u','); }), Error("EConvertError", Msg::InvalidFloat, "1.5"));

    EXPECT_EQ(FormatFixed(-1234.5678L, 2, u'.'), u"-1234.57");
    EXPECT_EQ(FormatFixed(0.5L, 3, u','), u"0,500");
    EXPECT_EQ(FormatFixed(1e20L, 1, u'.'), u"100000000000000000000.0");
    EXPECT_EQ(FormatGeneral15(12.25L, u'.'), u"12.25");
    EXPECT_EQ(FormatGeneral15(-0.05L, u','), u"-0,05");
    EXPECT_EQ(FormatGeneral15(2.5e20L, u'.'), u"2.5E20");
    EXPECT_EQ(FormatGeneral15(1e-5L, u','), u"1E-5");
}

TEST_P(HostileLocale, NamesAndKeywordsMatchByAsciiCase)
{
    TCLocale Locale(GetParam());
    if (!Locale.Active)
        GTEST_SKIP() << GetParam() << " is not installed";

    // Turkish folds "I" to dotless "ı" and "i" to dotted "İ": ASCII-only folding must not care.
    TPlotEvaluator t;
    struct TCase
    {
        const char16_t* Text;
        Float80 Value;
    };
    const TCase Cases[] = {
        {u"PI*0", 0},    {u"pi-PI", 0},   {u"SIN(0)", 0},  {u"sin(0)", 0},  {u"BNOT 0", -1},
        {u"bnot 0", -1}, {u"1 XOR 0", 1}, {u"1 xor 1", 0}, {u"7 DIV 2", 3}, {u"SQRT(4)", 2},
        {u"LN(1)", 0},   {u"1 OR 0", 1},  {u"1.5*2", 3},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(t.Result(Case.Text), Exact(Case.Value)) << ToUtf8(Case.Text);
    // The Turkish letters themselves are not the ASCII ones.
    EXPECT_EQ(t.Result(u"S\u0131n(0)"), Parse(Msg::UnknownSymbol, "S\u0131n"));
    EXPECT_EQ(t.Result(u"P\u0130"), Parse(Msg::UnknownSymbol, "P\u0130"));

    TPlotEvaluator Comma(u',');
    EXPECT_EQ(Comma.Result(u"Power(2,5 ,2)"), Exact(6.25L));
}

INSTANTIATE_TEST_SUITE_P(Locales, HostileLocale, ::testing::Values("de_DE.UTF-8", "tr_TR.UTF-8"),
                         [](const auto& Info) { return std::string(Info.param).substr(0, 5); });
} // namespace
