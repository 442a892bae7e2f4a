#pragma once
// Shared pieces of the evaluator tests: an evaluator with a few routines of its own (the
// real function library is tested on its own), and exact comparisons of values and errors.
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
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

// The plot's evaluator: "Pi", the whole function library and "x" bound to X.
struct TPlotSetup
{
    explicit TPlotSetup(char16_t Separator = u'.') : Evaluator(MakePlotEvaluator(Separator, &X)) {}

    // The first of Xs at which the reference evaluator, the compiled program's instructions and
    // its machine code (run only where the program has some) differ on Text, or "".
    std::string Difference(const std::u16string& Text, std::span<const Float80> Xs)
    {
        const auto Program = Evaluator->Compile(Text);
        for (Float80 x : Xs)
        {
            X = x;
            const std::string Reference = OutcomeOf([&] { return Evaluator->EvaluateText(Text); });
            Evaluator->SetMachineCode(false);
            const std::string Instructions = OutcomeOf([&] { return Evaluator->Run(*Program); });
            Evaluator->SetMachineCode(true);
            const std::string Machine = OutcomeOf([&] { return Evaluator->Run(*Program); });
            if (Reference != Instructions || Reference != Machine)
                return "at x = " + Exact(x) + ": reference " + Reference + ", instructions " + Instructions +
                       ", machine code " + Machine;
        }
        return {};
    }

    Float80 X = 0;
    std::unique_ptr<TEvaluator> Evaluator;
};
} // namespace ExprTest
