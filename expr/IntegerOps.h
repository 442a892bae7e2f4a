#pragma once
// The integer side of the formula language ("div", "mod", "shl", "shr", "band", "bor",
// "bxor", "bnot"): operands are rounded to signed 64-bit integers first. Inline, because
// the compiled programs run these in their inner loop.
#include "expr/Errors.h"
#include "expr/Float80.h"

#include <cmath>
#include <cstdint>

namespace IntegerOps
{
// Nearest integer, ties to even; outside the signed 64-bit range an invalid operation.
inline int64_t Round64(Float80 v)
{
    constexpr Float80 Limit = 9223372036854775808.0L; // 2^63
    // rint rounds as nearbyint does (to nearest, ties to even); it only also raises the
    // inexact flag, which nothing here reads, and it is one instruction instead of a call.
    const Float80 r = __builtin_rintl(v);
    if (!(r >= -Limit && r < Limit))
        RaiseInvalidOp();
    return int64_t(r);
}

// The low 8 bits of the count read as a signed byte c: 0..63 shift by c, 64..127 shift
// everything out, negative counts shift by c AND 31.
inline uint64_t ShiftLeft(uint64_t Bits, int64_t Count)
{
    const int8_t c = int8_t(uint8_t(Count & 0xFF));
    if (c < 0)
        return Bits << (c & 31);
    return c <= 63 ? Bits << c : 0;
}

inline uint64_t ShiftRight(uint64_t Bits, int64_t Count)
{
    const int8_t c = int8_t(uint8_t(Count & 0xFF));
    if (c < 0)
        return Bits >> (c & 31);
    return c <= 63 ? Bits >> c : 0;
}

// Truncating quotient; INT64_MIN div -1 wraps to INT64_MIN instead of trapping.
inline int64_t Div(int64_t a, int64_t b)
{
    if (b == 0)
        RaiseDivByZero();
    if (b == -1)
        return int64_t(0 - uint64_t(a));
    return a / b;
}

// Remainder with the sign of the dividend; anything mod -1 is 0.
inline int64_t Mod(int64_t a, int64_t b)
{
    if (b == 0)
        RaiseDivByZero();
    if (b == -1)
        return 0;
    return a % b;
}

// The binary integer operators of the language, in the order of their opcodes.
enum class TOperator : uint8_t
{
    Bor,
    Bxor,
    Div,
    Mod,
    Shl,
    Shr,
    Band,
};

// Left op Right. The right operand is rounded before the left, so when both are out of range
// the right one is the first to fail.
inline Float80 Apply(TOperator Op, Float80 Left, Float80 Right)
{
    const int64_t b = Round64(Right);
    const int64_t a = Round64(Left);
    switch (Op)
    {
    case TOperator::Bor:
        return Float80(a | b);
    case TOperator::Bxor:
        return Float80(a ^ b);
    case TOperator::Div:
        return Float80(Div(a, b));
    case TOperator::Mod:
        return Float80(Mod(a, b));
    case TOperator::Shl:
        return Float80(int64_t(ShiftLeft(uint64_t(a), b)));
    case TOperator::Shr:
        return Float80(int64_t(ShiftRight(uint64_t(a), b)));
    default:
        return Float80(a & b); // Band
    }
}
} // namespace IntegerOps
