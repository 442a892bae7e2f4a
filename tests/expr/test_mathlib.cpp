#include "expr/MathLib.h"

#include "MathTestSupport.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

using namespace MathLib;

namespace
{
TExtendedBits BitsOf(Float80 Value)
{
    TExtendedBits Bits{};
    std::memcpy(&Bits, &Value, 10);
    return Bits;
}

// pi rounded to nearest, the value the constant Pi is one unit above.
constexpr Float80 NearestPi = 3.14159265358979323846264338327950288L;

struct TValueCase
{
    const char* Name;
    std::function<Float80()> Call;
    Float80 Expected;
};

// Relative tolerance of a few units in the last place of Float80; exact zero expected
// means exact zero.
void ExpectClose(const TValueCase& Case)
{
    SCOPED_TRACE(Case.Name);
    Float80 Got = Case.Call();
    if (Case.Expected == 0)
        EXPECT_EQ(Got, 0) << static_cast<double>(Got);
    else
        EXPECT_LE(std::fabs(Got - Case.Expected), 8 * LDBL_EPSILON * std::fabs(Case.Expected))
            << static_cast<double>(Got) << " vs " << static_cast<double>(Case.Expected);
}
} // namespace

TEST(MathLibConstants, PiIsBuiltFromItsBitPattern)
{
    TExtendedBits Bits = BitsOf(Pi);
    EXPECT_EQ(Bits.SignExponent, 0x4000);
    EXPECT_EQ(Bits.Significand, 0xC90FDAA22168C236ULL);
}

TEST(MathLibConstants, PiIsOneUnitAboveTheNearestValue)
{
    EXPECT_EQ(BitsOf(NearestPi).Significand, 0xC90FDAA22168C235ULL);
    EXPECT_EQ(Pi - NearestPi, std::ldexp(1.0L, -62));
    EXPECT_EQ(std::nextafter(NearestPi, 4.0L), Pi);
}

TEST(MathLibConstants, LimitsHaveTheirExactValues)
{
    EXPECT_EQ(MaxAngle, std::ldexp(1.0L, 63));
    TExtendedBits Bits = BitsOf(TanHLimit);
    EXPECT_EQ(Bits.SignExponent, 0x400B);
    EXPECT_EQ(Bits.Significand, 0xB17217F7D1CF79ABULL);
    EXPECT_NEAR(static_cast<double>(TanHLimit), 5678.2617031470719744, 1e-9);
}

TEST(MathLibConstants, ProcessorConstantsAreFullPrecision)
{
    EXPECT_EQ(LnOf2(), 0.693147180559945309417232121458176568L);
    EXPECT_EQ(Log2OfE(), 1.44269504088896340735992468100189214L);
    EXPECT_EQ(Log10Of2(), 0.301029995663981195213738894724493027L);
}

TEST(MathLibValues, FunctionsComputeTheirValues)
{
    const TValueCase Cases[] = {
        {"LogBase10 of 1000 is 3", [] { return LogBase10(1000); }, 3},
        {"LogBase2 of 8 is 3", [] { return LogBase2(8); }, 3},
        {"LogBaseN takes the base first", [] { return LogBaseN(2, 8); }, 3},
        {"LogBaseN of a fraction", [] { return LogBaseN(10, 0.001L); }, -3},
        {"ArcTan2 takes y first", [] { return ArcTan2(1, 0); }, NearestPi / 2},
        {"ArcTan2 of (0, -1) is pi", [] { return ArcTan2(0, -1); }, NearestPi},
        {"ArcTan2 of (-1, -1)", [] { return ArcTan2(-1, -1); }, -3 * NearestPi / 4},
        {"ArcCos of -1 is pi", [] { return ArcCos(-1); }, NearestPi},
        {"ArcCos of 0.5", [] { return ArcCos(0.5L); }, NearestPi / 3},
        {"ArcSin of 1 is pi/2", [] { return ArcSin(1); }, NearestPi / 2},
        {"ArcSin of -0.5", [] { return ArcSin(-0.5L); }, -NearestPi / 6},
        {"ArcSec of 2 is pi/3", [] { return ArcSec(2); }, NearestPi / 3},
        {"ArcSec of -2 is also pi/3", [] { return ArcSec(-2); }, NearestPi / 3},
        {"ArcCsc of 2 is pi/6", [] { return ArcCsc(2); }, NearestPi / 6},
        {"ArcCsc of -2 is also pi/6", [] { return ArcCsc(-2); }, NearestPi / 6},
        {"ArcCot of 1 is pi/4", [] { return ArcCot(1); }, NearestPi / 4},
        {"ArcCot of -1 is -pi/4", [] { return ArcCot(-1); }, -NearestPi / 4},
        {"ArcTan of 1 is pi/4", [] { return ArcTan(1); }, NearestPi / 4},
        {"Sin of 0.5", [] { return Sin(0.5L); }, 0.479425538604203000273287935215571388L},
        {"Cos of 1", [] { return Cos(1); }, 0.540302305868139717400936607442976603L},
        {"Tan of 1", [] { return Tan(1); }, 1.55740772465490223050697480745836017L},
        {"Cot of 1", [] { return Cot(1); }, 0.642092615934330703006419974862556L},
        {"Sec of 1", [] { return Sec(1); }, 1.85081571768092561791175324139865L},
        {"Csc of 1", [] { return Csc(1); }, 1.18839510577812121626159945237455L},
        {"Versine of 0 is 0", [] { return Versine(0); }, 0},
        {"Coversine of 0 is 1", [] { return Coversine(0); }, 1},
        {"Haversine of Pi is 1", [] { return Haversine(Pi); }, 1},
        {"Exsecans of 0 is 0", [] { return Exsecans(0); }, 0},
        {"Exp of 1 is e", [] { return Exp(1); }, 2.71828182845904523536028747135266250L},
        {"Exp of -1", [] { return Exp(-1); }, 0.367879441171442321595523770161460867L},
        {"Exp far below 0 is 0", [] { return Exp(-100000); }, 0},
        {"Ln of 10", [] { return Ln(10); }, 2.30258509299404568401799145468436421L},
        {"ArcCosH of 1 is 0", [] { return ArcCosH(1); }, 0},
        {"ArcCosH of 2", [] { return ArcCosH(2); }, 1.31695789692481670862504634730796844L},
        {"ArcSecH of 0.5", [] { return ArcSecH(0.5L); }, 1.31695789692481670862504634730796844L},
        {"ArcSinH of 1", [] { return ArcSinH(1); }, 0.881373587019543025232609324979792309L},
        {"ArcCscH of 1", [] { return ArcCscH(1); }, 0.881373587019543025232609324979792309L},
        {"ArcCscH of -1", [] { return ArcCscH(-1); }, -0.881373587019543025232609324979792309L},
        {"ArcTanH of 0.5", [] { return ArcTanH(0.5L); }, 0.549306144334054845697622618461262852L},
        {"ArcCotH of 2", [] { return ArcCotH(2); }, 0.549306144334054845697622618461262852L},
        {"CosH of 0 is 1", [] { return CosH(0); }, 1},
        {"SinH of 0 is 0", [] { return SinH(0); }, 0},
        {"TanH of 0 is 0", [] { return TanH(0); }, 0},
        {"SecH of 0 is 1", [] { return SecH(0); }, 1},
        {"CosH of 1", [] { return CosH(1); }, 1.54308063481524377847790562075706168L},
        {"SinH of 1", [] { return SinH(1); }, 1.17520119364380145688238185059560082L},
        {"SinH of -2", [] { return SinH(-2); }, -3.62686040784701876766821398280126170L},
        {"TanH of 0.5", [] { return TanH(0.5L); }, 0.462117157260009758502318483643672548L},
        {"CotH of 1", [] { return CotH(1); }, 1.31303528549933130363616124693084783L},
        {"CscH of 1", [] { return CscH(1); }, 0.850918128239321545133842763287175284L},
        {"SecH of 1", [] { return SecH(1); }, 0.648054273663885399574977353226150323L},
    };
    for (const TValueCase& Case : Cases)
        ExpectClose(Case);
}

TEST(MathLibValues, ExpLosesOnlyTheRoundingOfItsExponentNearTheTop)
{
    // y = x * log2 e is rounded to 64 bits; near y = 16383 that costs about 2^-51.
    Float80 Expected = std::exp(11356.0L);
    EXPECT_LE(std::fabs(Exp(11356) - Expected) / Expected, 1e-15L);
}

TEST(MathLibValues, TanHIsExactlyOneBeyondItsLimit)
{
    EXPECT_EQ(TanH(6000), 1);
    EXPECT_EQ(TanH(-6000), -1);
    EXPECT_EQ(TanH(std::nextafter(TanHLimit, 6000.0L)), 1);
    EXPECT_EQ(TanH(100), 1); // rounds to 1 well before the limit
}

TEST(MathLibValues, ArcTan2OfTheOriginIsSignedAndNoError)
{
    EXPECT_EQ(ArcTan2(0, 0), 0);
    EXPECT_FALSE(std::signbit(ArcTan2(0, 0)));
    EXPECT_TRUE(std::signbit(ArcTan2(-0.0L, 0)));
    EXPECT_NEAR(static_cast<double>(ArcTan2(0, -0.0L)), static_cast<double>(NearestPi), 1e-15);
}

TEST(MathLibValues, TrigonometryAcceptsArgumentsUpToMaxAngle)
{
    EXPECT_NO_THROW(Sin(MaxAngle));
    EXPECT_NO_THROW(Cos(-MaxAngle));
    EXPECT_NO_THROW(Tan(MaxAngle));
    EXPECT_LE(std::fabs(Sin(1e18L)), 1);
    EXPECT_LE(std::fabs(Cos(1e18L)), 1);
    // The values of the exact angle 2^63 (mpmath, 40 digits: sin, cos and tan of 2^63).
    EXPECT_NEAR(double(Sin(MaxAngle)), 0.9999303766734422296178565053935299895487, 1e-15);
    EXPECT_NEAR(double(Sin(-MaxAngle)), -0.9999303766734422296178565053935299895487, 1e-15);
    EXPECT_NEAR(double(Cos(MaxAngle)), 0.01180007651280023668442038506089820789501, 1e-15);
    EXPECT_NEAR(double(Tan(MaxAngle)), 84.73931296875566587577717347635139297241, 1e-12);
}

TEST(MathLibErrors, EachFaultRaisesItsClass)
{
    const Float80 AboveMaxAngle = std::nextafter(MaxAngle, 1e30L);
    const struct
    {
        const char* Name;
        std::function<Float80()> Call;
        const char* Class;
    } Cases[] = {
        {"LogBase10 of 0", [] { return LogBase10(0); }, "EDomainError"},
        {"LogBase2 of -1", [] { return LogBase2(-1); }, "EDomainError"},
        {"LogBaseN with base 1", [] { return LogBaseN(1, 8); }, "EDomainError"},
        {"LogBaseN of 0", [] { return LogBaseN(2, 0); }, "EDomainError"},
        {"LogBaseN with base 0", [] { return LogBaseN(0, 8); }, "EDomainError"},
        {"ArcCos of 2", [] { return ArcCos(2); }, "EDomainError"},
        {"ArcSin of -1.5", [] { return ArcSin(-1.5L); }, "EDomainError"},
        {"ArcSec of 0.5 takes the root of a negative", [] { return ArcSec(0.5L); }, "EInvalidOp"},
        {"ArcCsc of 0.5 takes the root of a negative", [] { return ArcCsc(0.5L); }, "EInvalidOp"},
        {"ArcCsc of 1 divides by zero", [] { return ArcCsc(1); }, "EZeroDivide"},
        {"ArcCsc of -1 divides by zero", [] { return ArcCsc(-1); }, "EZeroDivide"},
        {"ArcCot of 0", [] { return ArcCot(0); }, "EDomainError"},
        {"Cot of 0 divides by zero", [] { return Cot(0); }, "EZeroDivide"},
        {"Csc of 0 fails its check on the sine", [] { return Csc(0); }, "EDomainError"},
        {"Cos beyond MaxAngle", [] { return Cos(1e19L); }, "EDomainError"},
        {"Sin beyond MaxAngle", [=] { return Sin(-AboveMaxAngle); }, "EDomainError"},
        {"Tan beyond MaxAngle", [=] { return Tan(AboveMaxAngle); }, "EDomainError"},
        {"Cot checks the angle before dividing", [] { return Cot(1e19L); }, "EDomainError"},
        {"Sec beyond MaxAngle", [] { return Sec(1e19L); }, "EDomainError"},
        {"Csc beyond MaxAngle", [] { return Csc(1e19L); }, "EDomainError"},
        {"Versine has the check of Cos", [] { return Versine(1e19L); }, "EDomainError"},
        {"Coversine has the check of Sin", [] { return Coversine(1e19L); }, "EDomainError"},
        {"Haversine has the check of Cos", [] { return Haversine(1e19L); }, "EDomainError"},
        {"Exsecans has the check of Sec", [] { return Exsecans(1e19L); }, "EDomainError"},
        {"ArcCosH of 0.5", [] { return ArcCosH(0.5L); }, "EDomainError"},
        {"ArcTanH of 1", [] { return ArcTanH(1); }, "EDomainError"},
        {"ArcTanH of -1", [] { return ArcTanH(-1); }, "EDomainError"},
        {"ArcCotH of 1", [] { return ArcCotH(1); }, "EDomainError"},
        {"ArcCotH of -1", [] { return ArcCotH(-1); }, "EDomainError"},
        {"ArcCotH of 0.5 takes the log of a negative", [] { return ArcCotH(0.5L); }, "EInvalidOp"},
        {"ArcCscH of 0", [] { return ArcCscH(0); }, "EDomainError"},
        {"ArcSecH of 2", [] { return ArcSecH(2); }, "EDomainError"},
        {"ArcSecH of 0 divides by zero", [] { return ArcSecH(0); }, "EZeroDivide"},
        {"ArcSecH of -0.5 takes the log of a negative", [] { return ArcSecH(-0.5L); }, "EInvalidOp"},
        {"CotH of 0 divides by zero", [] { return CotH(0); }, "EZeroDivide"},
        {"CscH of 0 fails its check on p - q", [] { return CscH(0); }, "EDomainError"},
        {"SecH of 20000 overflows", [] { return SecH(20000); }, "EOverflow"},
        {"CscH of -20000 overflows", [] { return CscH(-20000); }, "EOverflow"},
        {"CosH of 12000 overflows", [] { return CosH(12000); }, "EOverflow"},
        {"CosH of -11390: 1/c of a subnormal overflows", [] { return CosH(-11390); }, "EOverflow"},
        {"SinH of -12000: c is 0", [] { return SinH(-12000); }, "EZeroDivide"},
        {"Exp beyond 11356.5 overflows", [] { return Exp(11357); }, "EOverflow"},
        {"Exp of the largest negative overflows x*log2 e", [] { return Exp(-1e4932L); }, "EOverflow"},
        {"Ln of 0", [] { return Ln(0); }, "EZeroDivide"},
        {"Ln of -1", [] { return Ln(-1); }, "EInvalidOp"},
        {"Sqrt of -1", [] { return Sqrt(-1); }, "EInvalidOp"},
        {"Log2 of 0", [] { return Log2(0); }, "EZeroDivide"},
    };
    for (const auto& Case : Cases)
        ExpectError(Case.Name, Case.Call, Case.Class);
}
