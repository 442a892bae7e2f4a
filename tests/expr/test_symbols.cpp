// Name maps, contexts and symbols: folding, duplicates, search order, bindings.
#include "ExprTestSupport.h"

#include "expr/AsciiCase.h"
#include "expr/TExprConst80Sym.h"
#include "expr/TExprEvalParser.h"
#include "expr/TExprHashContext.h"
#include "expr/TExprSetContext.h"
#include "expr/TExprSimpleLexer.h"
#include "expr/TExprUnary80FuncSym.h"
#include "expr/TStringHashMap.h"

#include <memory>

using namespace ExprTest;

namespace
{
TEST(CaseInsensitiveTraits, FoldOnlyAsciiLetters)
{
    const auto& t = TCaseInsensitiveTraits::Shared();
    struct
    {
        const char* Name;
        std::u16string Left, Right;
        int Sign;
    } Cases[] = {
        {"case differences vanish", u"sIn", u"SIN", 0},
        {"a prefix sorts first", u"Sin", u"Sinx", -1},
        {"folded letters sort before underscore", u"_", u"a", 1},
        {"accented letters do not fold", u"\u00E9", u"\u00C9", 1},
        {"units compare unsigned", u"\uFFFD", u"a", 1},
        {"empty names are equal", u"", u"", 0},
    };
    for (const auto& c : Cases)
    {
        int Order = t.Compare(c.Left, c.Right);
        EXPECT_EQ((Order > 0) - (Order < 0), c.Sign) << c.Name;
        if (c.Sign == 0)
        {
            EXPECT_EQ(t.Hash(c.Left), t.Hash(c.Right)) << c.Name;
        }
    }
}

// The one ASCII case of the program, for names, keys, file names and words alike: pairs that a
// fold by "| 0x20", by the C library under another locale or by Unicode would wrongly match.
TEST(AsciiCase, OnlyTheTwentySixLettersMatchTheirOtherCase)
{
    struct
    {
        const char* Name;
        std::u16string Left, Right;
        bool Same;
    } Cases[] = {
        {"letters of both cases match", u"FuncCount", u"FUNCcount", true},
        {"at sign is no grave accent", u"@", u"`", false},
        {"brackets are no braces", u"[", u"{", false},
        {"underscore is no delete", u"_", u"\u007F", false},
        {"dotted capital I is no i", u"\u0130", u"i", false},
        {"dotless i is no I", u"\u0131", u"I", false},
        {"Kelvin sign is no k", u"\u212A", u"k", false},
        {"long s is no S", u"\u017F", u"S", false},
        {"accented letters keep their case", u"\u00E9", u"\u00C9", false},
        {"a prefix is not the name", u"Loop", u"loo", false},
    };
    for (const auto& c : Cases)
    {
        EXPECT_EQ(EqualsAsciiCase(c.Left, c.Right), c.Same) << c.Name;
        EXPECT_EQ(CompareAsciiCase(c.Left, c.Right) == 0, c.Same) << c.Name;
        EXPECT_EQ(CompareAsciiCase(c.Right, c.Left) == 0, c.Same) << c.Name;
    }
    // 8-bit text: bytes as the code units U+0000..U+00FF.
    EXPECT_TRUE(EqualsAsciiCase(u"NaN", "nan"));
    EXPECT_TRUE(EqualsAsciiCase(std::string_view("nAN"), "nan"));
    EXPECT_FALSE(EqualsAsciiCase(std::string_view("n@n"), "n`n"));
    EXPECT_FALSE(EqualsAsciiCase(u"\u00E9", "\xC9"));
    EXPECT_TRUE(EqualsAsciiCase(u"\u00E9", "\xE9"));
    // The order folds to upper case, so "_" sorts after every letter.
    EXPECT_GT(CompareAsciiCase(u"a_", u"AZ"), 0);
    EXPECT_LT(CompareAsciiCase(u"a", u"\uFFFD"), 0);
}

TEST(CaseSensitiveTraits, CompareUnitsUnchanged)
{
    const auto& t = TCaseSensitiveTraits::Shared();
    EXPECT_LT(t.Compare(u"SIN", u"sin"), 0);
    EXPECT_LT(t.Compare(u"_", u"a"), 0);
    EXPECT_NE(t.Hash(u"sin"), t.Hash(u"SIN"));
}

TEST(StringHashMapTraits, HashIsTheElfHashOfFoldedUnits)
{
    const auto& t = TCaseInsensitiveTraits::Shared();
    // "SIN": 0x53, then 0x530 + 0x49, then 0x5790 + 0x4E.
    EXPECT_EQ(t.Hash(u"sin"), 0x57DEu);
    // Long keys wrap through the high-nibble fold and stay below 2^28.
    EXPECT_EQ(t.Hash(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"), t.Hash(u"abcdefghijklmnopqrstuvwxyz"));
    EXPECT_LT(t.Hash(std::u16string(200, u'\uFFFF')), 0x10000000u);
    EXPECT_EQ(t.Hash(std::u16string(1, u'\u4E2D')), 0x4E2Du);
}

// Distinct keys "k0", "k1", ..., "k0z", ... in the given letter case.
std::u16string ManyKey(int i, char16_t K, char16_t Z)
{
    std::u16string Key(1, K);
    Key.push_back(char16_t(u'0' + i % 10));
    Key.append(size_t(i / 10), Z);
    return Key;
}

TEST(StringHashMap, FindsEveryKeyAmongManyInOneBucket)
{
    int Data[500];
    TStringHashMap<int*> Map(TCaseInsensitiveTraits::Shared(), 1);
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(Map.Add(ManyKey(i, u'k', u'z'), &Data[i]));
    EXPECT_EQ(Map.Count(), 500u);
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(Map.Find(ManyKey(i, u'K', u'Z')), &Data[i]);
    EXPECT_EQ(Map.Find(u"k"), nullptr);
    EXPECT_FALSE(Map.Add(u"K0", &Data[1]));
    EXPECT_EQ(Map.Find(u"k0"), &Data[0]);
    EXPECT_EQ(Map.Count(), 500u);
}

TEST(ExprHashContext, FindsNamesWithoutRegardToAsciiCase)
{
    TExprHashContext Context(false, 127);
    Context.Insert(std::make_unique<TExprConst80Sym>(u"Sin", 1));
    ASSERT_NE(Context.Lookup(u"sIn"), nullptr);
    EXPECT_EQ(Context.Lookup(u"sIn")->Name(), u"Sin");
    EXPECT_EQ(Context.Lookup(u"Sinx"), nullptr);
    EXPECT_EQ(Context.Lookup(u"Si"), nullptr);
}

TEST(ExprHashContext, RejectsADuplicateWithTheNewSpellingAndKeepsTheFirst)
{
    TExprHashContext Context(false, 127);
    Context.Insert(std::make_unique<TExprConst80Sym>(u"Sin", 1));
    for (const char16_t* Name : {u"Sin", u"SIN"})
    {
        EXPECT_EQ(ErrorOf([&] { Context.Insert(std::make_unique<TExprConst80Sym>(Name, 2)); }),
                  Error("EStringHashMapError", Msg::DuplicateEntry, ToUtf8(Name)));
    }
    EXPECT_EQ(Context.Count(), 1u);
    EXPECT_EQ(Context.Lookup(u"sin")->ComputeValue(), 1);
}

TEST(ExprHashContext, CaseSensitiveContextsKeepCasesApart)
{
    TExprHashContext Context(true, 7);
    Context.Insert(std::make_unique<TExprConst80Sym>(u"a", 1));
    Context.Insert(std::make_unique<TExprConst80Sym>(u"A", 2));
    EXPECT_EQ(Context.Lookup(u"A")->ComputeValue(), 2);
    EXPECT_EQ(Context.Lookup(u"a")->ComputeValue(), 1);
}

TEST(ExprSetContext, AsksTheLastAppendedMemberFirst)
{
    TExprSetContext Empty(false);
    EXPECT_EQ(Empty.Lookup(u"a"), nullptr);

    TExprHashContext First(false, 127), Second(false, 127);
    First.Insert(std::make_unique<TExprConst80Sym>(u"a", 1));
    First.Insert(std::make_unique<TExprConst80Sym>(u"onlyfirst", 3));
    Second.Insert(std::make_unique<TExprConst80Sym>(u"A", 2));
    TExprSetContext Set(false);
    Set.Append(&First);
    Set.Append(&Second);
    EXPECT_EQ(Set.Lookup(u"a")->ComputeValue(), 2);
    EXPECT_EQ(Set.Lookup(u"ONLYFIRST")->ComputeValue(), 3);
    EXPECT_EQ(Set.Lookup(u"none"), nullptr);
}

TEST(ExprSetContext, DestroysMembersOnlyWhenItOwnsThem)
{
    // An owning set must free its members; run under the sanitizer build this catches leaks
    // and double frees.
    auto Owning = std::make_unique<TExprSetContext>(true);
    auto Member = new TExprHashContext(false, 3);
    Member->Insert(std::make_unique<TExprConst80Sym>(u"a", 1));
    Owning->Append(Member);
    EXPECT_EQ(Owning->Lookup(u"a")->ComputeValue(), 1);
    Owning.reset();

    TExprHashContext Kept(false, 3);
    Kept.Insert(std::make_unique<TExprConst80Sym>(u"b", 2));
    {
        TExprSetContext NotOwning(false);
        NotOwning.Append(&Kept);
    }
    EXPECT_EQ(Kept.Lookup(u"b")->ComputeValue(), 2);
}

// Records the binding it sees while it computes; fails when asked to.
class TProbeSym final : public TExprSym
{
  public:
    using TExprSym::TExprSym;
    Float80 ComputeValue() override
    {
        SeenLexer = BoundLexer();
        SeenParser = BoundParser();
        if (Fail)
            RaiseZeroDivide();
        return 1;
    }
    bool Fail = false;
    TExprLexer* SeenLexer = nullptr;
    TExprEvalParser* SeenParser = nullptr;
};

TEST(ExprSym, IsBoundOnlyWhileItComputes)
{
    TExprHashContext Symbols(false, 127);
    auto Probe = std::make_unique<TProbeSym>(u"probe");
    TProbeSym* ProbeRef = Probe.get();
    Symbols.Insert(std::move(Probe));
    Symbols.Insert(std::make_unique<TExprUnary80FuncSym>(u"Twice", Twice));
    TExprSym* TwiceRef = Symbols.Lookup(u"twice");
    TExprSimpleLexer Lexer(u"", u'.');
    TExprEvalParser Parser(&Lexer);
    Parser.SetSymbolScope(&Symbols);

    for (bool Fail : {false, true})
    {
        ProbeRef->Fail = Fail;
        ProbeRef->SeenLexer = nullptr;
        Lexer.SetText(u"Twice(Twice(probe))");
        std::string Outcome = ErrorOf([&] { Parser.ParseWhole(); });
        EXPECT_EQ(Outcome, Fail ? Error("EZeroDivide", Msg::ZeroDivide) : "no error");
        EXPECT_EQ(ProbeRef->SeenLexer, &Lexer);
        EXPECT_EQ(ProbeRef->SeenParser, &Parser);
        for (TExprSym* Symbol : {static_cast<TExprSym*>(ProbeRef), TwiceRef})
        {
            EXPECT_EQ(Symbol->BoundLexer(), nullptr)
                << ToUtf8(Symbol->Name()) << (Fail ? " after a failure" : "");
            EXPECT_EQ(Symbol->BoundParser(), nullptr) << ToUtf8(Symbol->Name());
        }
    }
}

TEST(ExprEvalParser, WithoutAScopeEveryNameIsUnknown)
{
    TExprSimpleLexer Lexer(u"abc", u'.');
    TExprEvalParser Parser(&Lexer);
    EXPECT_EQ(ErrorOf([&] { Parser.ParseWhole(); }), Error("EExprEvalError", Msg::UnknownSymbol, "abc"));
}

// The argument helpers of function symbols, driven through an evaluator.
struct TArgumentCase
{
    const char* Name;
    const char16_t* Text;
    std::string Expected;
};

void PrintTo(const TArgumentCase& c, std::ostream* Out)
{
    *Out << c.Name;
}

class FunctionArguments : public testing::TestWithParam<TArgumentCase>
{
};

TEST_P(FunctionArguments, ReportTheMissingPiece)
{
    const TArgumentCase& c = GetParam();
    TTestEvaluator t;
    EXPECT_EQ(ErrorOf([&] { t.Evaluator.EvaluateText(c.Text); }), c.Expected) << c.Name;
}

const TArgumentCase ArgumentCases[] = {
    {"a function without parentheses", u"Twice x", Error("EExprEvalError", Msg::FirstParameterExpected)},
    {"a function name at the end", u"Twice", Error("EExprEvalError", Msg::FirstParameterExpected)},
    {"a second argument to a unary function", u"Twice(1, 2)",
     Error("EExprEvalError", Msg::CloseParametersExpected)},
    {"a binary function with one argument", u"Minus(2)", Error("EExprEvalError", Msg::NextParameterExpected)},
    {"a binary function with three arguments", u"Minus(2, 3, 4)",
     Error("EExprEvalError", Msg::CloseParametersExpected)},
    {"the unary routine runs before the closing check", u"Root(-1", Error("EDomainError", Msg::DomainCheck)},
    {"the binary closing check runs before the routine", u"Minus(2, 3",
     Error("EExprEvalError", Msg::CloseParametersExpected)},
    {"an empty argument list", u"Twice()", Error("EExprEvalError", Msg::FactorExpected)},
    {"a constant takes no arguments", u"Pi(1)", Error("EExprEvalError", Msg::UnknownSymbol, "Pi")},
};

INSTANTIATE_TEST_SUITE_P(Symbols, FunctionArguments, testing::ValuesIn(ArgumentCases));
} // namespace
