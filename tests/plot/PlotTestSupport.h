#pragma once
// Shared pieces of the plot tests: a file in a temporary folder for the document tests, UTF-16
// bytes to put in it, the first pixel where two pictures differ, and the random scenes and
// curves that the identity tests draw two ways.
#include "plot/TPlotModel.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

// Random scenes: 1 to 4 graphs of random formulas, colours and styles, fills, motion blur,
// frames, time, bounds (never an empty range), grid counts and view switches. The same seed
// gives the same scenes.
class TSceneGenerator
{
  public:
    explicit TSceneGenerator(uint32_t Seed) : Random(Seed) {}

    // 0 .. n - 1.
    int Pick(int n) { return int(Random() % unsigned(n)); }

    TPlotModel Scene()
    {
        static const char* const Formulas[] = {"Sin(x*t)*4", "x*x-3*x+2", "1/x",    "Sqrt(x)",
                                               "Ln(x)*t",    "Tan(x)",    "Exp(x)", "x*t-1",
                                               "Abs(x)-5",   "1E30*x",    "2"};
        static const char* const Bounds[] = {"-10", "10", "-0.3", "0.3", "3", "-7", "250", "-250"};
        TPlotModel Model;
        std::vector<TFunc> Funcs;
        for (int g = 1 + Pick(4); g > 0; --g)
        {
            TFunc Graph{QString::fromLatin1(Formulas[Pick(int(std::size(Formulas)))])};
            Graph.Color = TColor(Random() & 0xFFFFFF);
            Graph.BGColor = TColor(Random() & 0xFFFFFF);
            Graph.Style = Pick(5);
            Funcs.push_back(Graph);
        }
        Model.FuncList.Assign(Funcs);
        Model.GraphsEnabled = true;
        Model.FilledGraphs = Pick(2);
        Model.MotionBlur = Pick(2);
        Model.FramesCount = 1 + Pick(4);
        Model.TimeIncrement = float(Pick(3) - 1) * 0.1f;
        Model.TimeText = QString::number(Pick(7) - 3);
        do
        {
            Model.LeftText = Bounds[Pick(8)];
            Model.RightText = Bounds[Pick(8)];
        } while (Model.LeftText == Model.RightText);
        do
        {
            Model.BottomText = Bounds[Pick(8)];
            Model.TopText = Bounds[Pick(8)];
        } while (Model.BottomText == Model.TopText);
        Model.TicksByX = 1 + Pick(30);
        Model.TicksByY = 1 + Pick(30);
        Model.View.Grid = Pick(4) != 0;
        Model.View.GridDot = Pick(3) == 0;
        Model.View.GridDash = !Model.View.GridDot && Pick(2);
        Model.View.Numbers = Pick(2);
        return Model;
    }

  private:
    std::mt19937 Random;
};

// A random walk of one point per column: it starts in row StartY + (0 .. StartSpread - 1) at
// column FirstX + (0 .. FirstSpread - 1) and runs up to column EndX - 1; each step rises or
// falls by up to Rise rows (every other step turned back on a zigzag), kept within Low .. High.
struct TWalk
{
    int StartY, StartSpread;
    int FirstX, FirstSpread, EndX;
    int Rise;
    bool Zigzag;
    int Low, High;
};

inline std::vector<QPoint> RandomWalk(std::mt19937& Random, const TWalk& w)
{
    std::vector<QPoint> Points;
    int y = w.StartY + int(Random() % unsigned(w.StartSpread));
    for (int x = w.FirstX + int(Random() % unsigned(w.FirstSpread)); x < w.EndX; ++x)
    {
        Points.emplace_back(x, y);
        const int Step = int(Random() % unsigned(2 * w.Rise + 1)) - w.Rise;
        y = std::clamp(w.Zigzag && x % 2 ? y - Step : y + Step, w.Low, w.High);
    }
    return Points;
}
} // namespace PlotTest
