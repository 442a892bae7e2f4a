#include "plot/TCurveRasterizer.h"

#include <QLineF>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// Input coordinates beyond this are left to QPainter: the outline then stays well inside the
// range the filling handles without clipping it first, and 16.16 values cannot overflow.
constexpr int CoordinateLimit = 16000;
// Pens wider than this are left to QPainter (their miters could reach past the limits above).
constexpr double WidthLimit = 64;

// Whether the segment P1 P2 may meet the box TopLeft .. BottomRight (a quick box test).
bool BoxesMeet(QPointF P1, QPointF P2, QPointF TopLeft, QPointF BottomRight)
{
    return (P1.x() > TopLeft.x() || P2.x() > TopLeft.x()) &&
           (P1.x() < BottomRight.x() || P2.x() < BottomRight.x()) &&
           (P1.y() > TopLeft.y() || P2.y() > TopLeft.y()) &&
           (P1.y() < BottomRight.y() || P2.y() < BottomRight.y());
}

// Whether the segment P1 P2 meets the box: the box test, then on which sides of the line
// two opposite corners lie.
bool SegmentMeetsBox(QPointF P1, QPointF P2, QPointF TopLeft, QPointF BottomRight)
{
    if (!BoxesMeet(P1, P2, TopLeft, BottomRight))
        return false;
    if (P1.x() == P2.x() || P1.y() == P2.y())
        return true;
    if (P1.y() > P2.y())
        std::swap(P1, P2);
    const QPointF W(P2.x() - P1.x(), P2.y() - P1.y());
    QPointF U, V;
    if (P1.x() < P2.x())
    {
        U = QPointF(TopLeft.x() - P1.x(), BottomRight.y() - P1.y());
        V = QPointF(BottomRight.x() - P1.x(), TopLeft.y() - P1.y());
    }
    else
    {
        U = QPointF(TopLeft.x() - P1.x(), TopLeft.y() - P1.y());
        V = QPointF(BottomRight.x() - P1.x(), BottomRight.y() - P1.y());
    }
    const double A = U.x() * W.y() - U.y() * W.x();
    const double B = V.x() * W.y() - V.y() * W.x();
    return (A < 0 && B > 0) || (A > 0 && B < 0);
}

// Cuts the polyline into dashes along its length and strokes each. Segments that cannot
// reach the device (padded by the longest dash times the width) only advance the pattern,
// by the length left after whole pattern repeats; so does a segment of more than 10000
// repeats, which is drawn solid.
class TDasher
{
  public:
    TDasher(const QList<qreal>& Pattern, double Width, double MiterLimit, QRectF Device,
            TCurveStroker& Stroker, std::vector<QPointF>& Current)
        : Pattern(Pattern), Width(Width), MiterLimit(MiterLimit), Device(Device), Stroker(Stroker),
          Current(Current)
    {
        Current.clear();
    }

    void Dash(const std::vector<QPointF>& Points)
    {
        const int DashCount = std::min(int(Pattern.size()), 32) & -2;
        double Dashes[32];
        double Longest = 0, Sum = 0;
        for (int i = 0; i < std::min(int(Pattern.size()), 32); ++i)
        {
            Dashes[i] = std::max(Pattern[i], qreal(0)) * Width;
            Sum += Dashes[i];
            Longest = std::max(Longest, Dashes[i]);
        }
        if (qFuzzyIsNull(Sum) || DashCount == 0)
            return;
        const double InvSum = 1 / Sum;
        int Index = 0;
        double Pos = 0, Offset = 0;
        while (Offset >= Dashes[Index])
        {
            Offset -= Dashes[Index];
            if (++Index >= DashCount)
                Index = 0;
        }
        double Start = 0;
        QPointF Previous = Points[0];
        QPointF MoveToPos = Previous;
        const double Padding = std::max(Width, MiterLimit) * Longest;
        const QPointF TopLeft(Device.left() - Padding, Device.top() - Padding);
        const QPointF BottomRight(Device.right() + Padding, Device.bottom() + Padding);
        bool HasMoveTo = false;
        for (size_t k = 1; k < Points.size(); ++k)
        {
            const QPointF Point = Points[k];
            const QLineF Line(Previous, Point);
            double Length = Stroker.Length(Line.dx(), Line.dy());
            const double Stop = Start + Length;
            bool Done = Pos >= Stop;
            const bool ClipIt = !SegmentMeetsBox(Previous, Point, TopLeft, BottomRight);
            const bool SkipDashing = Length * InvSum > 10000;
            int MaxDashes = DashCount;
            if (SkipDashing || ClipIt)
            {
                Length -= std::floor(Length * InvSum) * Sum;
                while (!Done)
                {
                    const double DashEnd = Pos + Dashes[Index] - Offset - Start;
                    if (DashEnd > Length)
                    {
                        Offset = Dashes[Index] - (DashEnd - Length);
                        Pos = Stop;
                        Done = true;
                    }
                    else
                    {
                        Pos = --MaxDashes > 0 ? DashEnd + Start : Stop;
                        Done = Pos >= Stop;
                        if (++Index >= DashCount)
                            Index = 0;
                        Offset = 0;
                    }
                }
                if (ClipIt)
                    HasMoveTo = false;
                else
                {
                    if (!HasMoveTo)
                    {
                        MoveTo(MoveToPos);
                        HasMoveTo = true;
                    }
                    Current.push_back(Point);
                }
                MoveToPos = Point;
            }
            while (!Done)
            {
                QPointF End;
                const bool HasOffset = Offset > 0;
                const bool EvenDash = (Index & 1) == 0;
                const double DashEnd = Pos + Dashes[Index] - Offset - Start;
                if (DashEnd > Length)
                {
                    Offset = Dashes[Index] - (DashEnd - Length);
                    Pos = Stop;
                    Done = true;
                    End = Line.p2();
                }
                else
                {
                    End = Line.pointAt(DashEnd / Length);
                    Pos = DashEnd + Start;
                    Done = Pos >= Stop;
                    if (++Index >= DashCount)
                        Index = 0;
                    Offset = 0;
                }
                if (EvenDash)
                {
                    if (BoxesMeet(MoveToPos, End, TopLeft, BottomRight))
                    {
                        // A dash carried over from the previous segment goes on in the same
                        // sub-polyline.
                        if (!HasOffset || !HasMoveTo)
                        {
                            MoveTo(MoveToPos);
                            HasMoveTo = true;
                        }
                        Current.push_back(End);
                    }
                    else
                        HasMoveTo = false;
                }
                MoveToPos = End;
            }
            Start = Stop;
            Previous = Point;
        }
        Flush();
    }

  private:
    void MoveTo(QPointF Point)
    {
        Flush();
        Current.push_back(Point);
    }
    void Flush()
    {
        if (Current.size() > 1)
            Stroker.Stroke(Current.data(), Current.size(), true);
        Current.clear();
    }

    const QList<qreal>& Pattern;
    double Width;
    double MiterLimit;
    QRectF Device;
    TCurveStroker& Stroker;
    std::vector<QPointF>& Current;
};

// (int)(V * 65536.) as the x86 conversion gives it; false when out of range.
bool ToFixed16(double V, int32_t& Out)
{
    const double Scaled = V * 65536.;
    if (!(Scaled > -2147483648.0 && Scaled < 2147483648.0))
        return false;
    Out = int32_t(Scaled);
    return true;
}
} // namespace

TCurveRasterizer::TCurveRasterizer(uint32_t* Bits, int64_t Stride, int Width, int Height)
    : Bits(Bits), Stride(Stride), Width(Width), Height(Height)
{
}

bool TCurveRasterizer::DrawPolyline(const QPen& Pen, const QPoint* Points, int Count)
{
    if (!Prepare(Pen, Points, Count, Edges))
        return false;
    FillEdges(Edges, Pen.color().rgba());
    return true;
}

bool TCurveRasterizer::Prepare(const QPen& Pen, const QPoint* Points, int Count, std::vector<TEdge>& Out)
{
    Out.clear();
    if (Count < 2)
        return true;
    const double PenWidth = Pen.widthF();
    const Qt::PenStyle Style = Pen.style();
    if (Pen.isCosmetic() || !(PenWidth > 1) || PenWidth > WidthLimit || Pen.capStyle() != Qt::FlatCap ||
        Pen.joinStyle() != Qt::MiterJoin || Pen.brush().style() != Qt::SolidPattern ||
        Pen.color().alpha() != 255 || Style < Qt::SolidLine || Style > Qt::DashDotDotLine ||
        Pen.dashOffset() != 0 || Width <= 0 || Height <= 0 || Width >= CoordinateLimit ||
        Height >= CoordinateLimit)
        return false;
    Line.clear();
    for (int i = 0; i < Count; ++i)
    {
        if (std::abs(Points[i].x()) > CoordinateLimit || std::abs(Points[i].y()) > CoordinateLimit)
            return false;
        Line.emplace_back(Points[i]);
    }
    Stroker.Begin(PenWidth, Pen.miterLimit());
    if (Style == Qt::SolidLine)
        Stroker.Stroke(Line.data(), Line.size(), false);
    else
        Dash(Pen, PenWidth);
    Stroker.Close();
    return AddOutline(Stroker.Outline(), Stroker.ContourEnds(), Out);
}

void TCurveRasterizer::Dash(const QPen& Pen, double PenWidth)
{
    const QList<qreal> Pattern = Pen.dashPattern();
    TDasher Dasher(Pattern, PenWidth, Pen.miterLimit(), QRectF(0, 0, Width, Height), Stroker, DashPoints);
    Dasher.Dash(Line);
}

// The outline's points are rounded to 1/64 pixel; each edge crosses the rows whose centre lies
// below its upper end and not below its lower end, at x (16.16) from its upper end plus the
// slope per row, with the slope truncated to 16.16.
bool TCurveRasterizer::AddOutline(const std::vector<int32_t>& Outline, const std::vector<int>& ContourEnds,
                                  std::vector<TEdge>& Out) const
{
    Out.clear();
    const int32_t Right = int32_t(Width) << 16;
    int First = 0;
    for (const int Last : ContourEnds)
    {
        for (int j = First; j < Last; ++j)
        {
            const int32_t* Ends = Outline.data() + 2 * size_t(j);
            int32_t Ax = Ends[0], Ay = Ends[1], Bx = Ends[2], By = Ends[3];
            int32_t Winding = 1;
            if (Ay > By)
            {
                std::swap(Ax, Bx);
                std::swap(Ay, By);
                Winding = -1;
            }
            const int32_t Top = std::max(0, (Ay + 32) >> 6);
            const int32_t Bottom = std::min(Height - 1, (By - 32) >> 6);
            if (Top > Bottom)
                continue;
            const int32_t AFixed = 0x8000 + Ax * 1024;
            if (Bx == Ax)
            {
                if (AFixed < 0 || AFixed >= Right)
                    return false;
                Out.push_back({AFixed, 0, Top, Bottom, Winding});
                continue;
            }
            int32_t Slope;
            if (!ToFixed16((Bx - Ax) / double(By - Ay), Slope))
                return false;
            const int32_t X =
                AFixed + int32_t((int64_t(Slope) * int64_t(Top * 65536 + 0x8000 - Ay * 1024)) >> 16);
            const int64_t LastX = int64_t(X) + int64_t(Slope) * (Bottom - Top);
            // An edge reaching the image's left or right border would be clipped there.
            if (X <= 0 || X >= Right || LastX <= 0 || LastX >= Right)
                return false;
            Out.push_back({X, Slope, Top, Bottom, Winding});
        }
        First = Last + 1;
    }
    return true;
}

// Every crossing adds its winding to the pixel it starts at; the running sum along each row
// is nonzero exactly on the pixels to set. A wide curve's outline crosses few columns per
// row, so its crossings are sorted into rows and written as spans along them; an outline
// crossing more than a quarter of the image's pixels goes through a buffer of them.
bool TCurveRasterizer::Sparse(const std::vector<TEdge>& Edges) const
{
    uint64_t Total = 0;
    for (const TEdge& e : Edges)
        Total += uint64_t(e.Bottom - e.Top + 1);
    return Total <= uint64_t(Width) * uint64_t(Height) / 4;
}

void TCurveRasterizer::FillEdges(const std::vector<TEdge>& Edges, uint32_t Pixel)
{
    if (Edges.empty())
        return;
    if (!Sparse(Edges))
    {
        if (RowWinding.empty())
            RowWinding.assign(size_t(Height), 0);
        FillDense(Edges, Pixel);
        return;
    }
    SortCrossings(Edges, Sorted);
    FillSorted(Sorted, Pixel);
}

// Two counting sorts: the crossings by column first (counted per column at c + 1, summed into
// starts, placed), then, taken in that order, by row, which leaves each row's crossings in
// the order of their columns.
void TCurveRasterizer::SortCrossings(const std::vector<TEdge>& Edges, TSortedCrossings& Out)
{
    if (Edges.empty())
    {
        Out = TSortedCrossings();
        return;
    }
    if (RowStart.empty())
    {
        RowStart.assign(size_t(Height) + 1, 0);
        ColumnStart.assign(size_t(Width) + 1, 0);
    }
    int32_t FirstRow = Height, LastRow = -1, FirstColumn = Width, LastColumn = -1;
    for (const TEdge& e : Edges)
    {
        uint32_t X = uint32_t(e.X);
        for (int32_t y = e.Top; y <= e.Bottom; ++y, X += uint32_t(e.Delta))
        {
            ++ColumnStart[size_t(int32_t(X) >> 16) + 1];
            ++RowStart[size_t(y) + 1];
        }
        FirstRow = std::min(FirstRow, e.Top);
        LastRow = std::max(LastRow, e.Bottom);
        FirstColumn = std::min({FirstColumn, e.X >> 16, int32_t(X - uint32_t(e.Delta)) >> 16});
        LastColumn = std::max({LastColumn, e.X >> 16, int32_t(X - uint32_t(e.Delta)) >> 16});
    }
    for (int32_t c = FirstColumn; c <= LastColumn; ++c)
        ColumnStart[size_t(c) + 1] += ColumnStart[size_t(c)];
    for (int32_t y = FirstRow; y <= LastRow; ++y)
        RowStart[size_t(y) + 1] += RowStart[size_t(y)];
    // By column: (row << 16) | (column * 2 + up).
    const size_t Count = RowStart[size_t(LastRow) + 1];
    ByColumn.resize(Count);
    for (const TEdge& e : Edges)
    {
        uint32_t X = uint32_t(e.X);
        const uint32_t Up = e.Winding > 0 ? 1 : 0;
        for (int32_t y = e.Top; y <= e.Bottom; ++y, X += uint32_t(e.Delta))
        {
            const uint32_t Column = uint32_t(int32_t(X) >> 16);
            ByColumn[ColumnStart[Column]++] = (uint64_t(uint32_t(y)) << 32) | (Column << 1) | Up;
        }
    }
    Out.Crossings.resize(Count);
    for (const uint64_t c : ByColumn)
        Out.Crossings[RowStart[size_t(c >> 32)]++] = int32_t(uint32_t(c));
    // Placing moved every start to the next row's: row y's crossings now end at RowStart[y].
    Out.FirstRow = FirstRow;
    Out.LastRow = LastRow;
    Out.Ends.assign(RowStart.begin() + FirstRow, RowStart.begin() + LastRow + 1);
    for (int32_t y = FirstRow; y <= LastRow + 1; ++y)
        RowStart[size_t(y)] = 0;
    for (int32_t c = FirstColumn; c <= LastColumn + 1; ++c)
        ColumnStart[size_t(c)] = 0;
}

// Along each row the running sum of the windings of the crossings at or left of a pixel
// decides it: between two crossings it is constant, so the pixels it sets are written as one
// span. A sum left nonzero at a row's last crossing (no closed outline leaves one) sets the
// row up to the outline's last column, as a sweep of its columns would.
void TCurveRasterizer::FillSorted(const TSortedCrossings& In, uint32_t Pixel)
{
    if (In.LastRow < In.FirstRow)
        return;
    int32_t LastColumn = -1;
    for (const int32_t c : In.Crossings)
        LastColumn = std::max(LastColumn, c >> 1);
    uint32_t Begin = 0;
    for (int32_t y = In.FirstRow; y <= In.LastRow; ++y)
    {
        const uint32_t End = In.Ends[size_t(y - In.FirstRow)];
        uint32_t* const Line = Bits + int64_t(y) * Stride;
        int32_t Sum = 0;
        for (uint32_t k = Begin; k < End; ++k)
        {
            Sum += (In.Crossings[k] & 1) ? 1 : -1;
            const int32_t From = In.Crossings[k] >> 1;
            const int32_t To = k + 1 < End ? In.Crossings[k + 1] >> 1 : LastColumn + 1;
            if (Sum != 0 && To > From)
                std::fill(Line + From, Line + To, Pixel);
        }
        Begin = End;
    }
}

// Every crossing adds its winding to the pixel it starts at; the running sum along each row
// is nonzero exactly on the pixels to set. Columns are swept left to right over the rows
// that have crossings in them or a nonzero sum carried in from the left.
void TCurveRasterizer::FillDense(const std::vector<TEdge>& Edges, uint32_t Pixel)
{
    const size_t H = size_t(Height);
    if (Changes.empty())
    {
        Changes.assign(size_t(Width) * H, 0);
        Low.assign(size_t(Width), Height);
        High.assign(size_t(Width), -1);
    }
    int32_t FirstColumn = Width, LastColumn = -1;
    for (const TEdge& e : Edges)
    {
        uint32_t X = uint32_t(e.X);
        for (int32_t y = e.Top; y <= e.Bottom; ++y, X += uint32_t(e.Delta))
        {
            const int32_t Column = int32_t(X) >> 16;
            Changes[size_t(Column) * H + size_t(y)] += int16_t(e.Winding);
            Low[size_t(Column)] = std::min(Low[size_t(Column)], y);
            High[size_t(Column)] = std::max(High[size_t(Column)], y);
            FirstColumn = std::min(FirstColumn, Column);
            LastColumn = std::max(LastColumn, Column);
        }
    }
    int32_t Lo = Height, Hi = -1; // rows whose running sum may be nonzero
    for (int32_t c = FirstColumn; c <= LastColumn; ++c)
    {
        const int32_t From = std::min(Lo, Low[size_t(c)]);
        const int32_t To = std::max(Hi, High[size_t(c)]);
        Lo = Height;
        Hi = -1;
        int16_t* Column = Changes.data() + size_t(c) * H;
        uint32_t* Target = Bits + c;
        for (int32_t y = From; y <= To; ++y)
        {
            RowWinding[size_t(y)] += Column[y];
            Column[y] = 0;
            if (RowWinding[size_t(y)] != 0)
            {
                Target[y * Stride] = Pixel;
                Lo = std::min(Lo, y);
                Hi = y;
            }
        }
        Low[size_t(c)] = Height;
        High[size_t(c)] = -1;
    }
    // A closed outline leaves no sum behind; clear any all the same.
    for (int32_t y = Lo; y <= Hi; ++y)
        RowWinding[size_t(y)] = 0;
}
