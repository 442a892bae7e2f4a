#include "plot/TProfileEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>

namespace
{
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Text that passes
// decodes and encodes back to the very same bytes.
bool IsStrictUtf8(const QByteArray& Bytes)
{
    const auto* p = reinterpret_cast<const uint8_t*>(Bytes.constData());
    const auto* End = p + Bytes.size();
    while (p < End)
    {
        const uint8_t b = *p++;
        if (b < 0x80)
            continue;
        int More;
        uint8_t Low = 0x80, High = 0xBF; // range of the first continuation byte
        if (b >= 0xC2 && b <= 0xDF)
            More = 1;
        else if (b >= 0xE0 && b <= 0xEF)
        {
            More = 2;
            if (b == 0xE0)
                Low = 0xA0;
            if (b == 0xED)
                High = 0x9F;
        }
        else if (b >= 0xF0 && b <= 0xF4)
        {
            More = 3;
            if (b == 0xF0)
                Low = 0x90;
            if (b == 0xF4)
                High = 0x8F;
        }
        else
            return false;
        if (End - p < More || *p < Low || *p > High)
            return false;
        for (++p; --More > 0; ++p)
            if (*p < 0x80 || *p > 0xBF)
                return false;
    }
    return true;
}

bool FitsLatin1(const QString& s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// UTF-8 cannot hold a surrogate code unit that is not part of a pair.
bool FitsUtf8(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i)
    {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}
} // namespace

TProfileEncoding TProfileEncoding::Detect(const QByteArray& Bytes, QString& Text)
{
    TProfileEncoding Found;
    const auto Byte = [&](qsizetype i) { return uint8_t(Bytes[i]); };

    if (Bytes.size() >= 2 && ((Byte(0) == 0xFF && Byte(1) == 0xFE) || (Byte(0) == 0xFE && Byte(1) == 0xFF)))
    {
        Found.Kind = Byte(0) == 0xFF ? TKind::Utf16LE : TKind::Utf16BE;
        Found.HasBom = true;
        const qsizetype Units = (Bytes.size() - 2) / 2;
        const int Low = Found.Kind == TKind::Utf16LE ? 0 : 1;
        Text = QString(Units, Qt::Uninitialized);
        for (qsizetype i = 0; i < Units; ++i)
            Text[i] = QChar(char16_t(Byte(2 + 2 * i + Low) | (Byte(2 + 2 * i + 1 - Low) << 8)));
        if ((Bytes.size() - 2) % 2)
            Found.Utf16Tail = Bytes.right(1);
    }
    else
    {
        Found.HasBom = Bytes.startsWith("\xEF\xBB\xBF");
        const QByteArray Body = Found.HasBom ? Bytes.mid(3) : Bytes;
        // UTF-8 only when it is strictly so, so that saving keeps every unchanged line byte
        // for byte; anything else is one Latin-1 character per byte, which also round-trips.
        if (IsStrictUtf8(Body))
            Text = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom)
                       .decode(Body);
        else
        {
            Found.Kind = TKind::Latin1;
            Text = QString::fromLatin1(Body);
        }
    }
    return Found;
}

TProfileEncoding TProfileEncoding::For(const QString& Content) const
{
    TProfileEncoding As = *this;
    if (As.Kind == TKind::Latin1 && !FitsLatin1(Content))
        As.Kind = TKind::Utf8;
    // A Latin-1 text whose bytes happen to be strict UTF-8 (once the lines that made it invalid
    // are rewritten) would read back as other characters: it is written as UTF-8 instead.
    if (As.Kind == TKind::Latin1 && IsStrictUtf8(Content.toLatin1()))
        As.Kind = TKind::Utf8;
    // A formula may hold lone surrogates (from a UTF-16 document): only UTF-16 keeps them.
    if (As.Kind == TKind::Utf8 && !FitsUtf8(Content))
        As.Kind = TKind::Utf16LE;
    return As;
}

QByteArray TProfileEncoding::Encode(const QString& Content) const
{
    QByteArray Out;
    switch (Kind)
    {
    case TKind::Utf16LE:
    case TKind::Utf16BE:
    {
        const bool Le = Kind == TKind::Utf16LE;
        Out.resize(2 + 2 * Content.size());
        char* p = Out.data();
        *p++ = Le ? '\xFF' : '\xFE';
        *p++ = Le ? '\xFE' : '\xFF';
        for (QChar c : Content)
        {
            const char Lo = char(c.unicode() & 0xFF), Hi = char(c.unicode() >> 8);
            *p++ = Le ? Lo : Hi;
            *p++ = Le ? Hi : Lo;
        }
        return Out + Utf16Tail;
    }
    case TKind::Latin1:
        Out = Content.toLatin1();
        break;
    case TKind::Utf8:
        Out = Content.toUtf8();
        break;
    }
    return HasBom ? "\xEF\xBB\xBF" + Out : Out;
}
