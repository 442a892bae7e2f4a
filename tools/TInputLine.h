#pragma once
// One input line of vendrel-eval, X<TAB>T<TAB>FORMULA (UTF-8), split into its fields; the
// time is converted at once, the x only when asked, after it.
#include "expr/Float80.h"

#include <string>
#include <string_view>

struct TInputLine
{
    std::string_view XText;
    Float80 T = 0;
    std::u16string Formula;

    // The fields of Line, which must outlive the result; EConvertError when a tab is missing
    // or the time is no number.
    static TInputLine Parse(const std::string& Line);
    // The x field as a number; EConvertError when it is none.
    Float80 X() const;
};
