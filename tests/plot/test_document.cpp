// The document's keys: what Save writes, in which order, and what Read makes of any file.
#include "PlotTestSupport.h"
#include "tests/SpecialFiles.h"

#include "plot/TDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
class Document : public PlotTest::TTempFileTest
{
};

TFunc Graph(const char* Formula, TColor Color, TColor BG, int32_t Style)
{
    TFunc f(QString::fromUtf8(Formula));
    f.Color = Color;
    f.BGColor = BG;
    f.Style = Style;
    return f;
}

// A model whose every document field differs from the start values.
TPlotModel Sample()
{
    TPlotModel m;
    m.FuncList.Assign({Graph("Sin(x*t)", 255, 65280, 1), Graph("x^2", -1, 0, 4), Graph("", 0, 16777215, 0)});
    m.LeftText = QStringLiteral("-3.250");
    m.TopText = QStringLiteral("2,5");
    m.RightText = QStringLiteral("7");
    m.BottomText = QStringLiteral("not a number");
    m.Decimals = 3;
    m.TicksByX = 8;
    m.TicksByY = -4;
    m.FramesCount = 0;
    return m;
}

void ExpectSameGraphs(const TFuncList& a, const TFuncList& b)
{
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i)
    {
        EXPECT_EQ(a.Item(i).Func, b.Item(i).Func) << "graph " << i + 1;
        EXPECT_EQ(a.Item(i).Color, b.Item(i).Color) << "graph " << i + 1;
        EXPECT_EQ(a.Item(i).BGColor, b.Item(i).BGColor) << "graph " << i + 1;
        EXPECT_EQ(a.Item(i).Style, b.Item(i).Style) << "graph " << i + 1;
    }
}
} // namespace

TEST_F(Document, WritesEveryKeyInItsOrder)
{
    TDocument::Save(Path, Sample());
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\n"
                                  "Func1=Sin(x*t)\r\nColor1=255\r\nBG1=65280\r\nStyleStr1=1\r\n"
                                  "Func2=x^2\r\nColor2=-1\r\nBG2=0\r\nStyleStr2=4\r\n"
                                  "Func3=\r\nColor3=0\r\nBG3=16777215\r\nStyleStr3=0\r\n"
                                  "FuncCount=3\r\n"
                                  "Left=-3.250\r\nTop=2,5\r\nRight=7\r\nBottom=not a number\r\n"
                                  "Decimals=3\r\nByX=8\r\nByY=-4\r\nFramesCount=0\r\n"));
}

TEST_F(Document, AFullModelRoundTripsAndOnlyDocumentFieldsChange)
{
    const TPlotModel Saved = Sample();
    TDocument::Save(Path, Saved);

    TPlotModel Opened;
    Opened.TimeText = QStringLiteral("1.5");
    Opened.TimeStep = 0.25f;
    Opened.FilledGraphs = true;
    Opened.MotionBlur = false;
    Opened.View.Grid = false;
    const TDocumentGraph1 First = TDocument::Read(Path, Opened);

    ExpectSameGraphs(Opened.FuncList, Saved.FuncList);
    EXPECT_EQ(Opened.LeftText, Saved.LeftText);
    EXPECT_EQ(Opened.TopText, Saved.TopText);
    EXPECT_EQ(Opened.RightText, Saved.RightText);
    EXPECT_EQ(Opened.BottomText, Saved.BottomText);
    EXPECT_EQ(Opened.Decimals, 3);
    EXPECT_EQ(Opened.TicksByX, 8);
    EXPECT_EQ(Opened.TicksByY, -4);
    EXPECT_EQ(Opened.FramesCount, 0);
    EXPECT_TRUE(Opened.GraphsEnabled);
    EXPECT_EQ(First.Func, "Sin(x*t)");
    EXPECT_EQ(First.Color, 255);
    EXPECT_EQ(First.BGColor, 65280);
    EXPECT_EQ(First.Style, 1);
    // Not part of a document.
    EXPECT_EQ(Opened.TimeText, "1.5");
    EXPECT_EQ(Opened.TimeStep, 0.25f);
    EXPECT_TRUE(Opened.FilledGraphs);
    EXPECT_FALSE(Opened.MotionBlur);
    EXPECT_FALSE(Opened.View.Grid);
}

TEST_F(Document, StyleIsWrittenAsItsLowByteSignedAndReadWhole)
{
    TPlotModel m;
    m.FuncList.Assign({Graph("a", 0, 0, 260), Graph("b", 0, 0, 200), Graph("c", 0, 0, -1)});
    TDocument::Save(Path, m);
    EXPECT_TRUE(Bytes().contains("StyleStr1=4\r\n"));
    EXPECT_TRUE(Bytes().contains("StyleStr2=-56\r\n"));
    EXPECT_TRUE(Bytes().contains("StyleStr3=-1\r\n"));

    Put("[Main]\r\nStyleStr1=260\r\n");
    TDocument::Read(Path, m);
    EXPECT_EQ(m.FuncList.Item(0).Style, 260);
}

TEST_F(Document, AnEmptyOrMissingDocumentGivesOneEmptyGraphAndKeepsTheSettings)
{
    const QString Missing = Dir.filePath(QStringLiteral("missing.vdg"));
    Put("[Main]\r\n");
    for (const QString& File : {Path, Missing})
    {
        TPlotModel m = Sample();
        m.FramesCount = 9;
        const TDocumentGraph1 First = TDocument::Read(File, m);
        ASSERT_EQ(m.FuncList.Count(), 1);
        ExpectSameGraphs(m.FuncList, TFuncList());
        EXPECT_EQ(m.FramesCount, 5);
        EXPECT_EQ(m.LeftText, "-3.250");
        EXPECT_EQ(m.BottomText, "not a number");
        EXPECT_EQ(m.Decimals, 3);
        EXPECT_EQ(m.TicksByX, 8);
        EXPECT_EQ(m.TicksByY, -4);
        EXPECT_TRUE(m.GraphsEnabled);
        EXPECT_EQ(First.Func, "");
        EXPECT_EQ(First.Color, 0);
        EXPECT_EQ(First.BGColor, 16777215);
        EXPECT_EQ(First.Style, 0);
    }
    EXPECT_FALSE(QFile::exists(Missing));
}

TEST_F(Document, ValuesAreReadByTheProfileRules)
{
    Put("[main]\r\n"
        "FUNCCOUNT = 2\r\n"
        "func1 =   Sin(x)  \r\n"
        "Color1=0x0000FF\r\n"
        "BG1=white\r\n"
        "Func2=\"  x + 1 \"\r\n"
        "Color2=$FF00\r\n"
        "Func3=not read\r\nFunc4=nor this\r\nFunc5=nor this\r\n");
    TPlotModel m;
    const TDocumentGraph1 First = TDocument::Read(Path, m);
    ExpectSameGraphs(m.FuncList,
                     []
                     {
                         TFuncList l;
                         l.Assign({Graph("Sin(x)", 255, 16777215, 0), Graph("  x + 1 ", 65280, 16777215, 0)});
                         return l;
                     }());
    EXPECT_EQ(First.Func, "Sin(x)");
    EXPECT_EQ(First.Color, 255);
    EXPECT_EQ(First.BGColor, 16777215);
}

TEST_F(Document, SavingOverALargerDocumentKeepsItsSurplusKeys)
{
    TPlotModel Eight;
    std::vector<TFunc> Graphs;
    for (int i = 1; i <= 8; ++i)
        Graphs.push_back(Graph(QByteArray("old" + QByteArray::number(i)).constData(), i, i, 0));
    Eight.FuncList.Assign(Graphs);
    TDocument::Save(Path, Eight);
    QByteArray WithExtras = Bytes();
    WithExtras.prepend("; written by hand\r\n[Extra]\r\nKeep=1\r\n");
    WithExtras.append("[Later]\r\nAlso=2\r\n");
    Put(WithExtras);

    TPlotModel Four = Sample();
    Four.FuncList.Add(Graph("new4", 4, 4, 2));
    TDocument::Save(Path, Four);

    const QByteArray After = Bytes();
    EXPECT_TRUE(After.startsWith("; written by hand\r\n[Extra]\r\nKeep=1\r\n[Main]\r\nFunc1=Sin(x*t)\r\n"));
    EXPECT_TRUE(After.contains("Func8=old8\r\nColor8=8\r\nBG8=8\r\nStyleStr8=0\r\nFuncCount=4\r\n"));
    EXPECT_TRUE(After.endsWith("FramesCount=0\r\n[Later]\r\nAlso=2\r\n"));
    EXPECT_EQ(After.count("Func5="), 1);

    TPlotModel Opened;
    TDocument::Read(Path, Opened);
    ExpectSameGraphs(Opened.FuncList, Four.FuncList);
}

TEST_F(Document, AUtf16DocumentIsReadAndWrittenBackAsUtf16)
{
    const QString Text = QStringLiteral("[Main]\r\nFunc1=Sin(x)·2\r\nFuncCount=1\r\n");
    QByteArray Le("\xFF\xFE");
    for (QChar c : Text)
        Le += char(c.unicode() & 0xFF), Le += char(c.unicode() >> 8);
    Put(Le);

    TPlotModel m;
    TDocument::Read(Path, m);
    EXPECT_EQ(m.FuncList.Item(0).Func, "Sin(x)·2");
    m.FuncList.Item(0).Func = QStringLiteral("Cos(x)·π");
    TDocument::Save(Path, m);

    const QByteArray After = Bytes();
    ASSERT_TRUE(After.startsWith("\xFF\xFE[\0M\0a\0i\0n\0]\0"));
    const QString Decoded =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(After.constData() + 2), (After.size() - 2) / 2);
    EXPECT_TRUE(
        Decoded.startsWith(QStringLiteral("[Main]\r\nFunc1=Cos(x)·π\r\nFuncCount=1\r\nColor1=0\r\n")));
    TPlotModel Again;
    TDocument::Read(Path, Again);
    EXPECT_EQ(Again.FuncList.Item(0).Func, "Cos(x)·π");
}

// UTF-8 cannot hold a lone surrogate, which a UTF-16 document can bring into a formula.
TEST_F(Document, AFormulaWithALoneSurrogateIsSavedAsUtf16AndReadsBackTheSame)
{
    TPlotModel m;
    const QString Formula = QStringLiteral("x+") + QChar(char16_t(0xD9D9)) + QStringLiteral("1");
    m.FuncList.Item(0).Func = Formula;
    TDocument::Save(Path, m);
    EXPECT_TRUE(Bytes().startsWith("\xFF\xFE[\0M\0"));

    TPlotModel Opened;
    TDocument::Read(Path, Opened);
    EXPECT_EQ(Opened.FuncList.Item(0).Func, Formula);
}

TEST_F(Document, LongFormulasReadBackWholeWhileOtherTextsAreCut)
{
    TPlotModel m;
    const QString Formula = QStringLiteral("x+").repeated(1500) + QStringLiteral("1");
    m.FuncList.Item(0).Func = Formula;
    m.LeftText = QString(3000, u'1');
    TDocument::Save(Path, m);

    TPlotModel Opened;
    const TDocumentGraph1 First = TDocument::Read(Path, Opened);
    EXPECT_EQ(Opened.FuncList.Item(0).Func, Formula);
    EXPECT_EQ(First.Func, Formula);
    EXPECT_EQ(Opened.LeftText, QString(2047, u'1'));
}

TEST_F(Document, AFailedSaveReportsThePathAndLeavesTheFileAlone)
{
    Put("[Main]\r\nFunc1=keep\r\n");
    const QString Inside = Path + QStringLiteral("/new.vdg");
    try
    {
        TDocument::Save(Inside, Sample());
        FAIL() << "no error";
    }
    catch (const Exception& e)
    {
        EXPECT_STREQ(e.ClassName(), "EFileWriteError");
        EXPECT_EQ(std::string(e.Message()), "Unable to write to " + Inside.toStdString());
    }
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\nFunc1=keep\r\n"));
}

TEST_F(Document, AbsurdCountsAreLimited)
{
    struct Row
    {
        const char* Name;
        const char* Keys;
        int Graphs;
        int32_t ByX, ByY, Frames;
    };
    const Row Rows[] = {
        {"a huge FuncCount reads at most 1000 graphs", "FuncCount=2147483647\r\nFunc1=x\r\n", 1000, 20, 20,
         5},
        {"FuncCount 0 gives one empty graph", "FuncCount=0\r\nFunc1=x\r\n", 1, 20, 20, 5},
        {"a negative FuncCount gives one empty graph", "FuncCount=-5\r\n", 1, 20, 20, 5},
        {"huge tick and frame counts are limited",
         "ByX=1000000000\r\nByY=-1000000000\r\nFramesCount=1000000\r\n", 1, 10000, -10000, 100},
        {"zero and negative counts stay", "ByX=0\r\nByY=-3\r\nFramesCount=-7\r\n", 1, 0, -3, -7},
        {"counts within the limits stay", "ByX=10000\r\nByY=-10000\r\nFramesCount=100\r\n", 1, 10000, -10000,
         100},
    };
    for (const Row& r : Rows)
    {
        Put(QByteArray("[Main]\r\n") + r.Keys);
        TPlotModel m;
        TDocument::Read(Path, m);
        EXPECT_EQ(m.FuncList.Count(), r.Graphs) << r.Name;
        EXPECT_EQ(m.TicksByX, r.ByX) << r.Name;
        EXPECT_EQ(m.TicksByY, r.ByY) << r.Name;
        EXPECT_EQ(m.FramesCount, r.Frames) << r.Name;
        if (r.Graphs == 1)
        {
            EXPECT_EQ(m.FuncList.Item(0).Func, "") << r.Name;
        }
    }
}

TEST_F(Document, ASaveThatRunsOutOfSpaceReportsThePathAndLeavesTheFileAlone)
{
    Put("[Main]\r\nFunc1=keep\r\n");
    TPlotModel Big = Sample();
    Big.FuncList.Item(0).Func = QString(100000, u'x');
    {
        SpecialFiles::TFileSizeLimit Full(8192);
        ASSERT_TRUE(Full.Active);
        try
        {
            TDocument::Save(Path, Big);
            ADD_FAILURE() << "no error";
        }
        catch (const Exception& e)
        {
            EXPECT_STREQ(e.ClassName(), "EFileWriteError");
            EXPECT_EQ(std::string(e.Message()), "Unable to write to " + Path.toStdString());
        }
    }
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\nFunc1=keep\r\n"));
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("doc.vdg")});
    // With room again, the same save goes through.
    TDocument::Save(Path, Big);
    EXPECT_GT(Bytes().size(), 100000);
}
