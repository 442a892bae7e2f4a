// Curves drawn where only the last bits of the library's values tell them from another: a
// value off by more than the last bit or two shows up as pixels of its own.
#include "test_renderer_support.h"

#include <gtest/gtest.h>

using namespace RenderTest;

namespace
{
QImage Curve(const QString& Formula, const char* Low, const char* High)
{
    TScene Scene;
    Scene.Model.FuncList.Item(0).Func = Formula;
    Scene.Model.FuncList.Item(0).Color = RedColor;
    Scene.Model.GraphsEnabled = true;
    Scene.Model.MotionBlur = false;
    Scene.Model.LeftText = QString::fromLatin1(Low);
    Scene.Model.RightText = QString::fromLatin1(High);
    Scene.Model.BottomText = QString::fromLatin1(Low);
    Scene.Model.TopText = QString::fromLatin1(High);
    Scene.ArrowSize = 1;
    const QImage Image = Scene.Draw();
    EXPECT_TRUE(Scene.Reports.empty()) << Formula.toStdString();
    return Image;
}
} // namespace

// Over [1E-18, 1.2E-18] sinh x = x to 36 digits and tanh x, asinh x, sin x likewise: each curve
// is the diagonal that x draws, pixel for pixel, not a staircase.
TEST(RendererPrecision, FunctionsThatAreXNearZeroDrawTheDiagonal)
{
    const QImage Diagonal = Curve(QStringLiteral("x"), "1E-18", "1.2E-18");
    int Red = 0;
    for (int y = 0; y < Diagonal.height(); ++y)
        for (int x = 0; x < Diagonal.width(); ++x)
            Red += Diagonal.pixel(x, y) == RenderTest::Red;
    ASSERT_GT(Red, 300); // the diagonal is there
    for (const char* Formula : {"SinH(x)", "TanH(x)", "ArcSinH(x)", "ArcTanH(x)", "Sin(x)", "1/CscH(x)",
                                "1/CotH(x)", "2*Sqrt(Haversine(x))"})
        EXPECT_TRUE(Curve(QString::fromLatin1(Formula), "1E-18", "1.2E-18") == Diagonal) << Formula;
}
