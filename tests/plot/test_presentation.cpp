// The presentation options in the picture: round, pi and logarithmic grids at the columns and
// rows their rules give (worked out here from the bounds, with long double logarithms), equal
// scales, the dark plot, the legend, and the options in documents.
#include "PlotTestSupport.h"
#include "test_renderer_support.h"

#include "plot/TDocument.h"
#include "plot/TLegend.h"
#include "plot/TPlotOptionKeys.h"
#include "plot/TPlotPalette.h"
#include "plot/TPlotView.h"
#include "plot/TViewNavigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

using namespace RenderTest;

namespace
{
constexpr int Size = 523, Margin = 5, Inner = Size - 2 * Margin;

// The nearest integer, halves to even.
int64_t Nearest(Float80 v)
{
    return std::llrint(v);
}

// The grid columns of a round axis from Low to High with Ticks divisions on the Inner pixels:
// the step is found by walking up the 1-2-5 series from far below.
std::set<int64_t> RoundLines(Float80 Low, Float80 High, int Ticks, bool Reversed)
{
    Float80 Step = 1e-30L;
    for (int k = -30; (High - Low) / Step > Ticks * (1 + 1e-12L); ++k)
        for (int m : {1, 2, 5})
        {
            Step = m * std::pow(10.0L, Float80(k));
            if ((High - Low) / Step <= Ticks * (1 + 1e-12L))
                break;
        }
    const Float80 Scale = Inner / (High - Low);
    std::set<int64_t> Lines;
    for (Float80 n = std::ceil(Low / Step - 1e-9L); n * Step <= High + Step * 1e-9L; n += 1)
        Lines.insert(Margin + Nearest((Reversed ? High - n * Step : n * Step - Low) * Scale));
    return Lines;
}

// The grid columns (rows, Reversed) of a logarithmic axis from Low to High: 1 .. 9 times the
// powers of ten.
std::set<int64_t> LogLines(Float80 Low, Float80 High, bool Reversed)
{
    const Float80 Scale = Inner / (std::log10(High) - std::log10(Low));
    std::set<int64_t> Lines;
    for (int e = -10; e <= 10; ++e)
        for (int d = 1; d <= 9; ++d)
        {
            const Float80 v = d * std::pow(10.0L, Float80(e));
            if (v >= Low * (1 - 1e-12L) && v <= High * (1 + 1e-12L))
                Lines.insert(Margin + Nearest((Reversed ? std::log10(High) - std::log10(v)
                                                        : std::log10(v) - std::log10(Low)) *
                                              Scale));
        }
    return Lines;
}

// The columns of row Row that are grid-coloured, within the plot.
std::set<int64_t> GridColumns(const QImage& Image, int Row, QRgb Grid)
{
    std::set<int64_t> Columns;
    for (int x = Margin; x <= Image.width() - Margin; ++x)
        if (Image.pixel(x, Row) == Grid)
            Columns.insert(x);
    return Columns;
}

std::set<int64_t> GridRows(const QImage& Image, int Column, QRgb Grid)
{
    std::set<int64_t> Rows;
    for (int y = Margin; y <= Image.height() - Margin; ++y)
        if (Image.pixel(Column, y) == Grid)
            Rows.insert(y);
    return Rows;
}

// A row (column) inside the plot that is none of Lines, the axis, or next to them.
int Between(const std::set<int64_t>& Lines, int64_t Axis)
{
    for (int p = Margin + 2; p < Size - Margin; ++p)
        if (!Lines.count(p) && !Lines.count(p - 1) && !Lines.count(p + 1) && std::abs(p - Axis) > 1)
            return p;
    return -1;
}

// A scene of a view, grid only (numbers and arrows off, no graph).
void GridView(TScene& Scene, const char* Left, const char* Right, const char* Bottom, const char* Top,
              int Ticks)
{
    Scene.Model.LeftText = QString::fromLatin1(Left);
    Scene.Model.RightText = QString::fromLatin1(Right);
    Scene.Model.BottomText = QString::fromLatin1(Bottom);
    Scene.Model.TopText = QString::fromLatin1(Top);
    Scene.Model.TicksByX = Scene.Model.TicksByY = Ticks;
    Scene.Model.View.Numbers = Scene.Model.View.Arrows = false;
}
} // namespace

TEST(Presentation, RoundGridLinesStandAtTheMultiplesOfTheRoundStep)
{
    struct Row
    {
        const char* Name;
        const char* Low;
        const char* High;
        int Ticks;
    };
    const Row Rows[] = {
        {"after two wheel notches", "-5.1438", "7.6561", 20},
        {"seven divisions of a tenth", "0.3", "0.4", 7},
        {"a view of width 1E-12", "-3E-13", "7E-13", 20},
        {"a view of width 1E300", "-3E299", "7E299", 20},
        {"a view far from 0", "123456.7", "123999.1", 13},
        {"one division", "-0.7", "0.9", 1},
    };
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        TScene Scene;
        GridView(Scene, r.Low, r.High, r.Low, r.High, r.Ticks);
        Scene.Model.Options.RoundGrid = true;
        const QImage& Image = Scene.Draw(Size, Size);
        const Float80 Low = std::strtold(r.Low, nullptr), High = std::strtold(r.High, nullptr);
        const std::set<int64_t> Columns = RoundLines(Low, High, r.Ticks, false);
        const std::set<int64_t> Rows = RoundLines(Low, High, r.Ticks, true);
        const TPlotView View = TPlotView::Compute(Scene.Model, Size, Size, Margin, u'.');
        std::set<int64_t> SeenColumns = GridColumns(Image, Between(Rows, View.OriginY()), Silver);
        std::set<int64_t> SeenRows = GridRows(Image, Between(Columns, View.OriginX), Silver);
        // The axes cover the grid line under them.
        if (Columns.count(View.OriginX))
            SeenColumns.insert(View.OriginX);
        if (Rows.count(View.OriginY()))
            SeenRows.insert(View.OriginY());
        EXPECT_EQ(SeenColumns, Columns);
        EXPECT_EQ(SeenRows, Rows);
    }
}

TEST(Presentation, RoundNumbersStandByTheirLinesAndOnlyInsideThePicture)
{
    TScene Scene;
    Scene.Model.LeftText = Scene.Model.BottomText = QStringLiteral("-5.1438");
    Scene.Model.RightText = Scene.Model.TopText = QStringLiteral("7.6561");
    Scene.Model.Options.RoundGrid = true;
    const TPixels Drawn = Scene.NumberPixels();
    // 410 pixels: step 1, lines at columns and rows 5 + Round((k + 5.1438) * 400 / 12.7999).
    const TPlotView View = TPlotView::Compute(Scene.Model, 410, 410, 5, u'.');
    const Float80 Scale = 400 / (7.6561L - -5.1438L);
    std::vector<TText> Expected;
    for (int k = -5; k <= 7; ++k)
    {
        const int Column = 5 + int(Nearest((k + 5.1438L) * Scale));
        const int Row = 5 + int(Nearest((7.6561L - k) * Scale));
        const QString Text = QString::number(k);
        // The bottom y number, a row under the line at row 400, would end past the picture's
        // bottom edge.
        Expected.push_back({Column + 3, View.OriginY() + 1, Text});
        if (k > -5)
            Expected.push_back({View.OriginX + 3, Row + 1, Text});
    }
    EXPECT_EQ(Drawn, ExpectedTextPixels(Scene, Expected));
}

TEST(Presentation, PiTicksStandAtMultiplesOfPiAndReadAsFractions)
{
    TScene Scene;
    Scene.Model.LeftText = QStringLiteral("-7");
    Scene.Model.RightText = QStringLiteral("7");
    Scene.Model.Options.PiTicks = true;
    const TPixels Drawn = Scene.NumberPixels();
    // 14 / 20 divisions is 0.22 pi: the step is pi/4, lines at n pi/4 for n = -8 .. 8. They
    // stand 22.4 pixels apart, less than "−7π/4" is wide: every second number is written,
    // 0 among them.
    const char* Texts[] = {"−2π", "−7π/4", "−3π/2", "−5π/4", "−π",   "−3π/4", "−π/2", "−π/4", "0",
                           "π/4", "π/2",   "3π/4",  "π",     "5π/4", "3π/2",  "7π/4", "2π"};
    std::vector<TText> Expected;
    std::set<int64_t> Columns;
    for (int n = -8; n <= 8; ++n)
    {
        const int Column = 5 + int(Nearest((n * std::numbers::pi_v<Float80> / 4 + 7) * 400 / 14));
        Columns.insert(Column);
        if (n % 2 == 0)
            Expected.push_back({Column + 3, 206, QString::fromUtf8(Texts[n + 8])});
    }
    for (int j = 0; j < 20; ++j)
        Expected.push_back({208, 6 + 20 * j, Fixed(10 - j, 0)});
    EXPECT_EQ(Drawn, ExpectedTextPixels(Scene, Expected));
    std::set<int64_t> Seen = GridColumns(Scene.WithoutNumbers, 15, Silver);
    Seen.insert(205); // the y axis, over the line at 0
    EXPECT_EQ(Seen, Columns);
}

TEST(Presentation, LogAxesPutTheirGridAtTheDecadesAndTheirAxesOnTheEdges)
{
    struct Row
    {
        const char* Name;
        const char* Low;
        const char* High;
    };
    for (const Row& r : {Row{"1 .. 1000", "1", "1000"}, Row{"0.02 .. 300", "0.02", "300"},
                         Row{"three tenths of a decade", "2", "3.9"}})
    {
        SCOPED_TRACE(r.Name);
        TScene Scene;
        GridView(Scene, r.Low, r.High, r.Low, r.High, 20);
        Scene.Model.Options.LogX = Scene.Model.Options.LogY = true;
        const QImage& Image = Scene.Draw(Size, Size);
        const Float80 Low = std::strtold(r.Low, nullptr), High = std::strtold(r.High, nullptr);
        const std::set<int64_t> Columns = LogLines(Low, High, false);
        const std::set<int64_t> Rows = LogLines(Low, High, true);
        // The y axis stands on the left edge, the x axis on the bottom edge.
        std::set<int64_t> SeenColumns = GridColumns(Image, Between(Rows, Size - Margin), Silver);
        std::set<int64_t> SeenRows = GridRows(Image, Between(Columns, Margin), Silver);
        EXPECT_EQ(Image.pixel(Margin, Size / 2), Black);
        EXPECT_EQ(Image.pixel(Size / 2, Size - Margin), Black);
        if (Columns.count(Margin))
            SeenColumns.insert(Margin);
        if (Rows.count(Size - Margin))
            SeenRows.insert(Size - Margin);
        EXPECT_EQ(SeenColumns, Columns);
        EXPECT_EQ(SeenRows, Rows);
    }
}

TEST(Presentation, LogViewsMapColumnsGeometricallyOverTheWholeRange)
{
    TPlotModel Model;
    Model.LeftText = Model.BottomText = QStringLiteral("1E-4000");
    Model.RightText = Model.TopText = QStringLiteral("1E4000");
    Model.Options.LogX = Model.Options.LogY = true;
    const TPlotView View = TPlotView::Compute(Model, 810, 810, 5, u'.');
    // 800 pixels over 8000 decades: ten decades a pixel.
    for (int Column : {5, 6, 405, 805})
        EXPECT_LE(std::fabs(std::log10(View.PlaneX(Column)) - (-4000 + 10 * (Column - 5))), 1e-9L) << Column;
    EXPECT_LE(std::fabs(std::log10(View.PlaneY(405, View.OriginY()))), 1e-9L);
    bool Overflow = true;
    EXPECT_EQ(View.RowOf(1, View.OriginY(), Overflow), 405);
    EXPECT_FALSE(Overflow);
    EXPECT_EQ(View.OriginY(), 805);
    EXPECT_EQ(View.OriginX, 5);
    // 0 and below lie infinitely far down.
    EXPECT_EQ(View.RowOf(0, View.OriginY(), Overflow), INT64_MAX);
    EXPECT_EQ(View.RowOf(-1, View.OriginY(), Overflow), INT64_MAX);
    EXPECT_FALSE(Overflow);
    // Bounds of 0 or below cannot be drawn, with a message that says why.
    Model.LeftText = QStringLiteral("0");
    try
    {
        TPlotView::Compute(Model, 810, 810, 5, u'.');
        ADD_FAILURE() << "no error";
    }
    catch (const EViewRangeError& Error)
    {
        EXPECT_STREQ(Error.what(), "A logarithmic axis needs bounds greater than 0");
    }
}

TEST(Presentation, EqualScalesWidenTheShorterDirectionAboutItsCentre)
{
    struct Row
    {
        const char* Name;
        int Width, Height;
        const char *Left, *Right, *Bottom, *Top;
        Float80 WantLeft, WantRight, WantBottom, WantTop;
    };
    // A wide window has 690 x 390 pixels inside the margins; -10 .. 10 both ways has 20/390
    // units a pixel up, so x widens to 690 x 20/390 about 0. The tall window mirrors it. On
    // 400 x 200 pixels, 200 units across give 100 units up, about the centre 3.
    const Row Rows[] = {
        {"wide window", 700, 400, "-10", "10", "-10", "10", -10 * 690 / 390.0L, 10 * 690 / 390.0L, -10, 10},
        {"tall window", 400, 700, "-10", "10", "-10", "10", -10, 10, -10 * 690 / 390.0L, 10 * 690 / 390.0L},
        {"a view off the origin", 410, 210, "-99", "101", "0.5", "5.5", -99, 101, -47, 53},
    };
    for (const Row& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        TPlotModel Model;
        Model.LeftText = QString::fromLatin1(r.Left);
        Model.RightText = QString::fromLatin1(r.Right);
        Model.BottomText = QString::fromLatin1(r.Bottom);
        Model.TopText = QString::fromLatin1(r.Top);
        Model.Options.EqualScales = true;
        const TPlotView View = TPlotView::Compute(Model, r.Width, r.Height, 5, u'.');
        EXPECT_LE(std::fabs(View.ScaleX / View.ScaleY - 1), 1e-15L);
        for (auto [Got, Want] : {std::pair{View.Left, r.WantLeft}, std::pair{View.Right, r.WantRight},
                                 std::pair{View.Bottom, r.WantBottom}, std::pair{View.Top, r.WantTop}})
            EXPECT_LE(std::fabs(Got - Want), 1e-15L * std::fabs(Want))
                << double(Got) << " for " << double(Want);
    }
}

TEST(Presentation, TheDarkPlotDrawsALightFrameAndLightDefaultLinesOnANearBlackGround)
{
    TScene Scene;
    Scene.Model.FuncList.Assign({TFunc(QStringLiteral("5")), TFunc(QStringLiteral("-5"))});
    Scene.Model.FuncList.Item(1).Color = RedColor;
    Scene.Model.GraphsEnabled = true;
    Scene.Model.Options.DarkPlot = true;
    const QImage& Image = Scene.Draw();
    EXPECT_EQ(Image.pixel(1, 1), ToQColor(DarkGround).rgb());
    EXPECT_EQ(Image.pixel(25, 50), ToQColor(DarkGrid).rgb());
    EXPECT_EQ(Image.pixel(205, 300), ToQColor(DarkInk).rgb()) << "the y axis";
    EXPECT_EQ(Image.pixel(100, 105), ToQColor(DarkInk).rgb()) << "a black curve is drawn light";
    EXPECT_EQ(Image.pixel(100, 305), Red) << "a chosen colour stays";
    EXPECT_EQ(Scene.Count(Black), 0);
}

TEST(Presentation, TheLegendListsTheDrawnGraphsInTheTopRightCorner)
{
    TScene Scene;
    TFunc Graph(QStringLiteral("-100")); // drawn far below the picture: its red is the legend's
    Graph.Color = RedColor;
    Scene.Model.FuncList.Assign({Graph, TFunc(QString()), TFunc(QStringLiteral("-200"))});
    Scene.Model.GraphsEnabled = true;
    Scene.Model.View.Numbers = false;
    Scene.Model.Options.Legend = true;
    const QImage& Image = Scene.Draw();
    // The box stands a few pixels inside the plot's top right corner (a quarter of a text line).
    QRect Box;
    for (int y = 0; y < 410; ++y)
        for (int x = 0; x < 410; ++x)
            if (Image.pixel(x, y) == ToQColor(LegendEdge).rgb())
                Box |= QRect(x, y, 1, 1);
    EXPECT_GE(Box.top(), 5 + 2);
    EXPECT_LE(Box.top(), 5 + 6);
    EXPECT_GE(Box.right(), 405 - 7);
    EXPECT_LE(Box.right(), 405 - 3);
    EXPECT_GT(Box.width(), 60) << "room for the samples and the formulas";
    EXPECT_EQ(Image.pixel(Box.right() - 1, Box.top() + 1), ToQColor(LegendBox).rgb());
    EXPECT_EQ(Image.pixel(Box.right() + 1, Box.top()), White) << "outside the box";
    int RedRows = 0, BlackSampleRows = 0;
    for (int y = 0; y < 410; ++y)
    {
        bool RedRow = false, BlackRow = false;
        for (int x = 0; x < 410; ++x)
        {
            RedRow |= Image.pixel(x, y) == Red;
            BlackRow |= Image.pixel(x, y) == Black && Box.contains(x, y);
        }
        RedRows += RedRow;
        BlackSampleRows += BlackRow;
    }
    EXPECT_EQ(RedRows, 3) << "one sample of the curves' width";
    EXPECT_GE(BlackSampleRows, 3) << "the black sample and the texts";
    // With the graphs off there is nothing to list.
    Scene.Model.GraphsEnabled = false;
    Scene.Draw();
    EXPECT_EQ(Scene.Image.pixel(Box.right() - 1, Box.top() + 1), White);

    struct Row
    {
        qsizetype Length;
        const char* Expected;
    };
    const QString Long = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    // Each kind of graph as its formula reads.
    TFunc Curve(QStringLiteral("Cos(s)"));
    const std::pair<TGraphKind, const char*> Kinds[] = {
        {TGraphKind::Function, "Cos(s)"},  {TGraphKind::Parametric, "(Cos(s), Sin(s))"},
        {TGraphKind::Polar, "r = Cos(s)"}, {TGraphKind::Inverse, "x = Cos(s)"},
        {TGraphKind::Derivative, "f2″"},   {TGraphKind::Integral, "∫ f2"}};
    Curve.FuncY = QStringLiteral("Sin(s)");
    Curve.Of = Curve.Order = 2;
    for (const auto& [Kind, Text] : Kinds)
    {
        Curve.Kind = Kind;
        EXPECT_EQ(TLegend::Label(Curve).toStdString(), Text);
    }
    for (const Row& r : {Row{40, "abcdefghijklmnopqrstuvwxyz0123456789ABCD"},
                         Row{41, "abcdefghijklmnopqrst…wxyz0123456789ABCDE"},
                         Row{62, "abcdefghijklmnopqrst…HIJKLMNOPQRSTUVWXYZ"}})
        EXPECT_EQ(TLegend::Elided(Long.left(r.Length)).toStdString(), r.Expected) << r.Length;
}

class PresentationDocument : public PlotTest::TTempFileTest
{
};

TEST_F(PresentationDocument, OptionsAreWrittenOnlyWhenOnAndReadBack)
{
    const TPlotModel Plain;
    TDocument::Save(Path, Plain);
    for (const TPlotOptionKey& k : PlotOptionKeys)
        EXPECT_FALSE(Bytes().contains(k.Key)) << k.Key;

    // Each option alone, on a file of its own, comes back alone.
    for (const TPlotOptionKey& k : PlotOptionKeys)
    {
        QFile::remove(Path);
        TPlotModel Shown;
        Shown.Options.*k.Field = true;
        TDocument::Save(Path, Shown);
        EXPECT_TRUE(Bytes().contains(QByteArray(k.Key) + "=1\r\n")) << k.Key;
        TPlotModel Read;
        TDocument::Read(Path, Read);
        EXPECT_EQ(Read.Options, Shown.Options) << k.Key;
    }

    // All on, then saved off over the same file: the keys stay and read as off.
    TPlotModel All;
    for (const TPlotOptionKey& k : PlotOptionKeys)
        All.Options.*k.Field = true;
    TDocument::Save(Path, All);
    TPlotModel Read;
    TDocument::Read(Path, Read);
    EXPECT_EQ(Read.Options, All.Options);
    TDocument::Save(Path, Plain);
    EXPECT_TRUE(Bytes().contains("LogY=0\r\n"));
    TDocument::Read(Path, Read);
    EXPECT_EQ(Read.Options, TPlotOptions());
}

// A dragged rectangle on a logarithmic axis becomes the plane values under its edges: columns
// 176 and 347 of 3 decades over 513 pixels stand on 10 and 100. The linear y zooms as it
// always has.
TEST(Presentation, ARectangleOnALogAxisZoomsToThePlaneValuesUnderItsEdges)
{
    TPlotOptions Log;
    Log.LogX = true;
    const TViewNavigation Navigation(u'.');
    const TBoundTexts New = Navigation.ZoomOnAxes({"1", "10", "1000", "-10"}, Size, Size,
                                                  QRect(QPoint(176, 5), QPoint(347, 518)), Log);
    EXPECT_EQ(New.Left, QStringLiteral("10"));
    EXPECT_EQ(New.Right, QStringLiteral("100"));
    const TBoundTexts Linear =
        Navigation.Zoom({"1", "10", "1000", "-10"}, Size, Size, QRect(QPoint(176, 5), QPoint(347, 518)));
    EXPECT_EQ(New.Top, Linear.Top);
    EXPECT_EQ(New.Bottom, Linear.Bottom);
    Log.LogY = true;
    EXPECT_EQ(Navigation.CheckView({"1", "10", "1000", "-10"}, Size, Size, Log), TViewFault::NotPositive);
}
