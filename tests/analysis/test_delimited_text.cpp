// Data files read as the import reads them: the guessed layout, the points (compared exactly),
// the skipped rows, and each error with its line. Hard decimal texts come with references
// rounded outside the program (data/hard_numbers.py: mpmath at 64 bits, exact rationals for
// denormals).
#include "AnalysisTestSupport.h"
#include "analysis/DataNumber.h"
#include "analysis/Errors.h"
#include "analysis/TDelimitedText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{
using enum TDataSeparator;
using namespace std::string_literals;

struct TGuessCase
{
    const char* Name;
    std::string Bytes;
    TDataSeparator Separator;
    char Mark;
    bool Header;
    std::vector<std::pair<const char*, const char*>> Points; // read with strtold, "." written
    std::vector<uint32_t> Lines;
    size_t Skipped = 0;
    std::string XName = {}, YName = {};
};

TEST(DelimitedText, GuessesTheLayoutAndReadsEveryRow)
{
    const std::vector<TGuessCase> Cases = {
        {"commas with a header",
         "x,y\n1,2\n3.5,-4e2\n",
         Comma,
         '.',
         true,
         {{"1", "2"}, {"3.5", "-400"}},
         {2, 3},
         0,
         "x",
         "y"},
        {"tabs, CR LF and no header", "1\t2\r\n3\t4\r\n", Tab, '.', false, {{"1", "2"}, {"3", "4"}}, {1, 2}},
        {"semicolons with decimal commas",
         "t;v\n0,5;1,25\n1,5;-2,75\n",
         Semicolon,
         ',',
         true,
         {{"0.5", "1.25"}, {"1.5", "-2.75"}},
         {2, 3},
         0,
         "t",
         "v"},
        {"semicolons with points",
         "0.5;1\n1.5;2\n",
         Semicolon,
         '.',
         false,
         {{"0.5", "1"}, {"1.5", "2"}},
         {1, 2}},
        {"runs of blanks, aligned columns",
         "  1    2.5\n 10\t  -3\n",
         Blanks,
         '.',
         false,
         {{"1", "2.5"}, {"10", "-3"}},
         {1, 2}},
        {"blanks with decimal commas",
         "1,5 2,5\n3,5 4,5\n",
         Blanks,
         ',',
         false,
         {{"1.5", "2.5"}, {"3.5", "4.5"}},
         {1, 2}},
        {"a comma and a blank between fields",
         "1.5, 2\n2.5, 3\n",
         Comma,
         '.',
         false,
         {{"1.5", "2"}, {"2.5", "3"}},
         {1, 2}},
        {"a byte-order mark before the header",
         "\xEF\xBB\xBFtime,value\n1,2\n",
         Comma,
         '.',
         true,
         {{"1", "2"}},
         {2},
         0,
         "time",
         "value"},
        {"quoted names and numbers",
         "\"a, b\",\"say \"\"y\"\"\"\n\"1.5\",\" 2 \"\n",
         Comma,
         '.',
         true,
         {{"1.5", "2"}},
         {2},
         0,
         "a, b",
         "say \"y\""},
        {"missing values skip their rows",
         "x;y\n1;\n2;NaN\n3;-\n4;?\n5;nan\n6;7\n;8\n",
         Semicolon,
         '.',
         true,
         {{"6", "7"}},
         {7},
         6,
         "x",
         "y"},
        {"a missing third column does not matter",
         "1,2,\n3,4,?\n",
         Comma,
         '.',
         false,
         {{"1", "2"}, {"3", "4"}},
         {1, 2}},
        {"blank and comment lines are passed over",
         "# run 3\n\nx y\n\n1 2\n   \n# end\n3 4",
         Blanks,
         '.',
         true,
         {{"1", "2"}, {"3", "4"}},
         {5, 8},
         0,
         "x",
         "y"},
        {"old CR line ends",
         "1,2\r3,4\r\r5,6",
         Comma,
         '.',
         false,
         {{"1", "2"}, {"3", "4"}, {"5", "6"}},
         {1, 2, 4}},
        {"a comma file keeps the point", "1.25,2\n", Comma, '.', false, {{"1.25", "2"}}, {1}},
        {"more numbers with points than commas: point", "1.5;2\n2,5;3.5\n", Semicolon, '.', false, {}, {}},
    };
    for (const TGuessCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        const TDelimitedText Text(Case.Bytes);
        const TDataLayout& Guess = Text.Guess();
        EXPECT_EQ(int(Guess.Separator), int(Case.Separator));
        EXPECT_EQ(Guess.DecimalMark, Case.Mark);
        EXPECT_EQ(Guess.Header, Case.Header);
        EXPECT_EQ(Guess.XColumn, 0u);
        EXPECT_EQ(Guess.YColumn, 1u);
        if (Case.Points.empty())
            continue;
        const TDataTable Table = Text.Read(Guess);
        ASSERT_EQ(Table.Count(), Case.Points.size());
        for (size_t i = 0; i < Table.Count(); ++i)
        {
            EXPECT_EQ(Table.Point(i).X, std::strtold(Case.Points[i].first, nullptr)) << i;
            EXPECT_EQ(Table.Point(i).Y, std::strtold(Case.Points[i].second, nullptr)) << i;
            EXPECT_EQ(Table.Line(i), Case.Lines[i]) << i;
        }
        EXPECT_EQ(Table.SkippedRows(), Case.Skipped);
        EXPECT_EQ(Table.XName(), Case.XName);
        EXPECT_EQ(Table.YName(), Case.YName);
    }
}

struct TErrorCase
{
    const char* Name;
    std::string Bytes;
    const char* Message;
};

TEST(DelimitedText, BadRowsFailNamingTheirLine)
{
    const std::string LongLine(TDelimitedText::MaxLineLength + 1, '1');
    const std::vector<TErrorCase> Cases = {
        {"a word where a number belongs", "x,y\n1,2\n3,abc\n", "Line 3: 'abc' is not a number"},
        {"a comma file has no decimal comma", "1,2\n\"1,5\",2\n", "Line 2: '1,5' is not a number"},
        {"thousands and decimals together", "1;2\n1.234,5;2\n", "Line 2: '1.234,5' is not a number"},
        {"an infinite value", "1,2\n1e5000,2\n", "Line 2: '1e5000' is not a number"},
        {"an exponent without digits", "1,2\n1e,2\n", "Line 2: '1e' is not a number"},
        {"control characters are not shown", "1,2\n1\x01,2\n", "Line 2: '1?' is not a number"},
        {"a long field is cut", "1,2\n" + std::string(50, 'a') + ",2\n",
         "Line 2: 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...' is not a number"},
        {"a short row", "1,2\n3,4\n5\n", "Line 3 has no column 2"},
        {"an open quote", "1,2\n\"3,4\n", "Line 2: a quoted field is not closed"},
        {"a zero byte: binary data", "1,2\n3,4\n\x89PNG\0\0"s,
         "The data is not text: line 3 holds a zero byte"},
        {"a line too long", "1,2\n" + LongLine, "Line 2 is longer than 1048576 bytes"},
        {"nothing but missing values", "x,y\n1,\n,2\n", "The data holds no point with both values"},
        {"no rows at all", "", "The data holds no point with both values"},
        {"only comments", "# nothing\n\n", "The data holds no point with both values"},
    };
    for (const TErrorCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        try
        {
            const TDelimitedText Text(Case.Bytes);
            Text.Read(Text.Guess());
            ADD_FAILURE() << "no error";
        }
        catch (const EDataFileError& e)
        {
            EXPECT_STREQ(e.Message(), Case.Message);
        }
    }
}

TEST(DelimitedText, AChangedLayoutReadsTheFileAgain)
{
    const TDelimitedText Text("a;b;c\n1,5;2;3\n4;5,5;?\n");
    TDataLayout Layout = Text.Guess();
    EXPECT_EQ(Text.ColumnCount(Layout), 3u);
    EXPECT_EQ(Text.ColumnNames(Layout), (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_EQ(Text.Preview(Layout, 5).size(), 2u);
    EXPECT_EQ(Text.Preview(Layout, 5)[1].Line, 3u);
    EXPECT_EQ(Text.Preview(Layout, 5)[1].Fields, (std::vector<std::string>{"4", "5,5", "?"}));

    Layout.XColumn = 1;
    Layout.YColumn = 0;
    TDataTable Table = Text.Read(Layout);
    ASSERT_EQ(Table.Count(), 2u);
    EXPECT_EQ(Table.Point(1), (TDataPoint{5.5L, 4}));
    EXPECT_EQ(Table.XName(), "b");

    Layout.YColumn = 2; // the '?' of line 3 skips it
    Table = Text.Read(Layout);
    ASSERT_EQ(Table.Count(), 1u);
    EXPECT_EQ(Table.SkippedRows(), 1u);

    Layout.DecimalMark = '.';
    Layout.YColumn = 0;
    try
    {
        Text.Read(Layout);
        ADD_FAILURE() << "a decimal comma read under the point";
    }
    catch (const EDataFileError& e)
    {
        EXPECT_STREQ(e.Message(), "Line 2: '1,5' is not a number");
    }

    Layout.DecimalMark = ',';
    Layout.YColumn = 7;
    try
    {
        Text.Read(Layout);
        ADD_FAILURE() << "a column beyond the rows";
    }
    catch (const EDataFileError& e)
    {
        EXPECT_STREQ(e.Message(), "Line 2 has no column 8");
    }
}

TEST(DelimitedText, ReadsHardDecimalTextsCorrectlyRounded)
{
    std::ifstream In(VENDREL_ANALYSIS_DATA "/hard_numbers.txt");
    ASSERT_TRUE(In);
    std::string Line;
    int Count = 0;
    while (std::getline(In, Line))
    {
        const size_t Tab = Line.find('\t');
        const std::string Text = Line.substr(0, Tab), Hex = Line.substr(Tab + 1);
        SCOPED_TRACE(Text.substr(0, 60));
        Float80 Value = -1;
        if (Hex == "inf")
        {
            EXPECT_FALSE(ReadDataNumber(Text, '.', Value));
            continue;
        }
        ASSERT_TRUE(ReadDataNumber(Text, '.', Value));
        EXPECT_EQ(Value, std::strtold(Hex.c_str(), nullptr)) << double(Value);
        Float80 Negative = 0;
        ASSERT_TRUE(ReadDataNumber("-" + Text, '.', Negative));
        EXPECT_EQ(Negative, -Value);
        ++Count;
    }
    EXPECT_GE(Count, 40);
}

TEST(DelimitedText, HostileInputEndsInAnErrorOrATable)
{
    // 10,001 columns: the preview refuses them, the reading looks at two.
    std::string Wide;
    for (int i = 0; i <= 10'000; ++i)
        Wide += "1,";
    Wide += "1\n";
    const TDelimitedText WideText(Wide + Wide);
    EXPECT_EQ(WideText.Read(WideText.Guess()).Count(), 2u);
    EXPECT_THROW(WideText.ColumnCount(WideText.Guess()), EDataFileError);

    // A huge file of CR line ends is read in one pass, not once per line.
    std::string Rows;
    for (int i = 0; i < 200'000; ++i)
        Rows += "1 2\r";
    EXPECT_EQ(TDelimitedText(Rows).Read(TDelimitedText(Rows).Guess()).Count(), 200'000u);

    // Only regular files are read: a device would never end.
    for (const char* Path : {"/dev/zero", "/", "/nonexistent/data.csv"})
    {
        try
        {
            TDelimitedText::FromFile(Path);
            ADD_FAILURE() << Path;
        }
        catch (const EDataFileError& e)
        {
            EXPECT_EQ(std::string(e.Message()), std::string("Cannot read ") + Path);
        }
    }
}

TEST(DelimitedText, OneMillionPointsAndNoMore)
{
    std::string Bytes;
    Bytes.reserve(5'000'000);
    for (size_t i = 0; i < TDataTable::MaxPoints; ++i)
        Bytes += "1,2\n";
    EXPECT_EQ(TDelimitedText(Bytes).Read(TDelimitedText(Bytes).Guess()).Count(), TDataTable::MaxPoints);
    Bytes += "1,?\n"; // skipped rows do not count
    EXPECT_EQ(TDelimitedText(Bytes).Read(TDelimitedText(Bytes).Guess()).SkippedRows(), 1u);
    Bytes += "1,2\n";
    try
    {
        TDelimitedText(Bytes).Read(TDelimitedText(Bytes).Guess());
        ADD_FAILURE() << "a point too many";
    }
    catch (const EDataFileError& e)
    {
        EXPECT_STREQ(e.Message(), "The data holds more than 1000000 points");
    }
}
} // namespace
