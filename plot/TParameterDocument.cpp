#include "plot/TParameterDocument.h"

#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TProfileFile.h"

#include <algorithm>

namespace
{
const QString Section = QStringLiteral("Parameters");

QString Numbered(const char* Key, int n)
{
    return QLatin1String(Key) + QString::number(n);
}

Float80 ReadNumber(const TProfileFile& File, const QString& Key, Float80 Default)
{
    const QString Text = File.ReadString(Section, Key, QString());
    if (Text.isEmpty())
        return Default;
    try
    {
        return TextToFloat(ToU16(Text), u'.');
    }
    catch (const EConvertError&)
    {
        return Default;
    }
}
} // namespace

void TParameterDocument::Write(TProfileFile& File, const TParameterList& Parameters)
{
    if (Parameters.Empty())
    {
        if (!File.ReadString(Section, QStringLiteral("Count"), QString()).isEmpty())
            File.WriteInteger(Section, QStringLiteral("Count"), 0);
        return;
    }
    File.WriteInteger(Section, QStringLiteral("Count"), Parameters.Count());
    for (int i = 0; i < Parameters.Count(); ++i)
    {
        const TParameter& p = Parameters.Item(i);
        File.WriteString(Section, Numbered("Name", i + 1), p.Name);
        File.WriteString(Section, Numbered("Value", i + 1), ParameterNumber(p.Value, u'.'));
        File.WriteString(Section, Numbered("Min", i + 1), ParameterNumber(p.Min, u'.'));
        File.WriteString(Section, Numbered("Max", i + 1), ParameterNumber(p.Max, u'.'));
        File.WriteString(Section, Numbered("Step", i + 1), ParameterNumber(p.Step, u'.'));
        File.WriteString(Section, Numbered("Mode", i + 1), ModeName(p.Mode));
    }
}

TParameterList TParameterDocument::Read(const TProfileFile& File)
{
    TParameterList Parameters;
    const int32_t Count = std::min(File.ReadInteger(Section, QStringLiteral("Count"), 0), MaxParameters);
    for (int n = 1; n <= Count; ++n)
    {
        const TParameter Defaults;
        TParameter p;
        p.Name = File.ReadString(Section, Numbered("Name", n), QString()).trimmed();
        p.Value = ReadNumber(File, Numbered("Value", n), Defaults.Value);
        p.Min = ReadNumber(File, Numbered("Min", n), Defaults.Min);
        p.Max = ReadNumber(File, Numbered("Max", n), Defaults.Max);
        p.Step = ReadNumber(File, Numbered("Step", n), Defaults.Step);
        p.Mode = ModeFromName(File.ReadString(Section, Numbered("Mode", n), QString()));
        if (Parameters.NameRefusal(p.Name).empty())
            Parameters.Add(p);
    }
    return Parameters;
}
