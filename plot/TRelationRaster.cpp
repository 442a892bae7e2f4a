#include "plot/TRelationRaster.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// Writes whole pixels of one colour into the image, clipped to it.
class TPixelWriter
{
  public:
    TPixelWriter(QImage& Image, QPoint Origin) : Image(Image), Origin(Origin) {}

    void Set(int Column, int Row, uint32_t Argb)
    {
        const int x = Origin.x() + Column, y = Origin.y() + Row;
        if (x >= 0 && y >= 0 && x < Image.width() && y < Image.height())
            reinterpret_cast<uint32_t*>(Image.scanLine(y))[x] = Argb;
    }
    // A square of Width pixels centred on the pixel, the odd extra one to the left and above.
    void Stamp(int Column, int Row, int Width, uint32_t Argb)
    {
        const int Before = Width / 2, After = (Width - 1) / 2;
        for (int r = Row - Before; r <= Row + After; ++r)
            for (int c = Column - Before; c <= Column + After; ++c)
                Set(c, r, Argb);
    }

  private:
    QImage& Image;
    QPoint Origin;
};

bool EmptyAt(const TRelationClassifier& C, int Column, int Row)
{
    return Column >= 0 && Row >= 0 && Column < C.Width() && Row < C.Height() &&
           C.Pixel(Column, Row) == TPixelClass::Empty;
}

// A region's pixel on its boundary: undecided, or holding beside an empty one.
bool OnBoundary(const TRelationClassifier& C, int Column, int Row)
{
    const TPixelClass Class = C.Pixel(Column, Row);
    if (Class != TPixelClass::Holds)
        return Class == TPixelClass::Undecided;
    return EmptyAt(C, Column - 1, Row) || EmptyAt(C, Column + 1, Row) || EmptyAt(C, Column, Row - 1) ||
           EmptyAt(C, Column, Row + 1);
}

// Whether a boundary pixel falls in a gap of a dashed boundary: dashes of Dash pixels and gaps
// as long, counted along the axis the boundary runs closer to, found from where the region lies
// in the pixel's 3 x 3 neighbourhood (pixels beyond the picture count as the pixel's own), so
// that a boundary of any direction is cut. (Counted along x + y, a boundary running along
// x + y = constant would be all dash or all gap.)
bool InGap(const TRelationClassifier& C, int Column, int Row, int Dash)
{
    int Gx = 0, Gy = 0;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
        {
            const int Weight = dc == 0 || dr == 0 ? 2 : 1;
            const int Inside = EmptyAt(C, Column + dc, Row + dr) ? 0 : 1;
            Gx += dc * Inside * Weight;
            Gy += dr * Inside * Weight;
        }
    const int Along = std::abs(Gy) >= std::abs(Gx) ? Column : Row;
    return Along / Dash % 2 == 1;
}

// Whether a curve's pixel falls on a gap of the graph's dash style (1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, in line widths as the curves' pen draws them), counted along the axis the
// curve runs closer to: the one along which its pixels in the 5 x 5 neighbourhood spread more.
bool OffTheDashes(const TRelationClassifier& C, int Column, int Row, int Width, int32_t DashStyle)
{
    static constexpr int Patterns[4][7] = {
        {4, 2}, {1, 2}, {4, 2, 1, 2}, {4, 2, 1, 2, 1, 2}}; // on, off, ...; 0 ends
    if (DashStyle < 1 || DashStyle > 4)
        return false;
    int SpreadX = 0, SpreadY = 0;
    for (int dr = -2; dr <= 2; ++dr)
        for (int dc = -2; dc <= 2; ++dc)
        {
            const int c = Column + dc, r = Row + dr;
            if (c >= 0 && r >= 0 && c < C.Width() && r < C.Height() && C.Pixel(c, r) != TPixelClass::Empty)
            {
                SpreadX += std::abs(dc);
                SpreadY += std::abs(dr);
            }
        }
    const int* Pattern = Patterns[DashStyle - 1];
    int Period = 0;
    for (int i = 0; i < 7 && Pattern[i]; ++i)
        Period += Pattern[i];
    int At = (SpreadX >= SpreadY ? Column : Row) / Width % Period;
    for (int i = 0;; ++i)
    {
        if (At < Pattern[i])
            return i % 2 == 1;
        At -= Pattern[i];
    }
}
} // namespace

TColor TRelationRaster::Halfway(TColor Color, TColor Background)
{
    TColor Mixed = 0;
    for (int Shift : {0, 8, 16})
        Mixed |= ((((Color >> Shift) & 0xFF) + ((Background >> Shift) & 0xFF)) / 2) << Shift;
    return Mixed;
}

void TRelationRaster::Paint(QImage& Image, QPoint Origin, const TRelationClassifier& C, const TStyle& Style)
{
    TPixelWriter Writer(Image, Origin);
    const int Width = std::max(Style.LineWidth, 1);
    const uint32_t Line = ColorToArgb(Style.Line),
                   HalfLine = ColorToArgb(Halfway(Style.Line, Style.Background));
    if (C.Shape() == TRelationShape::Curve)
    {
        for (TPixelClass Pass : {TPixelClass::Undecided, TPixelClass::Holds})
            for (int Row = 0; Row < C.Height(); ++Row)
                for (int Column = 0; Column < C.Width(); ++Column)
                    if (C.Pixel(Column, Row) == Pass && !OffTheDashes(C, Column, Row, Width, Style.DashStyle))
                        Writer.Stamp(Column, Row, Width, Pass == TPixelClass::Holds ? Line : HalfLine);
        return;
    }
    const uint32_t Fill = ColorToArgb(Style.Fill),
                   HalfFill = ColorToArgb(Halfway(Style.Fill, Style.Background));
    for (int Row = 0; Row < C.Height(); ++Row)
        for (int Column = 0; Column < C.Width(); ++Column)
            if (C.Pixel(Column, Row) != TPixelClass::Empty)
                Writer.Set(Column, Row, C.Pixel(Column, Row) == TPixelClass::Holds ? Fill : HalfFill);
    const int Dash = 3 * Width;
    for (TPixelClass Pass : {TPixelClass::Undecided, TPixelClass::Holds})
        for (int Row = 0; Row < C.Height(); ++Row)
            for (int Column = 0; Column < C.Width(); ++Column)
            {
                if (C.Pixel(Column, Row) != Pass || !OnBoundary(C, Column, Row))
                    continue;
                if (C.Boundary() == TBoundaryPen::Dashed && InGap(C, Column, Row, Dash))
                    continue;
                Writer.Stamp(Column, Row, Width, Pass == TPixelClass::Holds ? Line : HalfLine);
            }
}
