#pragma once
// How the bytes of a private-profile file become its text and back.
//
// A UTF-16 file with a byte-order mark (LE or BE) is read and written back as UTF-16 with its
// mark, an odd last byte kept as it was; a UTF-8 mark is kept; other files are UTF-8 when they
// decode as UTF-8 exactly, and Latin-1 otherwise, so every line comes back byte for byte. A
// Latin-1 file is written back as Latin-1 while every character fits, and is converted to UTF-8
// as a whole when a written value does not; text that UTF-8 cannot hold (a lone surrogate) is
// written as UTF-16. A new file is UTF-8 without a mark.
#include <QByteArray>
#include <QString>

class TProfileEncoding
{
  public:
    // The text of a file's bytes; this encoding becomes the one the bytes are in.
    static TProfileEncoding Detect(const QByteArray& Bytes, QString& Text);

    // The encoding to write Content in: this one, unless Content does not fit it.
    TProfileEncoding For(const QString& Content) const;
    // Content's bytes in this encoding, with its mark.
    QByteArray Encode(const QString& Content) const;

  private:
    enum class TKind
    {
        Utf8,
        Latin1,
        Utf16LE,
        Utf16BE
    };

    TKind Kind = TKind::Utf8;
    bool HasBom = false;
    QByteArray Utf16Tail; // an odd last byte of a UTF-16 file, written back as it was
};
