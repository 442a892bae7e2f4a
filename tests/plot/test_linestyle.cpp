// Line styles: the colour conversions, the motion-blur lightening and the style-list item.
#include "plot/LineStyle.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(LineStyle, ColorToArgbSwapsRedAndBlueAndIsOpaque)
{
    struct Row
    {
        const char* Name;
        TColor Color;
        uint32_t Argb;
    };
    const Row Rows[] = {
        {"red", 0x0000FF, 0xFFFF0000u},
        {"blue", 0xFF0000, 0xFF0000FFu},
        {"green", 0x00FF00, 0xFF00FF00u},
        {"black", 0x000000, 0xFF000000u},
        {"mixed channels", 0x123456, 0xFF563412u},
        {"the unused high byte is dropped", int32_t(0x7F123456), 0xFF563412u},
    };
    for (const Row& r : Rows)
    {
        EXPECT_EQ(ColorToArgb(r.Color), r.Argb) << r.Name;
        // The QColor forms agree with the pen's, and come back without the high byte.
        EXPECT_EQ(ToQColor(r.Color).rgba(), r.Argb) << r.Name;
        EXPECT_EQ(FromQColor(ToQColor(r.Color)), r.Color & 0xFFFFFF) << r.Name;
    }
}

TEST(LineStyle, LightenChannelRoundsHalfToEven)
{
    struct Row
    {
        const char* Name;
        int Channel, K, FramesCount, Expected;
    };
    const Row Rows[] = {
        {"black, half way: 127.5 rounds up to even 128", 0, 1, 2, 128},
        {"2, half way: 126.5 rounds down to even 126", 2, 1, 2, 128},
        {"palest of five frames", 0, 4, 5, 204},
        {"middle of five frames", 0, 2, 5, 102},
        {"one fifth", 100, 1, 5, 131},
        {"white stays white", 255, 3, 5, 255},
        {"frame 0 keeps the colour", 77, 0, 5, 77},
        {"frame 0 with no frames at all keeps the colour", 77, 0, 0, 77},
    };
    for (const Row& r : Rows)
        EXPECT_EQ(LightenChannel(r.Channel, r.K, r.FramesCount), r.Expected) << r.Name;
    // Per channel, in place (0x00BBGGRR): red 0 -> 128, green 1 -> 128, blue stays 255.
    EXPECT_EQ(LightenColor(0xFF0100, 1, 2), TColor(0xFF8080));
}

namespace
{
// Rows of a picture that carry a pixel of Color.
std::vector<int> RowsWith(const QImage& Image, QRgb Color)
{
    std::vector<int> Rows;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (Image.pixel(x, y) == Color)
            {
                Rows.push_back(y);
                break;
            }
    return Rows;
}

QImage StyleItem(const QRect& Item, TColor Color, int Index)
{
    QImage Image(60, 24, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    DrawStyleItem(Painter, Item, Color, Index);
    return Image;
}
} // namespace

TEST(LineStyle, StyleItemDrawsAThreePixelLineOnTheMiddleRow)
{
    // Top 2, Bottom 17 (one past the item): the middle row is (2 + 17) div 2 = 9.
    const QImage Image = StyleItem(QRect(0, 2, 50, 15), 0x0000FF, 0);
    EXPECT_EQ(RowsWith(Image, qRgb(255, 0, 0)), (std::vector<int>{8, 9, 10}));
    for (int x = 0; x < 50; ++x)
        ASSERT_EQ(Image.pixel(x, 9), qRgb(255, 0, 0)) << "column " << x;
}

TEST(LineStyle, DashStylesLeaveGapsAndUnknownStylesDrawSolid)
{
    auto Gaps = [](const QImage& Image)
    {
        int Count = 0;
        for (int x = 0; x < 50; ++x)
            Count += Image.pixel(x, 9) != qRgb(0, 0, 0xFF);
        return Count;
    };
    const TColor Blue = 0xFF0000;
    EXPECT_EQ(Gaps(StyleItem(QRect(0, 2, 50, 15), Blue, 0)), 0);
    for (int Style = 1; Style <= 4; ++Style)
        EXPECT_GT(Gaps(StyleItem(QRect(0, 2, 50, 15), Blue, Style)), 0) << "style " << Style;
    EXPECT_EQ(Gaps(StyleItem(QRect(0, 2, 50, 15), Blue, 5)), 0);
    EXPECT_EQ(Gaps(StyleItem(QRect(0, 2, 50, 15), Blue, -1)), 0);
}
