#pragma once
// A long double as the analysis panel and its marks write it, with the user's decimal
// separator. The C library formats it: QString::asprintf would pass it through a double.
#include "expr/Float80.h"

#include <QString>

#include <cstdio>

// Digits: significant digits, in the general form ("%.*Lg").
inline QString AnalysisNumber(Float80 Value, int Digits, char16_t Separator)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.*Lg", Digits, Value);
    QString Text = QString::fromLatin1(Buffer);
    Text.replace(QLatin1Char('.'), QChar(Separator));
    return Text;
}
