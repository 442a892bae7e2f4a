#include "plot/TGraphKeys.h"

#include "plot/TProfileFile.h"

namespace
{
const QString Main = QStringLiteral("Main");
} // namespace

QString TGraphKeys::Name(const char* Key) const
{
    return QLatin1String(Key) + QString::number(FNumber);
}

QString TGraphKeys::Text(const char* Key, const QString& Default) const
{
    return Reading->ReadString(Main, Name(Key), Default, TProfileFile::Unlimited);
}

int32_t TGraphKeys::Integer(const char* Key, int32_t Default) const
{
    return Reading->ReadInteger(Main, Name(Key), Default);
}

bool TGraphKeys::Has(const char* Key) const
{
    const QString Missing(QChar(0));
    return Reading->ReadString(Main, Name(Key), Missing) != Missing;
}

void TGraphKeys::WriteText(const char* Key, const QString& Value)
{
    Writing->WriteString(Main, Name(Key), Value);
}

void TGraphKeys::WriteInteger(const char* Key, int32_t Value)
{
    Writing->WriteInteger(Main, Name(Key), Value);
}
