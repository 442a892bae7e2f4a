#pragma once
// The names a formula can use besides "x": the constant "Pi" and 37 functions. Five
// routines belong to the plot window itself (Sqrt, Exp, Ln, Power, Abs); the other 32
// come from MathLib. Both groups use MathLib's domain check.
#include "expr/Float80.h"

#include <memory>
#include <string_view>

class TEasyEvaluator;
class TEvaluator;

namespace FunctionLibrary
{
Float80 Sqrt(Float80 x);
Float80 Exp(Float80 x);
Float80 Ln(Float80 x);
// Base raised to an integral exponent, rounded once; an exponent with a fractional part
// is a domain error.
Float80 Power(Float80 Base, Float80 Exponent);
Float80 Abs(Float80 x);
} // namespace FunctionLibrary

// Registers the 37 functions in their fixed order (Sqrt, Exp, Ln, Power, Abs, then
// MathLib's from LogBase10 to TanH).
void RegisterFunctionLibrary(TEasyEvaluator& Evaluator);
// Registers the constant "Pi".
void RegisterPi(TEasyEvaluator& Evaluator);
// An evaluator set up as the plot uses it: "Pi", the library, then the variable "x"
// reading *XStorage, which must outlive the evaluator. Curves of other kinds read another
// variable ("s", "y") by the name Variable; an empty name registers none.
std::unique_ptr<TEvaluator> MakePlotEvaluator(char16_t Separator, Float80* XStorage,
                                              std::u16string_view Variable = u"x");
