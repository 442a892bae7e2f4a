#include "app/TOutputSettings.h"

#include <QSettings>

namespace
{
const QString CopyAtScreenResolutionName = QStringLiteral("Output/CopyAtScreenResolution");
} // namespace

bool TOutputSettings::CopyAtScreenResolution() const
{
    // Text-based stores give every value back as a string; a number of any type reads alike.
    bool Ok = false;
    const int Number = Store.value(CopyAtScreenResolutionName).toString().trimmed().toInt(&Ok);
    return Ok && Number != 0;
}

void TOutputSettings::SetCopyAtScreenResolution(bool Value)
{
    Store.setValue(CopyAtScreenResolutionName, Value ? 1 : 0);
    Store.sync();
}
