#include "export/TAnimationPlan.h"

#include "export/Errors.h"
#include "plot/TEvalContext.h"

#include <cmath>

namespace
{
Float80 ReadTime(const QString& Text, char16_t Sep)
{
    return TEvalContext::ReadTime(Text, Sep);
}
} // namespace

TAnimationPlan TAnimationPlan::Read(const QString& FromText, const QString& ToText, const QString& StepText,
                                    char16_t DecimalSeparator)
{
    TAnimationPlan Plan;
    Plan.From = ReadTime(FromText, DecimalSeparator);
    Plan.To = ReadTime(ToText, DecimalSeparator);
    Plan.Step = ReadTime(StepText, DecimalSeparator);
    Plan.FrameCount();
    return Plan;
}

int TAnimationPlan::FrameCount() const
{
    if (Step == 0)
        ThrowExport(QString::fromLatin1(Msg::ZeroStep));
    const Float80 Steps = (To - From) / Step;
    if (Steps < 0 && To != From)
        ThrowExport(QString::fromLatin1(Msg::WrongSign));
    // A time that misses To by rounding alone still counts as reaching it.
    const Float80 Whole = std::floor(Steps + 1e-9L);
    if (!(Whole < ExportLimits::MaxFrames))
        ThrowExport(QString::fromLatin1(Msg::TooManyFrames));
    return int(Whole) + 1;
}
