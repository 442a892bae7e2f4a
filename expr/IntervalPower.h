#pragma once
// The enclosure of Power(Base, Exponent) over intervals, the exact image of Power's rule for
// its exponent (FunctionLibrary::Power):
//   - an exponent with a fraction is a domain error, and one whose truncation leaves the
//     signed 64-bit range an invalid operation: undefined there;
//   - otherwise n, the low 32 bits of the truncation read as a signed number, decides: for a
//     positive exponent and n > 0 the result is Base^n by multiplication, for a negative
//     exponent and n < 0 Base^n by division (undefined at Base = 0), else 1.
// The exponents of an interval fall into a few runs of consecutive n with one rule each (the
// cut to 32 bits wraps a long run around); over each run the result's magnitude is monotone
// in |Base| and in n, so Power's own values at the ends of the runs and of Base (each widened
// by Power's error bound) bound it. Continuous only where one n holds throughout.
#include "expr/TInterval.h"

namespace IntervalPower
{
TInterval Enclose(const TInterval& Base, const TInterval& Exponent);
} // namespace IntervalPower
