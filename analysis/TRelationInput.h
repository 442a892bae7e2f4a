#pragma once
// What a relation is read from: its formula as typed (with t), the time, the user's decimal
// separator and the named parameters with their values, as the plot holds them.
#include "expr/Float80.h"

#include <string>
#include <vector>

struct TRelationInput
{
    std::u16string Formula;
    Float80 Time = 0;
    char16_t Separator = u'.';
    std::vector<std::u16string> ParameterNames;
    std::vector<Float80> ParameterValues;
};
