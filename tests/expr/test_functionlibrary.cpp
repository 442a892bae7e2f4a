#include "expr/FunctionLibrary.h"

#include "MathTestSupport.h"
#include "expr/FloatArith.h"
#include "expr/MathLib.h"
#include "expr/TEvaluator.h"
#include "expr/Utf16.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

using FunctionLibrary::Power;

namespace
{
bool SameBits(Float80 a, Float80 b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

// The loop exactly as Power defines it, without any early finish.
Float80 PowerStepByStep(Float80 b, std::int32_t n)
{
    Float80 r = 1;
    for (std::int32_t i = 0; i < n; ++i)
        r = FMul(r, b);
    for (std::int32_t i = 0; i > n; --i)
        r = FDiv(r, b);
    return r;
}

std::string Outcome(const std::function<Float80()>& Call)
{
    try
    {
        char Buffer[64];
        std::snprintf(Buffer, sizeof Buffer, "%.20Le", Call());
        return Buffer;
    }
    catch (const Exception& e)
    {
        return e.ClassName();
    }
}
} // namespace

TEST(WindowRoutines, ValuesAndDomains)
{
    EXPECT_EQ(FunctionLibrary::Sqrt(4), 2);
    EXPECT_EQ(FunctionLibrary::Sqrt(0), 0);
    EXPECT_EQ(FunctionLibrary::Ln(1), 0);
    EXPECT_EQ(FunctionLibrary::Exp(0), 1);
    EXPECT_EQ(FunctionLibrary::Abs(-2.5L), 2.5L);
    EXPECT_FALSE(std::signbit(FunctionLibrary::Abs(-0.0L)));
    ExpectError(
        "Sqrt of -1", [] { return FunctionLibrary::Sqrt(-1); }, "EDomainError");
    ExpectError(
        "Ln of 0", [] { return FunctionLibrary::Ln(0); }, "EDomainError");
    ExpectError(
        "Ln of -1", [] { return FunctionLibrary::Ln(-1); }, "EDomainError");
    ExpectError(
        "Exp of 20000", [] { return FunctionLibrary::Exp(20000); }, "EOverflow");
}

TEST(Power, Values)
{
    const struct
    {
        const char* Name;
        Float80 Base, Exponent, Expected;
    } Cases[] = {
        {"2^3", 2, 3, 8},
        {"anything^0 is 1", 2, 0, 1},
        {"0^0 is 1", 0, 0, 1},
        {"a negative exponent divides", 2, -2, 0.25L},
        {"a negative base keeps the parity", -2, 3, -8},
        {"3^5", 3, 5, 243},
        {"1/10 is rounded once", 10, -1, 0.1L},
        // mpmath: 0.9L^1000 rounded to long double (a loop of 1000 roundings is 2 units off).
        {"0.9^1000 is rounded once", 0.9L, 1000, 0xFF73A09ED613198Ap-216L},
        {"2^16383 is the largest power", 2, 16383, std::ldexp(1.0L, 16383)},
        {"2^-16445 is the smallest subnormal", 2, -16445, std::numeric_limits<Float80>::denorm_min()},
        {"only the low 32 bits count: 2^32 is a count of 0", 2, 4294967296.0L, 1},
        {"2^32 + 3 is a count of 3", 2, 4294967299.0L, 8},
        {"2^31 is a negative count with a positive exponent", 2, 2147483648.0L, 1},
        {"-(2^32 - 2) is a count of +2 with a negative exponent", 2, -4294967294.0L, 1},
    };
    for (const auto& Case : Cases)
        EXPECT_TRUE(SameBits(Power(Case.Base, Case.Exponent), Case.Expected))
            << Case.Name << ": " << Outcome([&] { return Power(Case.Base, Case.Exponent); });
}

TEST(Power, Errors)
{
    ExpectError(
        "a positive fractional exponent", [] { return Power(2, 0.5L); }, "EDomainError");
    ExpectError(
        "a negative fractional exponent", [] { return Power(4, -0.5L); }, "EDomainError");
    ExpectError(
        "a negative exponent with a fraction", [] { return Power(4, -1.5L); }, "EDomainError");
    ExpectError(
        "the domain check comes before the division", [] { return Power(0, 1.5L); }, "EDomainError");
    ExpectError(
        "dividing by a zero base", [] { return Power(0, -1); }, "EZeroDivide");
    ExpectError(
        "2^16384 overflows", [] { return Power(2, 16384); }, "EOverflow");
    ExpectError(
        "a tiny base divided into 1 overflows", [] { return Power(1e-4000L, -2); }, "EOverflow");
    ExpectError(
        "an exponent beyond 64 bits", [] { return Power(2, 1e19L); }, "EInvalidOp");
    ExpectError(
        "a negative exponent beyond 64 bits", [] { return Power(2, -1e19L); }, "EInvalidOp");
}

// Rounded once, the power fails exactly where the plain loop of multiplications fails, with
// the same error, and otherwise has the loop's sign and at most its error.
TEST(Power, FailsWhereTheStepwiseLoopFails)
{
    const Float80 Bases[] = {0.5L, -0.5L, 0.9L,    -0.9L,    0.999L, 1,        -1,
                             0,    -0.0L, 1e-300L, -1e-300L, 3,      -1.0001L, 1e-4940L};
    const std::int32_t Counts[] = {1, 2, 3, 17, 1000, 20001, 200000, -1, -2, -3, -1001, -20000, -200001};
    for (Float80 b : Bases)
        for (std::int32_t n : Counts)
        {
            const std::string Loop = Outcome([&] { return PowerStepByStep(b, n); });
            const std::string Once = Outcome([&] { return Power(b, n); });
            if (Loop.front() == 'E' || Once.front() == 'E')
                EXPECT_EQ(Once, Loop) << "base " << static_cast<double>(b) << ", count " << n;
            else
                EXPECT_EQ(std::signbit(Power(b, n)), std::signbit(PowerStepByStep(b, n)))
                    << "base " << static_cast<double>(b) << ", count " << n;
        }
}

TEST(Power, HugeCountsFinishWhenTheOutcomeIsKnown)
{
    EXPECT_EQ(Power(1, 2000000000), 1);
    EXPECT_EQ(Power(-1, 2000000000), 1);
    EXPECT_EQ(Power(-1, 2000000001), -1);
    EXPECT_EQ(Power(-1, -2147483647), -1);
    EXPECT_EQ(Power(0, 2147483647), 0);
    EXPECT_TRUE(std::signbit(Power(-0.5L, 2000000001)));
    EXPECT_FALSE(std::signbit(Power(-0.5L, 2000000000)));
    // 0.9^(2*10^9) is far below the range (a loop would stop at a subnormal fixed point).
    EXPECT_TRUE(SameBits(Power(0.9L, 2000000000), 0));
    EXPECT_EQ(Outcome([] { return Power(3, 2000000000); }), "EOverflow");
}

TEST(Registration, ThePlotEvaluatorKnowsEveryName)
{
    Float80 X = 0.25L;
    auto Evaluator = MakePlotEvaluator(u'.', &X);
    const struct
    {
        const char16_t* Text;
        Float80 Expected;
    } Cases[] = {
        {u"Sqrt(16)+Exp(0)+Ln(1)+Abs(-3)", 8},
        {u"Power(2, 3)", 8},
        {u"LogBaseN(2, 8)", 3},
        {u"ArcTan2(1, 0)", MathLib::ArcTan2(1, 0)},
        {u"ArcCot(2)", MathLib::ArcCot(2)},
        {u"Cot(2)+CotH(2)+Csc(2)", MathLib::Cot(2) + MathLib::CotH(2) + MathLib::Csc(2)},
        {u"Coversine(0)+Versine(0)+Exsecans(0)+Haversine(0)", 1},
        {u"ArcCscH(2)", MathLib::ArcCscH(2)},
        {u"TanH(6000)", 1},
        {u"PI", MathLib::Pi},
        {u"X*4", 1},
        {u"sqrt(16)+POWER(x,-1)", 8},
    };
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(ToUtf8(Case.Text));
        Float80 Got = Evaluator->EvaluateText(Case.Text);
        EXPECT_TRUE(SameBits(Got, Case.Expected)) << static_cast<double>(Got);
    }
}

TEST(Registration, LibraryFollowsPiAndPrecedesX)
{
    Float80 X = 0;
    auto Evaluator = MakePlotEvaluator(u',', &X);
    EXPECT_EQ(Evaluator->DecimalSeparator(), u',');
    // Every name is taken already, the first one of the library being Sqrt.
    try
    {
        RegisterFunctionLibrary(*Evaluator);
        ADD_FAILURE() << "registering the library twice must fail";
    }
    catch (const EStringHashMapError& e)
    {
        EXPECT_EQ(e.Message(), Msg::Format(Msg::DuplicateEntry, "Sqrt"));
    }
    EXPECT_THROW(RegisterPi(*Evaluator), EStringHashMapError);
    EXPECT_THROW(Evaluator->RegisterVariable(u"X", &X), EStringHashMapError);
}
