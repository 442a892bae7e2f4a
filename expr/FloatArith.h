#pragma once
// Arithmetic that reports floating-point faults as errors instead of producing
// infinities or not-a-number values. Operands are always finite; the result is tested.
#include "expr/Errors.h"
#include "expr/Float80.h"

#include <cmath>

// A result that left the finite range: infinity is an overflow, NaN an invalid operation.
// r - r is 0 for every finite r and NaN for an infinity or a NaN, so one subtraction and a
// self-comparison tell them apart without loading an 80-bit limit from memory (slow on x87).
inline Float80 CheckResult(Float80 r)
{
    const Float80 Zero = r - r;
    if (__builtin_expect(Zero != Zero, 0))
    {
        if (std::isnan(r))
            RaiseInvalidOp();
        RaiseOverflow();
    }
    return r;
}

inline Float80 FAdd(Float80 a, Float80 b)
{
    return CheckResult(a + b);
}
inline Float80 FSub(Float80 a, Float80 b)
{
    return CheckResult(a - b);
}
inline Float80 FMul(Float80 a, Float80 b)
{
    return CheckResult(a * b);
}
inline Float80 FDiv(Float80 a, Float80 b)
{
    if (__builtin_expect(b == 0, 0))
    {
        if (a == 0)
            RaiseInvalidOp();
        RaiseZeroDivide();
    }
    return CheckResult(a / b);
}
