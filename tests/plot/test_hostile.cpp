// Documents nobody writes by hand but anybody can open: empty, binary, cut off, in UTF-16
// with and without a mark, with duplicate keys and absurd counts. Each opens and draws on
// a small picture, with every drawing switch on, without a crash or an unbounded loop.
#include "PlotTestSupport.h"

#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
using PlotTest::Utf16;

QByteArray RandomBytes(size_t Size, unsigned Seed)
{
    std::mt19937 Generator(Seed);
    QByteArray Bytes(qsizetype(Size), '\0');
    for (auto& b : Bytes)
        b = char(Generator() & 0xFF);
    return Bytes;
}

QByteArray ManyGraphs(int Count, const char* Formula)
{
    QByteArray Keys = "[Main]\r\nFuncCount=2147483647\r\n";
    for (int n = 1; n <= Count; ++n)
        Keys += "Func" + QByteArray::number(n) + "=" + Formula + "\r\n";
    return Keys;
}

class HostileDocument : public PlotTest::TTempFileTest
{
  protected:
    TPlotModel Model;
    TGraphEvaluator Evaluator{u'.'};
    std::string Outcome;

    void Open(const QByteArray& Bytes)
    {
        Put(Bytes);
        Model = TPlotModel();
        TDocument::Read(Path, Model);
    }

    // Draws the model with fills, motion blur and every view switch on; the outcome is "drawn",
    // the error that ended the drawing, or the first curve error reported.
    void Draw(int Width = 24, int Height = 24)
    {
        Model.FilledGraphs = true;
        Model.MotionBlur = true;
        Model.TimeIncrement = 0.05f;
        QImage Image(Width, Height, QImage::Format_RGB32);
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        TPlotRenderer Renderer(Model, Evaluator, u'.');
        Outcome = "drawn";
        try
        {
            Renderer.DrawPlot(Canvas, Width, Height, 5, 3,
                              [this](const Exception& Error)
                              { Outcome = std::string("curve: ") + Error.Message(); });
        }
        catch (const Exception& Error)
        {
            Outcome = std::string(Error.ClassName()) + ": " + Error.Message();
        }
    }
};

TEST_F(HostileDocument, MalformedFilesOpenAsDocumentsAndDraw)
{
    const QByteArray Valid = "[Main]\r\nFunc1=Sin(x)*t\r\nColor1=255\r\nFuncCount=1\r\nLeft=-3\r\n";
    struct TCase
    {
        const char* Name;
        QByteArray Bytes;
        QString Func1; // the first graph's formula as read
    };
    const TCase Cases[] = {
        {"empty", QByteArray(), QString()},
        {"binary", RandomBytes(1 << 16, 7), QString()},
        {"binary after a valid header", Valid + RandomBytes(4096, 11), QStringLiteral("Sin(x)*t")},
        {"cut inside a value", Valid.left(Valid.indexOf("(x)")), QStringLiteral("Sin")},
        {"cut inside the section name", QByteArray("[Ma"), QString()},
        {"only NULs", QByteArray(1000, '\0'), QString()},
        {"UTF-16LE with a mark", Utf16(QString::fromLatin1(Valid), false, true), QStringLiteral("Sin(x)*t")},
        {"UTF-16BE with a mark", Utf16(QString::fromLatin1(Valid), true, true), QStringLiteral("Sin(x)*t")},
        {"UTF-16LE with a mark and an odd last byte", Utf16(QString::fromLatin1(Valid), false, true) + "x",
         QStringLiteral("Sin(x)*t")},
        // Without a mark the zero bytes are part of the names, so no key matches.
        {"UTF-16LE without a mark", Utf16(QString::fromLatin1(Valid), false, false), QString()},
        {"duplicate keys and sections: the first wins",
         "[Main]\r\nFunc1=x\r\nFunc1=2*x\r\nFuncCount=1\r\n[main]\r\nFunc1=3*x\r\n", QStringLiteral("x")},
        {"a line of a million brackets", "[Main]\r\n" + QByteArray(1000000, '[') + "\r\nFunc1=x\r\n",
         QStringLiteral("x")},
        {"a million-character formula", "[Main]\r\nFunc1=" + QByteArray(999999, '(') + "\r\n",
         QString(999999, QLatin1Char('('))},
        {"bare CRs and LFs", QByteArray("\r\r\n\n[Main]\rFunc1=x\nFunc2=y\r"), QStringLiteral("x")},
    };
    for (const TCase& Case : Cases)
    {
        Open(Case.Bytes);
        ASSERT_GE(Model.FuncList.Count(), 1) << Case.Name;
        EXPECT_EQ(Model.FuncList.Item(0).Func, Case.Func1) << Case.Name;
        Draw();
        EXPECT_FALSE(Outcome.empty()) << Case.Name;
    }
}

TEST_F(HostileDocument, AbsurdCountsAndBoundsDrawInBoundedTime)
{
    struct TCase
    {
        const char* Name;
        QByteArray Keys;
        std::string Outcome;
    };
    const TCase Cases[] = {
        {"FuncCount 2^31-1 with one formula", "FuncCount=2147483647\r\nFunc1=x\r\n", "drawn"},
        {"ByX and ByY 10^9", "Func1=x\r\nByX=1000000000\r\nByY=1000000000\r\n", "drawn"},
        {"ByX and ByY -10^9", "Func1=x\r\nByX=-1000000000\r\nByY=-2147483648\r\n", "drawn"},
        {"FramesCount 10^6", "Func1=Sin(x+t)\r\nFramesCount=1000000\r\n", "drawn"},
        {"Decimals 2^31-1", "Func1=x\r\nDecimals=2147483647\r\n", "drawn"},
        {"Decimals -2^31", "Func1=x\r\nDecimals=0x80000000\r\n", "drawn"},
        {"styles and colours beyond their ranges",
         "Func1=x\r\nStyleStr1=2147483647\r\nColor1=-1\r\nBG1=0x7FFFFFFF\r\n", "drawn"},
        {"a view of width zero", "Func1=x\r\nLeft=1\r\nRight=1\r\n",
         "EZeroDivide: Floating point division by zero"},
        {"a view far beyond 64 bits", "Func1=x\r\nLeft=1e-4900\r\nRight=2e-4900\r\n", ""},
        {"bounds at the end of the range", "Func1=x\r\nLeft=-1e4900\r\nRight=1e4900\r\nTop=1e4932\r\n", ""},
        {"bounds that are formulas", "Func1=x\r\nLeft=-Pi\r\n", ""},
        // Each tick number has 4000 digits; only the few a picture can show are worked out.
        {"ten thousand numbers of 4000 digits", "Func1=x\r\nTop=1e4000\r\nBottom=-1\r\nByY=10000\r\n",
         "drawn"},
    };
    for (const TCase& Case : Cases)
    {
        Open("[Main]\r\n" + Case.Keys);
        Draw();
        if (!Case.Outcome.empty())
            EXPECT_EQ(Outcome, Case.Outcome) << Case.Name;
        else
            EXPECT_FALSE(Outcome.empty()) << Case.Name;
    }
}

TEST_F(HostileDocument, TheMostGraphsADocumentMayBringAreAllDrawn)
{
    Open(ManyGraphs(TDocument::MaxGraphs, "x*t"));
    ASSERT_EQ(Model.FuncList.Count(), TDocument::MaxGraphs);
    Model.FramesCount = 2;
    Draw(8, 8);
    EXPECT_EQ(Outcome, "drawn");
}

TEST_F(HostileDocument, TheLowestFrameCountDrawsNoFrameInsteadOfCountingDownForever)
{
    // Frames are counted down from FramesCount - 1: the lowest 32-bit count must not wrap.
    Open("[Main]\r\nFunc1=x\r\nFramesCount=-2147483648\r\n");
    EXPECT_EQ(Model.FramesCount, -TDocument::MaxFrames);
    Draw();
    EXPECT_EQ(Outcome, "drawn");
}

TEST_F(HostileDocument, ALatin1DocumentSavedOverReadsBackTheSame)
{
    // Latin-1 because of the bad value of BG1 alone; once saving rewrites that line, the bytes
    // left would be strict UTF-8 ("\xD6\x87" is one character there, two in Latin-1).
    Open("[Main]\r\nFunc1=Sin\xD6\x87(x)\r\nBG1=$\xC6"
         "F00\r\nFuncCount=1\r\n");
    const QString Formula = Model.FuncList.Item(0).Func;
    ASSERT_EQ(Formula, QString::fromLatin1("Sin\xD6\x87(x)"));
    TDocument::Save(Path, Model);
    TPlotModel Again;
    TDocument::Read(Path, Again);
    EXPECT_EQ(Again.FuncList.Item(0).Func, Formula);
}
} // namespace
