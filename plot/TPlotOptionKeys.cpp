#include "plot/TPlotOptionKeys.h"

#include "plot/TProfileFile.h"

namespace
{
const QString Main = QStringLiteral("Main");
// No value read from a file holds a line break, so no present key reads as this.
const QString Missing = QStringLiteral("\n");
} // namespace

void WritePlotOptions(TProfileFile& File, const TPlotOptions& Options)
{
    for (const TPlotOptionKey& k : PlotOptionKeys)
    {
        const QString Key = QLatin1String(k.Key);
        if (Options.*k.Field)
            File.WriteInteger(Main, Key, 1);
        else if (File.ReadString(Main, Key, Missing) != Missing)
            File.WriteInteger(Main, Key, 0);
    }
}

TPlotOptions ReadPlotOptions(const TProfileFile& File)
{
    TPlotOptions Options;
    for (const TPlotOptionKey& k : PlotOptionKeys)
        Options.*k.Field = File.ReadInteger(Main, QLatin1String(k.Key), 0) != 0;
    return Options;
}
