// A relation's classified pixels painted (TRelationRaster): read back pixel for pixel against
// the classification, for a curve with undecided pixels (the tangent's poles), a wide pen, a
// region's fill and its solid and dashed boundary, and a picture placed partly outside.
#include "plot/TRelationRaster.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

std::unique_ptr<TRelationClassifier> Classified(const char16_t* Formula, const TRelationView& View, int Width,
                                                int Height)
{
    TRelationInput Input;
    Input.Formula = Formula;
    auto C = std::make_unique<TRelationClassifier>(Input, View, Width, Height);
    C->Refine();
    return C;
}

QImage Painted(const TRelationClassifier& C, const TRelationRaster::TStyle& Style, QPoint Origin = {0, 0})
{
    QImage Image(C.Width(), C.Height(), QImage::Format_RGB32);
    Image.fill(ColorToArgb(Style.Background));
    TRelationRaster::Paint(Image, Origin, C, Style);
    return Image;
}

TColor At(const QImage& Image, int x, int y)
{
    return FromQColor(QColor(Image.pixel(x, y)));
}

// Whether a pixel of the classification lies within Reach (each way) of a pixel of Class.
bool Near(const TRelationClassifier& C, int Column, int Row, int Reach, TPixelClass Class)
{
    for (int r = Row - Reach; r <= Row + Reach; ++r)
        for (int c = Column - Reach; c <= Column + Reach; ++c)
            if (c >= 0 && r >= 0 && c < C.Width() && r < C.Height() && C.Pixel(c, r) == Class)
                return true;
    return false;
}
} // namespace

TEST(RelationRaster, UndecidedIsTheColourMixedHalfWithTheBackground)
{
    EXPECT_EQ(TRelationRaster::Halfway(Red, clWhite), 0x7F7FFF);
    EXPECT_EQ(TRelationRaster::Halfway(0x204060, 0x000000), 0x102030);
    EXPECT_EQ(TRelationRaster::Halfway(Green, Green), Green);
}

TEST(RelationRaster, ACurveIsItsHoldingAndUndecidedPixels)
{
    const auto C = Classified(u"Tan(x) = y", {-4, 4, -2, 2}, 64, 32);
    ASSERT_GT(std::count(C->Pixels().begin(), C->Pixels().end(), TPixelClass::Undecided), 0);
    const TRelationRaster::TStyle Style{Red, Green, clWhite, 1};
    const QImage Image = Painted(*C, Style);
    for (int Row = 0; Row < C->Height(); ++Row)
        for (int Column = 0; Column < C->Width(); ++Column)
        {
            const TPixelClass Class = C->Pixel(Column, Row);
            const TColor Expected = Class == TPixelClass::Holds       ? Red
                                    : Class == TPixelClass::Undecided ? TRelationRaster::Halfway(Red, clWhite)
                                                                      : clWhite;
            ASSERT_EQ(At(Image, Column, Row), Expected) << Column << ", " << Row;
        }
}

TEST(RelationRaster, ThePenWidensACurveToTheLineWidth)
{
    const auto C = Classified(u"x*x+y*y = 1", {-2, 2, -2, 2}, 48, 48);
    const QImage Image = Painted(*C, {Blue, Green, clWhite, 3});
    for (int Row = 0; Row < C->Height(); ++Row)
        for (int Column = 0; Column < C->Width(); ++Column)
        {
            // Width 3: one pixel each way; every pixel of the circle is decided here.
            const bool Reached = Near(*C, Column, Row, 1, TPixelClass::Holds);
            ASSERT_EQ(At(Image, Column, Row), Reached ? Blue : clWhite) << Column << ", " << Row;
        }
    // Width 4 reaches two pixels to the left and above, one to the right and below.
    const QImage Wider = Painted(*C, {Blue, Green, clWhite, 4});
    const int Row = 24;
    int First = 0;
    while (C->Pixel(First, Row) != TPixelClass::Holds)
        ++First;
    EXPECT_EQ(At(Wider, First - 2, Row), Blue);
    EXPECT_EQ(At(Wider, First - 3, Row), clWhite);
}

TEST(RelationRaster, ARegionIsFilledAndItsBoundaryDrawnSolidOrDashed)
{
    const TRelationRaster::TStyle Style{Red, Green, clWhite, 1};
    const auto Closed = Classified(u"x*x+y*y <= 1", {-2, 2, -2, 2}, 64, 64);
    const QImage Solid = Painted(*Closed, Style);
    EXPECT_EQ(At(Solid, 32, 32), Green) << "inside";
    EXPECT_EQ(At(Solid, 2, 2), clWhite) << "outside";
    int Boundary = 0, Drawn = 0;
    for (int Row = 0; Row < 64; ++Row)
        for (int Column = 0; Column < 64; ++Column)
        {
            const TColor Colour = At(Solid, Column, Row);
            const TPixelClass Class = Closed->Pixel(Column, Row);
            if (Class == TPixelClass::Empty)
            {
                ASSERT_EQ(Colour, clWhite);
                continue;
            }
            ASSERT_NE(Class, TPixelClass::Undecided) << "the disc is decided throughout";
            const bool Edge = Near(*Closed, Column, Row, 1, TPixelClass::Empty) &&
                              (Closed->Pixel(Column - 1, Row) == TPixelClass::Empty ||
                               Closed->Pixel(Column + 1, Row) == TPixelClass::Empty ||
                               Closed->Pixel(Column, Row - 1) == TPixelClass::Empty ||
                               Closed->Pixel(Column, Row + 1) == TPixelClass::Empty);
            Boundary += Edge;
            Drawn += Colour == Red;
            ASSERT_EQ(Colour, Edge ? Red : Green) << Column << ", " << Row;
        }
    EXPECT_GT(Boundary, 40);

    const auto Open = Classified(u"x*x+y*y < 1", {-2, 2, -2, 2}, 64, 64);
    ASSERT_EQ(Open->Boundary(), TBoundaryPen::Dashed);
    const QImage Dashed = Painted(*Open, Style);
    int Dashes = 0, Gaps = 0;
    for (int Row = 1; Row < 63; ++Row)
        for (int Column = 1; Column < 63; ++Column)
            if (Open->Pixel(Column, Row) == TPixelClass::Holds &&
                Open->Pixel(Column + 1, Row) == TPixelClass::Empty)
                (At(Dashed, Column, Row) == Red ? Dashes : Gaps) += 1;
    EXPECT_GT(Dashes, 4);
    EXPECT_GT(Gaps, 4);
}

// A strict boundary is cut into dashes and gaps whichever way it runs, also along the
// diagonals of the pixel grid.
TEST(RelationRaster, AStrictBoundaryIsDashedInEveryDirection)
{
    const TRelationRaster::TStyle Style{Red, Green, clWhite, 1};
    for (const char16_t* Formula : {u"y < x", u"y < 0-x", u"y < 0.4*x", u"y < 3*x", u"x < 0.3", u"y > 0.3"})
    {
        const auto C = Classified(Formula, {-2, 2, -2, 2}, 96, 96);
        const QImage Image = Painted(*C, Style);
        int Dashes = 0, Gaps = 0;
        for (int Row = 1; Row < 95; ++Row)
            for (int Column = 1; Column < 95; ++Column)
                if (C->Pixel(Column, Row) == TPixelClass::Holds &&
                    (C->Pixel(Column - 1, Row) == TPixelClass::Empty ||
                     C->Pixel(Column + 1, Row) == TPixelClass::Empty ||
                     C->Pixel(Column, Row - 1) == TPixelClass::Empty ||
                     C->Pixel(Column, Row + 1) == TPixelClass::Empty))
                    (At(Image, Column, Row) == Red ? Dashes : Gaps) += 1;
        EXPECT_GT(Dashes, 20) << QString::fromStdU16String(Formula).toStdString();
        EXPECT_GT(Gaps, 20) << QString::fromStdU16String(Formula).toStdString();
    }
}

TEST(RelationRaster, APicturePartlyOutsideTheImageIsClipped)
{
    const auto C = Classified(u"x*x+y*y <= 1", {-2, 2, -2, 2}, 32, 32);
    QImage Image(20, 20, QImage::Format_ARGB32_Premultiplied);
    Image.fill(ColorToArgb(clWhite));
    TRelationRaster::Paint(Image, {-10, 4}, *C, {Red, Green, clWhite, 5});
    EXPECT_EQ(At(Image, 6, 18), Green) << "the classification's pixel (16, 14), inside the disc";
    EXPECT_EQ(At(Image, 6, 12), Red) << "its pixel (16, 8), on the boundary";
    EXPECT_EQ(At(Image, 6, 1), clWhite) << "above the picture";
}
