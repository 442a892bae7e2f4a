// The integer operators over intervals (IntervalIntegerOps) against the point rules enumerated:
// for operand ranges of a few dozen integers, around 0, at both ends of the 64-bit range, past
// them, with fractional ends (ties to even) and with shift counts around the byte's limits, the
// interval must be exactly the hull of the point results, and "defined" exactly Yes, No or
// Maybe as the point rules fail nowhere, everywhere or somewhere.
#include "expr/IntervalIntegerOps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace
{
using IntegerOps::TOperator;
constexpr int64_t Least = std::numeric_limits<int64_t>::min(), Greatest = std::numeric_limits<int64_t>::max();

struct TOperand
{
    const char* Name;
    Float80 Lo, Hi;
};

// clang-format off
const TOperand Operands[] = {
    {"zero", 0, 0},
    {"one", 1, 1},
    {"minus one", -1, -1},
    {"small positives", 2, 9},
    {"small negatives", -8, -2},
    {"across zero", -3, 3},
    {"fractional ends round to 0..3", 0.4L, 2.6L},
    {"ties to even: -2.5 .. 2.5 is -2 .. 2", -2.5L, 2.5L},
    {"3.5 rounds to 4", 3.5L, 3.5L},
    {"a wider run", 5, 44},
    {"the least integers", Float80(Least), Float80(Least) + 6},
    {"the greatest integers", Float80(Greatest) - 6, Float80(Greatest)},
    {"past the greatest", 0x1p63L - 4, 0x1p63L + 8},
    {"wholly past the least", -0x1p63L - 4096, -0x1p63L - 2048},
    {"shift counts 60..70", 60, 70},
    {"shift counts 120..135", 120, 135},
    {"shift counts 250..260", 250, 260},
    {"shift counts -130..-120", -130, -120},
    {"around 2^62", 0x1p62L - 3, 0x1p62L + 3},
    {"around -2^62", -0x1p62L - 3, -0x1p62L + 3},
};
// clang-format on

const char* OperatorName(TOperator Op)
{
    static const char* const Names[] = {"bor", "bxor", "div", "mod", "shl", "shr", "band"};
    return Names[int(Op)];
}

// The integers the point rule rounds a range's values to (those inside the 64-bit range).
std::vector<int64_t> Integers(const TOperand& o)
{
    std::vector<int64_t> Values;
    const Float80 Lo = std::max(__builtin_rintl(o.Lo), -0x1p63L),
                  Hi = std::min(__builtin_rintl(o.Hi), 0x1p63L - 1);
    if (Lo > Hi)
        return Values;
    for (int64_t v = int64_t(Lo);; ++v)
    {
        Values.push_back(v);
        if (v == int64_t(Hi))
            break;
    }
    return Values;
}

bool PartlyOutside(const TOperand& o)
{
    return __builtin_rintl(o.Lo) < -0x1p63L || __builtin_rintl(o.Hi) >= 0x1p63L;
}

struct TOutcomes
{
    Float80 Lo = INFINITY, Hi = -INFINITY;
    bool Failed = false, Succeeded = false;
};

TOutcomes Enumerate(TOperator Op, const TOperand& a, const TOperand& b)
{
    TOutcomes Out;
    Out.Failed = PartlyOutside(a) || PartlyOutside(b);
    for (int64_t x : Integers(a))
        for (int64_t y : Integers(b))
        {
            try
            {
                const Float80 v = IntegerOps::Apply(Op, Float80(x), Float80(y));
                Out.Lo = std::min(Out.Lo, v);
                Out.Hi = std::max(Out.Hi, v);
                Out.Succeeded = true;
            }
            catch (const Exception&)
            {
                Out.Failed = true;
            }
        }
    return Out;
}
} // namespace

TEST(IntervalIntegerOps, AreTheExactImageOfThePointRules)
{
    for (TOperator Op : {TOperator::Bor, TOperator::Bxor, TOperator::Div, TOperator::Mod, TOperator::Shl,
                         TOperator::Shr, TOperator::Band})
        for (const TOperand& a : Operands)
            for (const TOperand& b : Operands)
            {
                SCOPED_TRACE(std::string("(") + a.Name + ") " + OperatorName(Op) + " (" + b.Name + ")");
                const TOutcomes Expected = Enumerate(Op, a, b);
                const TInterval Got =
                    IntervalIntegerOps::Apply(Op, TInterval::Of(a.Lo, a.Hi), TInterval::Of(b.Lo, b.Hi));
                const TTri Defined = !Expected.Succeeded ? TTri::No
                                     : Expected.Failed   ? TTri::Maybe
                                                         : TTri::Yes;
                ASSERT_EQ(int(Got.Defined), int(Defined));
                if (Defined == TTri::No)
                    continue;
                EXPECT_EQ(Got.Lo, Expected.Lo);
                EXPECT_EQ(Got.Hi, Expected.Hi);
                EXPECT_EQ(Got.Continuous == TTri::Yes,
                          Got.IsPoint() && Defined == TTri::Yes && a.Lo == a.Hi && b.Lo == b.Hi);
            }
}

TEST(IntervalIntegerOps, BnotIsTheExactImage)
{
    for (const TOperand& a : Operands)
    {
        SCOPED_TRACE(a.Name);
        const TInterval Got = IntervalIntegerOps::Bnot(TInterval::Of(a.Lo, a.Hi));
        const std::vector<int64_t> Values = Integers(a);
        if (Values.empty())
        {
            EXPECT_EQ(Got.Defined, TTri::No);
            continue;
        }
        EXPECT_EQ(Got.Defined, PartlyOutside(a) ? TTri::Maybe : TTri::Yes);
        EXPECT_EQ(Got.Lo, Float80(~Values.back()));
        EXPECT_EQ(Got.Hi, Float80(~Values.front()));
    }
}

// Divisor ranges wider than those enumerated exactly still bound the remainder by the divisor
// and the dividend.
TEST(IntervalIntegerOps, ModByAWideDivisorRangeIsBounded)
{
    const TInterval r =
        IntervalIntegerOps::Apply(TOperator::Mod, TInterval::Of(0, 1000), TInterval::Of(100, 500));
    EXPECT_EQ(r.Lo, 0);
    EXPECT_EQ(r.Hi, 499);
    const TInterval Negative =
        IntervalIntegerOps::Apply(TOperator::Mod, TInterval::Of(-1000, -1), TInterval::Of(-500, -100));
    EXPECT_EQ(Negative.Lo, -499);
    EXPECT_EQ(Negative.Hi, 0);
}
