#pragma once
// The time parameter reaches a formula as text: every identifier token that is exactly
// the lower-case "t" is replaced by the time's text. Tokens are found by the lexer's
// own rules, so names that contain the letter (Sqrt, Cot, not) and the upper-case T
// are left alone, and the text is spliced in as it stands (2t at 0.5 reads 20.5).
#include "expr/Float80.h"

#include <string>
#include <string_view>

std::u16string SubstituteTime(std::u16string_view Formula, std::u16string_view TimeText, char16_t Sep);

// A graph's formula as the plot evaluates it at time T: T in the 15-digit general form with
// the separator Sep, put in place of every time parameter.
std::u16string FormulaAtTime(std::u16string_view Formula, Float80 T, char16_t Sep);
