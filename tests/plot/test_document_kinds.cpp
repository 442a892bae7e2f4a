// Graph kinds in documents: their keys are written only for graphs that are not functions,
// read back whole, and a kind that is missing or unknown reads as a function.
#include "PlotTestSupport.h"

#include "plot/TDocument.h"

#include <gtest/gtest.h>

namespace
{
class DocumentKinds : public PlotTest::TTempFileTest
{
};

TFunc Kind(TGraphKind Kind, const char* First, const char* Second = "", const char* From = "0",
           const char* To = "2*Pi")
{
    TFunc f(QString::fromUtf8(First));
    f.Kind = Kind;
    f.FuncY = QString::fromUtf8(Second);
    f.FromText = QString::fromUtf8(From);
    f.ToText = QString::fromUtf8(To);
    return f;
}

TPlotModel AllKinds()
{
    TPlotModel m;
    TFunc Derivative = Kind(TGraphKind::Derivative, "");
    Derivative.Of = 1;
    Derivative.Order = 2;
    TFunc Integral = Kind(TGraphKind::Integral, "", "", "-1.5");
    Integral.Of = 5;
    m.FuncList.Assign(
        {Kind(TGraphKind::Function, "Sin(x)"), Kind(TGraphKind::Parametric, "Cos(s)", "Sin(s)", "-Pi", "t"),
         Kind(TGraphKind::Polar, "1+Cos(s)"), Kind(TGraphKind::Inverse, "y*y"), Derivative, Integral});
    return m;
}
} // namespace

TEST_F(DocumentKinds, EveryKindRoundTripsThroughSaveAndOpen)
{
    const TPlotModel Saved = AllKinds();
    TDocument::Save(Path, Saved);
    TPlotModel Read;
    TDocument::Read(Path, Read);
    ASSERT_EQ(Read.FuncList.Count(), Saved.FuncList.Count());
    for (int i = 0; i < Saved.FuncList.Count(); ++i)
    {
        const TFunc &a = Saved.FuncList.Item(i), &b = Read.FuncList.Item(i);
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(b.Kind, a.Kind);
        EXPECT_EQ(b.Func, a.Func);
        if (a.Kind == TGraphKind::Parametric)
        {
            EXPECT_EQ(b.FuncY, a.FuncY);
        }
        if (a.Kind != TGraphKind::Function && a.Kind != TGraphKind::Inverse)
        {
            EXPECT_EQ(b.FromText, a.FromText);
        }
        if (a.Kind == TGraphKind::Parametric || a.Kind == TGraphKind::Polar)
        {
            EXPECT_EQ(b.ToText, a.ToText);
        }
        if (a.Kind == TGraphKind::Derivative || a.Kind == TGraphKind::Integral)
        {
            EXPECT_EQ(b.Of, a.Of);
        }
        if (a.Kind == TGraphKind::Derivative)
        {
            EXPECT_EQ(b.Order, a.Order);
        }
    }
}

TEST_F(DocumentKinds, KeysOfKindsFollowTheGraphsFourKeysAndOnlyForOtherKinds)
{
    TPlotModel m;
    TFunc Derived = Kind(TGraphKind::Derivative, "ignored");
    Derived.Of = 1;
    m.FuncList.Assign(
        {Kind(TGraphKind::Function, "x"), Kind(TGraphKind::Parametric, "s", "s*s", "-1", "1"), Derived});
    TDocument::Save(Path, m);
    EXPECT_EQ(Bytes(),
              QByteArray("[Main]\r\n"
                         "Func1=x\r\nColor1=0\r\nBG1=16777215\r\nStyleStr1=0\r\n"
                         "Func2=s\r\nColor2=0\r\nBG2=16777215\r\nStyleStr2=0\r\n"
                         "Kind2=parametric\r\nFuncY2=s*s\r\nFrom2=-1\r\nTo2=1\r\n"
                         "Func3=\r\nColor3=0\r\nBG3=16777215\r\nStyleStr3=0\r\nKind3=derivative\r\nOf3=1\r\n"
                         "Order3=1\r\n"
                         "FuncCount=3\r\n"
                         "Left=-10\r\nTop=10\r\nRight=10\r\nBottom=-10\r\n"
                         "Decimals=0\r\nByX=20\r\nByY=20\r\nFramesCount=5\r\n"));
}

TEST_F(DocumentKinds, KindNamesAreReadWithoutRegardToCaseAndUnknownOnesAreFunctions)
{
    struct
    {
        const char* Value;
        TGraphKind Kind;
    } Rows[] = {{"POLAR", TGraphKind::Polar},     {" Parametric ", TGraphKind::Parametric},
                {"inverse", TGraphKind::Inverse}, {"spiral", TGraphKind::Function},
                {"", TGraphKind::Function},       {"function", TGraphKind::Function}};
    for (const auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Value);
        Put(QByteArray("[Main]\r\nFunc1=s\r\nKind1=") + Row.Value + "\r\nFuncCount=1\r\n");
        TPlotModel m;
        TDocument::Read(Path, m);
        EXPECT_EQ(m.FuncList.Item(0).Kind, Row.Kind);
        EXPECT_EQ(m.FuncList.Item(0).Func, QStringLiteral("s"));
    }
}

TEST_F(DocumentKinds, AGraphThatBecameAFunctionIsToldSoInTheFileItWasSavedIn)
{
    TPlotModel m = AllKinds();
    TDocument::Save(Path, m);
    m.FuncList.Item(1).Kind = TGraphKind::Function;
    TDocument::Save(Path, m);
    TPlotModel Read;
    TDocument::Read(Path, Read);
    EXPECT_EQ(Read.FuncList.Item(1).Kind, TGraphKind::Function);
    EXPECT_TRUE(Bytes().contains("Kind2=function\r\n"));
    EXPECT_FALSE(Bytes().contains("Kind1="));
}
