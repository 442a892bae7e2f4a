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

// The outline of one polyline: points as x, y pairs; each contour ends where it started.
struct TOutline
{
    std::vector<double> Points;
    std::vector<int> ContourEnds; // index of each contour's last point

    void MoveTo(double X, double Y)
    {
        if (!Points.empty())
            ContourEnds.push_back(int(Points.size() / 2) - 1);
        Points.push_back(X);
        Points.push_back(Y);
    }
    void LineTo(double X, double Y)
    {
        Points.push_back(X);
        Points.push_back(Y);
    }
    void Close()
    {
        if (!Points.empty())
            ContourEnds.push_back(int(Points.size() / 2) - 1);
    }
};

// The stroke of one sub-polyline: the offset side forward, the flat end cap, the offset side
// backward and the flat start cap. The last two points emitted are kept, because a join
// looks at the line they make, whatever produced them.
class TStroker
{
  public:
    TStroker(double Width, double MiterLimit, TOutline& Out) : Width(Width), MiterLimit(MiterLimit), Out(Out)
    {
    }

    // False when the sub-polyline ends where it starts (all of it, when it has no length):
    // the raster engine then joins the ends instead of capping them, which is not repeated.
    bool Stroke(const std::vector<QPointF>& Points)
    {
        if (Points.size() < 2)
            return true;
        if (Points.front() == Points.back())
            return false;
        QLineF ForwardStart, BackwardStart;
        StrokeSide(Points, false, false, &ForwardStart);
        StrokeSide(Points, true, true, &BackwardStart);
        if (!ForwardStart.isNull())
            Join(Points[0].x(), Points[0].y(), ForwardStart, true);
        return true;
    }

  private:
    enum class TJoin
    {
        Flat, // the caps
        Miter,
    };

    void EmitMoveTo(double X, double Y)
    {
        Back2X = Back1X, Back2Y = Back1Y;
        Back1X = X, Back1Y = Y;
        Out.MoveTo(X, Y);
    }
    void EmitLineTo(double X, double Y)
    {
        Back2X = Back1X, Back2Y = Back1Y;
        Back1X = X, Back1Y = Y;
        Out.LineTo(X, Y);
    }

    // Connects the last emitted point to the start of Next around the joint (FocalX, FocalY).
    void Join(double FocalX, double FocalY, const QLineF& Next, bool Cap)
    {
        if (qFuzzyCompare(Back1X, Next.x1()) && qFuzzyCompare(Back1Y, Next.y1()))
            return; // already connected
        const QLineF Previous(Back2X, Back2Y, Back1X, Back1Y);
        QPointF Intersection;
        const QLineF::IntersectionType Type = Previous.intersects(Next, &Intersection);
        // The inner side of a corner runs through the joint itself.
        const QLineF ShortCut(Previous.p2(), Next.p1());
        const qreal Angle = ShortCut.angleTo(Previous);
        if (Type == QLineF::BoundedIntersection || (Angle > 90 && !qFuzzyCompare(Angle, qreal(90))))
        {
            EmitLineTo(FocalX, FocalY);
            EmitLineTo(Next.x1(), Next.y1());
            return;
        }
        if (Cap || Type == QLineF::NoIntersection)
        {
            EmitLineTo(Next.x1(), Next.y1());
            return;
        }
        // A miter longer than the limit is cut square at that distance along both lines.
        const double Limit = Width * MiterLimit;
        if (QLineF(Previous.p2(), Intersection).length() > Limit)
        {
            QLineF Before(Previous);
            Before.setLength(Limit);
            Before.translate(Previous.dx(), Previous.dy());
            QLineF After(Next);
            After.setLength(Limit);
            After.translate(-After.dx(), -After.dy());
            EmitLineTo(Before.x2(), Before.y2());
            EmitLineTo(After.x1(), After.y1());
        }
        else
            EmitLineTo(Intersection.x(), Intersection.y());
        EmitLineTo(Next.x1(), Next.y1());
    }

    // Lines of no length (by QPointF's fuzzy equality) are passed over.
    void StrokeSide(const std::vector<QPointF>& Points, bool Backward, bool CapFirst, QLineF* StartTangent)
    {
        const size_t N = Points.size();
        auto At = [&](size_t i) { return Backward ? Points[N - 1 - i] : Points[i]; };
        QPointF Previous = At(0);
        bool First = true;
        const double Offset = Width / 2;
        for (size_t i = 1; i < N; ++i)
        {
            const QPointF Point = At(i);
            QLineF Line(Previous, Point);
            if (Line.p1() == Line.p2())
                continue;
            QLineF Normal = Line.normalVector();
            Normal.setLength(Offset);
            Line.translate(Normal.dx(), Normal.dy());
            if (First)
            {
                if (CapFirst)
                    Join(Previous.x(), Previous.y(), Line, true);
                else
                    EmitMoveTo(Line.x1(), Line.y1());
                *StartTangent = Line;
                First = false;
            }
            else
                Join(Previous.x(), Previous.y(), Line, false);
            EmitLineTo(Line.x2(), Line.y2());
            Previous = Point;
        }
    }

    double Width;
    double MiterLimit;
    TOutline& Out;
    double Back1X = 0, Back1Y = 0, Back2X = 0, Back2Y = 0;
};

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
    TDasher(const QList<qreal>& Pattern, double Width, double MiterLimit, QRectF Device, TStroker& Stroker)
        : Pattern(Pattern), Width(Width), MiterLimit(MiterLimit), Device(Device), Stroker(Stroker)
    {
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
            double Length = Line.length();
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
        if (Current.size() > 1 && !Stroker.Stroke(Current))
            Failed = true;
        Current.clear();
    }

    const QList<qreal>& Pattern;
    double Width;
    double MiterLimit;
    QRectF Device;
    TStroker& Stroker;
    std::vector<QPointF> Current;

  public:
    bool Failed = false;
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
    std::vector<QPointF> Line;
    Line.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i)
    {
        if (std::abs(Points[i].x()) > CoordinateLimit || std::abs(Points[i].y()) > CoordinateLimit)
            return false;
        // Only polylines going strictly rightwards: no piece of them can end where it starts.
        if (i > 0 && Points[i].x() <= Points[i - 1].x())
            return false;
        Line.emplace_back(Points[i]);
    }
    TOutline Outline;
    TStroker Stroker(PenWidth, Pen.miterLimit(), Outline);
    if (Style == Qt::SolidLine)
    {
        if (!Stroker.Stroke(Line))
            return false;
    }
    else
    {
        const QList<qreal> Pattern = Pen.dashPattern();
        TDasher Dasher(Pattern, PenWidth, Pen.miterLimit(), QRectF(0, 0, Width, Height), Stroker);
        Dasher.Dash(Line);
        if (Dasher.Failed)
            return false;
    }
    Outline.Close();
    if (!AddOutline(Outline.Points, Outline.ContourEnds))
        return false;
    Fill(Pen.color().rgba());
    return true;
}

// The outline's points rounded to 1/64 pixel; each edge crosses the rows whose centre lies
// below its upper end and not below its lower end, at x (16.16) from its upper end plus the
// slope per row, with the slope truncated to 16.16.
bool TCurveRasterizer::AddOutline(const std::vector<double>& Outline, const std::vector<int>& ContourEnds)
{
    Edges.clear();
    const int32_t Right = int32_t(Width) << 16;
    auto Fixed26 = [&](size_t i) { return int32_t(qRound(Outline[i] * 64)); };
    int First = 0;
    for (const int Last : ContourEnds)
    {
        for (int j = First; j < Last; ++j)
        {
            int32_t Ax = Fixed26(2 * size_t(j)), Ay = Fixed26(2 * size_t(j) + 1);
            int32_t Bx = Fixed26(2 * size_t(j) + 2), By = Fixed26(2 * size_t(j) + 3);
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
                Edges.push_back({AFixed, 0, Top, Bottom, Winding});
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
            Edges.push_back({X, Slope, Top, Bottom, Winding});
        }
        First = Last + 1;
    }
    return true;
}

// Every crossing adds its winding to the pixel it starts at; the running sum along each row
// is nonzero exactly on the pixels to set. Columns are swept left to right over the rows
// that have crossings in them or a nonzero sum carried in from the left.
void TCurveRasterizer::Fill(uint32_t Pixel)
{
    if (Edges.empty())
        return;
    const size_t H = size_t(Height);
    if (Changes.empty())
    {
        Changes.assign(size_t(Width) * H, 0);
        RowWinding.assign(H, 0);
    }
    int32_t FirstColumn = Width, LastColumn = -1;
    std::vector<int32_t> Low(size_t(Width), Height), High(size_t(Width), -1);
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
    }
    // A closed outline leaves no sum behind; clear any all the same.
    for (int32_t y = Lo; y <= Hi; ++y)
        RowWinding[size_t(y)] = 0;
}
