#include "expr/IntervalPower.h"

#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/MathLibAccuracy.h"
#include "expr/TValueHull.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

namespace
{
constexpr double Bound = MathLibAccuracy::UlpBound(u"Power");
constexpr Float80 Two63 = 0x1p63L;
constexpr Float80 Inf = std::numeric_limits<Float80>::infinity();

enum class TRule : uint8_t
{
    Multiply, // Base^n by n multiplications, n > 0
    Divide,   // Base^n by -n divisions, n < 0
    One,
};

// Consecutive n (the exponent's truncation cut to 32 bits) that follow one rule.
struct TRun
{
    int64_t From, To;
    TRule Rule;
};

// A few runs, without allocating: the negative exponents give at most two wrapped segments of
// three runs each, the positive ones as many, and 0 one.
struct TRuns
{
    std::array<TRun, 16> Items;
    size_t Count = 0;
    void push_back(const TRun& r) { Items[Count++] = r; }
    TRun* begin() { return Items.data(); }
    TRun* end() { return Items.data() + Count; }
    size_t size() const { return Count; }
    bool empty() const { return Count == 0; }
};

// The runs for the truncations k in [k0, k1] of exponents of one sign. As k grows by one, n
// grows by one and wraps from 2^31 - 1 to -2^31.
void AddTruncations(int64_t k0, int64_t k1, bool NegativeExponent, TRuns& Runs)
{
    constexpr int64_t Low = std::numeric_limits<int32_t>::min(), High = std::numeric_limits<int32_t>::max();
    TRun Segments[2];
    int SegmentCount = 1;
    if (uint64_t(k1) - uint64_t(k0) >= 0xFFFFFFFFu)
        Segments[0] = {Low, High, TRule::One};
    else
    {
        const int64_t n0 = int32_t(uint32_t(uint64_t(k0)));
        const int64_t n1 = n0 + int64_t(uint64_t(k1) - uint64_t(k0));
        if (n1 <= High)
            Segments[0] = {n0, n1, TRule::One};
        else
        {
            Segments[0] = {n0, High, TRule::One};
            Segments[1] = {Low, n1 - (int64_t(1) << 32), TRule::One};
            SegmentCount = 2;
        }
    }
    for (int i = 0; i < SegmentCount; ++i)
    {
        const TRun& S = Segments[i];
        if (S.From < 0) // n < 0 divides under a negative exponent only
            Runs.push_back(
                {S.From, std::min<int64_t>(S.To, -1), NegativeExponent ? TRule::Divide : TRule::One});
        if (S.To > 0) // n > 0 multiplies under a positive exponent only
            Runs.push_back(
                {std::max<int64_t>(S.From, 1), S.To, NegativeExponent ? TRule::One : TRule::Multiply});
        if (S.From <= 0 && S.To >= 0)
            Runs.push_back({0, 0, TRule::One});
    }
}

// Power's value for a magnitude m >= 0; false where it fails (an overflow, or 0 divided).
bool PowerOf(Float80 m, int64_t n, Float80& Value)
{
    try
    {
        Value = FunctionLibrary::Power(m, Float80(n));
        return true;
    }
    catch (const Exception&)
    {
        return false;
    }
}

// The results of one run over one sign part of the base, whose magnitudes are [m0, m1]:
// |b|^n grows with |b| for n > 0 and shrinks for n < 0, and is monotone in n, so the extreme
// magnitudes come from the corners. A negative base gives the magnitude's sign (-1)^n (Power
// multiplies or divides by the base step by step, so its sign is exactly that).
void AddPart(const TRun& R, Float80 m0, Float80 m1, bool Negative, TValueHull& Hull, bool& Undefined)
{
    const bool Divides = R.Rule == TRule::Divide;
    if (Divides && m1 == 0)
    {
        Undefined = true; // only 0 here: every such point divides by 0
        return;
    }
    TValueHull Magnitude;
    const Float80 Small = Divides ? m1 : m0, Large = Divides ? m0 : m1; // the |b| of the least and most
    const int64_t Ends[] = {R.From, R.To};
    for (int k = 0; k < (R.From == R.To ? 1 : 2); ++k)
    {
        const int64_t n = Ends[k];
        Float80 Value;
        if (Small == 0 && !Divides)
            Magnitude.Include(0, 0);
        else if (PowerOf(Small, n, Value))
            Magnitude.Add(Value, Bound);
        else // an overflow at the least magnitude: nothing below is known
            Magnitude.Include(0, Inf), Undefined = true;
        if (Large == 0 && Divides)
            Magnitude.Include(Inf, Inf), Undefined = true; // 1 / b^-n near b = 0
        else if (PowerOf(Large, n, Value))
            Magnitude.Add(Value, Bound);
        else
            Magnitude.Include(Inf, Inf), Undefined = true;
    }
    if (Magnitude.Empty())
        return;
    Magnitude.ClampToNonNegative();
    const TInterval M = Magnitude.Interval(TTri::Yes, TTri::Yes);
    const bool OneParity = R.From == R.To;
    if (!Negative || (OneParity && R.From % 2 == 0))
        Hull.Include(M.Lo, M.Hi);
    else if (OneParity)
        Hull.Include(-M.Hi, -M.Lo);
    else
        Hull.Include(-M.Hi, M.Hi);
}

void AddRun(const TRun& R, const TInterval& Base, TValueHull& Hull, bool& Undefined)
{
    if (R.Rule == TRule::One)
        return Hull.Include(1, 1);
    if (Base.Lo < 0)
        AddPart(R, std::max(-Base.Hi, Float80(0)), -Base.Lo, true, Hull, Undefined);
    if (Base.Hi >= 0)
        AddPart(R, std::max(Base.Lo, Float80(0)), Base.Hi, false, Hull, Undefined);
}
} // namespace

namespace IntervalPower
{
TInterval Enclose(const TInterval& Base, const TInterval& Exponent)
{
    if (Base.Defined == TTri::No || Exponent.Defined == TTri::No)
        return TInterval::Undefined();
    const Float80 e0 = Exponent.Lo, e1 = Exponent.Hi;
    // Exponents the rule refuses: beyond the 64-bit truncation, or with a fraction (an interval
    // wider than a point holds exponents with fractions); only whole exponents have a value.
    bool Undefined = e0 < -Two63 || e1 >= Two63 || e0 != e1 || e0 != std::trunc(e0);
    TRuns Runs;
    const Float80 n0 = std::ceil(std::max(e0, -Two63)), n1 = std::min(std::floor(e1), Float80(-1));
    if (n0 <= n1)
        AddTruncations(int64_t(n0), int64_t(n1), true, Runs);
    if (e0 <= 0 && e1 >= 0)
        Runs.push_back({0, 0, TRule::One});
    const Float80 p0 = std::max(std::ceil(e0), Float80(1)), p1 = std::min(std::floor(e1), Two63 - 1);
    if (p0 <= p1)
        AddTruncations(int64_t(p0), int64_t(p1), false, Runs);
    if (Runs.empty())
        return TInterval::Undefined();
    std::sort(Runs.begin(), Runs.end(),
              [](const TRun& a, const TRun& b)
              { return std::tie(a.From, a.To, a.Rule) < std::tie(b.From, b.To, b.Rule); });
    Runs.Count = size_t(std::unique(Runs.begin(), Runs.end(),
                                    [](const TRun& a, const TRun& b)
                                    { return a.From == b.From && a.To == b.To && a.Rule == b.Rule; }) -
                        Runs.begin());

    TValueHull Hull;
    for (const TRun& R : Runs)
        AddRun(R, Base, Hull, Undefined);
    if (Hull.Empty())
        return TInterval::Undefined(); // every exponent divides a zero base
    const TTri Own = Undefined ? TTri::Maybe : TTri::Yes;
    const bool OneRule = Runs.size() == 1 && Runs.Items[0].From == Runs.Items[0].To;
    return Hull.Interval(TTri::Yes, TTri::Yes)
        .WithFlagsOf(Base, Exponent, Own, OneRule && !Undefined ? TTri::Yes : TTri::Maybe);
}
} // namespace IntervalPower
