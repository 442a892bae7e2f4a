// A kind that exists only in the tests (LiftedKind.h) goes through every part of the program
// that handles graphs without a line of it knowing the kind: documents, the legend, the
// status bar's readout and the paint.
#include "LiftedKind.h"
#include "PlotTestSupport.h"
#include "test_renderer_support.h"

#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TLegend.h"

#include <gtest/gtest.h>

namespace
{
class KindPlugin : public PlotTest::TTempFileTest
{
};

TFunc Lifted(const char* F, const char* L)
{
    TFunc Graph{QString::fromUtf8(F)};
    Graph.Kind = LiftedKind();
    Graph.FromText = QString::fromUtf8(L);
    return Graph;
}
} // namespace

TEST_F(KindPlugin, ADocumentWritesAndReadsTheKeysOfTheKind)
{
    TPlotModel m;
    m.FuncList.Assign({Lifted("Sin(x)", "t/2")});
    TDocument::Save(Path, m);
    EXPECT_TRUE(Bytes().contains("Func1=Sin(x)\r\nColor1=0\r\nBG1=16777215\r\nStyleStr1=0\r\n"
                                 "Kind1=lifted\r\nLift1=t/2\r\nFuncCount=1\r\n"))
        << Bytes().toStdString();
    TPlotModel Read;
    TDocument::Read(Path, Read);
    EXPECT_EQ(Read.FuncList.Item(0), m.FuncList.Item(0));
    EXPECT_EQ(GraphKindFromName(QStringLiteral(" LIFTED ")), LiftedKind());
}

TEST(KindPluginLegend, TheLegendWritesTheKindsLabel)
{
    EXPECT_EQ(TLegend::Label(Lifted("x*x", "3")), QStringLiteral("x*x + 3"));
}

TEST(KindPluginReadout, TheStatusBarReadsTheKindAtThePixel)
{
    TGraphEvaluator Evaluator(u'.');
    TPlotModel Model;
    Model.LeftText = "0";
    Model.RightText = "513";
    Model.TopText = "513";
    Model.BottomText = "0";
    Model.TimeText = "4";
    Model.GraphsEnabled = true;
    Model.FuncList.Assign({Lifted("x/8", "t")});
    const TReadout r = TPlotReadout(Model, Evaluator).At(QPoint(105, 18), 523, 523, 0);
    EXPECT_EQ(r.Text, "x = 100    y = 500    h1(x) = 16.5");
    EXPECT_EQ(r.Marker, QPoint(105, 502));
}

TEST(KindPluginPaint, ThePaintDrawsTheKindThroughItsSource)
{
    RenderTest::TScene Lifted1, Plain;
    Lifted1.Model.FuncList.Assign({Lifted("Sin(x)", "2")});
    Plain.Model.FuncList.Assign({TFunc(QStringLiteral("(Sin(x))+(2)"))});
    for (RenderTest::TScene* Scene : {&Lifted1, &Plain})
    {
        Scene->Model.GraphsEnabled = true;
        Scene->Model.FilledGraphs = true;
        Scene->Model.FuncList.Item(0).BGColor = 0x00FFFF;
        Scene->Draw();
    }
    EXPECT_TRUE(Lifted1.Reports.empty());
    EXPECT_EQ(Lifted1.Image, Plain.Image);
    EXPECT_GT(Lifted1.Count(qRgb(255, 255, 0)), 1000) << "filled as a function: the kind's source says so";
}
