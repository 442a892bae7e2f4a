#include "app/TParameterOverrides.h"

#include "app/RenderText.h"

#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "plot/QtText.h"
#include "plot/TParameterList.h"

bool TParameterOverrides::Add(const QString& Argument, QString& Error)
{
    const qsizetype Equal = Argument.indexOf(QLatin1Char('='));
    if (Equal <= 0)
    {
        Error = QString::fromUtf8(Msg::SetWithoutName).arg(Argument);
        return false;
    }
    try
    {
        Values.emplace_back(Argument.left(Equal).trimmed(), TextToFloat(ToU16(Argument.mid(Equal + 1)), Sep));
    }
    catch (const EConvertError& Bad)
    {
        Error = QString::fromUtf8(Msg::SetWithBadValue).arg(Argument, QString::fromUtf8(Bad.Message()));
        return false;
    }
    return true;
}

bool TParameterOverrides::ApplyTo(TParameterList& Parameters, QString& Error) const
{
    TParameterList Changed = Parameters;
    for (const auto& [Name, Value] : Values)
    {
        const int Index = Changed.IndexOf(Name);
        if (Index < 0)
        {
            Error = QString::fromUtf8(Msg::SetUnknownParameter).arg(Name);
            return false;
        }
        Changed.Item(Index).Value = Value;
    }
    Parameters = std::move(Changed);
    return true;
}
