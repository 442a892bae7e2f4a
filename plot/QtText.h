#pragma once
// Bridges between Qt's QString and the evaluator's UTF-16 texts (same code units, no conversion).
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

inline std::u16string_view ToU16(const QString& Text)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(Text.utf16()), size_t(Text.size()));
}

inline std::u16string_view ToU16(QStringView Text)
{
    return std::u16string_view(Text.utf16(), size_t(Text.size()));
}

inline QString FromU16(std::u16string_view Text)
{
    return QString::fromUtf16(Text.data(), qsizetype(Text.size()));
}
