#pragma once
// A value carried through a formula together with its first and second derivative with
// respect to the variable x: forward-mode automatic differentiation cut after the second
// order. The value is the very number the plain run computes; D1 and D2 are the exact
// derivatives' values rounded along the way, each step done in long double.
#include "expr/Float80.h"

struct TDual
{
    Float80 Value = 0;
    Float80 D1 = 0; // f'(x)
    Float80 D2 = 0; // f''(x)

    bool operator==(const TDual&) const = default;
};
