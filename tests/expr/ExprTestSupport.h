#pragma once
// Shared pieces of the evaluator tests: an evaluator with a few routines of its own (the
// real function library is tested on its own), exact comparisons of values and errors, and
// seeded generators of formulas.
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <span>
#include <string>

namespace ExprTest
{
// Full-precision text of a value, so a failing comparison shows the last bit.
inline std::string Exact(Float80 v)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.20Le", v);
    return Buffer;
}

// The 80 bits of a value in hexadecimal, sign and exponent first: tells apart what compares
// equal (0 and -0) and what never does (NaN).
inline std::string Bits80(Float80 v)
{
    unsigned char Bytes[sizeof(Float80)] = {};
    std::memcpy(Bytes, &v, 10);
    std::string Text;
    for (int i = 9; i >= 0; --i)
    {
        char Hex[3];
        std::snprintf(Hex, sizeof Hex, "%02x", Bytes[i]);
        Text += Hex;
    }
    return Text;
}

// A routine with a domain: negative arguments fail like the library's do.
inline Float80 Root(Float80 v)
{
    if (v < 0)
        RaiseDomainError();
    return std::sqrt(v);
}
inline Float80 Twice(Float80 v)
{
    return 2 * v;
}
// Order-sensitive, so swapped arguments show.
inline Float80 Minus(Float80 a, Float80 b)
{
    return a - b;
}

// "x" bound to X, "Pi", "Root", "Twice" and "Minus".
class TTestEvaluator
{
  public:
    explicit TTestEvaluator(char16_t DecimalSeparator = u'.') : Evaluator(DecimalSeparator)
    {
        Evaluator.RegisterVariable(u"x", &X);
        Evaluator.RegisterConstant(u"Pi", 3.14159265358979323846L);
        Evaluator.RegisterUnaryFunction(u"Root", Root);
        Evaluator.RegisterUnaryFunction(u"Twice", Twice);
        Evaluator.RegisterBinaryFunction(u"Minus", Minus);
    }

    Float80 X = 0;
    TEvaluator Evaluator;
};

// The class name and message of the error that Action raises, or "no error".
template <typename TAction> std::string ErrorOf(TAction Action)
{
    try
    {
        Action();
    }
    catch (const Exception& e)
    {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "no error";
}

inline std::string Error(const char* ClassName, std::string_view Message, std::string_view Argument = {})
{
    return std::string(ClassName) + ": " + Msg::Format(Message, Argument);
}

// What an evaluation comes to: "value " and its 80 bits, or the error's class and message. Two
// paths agree on a text when their outcomes are equal strings.
template <typename TAction> std::string OutcomeOf(TAction Action)
{
    try
    {
        return "value " + Bits80(Action());
    }
    catch (const Exception& e)
    {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
}

// OutcomeOf with the place where reading stopped, for the errors that have one: two paths that
// agree on a text stop reading it at the same token.
template <typename TAction> std::string PlacedOutcomeOf(TAction Action)
{
    try
    {
        return "value " + Bits80(Action());
    }
    catch (const Exception& e)
    {
        std::string Text = std::string(e.ClassName()) + ": " + e.Message();
        if (const auto& Place = e.Place())
            Text += " at [" + std::to_string(Place->Start) + ", " + std::to_string(Place->End) + ")";
        return Text;
    }
}

// The plot's evaluator: "Pi", the whole function library and "x" bound to X.
struct TPlotSetup
{
    explicit TPlotSetup(char16_t Separator = u'.') : Evaluator(MakePlotEvaluator(Separator, &X)) {}

    // The first of Xs at which the reference evaluator, the compiled program's instructions and
    // its machine code (run only where the program has some) differ on Text, or "". Errors of
    // reading must also agree on their place.
    std::string Difference(const std::u16string& Text, std::span<const Float80> Xs)
    {
        const auto Program = Evaluator->Compile(Text);
        for (Float80 x : Xs)
        {
            X = x;
            const std::string Reference = PlacedOutcomeOf([&] { return Evaluator->EvaluateText(Text); });
            Evaluator->SetMachineCode(false);
            const std::string Instructions = PlacedOutcomeOf([&] { return Evaluator->Run(*Program); });
            Evaluator->SetMachineCode(true);
            const std::string Machine = PlacedOutcomeOf([&] { return Evaluator->Run(*Program); });
            if (Reference != Instructions || Reference != Machine)
                return "at x = " + Exact(x) + ": reference " + Reference + ", instructions " + Instructions +
                       ", machine code " + Machine;
        }
        return {};
    }

    Float80 X = 0;
    std::unique_ptr<TEvaluator> Evaluator;
};

// Seeded picks: the same seed gives the same formulas.
class TRandomPicks
{
  protected:
    explicit TRandomPicks(uint32_t Seed) : Random(Seed) {}
    // 0 .. Count - 1.
    size_t Pick(size_t Count) { return std::uniform_int_distribution<size_t>(0, Count - 1)(Random); }

    std::mt19937 Random;
};

// Random formulas: mostly well-formed, with a share of every kind of fault.
class TFormulaGenerator : TRandomPicks
{
  public:
    explicit TFormulaGenerator(uint32_t Seed) : TRandomPicks(Seed) {}

    std::u16string Formula() { return Expression(0); }

  private:
    bool Chance(int Percent) { return int(Pick(100)) < Percent; }
    template <size_t N> const char16_t* OneOf(const std::array<const char16_t*, N>& Items)
    {
        return Items[Pick(N)];
    }
    std::u16string Blank() { return Chance(30) ? u" " : u""; }

    std::u16string Expression(int Depth)
    {
        if (Depth > 5)
            return Leaf();
        switch (Pick(10))
        {
        case 0:
        case 1:
            return Leaf();
        case 2:
        case 3:
        case 4:
            return Expression(Depth + 1) + Blank() + Operator() + Blank() + Expression(Depth + 1);
        case 5:
            return std::u16string(OneOf(Prefixes)) + Expression(Depth + 1);
        case 6:
            return u"(" + Expression(Depth + 1) + Closing(u")");
        case 7:
            return Unary(Depth);
        case 8:
            return Binary(Depth);
        default:
            return Chance(15) ? Expression(Depth + 1) + OneOf(Junk) : Leaf();
        }
    }

    // Usually the closing text, sometimes missing or replaced.
    std::u16string Closing(const char16_t* Text)
    {
        if (Chance(97))
            return Text;
        return Chance(50) ? u"" : OneOf(Junk);
    }

    std::u16string Unary(int Depth)
    {
        std::u16string Call = std::u16string(OneOf(UnaryNames));
        if (Chance(2))
            return Call; // no argument list
        return Call + u"(" + Expression(Depth + 1) + Closing(u")");
    }

    std::u16string Binary(int Depth)
    {
        const size_t Which = Pick(BinaryNames.size());
        std::u16string Call = std::u16string(BinaryNames[Which]) + u"(" + Expression(Depth + 1);
        // Power loops once per unit of its exponent: keep the exponent a small literal.
        const std::u16string Second = Which == 0 ? std::u16string(OneOf(Exponents)) : Expression(Depth + 1);
        // Under "," a comma right before a digit is read as part of the number.
        return Call + Closing(u",") + Blank() + Second + Closing(u")");
    }

    // Faults are rare per piece, so that most formulas get far enough to compute.
    std::u16string Leaf()
    {
        if (Chance(50))
            return Chance(6) ? OneOf(BadNumbers) : OneOf(Numbers);
        return Chance(4) ? OneOf(BadNames) : OneOf(Names);
    }
    std::u16string Operator() { return Chance(3) ? OneOf(BadOperators) : OneOf(Operators); }

    static constexpr std::array<const char16_t*, 16> Numbers = {
        u"0",    u"1",  u"2",     u"0.5", u"3.25", u"7E+2",    u"1e", u"1e4930",
        u"1e19", u"10", u"1e308", u"3",   u"0.1",  u"1e-4940", u"64", u"9223372036854775808"};
    // Rejected by the conversion under one separator or both, or cut short by ",".
    static constexpr std::array<const char16_t*, 6> BadNumbers = {u"1e5000", u"1.5",  u"1,5",
                                                                  u"2.",     u"0,25", u"1e-5000"};
    static constexpr std::array<const char16_t*, 4> Names = {u"x", u"X", u"Pi", u"pi"};
    static constexpr std::array<const char16_t*, 3> BadNames = {u"foo", u"t", u"x1"};
    static constexpr std::array<const char16_t*, 27> Operators = {
        u"+",   u"-",   u"*",    u"/",   u"=",   u"<>",   u"<",   u"<=",  u">",
        u">=",  u"cmp", u"or",   u"xor", u"bor", u"BXOR", u"and", u"div", u"mod",
        u"shl", u"shr", u"band", u"+",   u"-",   u"*",    u"/",   u"Mod", u"DIV"};
    static constexpr std::array<const char16_t*, 4> BadOperators = {u"^", u"", u",", u"**"};
    static constexpr std::array<const char16_t*, 6> Prefixes = {u"-",     u"+",  u"not ",
                                                                u"bnot ", u"- ", u"NOT "};
    static constexpr std::array<const char16_t*, 9> Junk = {u")", u",",      u"^2", u" 2",     u" x",
                                                            u"$", u"\u00e9", u"(",  u" 1e5000"};
    static constexpr std::array<const char16_t*, 35> UnaryNames = {
        u"Sqrt",      u"Exp",     u"Ln",       u"Abs",       u"LogBase10", u"LogBase2", u"ArcCos",
        u"ArcCot",    u"ArcCsc",  u"ArcSec",   u"ArcSin",    u"ArcTan",    u"Cos",      u"Cot",
        u"Coversine", u"Csc",     u"Exsecans", u"Haversine", u"Sec",       u"Sin",      u"Tan",
        u"Versine",   u"ArcCosH", u"ArcCotH",  u"ArcCscH",   u"ArcSecH",   u"ArcSinH",  u"ArcTanH",
        u"CosH",      u"CotH",    u"CscH",     u"SecH",      u"SinH",      u"TanH",     u"sin"};
    static constexpr std::array<const char16_t*, 3> BinaryNames = {u"Power", u"LogBaseN", u"ArcTan2"};
    static constexpr std::array<const char16_t*, 7> Exponents = {u"3", u"-2",    u"0.5", u"-0.5",
                                                                 u"0", u"40000", u"x"};
};

// Formulas of the translated kind: leaves, the four operators, signs and brackets.
class TArithmeticGenerator : TRandomPicks
{
  public:
    explicit TArithmeticGenerator(uint32_t Seed) : TRandomPicks(Seed) {}

    std::u16string Formula(int Depth = 0)
    {
        switch (Depth > 4 ? 0 : Pick(7))
        {
        case 0:
        case 1:
            return Leaf();
        case 2:
        case 3:
        case 4:
            return Formula(Depth + 1) + Operators[Pick(4)] + Formula(Depth + 1);
        case 5:
            return std::u16string(Pick(2) ? u"-" : u"+").append(Formula(Depth + 1));
        default:
            return std::u16string(u"(").append(Formula(Depth + 1)).append(u")");
        }
    }

  private:
    std::u16string Leaf()
    {
        static constexpr const char16_t* Leaves[] = {u"x",    u"x",   u"x",    u"0",      u"1",
                                                     u"2",    u"0.1", u"3.25", u"1e4930", u"1e-4940",
                                                     u"1e19", u"Pi",  u"0.3"};
        return Leaves[Pick(std::size(Leaves))];
    }
    static constexpr const char16_t* Operators[] = {u"+", u"-", u"*", u"/"};
};
} // namespace ExprTest
