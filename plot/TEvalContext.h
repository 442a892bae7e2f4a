#pragma once
// What every evaluation of one frame reads besides its variable: the time as a number, the
// named parameters with their values, and the decimal separator. It is made once from the
// model (or, for the frames of a motion-blur trail, once per frame) and handed to whatever
// evaluates: the paint, the readouts, the Graph panel, the analysis request and the exports.
// The time text is read here and nowhere else, and only here are parameters handed to an
// evaluator.
#include "expr/Float80.h"

#include <QString>

#include <string>
#include <vector>

class TCurveEvaluators;
class TGraphEvaluator;
class TPlotModel;

struct TEvalContext
{
    Float80 Time = 0;
    std::vector<std::u16string> ParameterNames;
    std::vector<Float80> ParameterValues;
    char16_t Separator = u'.';

    // The model's time and its parameters' values now; EConvertError when the time text is not
    // a number.
    static TEvalContext Of(const TPlotModel& Model, char16_t Separator);
    // The N frames of a motion-blur trail: frame j at the time the sum t + j * TimeIncrement
    // reaches step by step, with the parameters j ticks on in the model's direction. The time
    // text is read even for no frame.
    static std::vector<TEvalContext> Frames(const TPlotModel& Model, int N, char16_t Separator);
    // A time text as a number (EConvertError when it is not one).
    static Float80 ReadTime(const QString& Text, char16_t Separator);

    // Gives the evaluators the parameters and their values.
    void Use(TGraphEvaluator& Evaluator) const;
    void Use(TCurveEvaluators& Evaluators) const;

    bool operator==(const TEvalContext&) const = default;
};
