#pragma once
// The evaluator's number: the x87 80-bit extended type (64-bit significand).
#include <cfloat>

using Float80 = long double;
static_assert(LDBL_MANT_DIG == 64, "Vendrel computes in the x87 80-bit extended type");

// A plain routine of the function library: no object, no captured state.
using TUnaryRoutine = Float80 (*)(Float80);
using TBinaryRoutine = Float80 (*)(Float80, Float80);
