#pragma once
// The frames of an animation: times From, From + Step, ... up to To (included where it falls on a
// step), each frame Size pixels and shown DelayMs. Read is the one reading of the three times as
// the user types them, for the Export Animation dialog and for `vendrel --render` alike:
//
//   - each text is read as the time editor's is, with the user's decimal separator; a text that
//     is no number throws its EConvertError, From checked first, then To, then Step;
//   - a Step of 0 throws EExportError(Msg::ZeroStep), a Step leading away from To
//     EExportError(Msg::WrongSign), more than ExportLimits::MaxFrames frames
//     EExportError(Msg::TooManyFrames).
#include "export/TExportLimits.h"
#include "expr/Float80.h"

#include <QSize>
#include <QString>

struct TAnimationPlan
{
    Float80 From = 0;
    Float80 To = 0;
    Float80 Step = 0;
    int DelayMs = ExportLimits::DefaultDelayMs;
    QSize Size;

    // The plan of the three times as typed, with a checked frame count; delay and size are left
    // at their defaults.
    static TAnimationPlan Read(const QString& FromText, const QString& ToText, const QString& StepText,
                               char16_t DecimalSeparator);
    // Whether a frame delay lies within the limits.
    static bool DelayFits(int DelayMs)
    {
        return DelayMs >= ExportLimits::MinDelayMs && DelayMs <= ExportLimits::MaxDelayMs;
    }

    // The number of frames; throws EExportError as Read does.
    int FrameCount() const;
    Float80 FrameTime(int Index) const { return From + Index * Step; }
};
