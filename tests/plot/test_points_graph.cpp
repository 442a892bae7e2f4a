// A points graph as the picture, the legend and the status bar show it: markers of each shape
// in the line colour on the point's pixel, the join in the line style, no fill and no blur
// trail; the legend's marker; the point nearest the mouse with its line in the file.
#include "test_renderer_support.h"

#include "plot/TLegend.h"
#include "plot/TMarkerPainter.h"
#include "plot/TPlotReadout.h"
#include "plot/TPointsKind.h"

#include <gtest/gtest.h>

using namespace RenderTest;

namespace
{
std::shared_ptr<const TDataTable> Table(std::vector<TDataPoint> Points)
{
    std::vector<uint32_t> Lines(Points.size());
    for (size_t i = 0; i < Lines.size(); ++i)
        Lines[i] = uint32_t(2 + 3 * i);
    return std::make_shared<const TDataTable>(std::move(Points), std::move(Lines));
}

TFunc Points(std::vector<TDataPoint> Data, TMarkerShape Shape = TMarkerShape::Dot, bool Joined = false)
{
    TFunc Graph(QStringLiteral("data"));
    Graph.Kind = TGraphKind::Points;
    Graph.Data = Table(std::move(Data));
    Graph.Marker = Shape;
    Graph.Joined = Joined;
    Graph.Color = RedColor;
    return Graph;
}

// One plane unit a pixel: plane (x, y) is pixel (5 + x, 405 - y) of the 410 x 410 picture. The
// grid lines are 20 pixels apart, at columns 5 + 20 k and rows 405 - 20 k.
void OnePixelAUnit(TPlotModel& Model)
{
    Model.LeftText = QStringLiteral("0");
    Model.RightText = QStringLiteral("400");
    Model.BottomText = QStringLiteral("0");
    Model.TopText = QStringLiteral("400");
    Model.GraphsEnabled = true;
    Model.View.Numbers = false;
}
} // namespace

// Each shape by pixels of its 7-pixel stamp around (115, 275), the plane point (110, 130), off
// every grid line: 'x' in the line colour, '.' the white ground.
TEST(PointsPicture, EachMarkerIsItsShapeInTheLineColour)
{
    const struct
    {
        TMarkerShape Shape;
        const char* Rows[7];
    } Cases[] = {
        {TMarkerShape::Dot, {"..xxx..", ".xxxxx.", "xxxxxxx", "xxxxxxx", "xxxxxxx", ".xxxxx.", "..xxx.."}},
        {TMarkerShape::Circle, {"..xxx..", ".x...x.", "x.....x", "x.....x", "x.....x", ".x...x.", "..xxx.."}},
        {TMarkerShape::Square, {"xxxxxxx", "x.....x", "x.....x", "x.....x", "x.....x", "x.....x", "xxxxxxx"}},
        {TMarkerShape::Cross, {"x.....x", ".x...x.", "..x.x..", "...x...", "..x.x..", ".x...x.", "x.....x"}},
        {TMarkerShape::Plus, {"...x...", "...x...", "...x...", "xxxxxxx", "...x...", "...x...", "...x..."}},
    };
    for (const auto& Case : Cases)
    {
        TScene Scene;
        OnePixelAUnit(Scene.Model);
        Scene.Model.FuncList.Assign({Points({{110, 130}}, Case.Shape)});
        Scene.Draw();
        for (int dy = 0; dy < 7; ++dy)
        {
            std::string Row;
            for (int dx = 0; dx < 7; ++dx)
            {
                const QRgb p = Scene.Image.pixel(112 + dx, 272 + dy);
                Row += p == Red ? 'x' : p == White ? '.' : '?';
            }
            EXPECT_EQ(Row, Case.Rows[dy]) << TPointsKind::MarkerName(Case.Shape) << " row " << dy;
        }
    }
}

// Joined, a line in the graph's style runs from point to point under the markers; with Filled
// Graphs nothing is filled, and with motion blur the markers stay in full colour: the data do
// not move with t.
TEST(PointsPicture, TheJoinRunsBetweenThePointsAndNothingIsFilledOrPaled)
{
    const struct
    {
        const char* Name;
        bool Joined, Filled, Blur;
        int32_t Style;
        QRgb Between; // at (147, 275), about half way, off the grid
    } Rows[] = {
        {"not joined", false, false, false, 0, White},
        {"joined by a solid line", true, false, false, 0, Red},
        {"filled graphs fill no points", false, true, false, 0, White},
        {"the blur trail draws the points once", false, false, true, 0, White},
    };
    for (const auto& Row : Rows)
    {
        TScene Scene;
        OnePixelAUnit(Scene.Model);
        TFunc Graph = Points({{110, 130}, {170, 130}, {170, 30}}, TMarkerShape::Circle, Row.Joined);
        Graph.Style = Row.Style;
        Graph.BGColor = 0x00FF00;
        Scene.Model.FuncList.Assign({Graph});
        Scene.Model.FilledGraphs = Row.Filled;
        Scene.Model.MotionBlur = Row.Blur;
        Scene.Model.TimeIncrement = 0.5f;
        Scene.Draw();
        EXPECT_TRUE(Scene.Reports.empty()) << Row.Name;
        EXPECT_EQ(Scene.Image.pixel(147, 275), Row.Between) << Row.Name;
        EXPECT_EQ(Scene.Image.pixel(118, 275), Red) << Row.Name << ": the circle's right edge";
        EXPECT_EQ(Scene.Image.pixel(115, 275), Row.Joined ? Red : White) << Row.Name << ": its middle";
        EXPECT_EQ(Scene.Count(qRgb(0, 255, 0)), 0) << Row.Name;
        int Pale = 0;
        for (int y = 0; y < 410; ++y)
            for (int x = 0; x < 410; ++x)
            {
                const QRgb p = Scene.Image.pixel(x, y);
                Pale += qRed(p) == 255 && qGreen(p) > 0 && qGreen(p) < 255 && qGreen(p) == qBlue(p);
            }
        EXPECT_EQ(Pale, 0) << Row.Name << ": no lightened red";
    }
}

// A wider pen draws larger markers (2 * width + 1), as a picture at twice the density needs;
// points far outside the view are left off without harm.
TEST(PointsPicture, MarkersFollowThePenAndFarPointsAreClipped)
{
    TScene Scene;
    OnePixelAUnit(Scene.Model);
    Scene.ArrowSize = 6;
    Scene.Model.FuncList.Assign({Points({{110, 130}, {1e4000L, -1e4000L}, {-2, 200}})});
    Scene.Draw();
    EXPECT_TRUE(Scene.Reports.empty());
    EXPECT_EQ(Scene.Image.pixel(115 + 6, 275), Red);
    EXPECT_EQ(Scene.Image.pixel(115 + 7, 275), White);
    EXPECT_EQ(Scene.Image.pixel(5, 205), Red) << "a marker across the left margin is cut there";
}

TEST(PointsReadout, TheStatusBarReadsTheNearestPointAndItsLine)
{
    TGraphEvaluator Evaluator(u'.');
    TPlotModel Model;
    // The readout's pictures have a margin of 5 too: plane (x, y) at pixel (5 + x, 518 - y).
    Model.LeftText = QStringLiteral("0");
    Model.RightText = QStringLiteral("513");
    Model.BottomText = QStringLiteral("0");
    Model.TopText = QStringLiteral("513");
    Model.GraphsEnabled = true;
    Model.FuncList.Assign({TFunc(QStringLiteral("x")), Points({{100, 500}, {100.5L, 20}, {300, 300}})});
    const TPlotReadout Readout(Model, Evaluator);
    const struct
    {
        QPoint Pixel;
        const char* Text;
        QPoint Marker;
    } Rows[] = {
        {{105, 18}, "x = 100    y = 500    p2 = (100; 500)    line 2", {105, 18}},
        {{110, 480}, "x = 105    y = 38    p2 = (100.5; 20)    line 5", {106, 498}},
        {{20, 510}, "x = 15    y = 8    p2 = (100.5; 20)    line 5", {106, 498}},
        {{290, 240}, "x = 285    y = 278    p2 = (300; 300)    line 8", {305, 218}},
    };
    for (const auto& Row : Rows)
    {
        const TReadout r = Readout.At(Row.Pixel, 523, 523, 1);
        EXPECT_EQ(r.Text.toStdString(), Row.Text);
        EXPECT_EQ(r.Marker, std::optional<QPoint>(Row.Marker)) << Row.Text;
    }
    Model.GraphsEnabled = false;
    EXPECT_FALSE(Readout.At({105, 18}, 523, 523, 1).Marker) << "no marker on hidden graphs";
    Model.FuncList.Item(1).Data = nullptr;
    EXPECT_EQ(Readout.At({105, 18}, 523, 523, 1).Text.toStdString(), "x = 100    y = 500");
}

// The legend names the data and shows its marker, on a short line when the points are joined.
TEST(PointsLegend, TheLegendShowsTheNameBesideAMarker)
{
    TFunc Unnamed = Points({{1, 2}, {3, 4}});
    Unnamed.Func.clear();
    EXPECT_EQ(TLegend::Label(Points({{1, 2}})), QStringLiteral("data"));
    EXPECT_EQ(TLegend::Label(Unnamed), QStringLiteral("2 points"));
    for (const bool Joined : {false, true})
    {
        TScene Scene;
        OnePixelAUnit(Scene.Model);
        Scene.Model.Options.Legend = true;
        // Far outside the view: the only red is the legend's sample.
        Scene.Model.FuncList.Assign({Points({{-500, -500}}, TMarkerShape::Dot, Joined)});
        Scene.Draw();
        if (Joined)
            EXPECT_GT(Scene.Count(Red), 37 + 3 * 10);
        else
            EXPECT_EQ(Scene.Count(Red), 37) << "the 37 pixels of a dot of 7";
    }
}
