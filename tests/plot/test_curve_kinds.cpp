// Parametric, polar and inverse curves against their closed forms, computed here in double:
// every vertex the sampling gives lies within one pixel of the true curve, and every point of
// the true curve inside the picture lies within a pixel and a half of the polyline (no gap
// where the curve is continuous). Then the cases around the sampling: fills of closed curves,
// negative radii, undefined points, reversed and empty ranges, errors.
#include "PlotTestSupport.h"
#include "test_renderer_support.h"

#include "expr/Errors.h"
#include "plot/GraphKind.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TCurveSource.h"
#include "plot/TEvalContext.h"
#include "plot/TPlotView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace
{
using namespace RenderTest;
constexpr int Side = 410; // 400 pixels between the margins: 20 pixels a unit in -10 .. 10
constexpr double Pi = 3.14159265358979323846;

struct TCurveCase
{
    const char* Name;
    TGraphKind Kind;
    const char* First;  // X(s), R(s) or g(y)
    const char* Second; // Y(s)
    const char* From;
    const char* To;
    std::function<void(double, double&, double&)> Truth; // plane point at u
    double U0, U1;                                       // the range of u
};

const std::vector<TCurveCase>& Cases()
{
    static const std::vector<TCurveCase> List = {
        {"circle", TGraphKind::Parametric, "5*Cos(s)", "5*Sin(s)", "0", "2*Pi",
         [](double s, double& x, double& y) { x = 5 * std::cos(s), y = 5 * std::sin(s); }, 0, 2 * Pi},
        {"cardioid", TGraphKind::Polar, "4*(1+Cos(s))", "", "0", "2*Pi",
         [](double s, double& x, double& y)
         {
             const double r = 4 * (1 + std::cos(s));
             x = r * std::cos(s), y = r * std::sin(s);
         },
         0, 2 * Pi},
        {"rose", TGraphKind::Polar, "8*Cos(4*s)", "", "0", "2*Pi",
         [](double s, double& x, double& y)
         {
             const double r = 8 * std::cos(4 * s);
             x = r * std::cos(s), y = r * std::sin(s);
         },
         0, 2 * Pi},
        {"Archimedean spiral to s = 100", TGraphKind::Polar, "s/10", "", "0", "100",
         [](double s, double& x, double& y) { x = s / 10 * std::cos(s), y = s / 10 * std::sin(s); }, 0, 100},
        {"Lissajous figure", TGraphKind::Parametric, "8*Sin(3*s+1)", "8*Sin(2*s)", "0", "2*Pi",
         [](double s, double& x, double& y) { x = 8 * std::sin(3 * s + 1), y = 8 * std::sin(2 * s); }, 0,
         2 * Pi},
        {"cusp", TGraphKind::Parametric, "s*s*s", "s*s", "-2", "2",
         [](double s, double& x, double& y) { x = s * s * s, y = s * s; }, -2, 2},
        {"inverse parabola", TGraphKind::Inverse, "y*y/4-5", "", "", "",
         [](double y0, double& x, double& y) { x = y0 * y0 / 4 - 5, y = y0; }, -10, 10},
        {"curve leaving the view and coming back", TGraphKind::Parametric, "s", "30*Sin(s)", "-10", "10",
         [](double s, double& x, double& y) { x = s, y = 30 * std::sin(s); }, -10, 10},
        {"negative radius drawn on the opposite side", TGraphKind::Polar, "-6", "", "0", "Pi/2",
         [](double s, double& x, double& y) { x = -6 * std::cos(s), y = -6 * std::sin(s); }, 0, Pi / 2},
        {"reversed range", TGraphKind::Parametric, "5*Cos(s)", "3*Sin(s)", "2*Pi", "0",
         [](double s, double& x, double& y) { x = 5 * std::cos(s), y = 3 * std::sin(s); }, 0, 2 * Pi},
    };
    return List;
}

TFunc GraphOf(const TCurveCase& c)
{
    TFunc g(QString::fromLatin1(c.First));
    g.Kind = c.Kind;
    g.FuncY = QString::fromLatin1(c.Second);
    g.FromText = QString::fromLatin1(c.From);
    g.ToText = QString::fromLatin1(c.To);
    g.Color = RedColor;
    return g;
}

// The geometry a source traces for graph 1 of Model at time 0 on a Side x Side picture.
struct TTraced
{
    TPlotModel Model;
    TCurveGeometry G;
    TPlotView View;
    int32_t OriginY = 0;

    explicit TTraced(const TFunc& Graph)
    {
        Model.FuncList.Assign({Graph});
        Model.GraphsEnabled = true;
        View = TPlotView::Compute(Model, Side, Side, 5, u'.');
        OriginY = View.OriginY();
        TGraphEvaluator X(u'.');
        TCurveEvaluators With(u'.');
        With.SetX(&X);
        const TCurveSource& Source = KindOf(Graph).Source();
        const TCurveTexts Texts = Source.Texts(Model.FuncList, 0, TEvalContext{});
        TCurveTrace In{Texts, With, View};
        In.OriginY = OriginY;
        In.First = 5;
        In.Last = Side - 5;
        In.Top = 5;
        In.Bottom = Side - 5;
        Source.Trace(In, G);
    }
    // The pixel of a plane point, unrounded.
    QPointF Pixel(double x, double y) const
    {
        return {double(View.OriginX) + x * double(View.ScaleX), double(OriginY) - y * double(View.ScaleY)};
    }
    size_t Pieces() const { return G.PieceEnds.size(); }
};

bool InPicture(QPointF p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < Side && p.y() < Side;
}

double SegmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double l = QPointF::dotProduct(d, d);
    const double t = l == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, d) / l, 0.0, 1.0);
    const QPointF q = a + t * d - p;
    return std::sqrt(QPointF::dotProduct(q, q));
}

// Points of the true curve, so dense that the nearest lies within 0.05 pixel of any point of it.
std::vector<QPointF> TrueCurve(const TCurveCase& c, const TTraced& t)
{
    std::vector<QPointF> Out;
    const int n = 400000;
    for (int i = 0; i <= n; ++i)
    {
        double x = 0, y = 0;
        c.Truth(c.U0 + (c.U1 - c.U0) * i / n, x, y);
        Out.push_back(t.Pixel(x, y));
    }
    return Out;
}

// Points grouped by the 4-pixel cell they lie in.
using TCells = std::map<std::pair<int, int>, std::vector<QPointF>>;
std::pair<int, int> CellOf(QPointF p)
{
    return {int(std::floor(p.x() / 4)), int(std::floor(p.y() / 4))};
}
} // namespace

TEST(CurveKinds, EveryVertexLiesWithinOnePixelOfTheTrueCurveAndTheCurveHasNoGap)
{
    for (const TCurveCase& c : Cases())
    {
        SCOPED_TRACE(c.Name);
        const TTraced t(GraphOf(c));
        ASSERT_FALSE(t.G.Error);
        ASSERT_FALSE(t.G.Points.empty());
        const std::vector<QPointF> Truth = TrueCurve(c, t);
        TCells Near;
        for (QPointF p : Truth)
            if (InPicture(p))
                Near[CellOf(p)].push_back(p);
        for (const QPoint& v : t.G.Points)
        {
            if (!InPicture(v))
                continue;
            double Best = 1e9;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                {
                    const auto Found = Near.find({CellOf(v).first + dx, CellOf(v).second + dy});
                    if (Found != Near.end())
                        for (QPointF p : Found->second)
                            Best = std::min(Best, std::hypot(p.x() - v.x(), p.y() - v.y()));
                }
            ASSERT_LE(Best, 1.0 + 0.05) << "vertex " << v.x() << ", " << v.y();
        }
        // Every true point in the picture is close to a segment of the polyline.
        std::map<std::pair<int, int>, std::vector<std::pair<QPointF, QPointF>>> Segments;
        size_t Start = 0;
        for (size_t End : t.G.PieceEnds)
        {
            for (size_t i = Start; i + 1 < End; ++i)
            {
                const QPointF a = t.G.Points[i], b = t.G.Points[i + 1];
                for (int cx = CellOf(a).first; cx != CellOf(b).first + (a.x() <= b.x() ? 1 : -1);
                     cx += a.x() <= b.x() ? 1 : -1)
                    for (int cy = std::min(CellOf(a).second, CellOf(b).second) - 1;
                         cy <= std::max(CellOf(a).second, CellOf(b).second) + 1; ++cy)
                        if (std::abs(cx) < 1000 && std::abs(cy) < 1000)
                            for (int d = -1; d <= 1; ++d)
                                Segments[{cx + d, cy}].push_back({a, b});
            }
            Start = End;
        }
        for (QPointF p : Truth)
        {
            if (!InPicture(p) || p.x() < 6 || p.y() < 6 || p.x() > Side - 6 || p.y() > Side - 6)
                continue;
            double Best = 1e9;
            const auto Found = Segments.find(CellOf(p));
            if (Found != Segments.end())
                for (const auto& [a, b] : Found->second)
                    Best = std::min(Best, SegmentDistance(p, a, b));
            ASSERT_LE(Best, 1.5) << "true point " << p.x() << ", " << p.y() << " has no line near it";
        }
    }
}

TEST(CurveKinds, AContinuousCurveInsideThePictureIsOnePiece)
{
    for (const char* Name : {"circle", "cardioid", "rose", "Lissajous figure", "cusp", "inverse parabola"})
        for (const TCurveCase& c : Cases())
            if (std::string(c.Name) == Name)
            {
                SCOPED_TRACE(Name);
                EXPECT_EQ(TTraced(GraphOf(c)).Pieces(), 1u);
            }
}

TEST(CurveKinds, ClosedCurvesAreFilledByTheNonZeroRuleAndOpenOnesNot)
{
    const QRgb Fill = qRgb(0x80, 0xFF, 0x80);
    struct
    {
        const char* Name;
        TFunc Graph;
        QPoint Inside;
        bool Filled;
    } Rows[] = {
        {"circle", GraphOf(Cases()[0]), {215, 195}, true},
        {"half circle", GraphOf(Cases()[0]), {205, 180}, false},
        {"rose petal", GraphOf(Cases()[2]), {205 + 100, 203}, true},
        {"inverse parabola, filled to the y axis", GraphOf(Cases()[6]), {205 - 40, 200}, true},
        {"inverse parabola, nothing right of the y axis", GraphOf(Cases()[6]), {205 + 40, 200}, false},
    };
    Rows[1].Graph.ToText = QStringLiteral("Pi");
    for (auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        TScene Scene;
        Row.Graph.BGColor = 0x80FF80;
        Scene.Model.FuncList.Assign({Row.Graph});
        Scene.Model.GraphsEnabled = true;
        Scene.Model.FilledGraphs = true;
        Scene.Model.View.Grid = false;
        Scene.Draw(Side, Side);
        EXPECT_EQ(Scene.Image.pixel(Row.Inside) == Fill, Row.Filled);
        EXPECT_TRUE(Scene.Reports.empty());
    }
}

TEST(CurveKinds, UndefinedPointsCutTheCurveCloseToWhereItEnds)
{
    // y = Sqrt(s) exists from s = 0 on: the curve starts within a pixel of the origin.
    TFunc Root(QStringLiteral("s"));
    Root.Kind = TGraphKind::Parametric;
    Root.FuncY = QStringLiteral("Sqrt(s)");
    Root.FromText = QStringLiteral("-4");
    Root.ToText = QStringLiteral("4");
    const TTraced r(Root);
    ASSERT_FALSE(r.G.Error);
    ASSERT_EQ(r.Pieces(), 1u);
    EXPECT_LE(std::abs(r.G.Points.front().x() - r.View.OriginX), 1);
    EXPECT_LE(std::abs(r.G.Points.front().y() - r.OriginY), 1);

    // y = 1/s: two branches, never joined across the pole.
    TFunc Pole = Root;
    Pole.FuncY = QStringLiteral("1/s");
    const TTraced p(Pole);
    ASSERT_FALSE(p.G.Error);
    EXPECT_EQ(p.Pieces(), 2u);
}

TEST(CurveKinds, RangesThatAreEmptyOrUndefinedDrawAtMostOnePoint)
{
    TFunc Point(QStringLiteral("Cos(s)"));
    Point.Kind = TGraphKind::Parametric;
    Point.FuncY = QStringLiteral("Sin(s)");
    Point.FromText = Point.ToText = QStringLiteral("1");
    const TTraced One(Point);
    EXPECT_FALSE(One.G.Error);
    EXPECT_EQ(One.G.Points.size(), 1u);

    Point.FromText = QStringLiteral("1/0");
    const TTraced None(Point);
    EXPECT_FALSE(None.G.Error);
    EXPECT_TRUE(None.G.Points.empty());
}

TEST(CurveKinds, ErrorsOtherThanUndefinedPointsAreReportedAsTheEvaluatorGivesThem)
{
    struct
    {
        const char* Name;
        TGraphKind Kind;
        const char* First;
        const char* Second;
        const char16_t* Variable; // of an evaluator that gives the expected message
    } Rows[] = {
        {"x in a polar curve", TGraphKind::Polar, "x+1", "", u"s"},
        {"y in a parametric curve", TGraphKind::Parametric, "s", "y", u"s"},
        {"s in an inverse graph", TGraphKind::Inverse, "s", "", u"y"},
        {"a parse error", TGraphKind::Parametric, "s", "2*(s", u"s"},
    };
    for (const auto& Row : Rows)
    {
        SCOPED_TRACE(Row.Name);
        TFunc Graph(QString::fromLatin1(Row.First));
        Graph.Kind = Row.Kind;
        Graph.FuncY = QString::fromLatin1(Row.Second);
        const TTraced t(Graph);
        ASSERT_TRUE(t.G.Error);
        std::string Expected;
        TGraphEvaluator Reference(u'.', Row.Variable);
        try
        {
            Reference.EvaluateAt(QString::fromLatin1(*Row.Second ? Row.Second : Row.First).toStdU16String(),
                                 0);
        }
        catch (const Exception& e)
        {
            Expected = e.Message();
        }
        ASSERT_FALSE(Expected.empty());
        try
        {
            std::rethrow_exception(t.G.Error);
        }
        catch (const Exception& e)
        {
            EXPECT_EQ(e.Message(), Expected);
        }

        // The paint reports it once and hides the graphs, as for a function.
        TScene Scene;
        Scene.Model.FuncList.Assign({Graph});
        Scene.Model.GraphsEnabled = true;
        Scene.Draw(Side, Side);
        ASSERT_EQ(Scene.Reports.size(), 1u);
        EXPECT_EQ(Scene.Reports[0], Expected);
        EXPECT_FALSE(Scene.Model.GraphsEnabled);
    }
}

TEST(CurveKinds, MotionBlurDrawsEachFrameAtItsOwnTime)
{
    // A circle moving right with t: five frames, the palest left of the full-colour one.
    TScene Scene;
    TFunc Circle(QStringLiteral("2*Cos(s)+t"));
    Circle.Kind = TGraphKind::Parametric;
    Circle.FuncY = QStringLiteral("2*Sin(s)");
    Circle.Color = RedColor;
    Scene.Model.FuncList.Assign({Circle});
    Scene.Model.GraphsEnabled = true;
    Scene.Model.TimeIncrement = 1;
    Scene.Model.View.Grid = false;
    Scene.Draw(Side, Side);
    // Frame j is centred at x = j: its ends on the x axis are x = j - 2 and j + 2.
    const int Row = 205;
    EXPECT_EQ(Scene.Image.pixel(205 + 20 * 6, Row), Red);     // the full-colour frame at t = 4
    const QRgb Palest = Scene.Image.pixel(205 - 20 * 2, Row); // frame 0 alone
    EXPECT_NE(Palest, Red);
    EXPECT_NE(Palest, White);
}
