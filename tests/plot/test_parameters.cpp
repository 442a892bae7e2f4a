// Named parameters in the plot: the tick rules worked by hand, the document section, and the
// picture, which must be the picture of the same formulas with the values written in, at
// the start, after ticks in every mode, and along the motion-blur trail.
#include "PlotTestSupport.h"

#include "expr/TextToFloat.h"
#include "plot/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TParameterDocument.h"
#include "plot/TParameterList.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace
{
using PlotTest::FirstDifference;
using enum TParameterMode;

TParameter Parameter(const char* Name, TParameterMode Mode, Float80 Min, Float80 Max, Float80 Step,
                     Float80 Value)
{
    TParameter p;
    p.Name = QString::fromLatin1(Name);
    p.Mode = Mode;
    p.Min = Min;
    p.Max = Max;
    p.Step = Step;
    p.Value = Value;
    return p;
}

struct TTickCase
{
    const char* Name;
    TParameter Start;
    int Direction;
    std::vector<Float80> Values; // after 1, 2, ... ticks, worked out by hand
};

TEST(ParameterTicks, FollowTheRulesOfEachMode)
{
    const TTickCase Cases[] = {
        {"loop goes back to the minimum past the maximum",
         Parameter("a", Loop, 0, 1, 0.25L, 0.5L),
         1,
         {0.75L, 1, 0, 0.25L}},
        {"loop going back goes to the maximum past the minimum",
         Parameter("a", Loop, 0, 1, 0.25L, 0.25L),
         -1,
         {0, 1, 0.75L}},
        {"a negative step moves down going forward",
         Parameter("a", Loop, 0, 1, -0.25L, 0.25L),
         1,
         {0, 1, 0.75L}},
        {"loop below the range going up climbs into it",
         Parameter("a", Loop, 0, 1, 0.5L, -1),
         1,
         {-0.5L, 0, 0.5L}},
        {"bounce reflects at both ends and turns",
         Parameter("a", Bounce, 0, 1, 0.375L, 0.5L),
         1,
         {0.875L, 0.75L, 0.375L, 0, 0.375L, 0.75L}},
        {"bounce going back reflects at the minimum first",
         Parameter("a", Bounce, 0, 1, 0.375L, 0.5L),
         -1,
         {0.125L, 0.25L, 0.625L, 1, 0.625L}},
        {"bounce with a step longer than the range stays inside",
         Parameter("a", Bounce, 0, 1, 2.5L, 0.5L),
         1,
         {0, 1, 0}},
        {"once stops at the maximum", Parameter("a", Once, 0, 1, 0.375L, 0.5L), 1, {0.875L, 1, 1}},
        {"once going back stops at the minimum",
         Parameter("a", Once, 0, 1, 0.375L, 0.5L),
         -1,
         {0.125L, 0, 0}},
        {"off never moves", Parameter("a", Off, 0, 1, 0.25L, 0.5L), 1, {0.5L, 0.5L}},
        {"minimum equal to maximum keeps the value", Parameter("a", Loop, 2, 2, 0.25L, 5), 1, {5, 5}},
        {"ends given in the other order are the same range",
         Parameter("a", Loop, 1, 0, 0.25L, 0.75L),
         1,
         {1, 0, 0.25L}},
        {"a step of 0 keeps the value", Parameter("a", Bounce, 0, 1, 0, 0.5L), 1, {0.5L, 0.5L}},
        {"no direction keeps the value", Parameter("a", Loop, 0, 1, 0.25L, 0.5L), 0, {0.5L}},
    };
    for (const TTickCase& c : Cases)
    {
        TParameter p = c.Start;
        for (size_t k = 0; k < c.Values.size(); ++k)
        {
            p.Tick(c.Direction);
            EXPECT_EQ(double(p.Value), double(c.Values[k])) << c.Name << ", tick " << k + 1;
            EXPECT_EQ(p.Value, c.Values[k]) << c.Name << ", tick " << k + 1;
        }
    }
}

TEST(ParameterList, RefusesNamesThatClashAndKeepsTheListAsItWas)
{
    TParameterList List;
    List.Add(Parameter("amp", Off, 0, 1, 1, 0));
    EXPECT_EQ(List.NameRefusal(QStringLiteral("AMP")),
              "'AMP' cannot name a parameter: another parameter has that name");
    EXPECT_EQ(List.NameRefusal(QStringLiteral("Amp"), 0), "");
    EXPECT_THROW(List.Add(Parameter("T", Off, 0, 1, 1, 0)), EParameterError);
    EXPECT_THROW(List.Add(Parameter("Cos", Off, 0, 1, 1, 0)), EParameterError);
    EXPECT_THROW(List.Rename(0, QStringLiteral("1a")), EParameterError);
    EXPECT_THROW(List.Assign({Parameter("b", Off, 0, 1, 1, 0), Parameter("B", Off, 0, 1, 1, 0)}),
                 EParameterError);
    ASSERT_EQ(List.Count(), 1);
    EXPECT_EQ(List.Item(0).Name, QStringLiteral("amp"));
}

TEST(ParameterList, TheSliderMovesOnTheStepsFromTheMinimum)
{
    const TParameter p = Parameter("a", Off, -1, 2, 0.25L, 0.5L);
    EXPECT_EQ(p.Position(1000), 500);
    EXPECT_EQ(p.ValueAt(0, 1000), -1);
    EXPECT_EQ(p.ValueAt(1000, 1000), 2);
    EXPECT_EQ(p.ValueAt(340, 1000), 0);     // -1 + 1.02 is nearest to -1 + 4 steps
    EXPECT_EQ(p.ValueAt(420, 1000), 0.25L); // -1 + 1.26 is nearest to -1 + 5 steps
    EXPECT_EQ(Parameter("a", Off, 3, 3, 1, 3).Position(1000), 0);
}

class ParameterDocument : public PlotTest::TTempFileTest
{
};

TEST_F(ParameterDocument, RoundTripsEveryFieldExactly)
{
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QStringLiteral("a*x"))});
    TParameter Ticked = Parameter("Speed_2", Bounce, -2.5e-7L, 1e20L, 0.1L, 0.1L);
    Ticked.Tick(1);
    Ticked.Tick(1); // 0.1 + 0.1 + 0.1 in 64 bits: not the number that "0.3" reads
    Model.Parameters.Assign({Parameter("a", Loop, 0, 10, 0.1L, 1.5L), Ticked,
                             Parameter("c", Once, 1, 0, -1, 0), Parameter("d", Off, 0, 10, 0.1L, 0)});
    TDocument::Save(Path, Model);
    const QByteArray Written = Bytes();
    EXPECT_TRUE(Written.contains("[Parameters]\r\nCount=4\r\nName1=a\r\nValue1=1.5\r\nMin1=0\r\nMax1=10\r\n"
                                 "Step1=0.1\r\nMode1=loop\r\n"))
        << Written.constData();
    EXPECT_TRUE(Written.contains("Min2=-2.5e-07\r\nMax2=1e+20\r\n")) << Written.constData();
    TPlotModel Back;
    TDocument::Read(Path, Back);
    ASSERT_EQ(Back.Parameters.Count(), 4);
    for (int i = 0; i < 4; ++i)
    {
        const TParameter& p = Model.Parameters.Item(i);
        const TParameter& q = Back.Parameters.Item(i);
        EXPECT_EQ(q.Name, p.Name);
        EXPECT_EQ(q.Value, p.Value) << i;
        EXPECT_EQ(q.Min, p.Min) << i;
        EXPECT_EQ(q.Max, p.Max) << i;
        EXPECT_EQ(q.Step, p.Step) << i;
        EXPECT_EQ(q.Mode, p.Mode) << i;
    }
}

TEST_F(ParameterDocument, MissingValuesTakeTheirDefaultsAndRefusedNamesAreLeftOut)
{
    Put("[Parameters]\r\nCount=5\r\nName1=k\r\nName2=x\r\nName3=K\r\nName4=w\r\nValue4=1,5\r\nMode4="
        "BOUNCE\r\n"
        "Name5=Ln\r\n");
    const TParameterList List = TParameterDocument::Read(TProfileFile(Path));
    ASSERT_EQ(List.Count(), 2);
    const TParameter& k = List.Item(0);
    EXPECT_EQ(k.Name, QStringLiteral("k"));
    EXPECT_EQ(k.Value, 0);
    EXPECT_EQ(k.Min, 0);
    EXPECT_EQ(k.Max, 10);
    EXPECT_EQ(k.Step, TextToFloat(u"0.1", u'.'));
    EXPECT_EQ(k.Mode, Off);
    EXPECT_EQ(List.Item(1).Name, QStringLiteral("w"));
    EXPECT_EQ(List.Item(1).Value, 0); // "1,5" is no number in a document
    EXPECT_EQ(List.Item(1).Mode, Bounce);
}

TEST_F(ParameterDocument, RemovingTheLastParameterDoesNotBringThemBack)
{
    TPlotModel Model;
    Model.Parameters.Add(Parameter("a", Loop, 0, 1, 0.5L, 0));
    TDocument::Save(Path, Model);
    Model.Parameters.Remove(0);
    TDocument::Save(Path, Model);
    TPlotModel Back;
    TDocument::Read(Path, Back);
    EXPECT_TRUE(Back.Parameters.Empty());
}

// The picture as the screen shows it (raster path), 300 x 200 pixels.
QImage Picture(const TPlotModel& Model)
{
    TPlotModel Copy = Model;
    QImage Image(300, 200, QImage::Format_RGB32);
    Image.fill(qRgb(255, 255, 255));
    TGraphEvaluator Evaluator(u'.');
    TPlotRenderer Renderer(Copy, Evaluator, u'.');
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, true);
    Canvas.SetBrushColor(0xFFFFFF);
    Renderer.DrawPlot(Canvas, 300, 200, 5, 3, [](const Exception& e) { ADD_FAILURE() << e.what(); });
    return Image;
}

// Formula with every parameter name replaced by its value in parentheses (names are whole
// words of the formulas below, longest first).
QString Written(QString Formula, const TParameterList& Parameters)
{
    for (const TParameter& p : Parameters.All())
        Formula.replace(p.Name, QLatin1Char('(') + ParameterNumber(p.Value, u'.') + QLatin1Char(')'));
    return Formula;
}

// Every text of every graph with the values written in.
TPlotModel WrittenIn(TPlotModel Model)
{
    for (int i = 0; i < Model.FuncList.Count(); ++i)
    {
        TFunc& Graph = Model.FuncList.Item(i);
        for (QString* Text : {&Graph.Func, &Graph.FuncY, &Graph.FromText, &Graph.ToText})
            *Text = Written(*Text, Model.Parameters);
    }
    Model.Parameters = TParameterList();
    return Model;
}

TFunc Curve(TGraphKind Kind, const char* Func, const char* FuncY = "", const char* To = "2*Pi")
{
    TFunc Graph(QString::fromLatin1(Func));
    Graph.Kind = Kind;
    Graph.FuncY = QString::fromLatin1(FuncY);
    Graph.ToText = QString::fromLatin1(To);
    return Graph;
}

// Functions and curves of every kind that reads formulas, with the parameters in every text.
TPlotModel ParameterScene(bool Filled)
{
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QStringLiteral("AMP*Sin(FREQ*x + PHASE) + LIFT")),
                           TFunc(QStringLiteral("LIFT - x/AMP")),
                           Curve(TGraphKind::Parametric, "AMP*Cos(s)", "Sin(FREQ*s) + LIFT"),
                           Curve(TGraphKind::Polar, "1 + AMP*Cos(FREQ*s)/4", "", "PHASE + 6"),
                           Curve(TGraphKind::Inverse, "y*y/AMP + LIFT")});
    Model.GraphsEnabled = true;
    Model.FilledGraphs = Filled;
    Model.LeftText = QStringLiteral("-5");
    Model.RightText = QStringLiteral("5");
    Model.BottomText = QStringLiteral("-5");
    Model.TopText = QStringLiteral("5");
    Model.Parameters.Assign(
        {Parameter("AMP", Bounce, 0.5L, 3, 0.7L, 2), Parameter("FREQ", Loop, 0.5L, 2, -0.3L, 1),
         Parameter("PHASE", Once, -1, 1, 0.45L, 0.2L), Parameter("LIFT", Off, -2, 2, 1, -1.25L)});
    return Model;
}

TEST(ParameterPicture, IsThePictureOfTheValuesWrittenIntoTheFormulas)
{
    for (const bool Filled : {false, true})
        for (const int Direction : {1, -1})
        {
            TPlotModel Model = ParameterScene(Filled);
            Model.MotionBlur = false;
            for (int Ticks = 0; Ticks <= 7; ++Ticks)
            {
                const TPlotModel Plain = WrittenIn(Model);
                EXPECT_EQ(FirstDifference(Picture(Model), Picture(Plain)), "none")
                    << "filled " << Filled << ", direction " << Direction << ", after " << Ticks
                    << " ticks: " << Plain.FuncList.Item(0).Func.toStdString();
                Model.Parameters.Tick(Direction);
            }
        }
}

// A parameter that grows by the time step along the trail draws what the time itself draws:
// frames of one text but other values must not share one evaluation.
TEST(ParameterPicture, TheBlurTrailShowsTheValuesOfTheTicksAhead)
{
    for (const bool Filled : {false, true})
    {
        TPlotModel Model;
        Model.GraphsEnabled = true;
        Model.FilledGraphs = Filled;
        Model.FramesCount = 5;
        Model.TimeIncrement = 0.25f;
        Model.TickDirection = 1;
        Model.TimeText = QStringLiteral("0");
        Model.FuncList.Assign({TFunc(QStringLiteral("k*x - 3"))});
        Model.Parameters.Add(Parameter("k", Loop, 0, 100, 0.25L, 1));
        TPlotModel Timed = Model;
        Timed.Parameters = TParameterList();
        Timed.FuncList.Item(0).Func = QStringLiteral("(1 + t)*x - 3");
        const QImage Trail = Picture(Model);
        EXPECT_EQ(FirstDifference(Trail, Picture(Timed)), "none") << "filled " << Filled;
        Model.TickDirection = 0; // every frame the same: one curve only
        EXPECT_NE(FirstDifference(Trail, Picture(Model)), "none");
    }
}
} // namespace
