#pragma once
// Shared pieces of the plot tests: a file in a temporary folder for the document tests, UTF-16
// bytes to put in it, and the first pixel where two pictures differ.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace PlotTest
{
// A fixture with a path in a fresh temporary folder, removed with everything in it afterwards.
class TTempFileTest : public ::testing::Test
{
  protected:
    QTemporaryDir Dir;
    QString Path = Dir.filePath(QStringLiteral("doc.vdg"));

    // Replaces the file's content with Bytes.
    void Put(const QByteArray& Bytes)
    {
        QFile f(Path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(Bytes), Bytes.size());
    }
    // The file's content, or nothing when it cannot be read.
    QByteArray Bytes() const
    {
        QFile f(Path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Text as UTF-16 bytes, little- or big-endian, with or without the byte-order mark.
inline QByteArray Utf16(const QString& Text, bool BigEndian, bool Mark = true)
{
    QByteArray Bytes;
    if (Mark)
        Bytes += BigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : Text)
    {
        const char Hi = char(c.unicode() >> 8), Lo = char(c.unicode() & 0xFF);
        Bytes += BigEndian ? Hi : Lo;
        Bytes += BigEndian ? Lo : Hi;
    }
    return Bytes;
}

// "x,y: a vs b" for the first pixel where A and B differ (read row by row), or "none".
inline std::string FirstDifference(const QImage& A, const QImage& B)
{
    if (A.size() != B.size())
        return "sizes differ";
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if (A.pixel(x, y) != B.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(A.pixel(x, y)) +
                       " vs " + std::to_string(B.pixel(x, y));
    return "none";
}
} // namespace PlotTest
