// Points graphs in documents: numbers that come back bit for bit in a compact text, the layout
// of the data's own section, a section that cannot be read, and a million points.
#include "PlotTestSupport.h"

#include "analysis/DataNumber.h"
#include "plot/ExactNumberText.h"
#include "plot/TDocument.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPointsSection.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>

namespace
{
bool SameBits(Float80 a, Float80 b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

Float80 FromBits(uint64_t Significand, uint16_t SignAndExponent)
{
    Float80 v = 0;
    std::memcpy(&v, &Significand, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &SignAndExponent, 2);
    return v;
}

// Finite long doubles of every binade, sign and significand, the subnormals included.
std::vector<Float80> RandomFinite(size_t Count, uint32_t Seed)
{
    std::mt19937_64 Random(Seed);
    std::vector<Float80> Out;
    Out.reserve(Count);
    while (Out.size() < Count)
    {
        const uint16_t Exponent = uint16_t(Random() % 0x7FFF);
        uint64_t Significand = Random();
        if (Exponent == 0)
            Significand &= ~(uint64_t(1) << 63);
        else
            Significand |= uint64_t(1) << 63;
        Out.push_back(FromBits(Significand, uint16_t(Exponent | (Random() & 1 ? 0x8000 : 0))));
    }
    return Out;
}

std::shared_ptr<const TDataTable> Table(std::vector<TDataPoint> Points, std::vector<uint32_t> Lines,
                                        std::string X = {}, std::string Y = {}, size_t Skipped = 0)
{
    return std::make_shared<const TDataTable>(std::move(Points), std::move(Lines), std::move(X), std::move(Y),
                                              Skipped);
}

TFunc PointsGraph(const char* Name, std::shared_ptr<const TDataTable> Data)
{
    TFunc Graph(QString::fromUtf8(Name));
    Graph.Kind = TGraphKind::Points;
    Graph.Data = std::move(Data);
    return Graph;
}

class PointsDocument : public PlotTest::TTempFileTest
{
  protected:
    // The model saved and read back.
    TPlotModel RoundTrip(const TPlotModel& Saved)
    {
        TDocument::Save(Path, Saved);
        TPlotModel Read;
        TDocument::Read(Path, Read);
        return Read;
    }
};
} // namespace

TEST(ExactNumberText, WritesTheShortDecimalAFileGaveOrElseHexadecimal)
{
    const struct
    {
        const char* Name;
        Float80 Value;
        const char* Text;
    } Rows[] = {
        {"zero", 0.0L, "0"},
        {"negative zero keeps its sign", -0.0L, "-0"},
        {"a tenth as typed", 0.1L, "0.1"},
        {"trailing zeros of an integer in plain", 1500.0L, "1500"},
        {"a small number in scientific", -3e-7L, "-3e-07"},
        {"a large number in scientific", 1.25e30L, "1.25e+30"},
        {"17 digits are still decimal", 12345678901234567.0L, "12345678901234567"},
        {"18 digits are hexadecimal", 123456789012345678.0L, "0xd.b4da5d31879a7p+53"},
        {"a third needs all 64 bits", 1.0L / 3, "0xa.aaaaaaaaaaaaaabp-5"},
        {"the largest long double", LDBL_MAX, "0xf.fffffffffffffffp+16380"},
        {"the least normal", LDBL_MIN, "0x8p-16385"},
        {"the least subnormal", std::numeric_limits<Float80>::denorm_min(), "0x8p-16448"},
        {"a subnormal with more bits", -FromBits(0x0000000000000003, 0), "-0xcp-16447"},
    };
    for (const auto& Row : Rows)
    {
        EXPECT_EQ(ExactNumberText(Row.Value), Row.Text) << Row.Name;
        Float80 Back = 1;
        EXPECT_TRUE(ReadExactNumber(Row.Text, Back) && SameBits(Back, Row.Value)) << Row.Name;
    }
}

// What a data file writes, read as the import reads it, is written back as it stood (in its
// shortest form), so a document of measured data stays about the size of its file.
TEST(ExactNumberText, TheNumbersOfADataFileAreWrittenAsTheFileHadThem)
{
    for (const char* Text :
         {"6.0076", "-0.000123", "123456.789", "1e-10", "299792458", "0.30000000000000004", "-7",
          "1234567.8901234567", "9.999e+26", "1.602e-19", "6.02214076e+23", "1.0000000000000002"})
    {
        Float80 v = 0;
        ASSERT_TRUE(ReadDataNumber(Text, '.', v)) << Text;
        EXPECT_EQ(ExactNumberText(v), Text);
    }
}

TEST(ExactNumberText, EveryFiniteLongDoubleComesBackBitForBit)
{
    char Libc[64];
    for (const Float80 v : RandomFinite(200'000, 7))
    {
        const std::string Text = ExactNumberText(v);
        Float80 Back = 0;
        ASSERT_TRUE(ReadExactNumber(Text, Back)) << Text;
        ASSERT_TRUE(SameBits(Back, v)) << Text;
        // The hexadecimal form is the C library's for normal numbers, which strtold reads too.
        if (Text.find('x') != std::string::npos && std::fpclassify(v) == FP_NORMAL)
        {
            std::snprintf(Libc, sizeof Libc, "%La", v);
            ASSERT_EQ(Text, Libc);
        }
    }
}

TEST(ExactNumberText, RefusesWhatIsNoFiniteNumber)
{
    for (const char* Text :
         {"", "-", "0x", "0x1", "0x1p", "0x1p+", "0xp0", "0x1.8", "0x1pq", "0x12345678901234567p0", "+0x1p0",
          "0x1p99999", "1e99999", "inf", "nan", "1,5", "1.5 ", "x"})
    {
        Float80 v = 0;
        EXPECT_FALSE(ReadExactNumber(Text, v)) << '"' << Text << '"';
    }
}

TEST_F(PointsDocument, APointsGraphWritesItsKeysAndASectionOfItsOwn)
{
    TPlotModel Saved;
    TFunc Graph =
        PointsGraph("run 1", Table({{0.5L, 1.25L}, {1.5L, -2}, {2.5L, 1.0L / 3}}, {2, 3, 5}, "t", "v", 1));
    Graph.Marker = TMarkerShape::Circle;
    Graph.Joined = true;
    Saved.FuncList.Assign({TFunc(QStringLiteral("x")), Graph});
    const TPlotModel Read = RoundTrip(Saved);
    EXPECT_TRUE(Bytes().contains("Func2=\r\nColor2=0\r\nBG2=16777215\r\nStyleStr2=0\r\nKind2=points\r\n"
                                 "Marker2=circle\r\nJoined2=1\r\nFuncCount=2\r\n"))
        << Bytes().toStdString();
    EXPECT_TRUE(Bytes().endsWith("[Points2]\r\nName=run 1\r\nXName=t\r\nYName=v\r\nSkipped=1\r\nCount=3\r\n"
                                 "Lines=2 1 2\r\n1=0.5,1.25 1.5,-2 2.5,0xa.aaaaaaaaaaaaaabp-5\r\n"))
        << Bytes().toStdString();
    EXPECT_FALSE(Bytes().contains("[Points1]"));

    const TFunc& Back = Read.FuncList.Item(1);
    EXPECT_EQ(Back.Kind, TGraphKind::Points);
    EXPECT_EQ(Back.Func, QStringLiteral("run 1"));
    EXPECT_EQ(Back.Marker, TMarkerShape::Circle);
    EXPECT_TRUE(Back.Joined);
    ASSERT_TRUE(Back.Data);
    EXPECT_EQ(*Back.Data, *Graph.Data);
}

TEST_F(PointsDocument, LinesInRunsAndManyPointsToAKey)
{
    std::vector<TDataPoint> Points;
    std::vector<uint32_t> Lines;
    for (int i = 0; i < 70; ++i)
    {
        Points.push_back({Float80(i), Float80(i) / 4});
        Lines.push_back(uint32_t(i < 40 ? 2 + i : 50 + 3 * i));
    }
    TPlotModel Saved;
    Saved.FuncList.Assign({PointsGraph("", Table(Points, Lines))});
    const TPlotModel Read = RoundTrip(Saved);
    EXPECT_TRUE(Bytes().contains("\r\nLines=2 1*39 129 3*29\r\n1=0,0 1,0.25 ")) << Bytes().toStdString();
    EXPECT_TRUE(Bytes().contains("\r\n3=64,16 65,16.25 66,16.5 67,16.75 68,17 69,17.25\r\n"));
    ASSERT_TRUE(Read.FuncList.Item(0).Data);
    EXPECT_EQ(*Read.FuncList.Item(0).Data, *Saved.FuncList.Item(0).Data);
}

TEST_F(PointsDocument, FewerPointsSavedOverMoreLeaveNoOldPointBehind)
{
    std::vector<TDataPoint> Many(100, TDataPoint{1, 2});
    std::vector<uint32_t> Lines(100);
    for (uint32_t i = 0; i < 100; ++i)
        Lines[i] = i + 1;
    TPlotModel Saved;
    Saved.FuncList.Assign({PointsGraph("big", Table(Many, Lines))});
    TDocument::Save(Path, Saved);
    Saved.FuncList.Assign({PointsGraph("small", Table({{3, 4}}, {7}))});
    const TPlotModel Read = RoundTrip(Saved);
    EXPECT_TRUE(Bytes().contains("\r\n1=3,4\r\n2=\r\n3=\r\n4=\r\n")) << Bytes().toStdString();
    EXPECT_FALSE(Bytes().contains("1,2"));
    ASSERT_TRUE(Read.FuncList.Item(0).Data);
    EXPECT_EQ(Read.FuncList.Item(0).Data->Count(), 1u);
}

TEST_F(PointsDocument, ASectionThatCannotBeReadGivesNoData)
{
    const QByteArray Main = "[Main]\r\nFuncCount=1\r\nKind1=points\r\n[Points1]\r\nName=n\r\n";
    const struct
    {
        const char* Name;
        const char* Section;
    } Rows[] = {
        {"the good section reads", "Count=2\r\nLines=1*2\r\n1=1,2 3,4\r\n"},
        {"no count", "Lines=1*2\r\n1=1,2 3,4\r\n"},
        {"a count of zero", "Count=0\r\nLines=\r\n1=\r\n"},
        {"more points than a table holds", "Count=1000001\r\nLines=1*1000001\r\n1=1,2\r\n"},
        {"fewer points than counted", "Count=3\r\nLines=1*3\r\n1=1,2 3,4\r\n"},
        {"more points than counted", "Count=1\r\nLines=1\r\n1=1,2 3,4\r\n"},
        {"fewer lines than points", "Count=2\r\nLines=1\r\n1=1,2 3,4\r\n"},
        {"more lines than points", "Count=2\r\nLines=1*3\r\n1=1,2 3,4\r\n"},
        {"a line that does not advance", "Count=2\r\nLines=1 0\r\n1=1,2 3,4\r\n"},
        {"a line past 32 bits", "Count=2\r\nLines=4294967295 1\r\n1=1,2 3,4\r\n"},
        {"a step that would wrap past 64 bits", "Count=2\r\nLines=1 18446744073709551615\r\n1=1,2 3,4\r\n"},
        {"a word for a number", "Count=2\r\nLines=1*2\r\n1=1,2 three,4\r\n"},
        {"a pair without its y", "Count=2\r\nLines=1*2\r\n1=1,2 3\r\n"},
        {"an overflowing number", "Count=2\r\nLines=1*2\r\n1=1,2 3,1e99999\r\n"},
        {"a missing key of points", "Count=2\r\nLines=1*2\r\n2=1,2 3,4\r\n"},
    };
    for (const auto& Row : Rows)
    {
        Put(Main + Row.Section);
        TPlotModel Read;
        TDocument::Read(Path, Read);
        const TFunc& Graph = Read.FuncList.Item(0);
        EXPECT_EQ(Graph.Kind, TGraphKind::Points) << Row.Name;
        EXPECT_EQ(Graph.Func, QStringLiteral("n")) << Row.Name;
        EXPECT_EQ(Graph.Data != nullptr, Row.Name == std::string("the good section reads")) << Row.Name;
    }
}

// The largest data set, of values from every binade: the document holds it and gives it back
// exactly, within the document's size limit.
TEST_F(PointsDocument, AMillionPointsComeBackBitForBit)
{
    const std::vector<Float80> Values = RandomFinite(2 * TDataTable::MaxPoints, 11);
    std::vector<TDataPoint> Points(TDataTable::MaxPoints);
    std::vector<uint32_t> Lines(Points.size());
    for (size_t i = 0; i < Points.size(); ++i)
    {
        Points[i] = {Values[2 * i], Values[2 * i + 1]};
        Lines[i] = uint32_t(2 + i + i / 1000);
    }
    TPlotModel Saved;
    Saved.FuncList.Assign({PointsGraph("million", Table(std::move(Points), std::move(Lines)))});
    const TPlotModel Read = RoundTrip(Saved);
    const QFileInfo File(Path);
    EXPECT_LE(File.size(), TProfileFile::MaxFileSize);
    const auto& Data = Read.FuncList.Item(0).Data;
    ASSERT_TRUE(Data);
    ASSERT_EQ(Data->Count(), TDataTable::MaxPoints);
    for (size_t i = 0; i < Data->Count(); ++i)
    {
        ASSERT_TRUE(SameBits(Data->Point(i).X, Values[2 * i])) << i;
        ASSERT_TRUE(SameBits(Data->Point(i).Y, Values[2 * i + 1])) << i;
        ASSERT_EQ(Data->Line(i), uint32_t(2 + i + i / 1000)) << i;
    }
}
