#include "plot/TCurveStroker.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace
{
// How close to 0 the sine or cosine of the corner angle (relative to the lengths) may come
// before QLineF must decide. Its angle is off the true one by far less than 1e-9 degrees
// (atan2 and the degree conversion a few ulps of 360, the fuzzy snaps to 0 and 90 within
// 360e-12 degrees), while a cross or dot product beyond this bound puts the true angle more
// than 1e-6 radians (about 6e-5 degrees) away from the thresholds.
constexpr double CornerTolerance = 1e-6;

// Caps meet their line at a right angle up to rounding, and QLineF's angle for them is 90
// within its fuzzy compare (9e-11 degrees) whenever the cosine, relative to the lengths, is
// below 1e-13 (at most 2e-13 radians, 1.2e-11 degrees, off 90; QLineF's own rounding adds
// under 1e-12 degrees) -- unless QLineF::angle snaps one of the lines from just below 360
// degrees to 0, a shift of up to 3.6e-10 degrees: NearlyRightwards rules those lines out.
constexpr double RightAngleTolerance = 1e-13 / CornerTolerance;

// Whether the line (Dx, Dy) points right, up or down by less than 1e-9 radians off the
// x axis, where QLineF::angle may snap its angle to 0. Exactly horizontal lines have an
// angle of exactly 0 and are not snapped.
bool NearlyRightwards(double Dx, double Dy)
{
    return Dx > 0 && Dy != 0 && std::fabs(Dy) <= 1e-9 * Dx;
}
} // namespace

TCurveStroker::TCurveStroker()
{
    for (size_t k = 0; k < Units.size(); ++k)
    {
        const double Length = std::hypot(double(k), 1.0);
        Units[k] = {Length, double(k) / Length, 1 / Length};
    }
}

TCurveStroker::~TCurveStroker() = default;

void TCurveStroker::Begin(double PenWidth, double PenMiterLimit)
{
    Width = PenWidth;
    MiterLimit = PenMiterLimit;
    FOutline.clear();
    FContourEnds.clear();
    Back1X = Back1Y = Back2X = Back2Y = 0;
}

void TCurveStroker::Close()
{
    if (!FOutline.empty())
        FContourEnds.push_back(int(FOutline.size() / 2) - 1);
}

TCurveStroker::TIntersection TCurveStroker::Intersect(QPointF A1, QPointF A2, QPointF B1, QPointF B2,
                                                      QPointF& At, double* Along)
{
    const double Ax = A2.x() - A1.x(), Ay = A2.y() - A1.y();
    const double Bx = B1.x() - B2.x(), By = B1.y() - B2.y();
    const double Cx = A1.x() - B1.x(), Cy = A1.y() - B1.y();
    const double Denominator = Ay * Bx - Ax * By;
    if (Denominator == 0 || !std::isfinite(Denominator))
        return TIntersection::None;
    const double Reciprocal = 1 / Denominator;
    const double Na = (By * Cx - Bx * Cy) * Reciprocal;
    At = QPointF(A1.x() + Ax * Na, A1.y() + Ay * Na);
    const double Nb = (Ax * Cy - Ay * Cx) * Reciprocal;
    if (Along)
        Along[0] = Na, Along[1] = Nb;
    if (Na < 0 || Na > 1 || Nb < 0 || Nb > 1)
        return TIntersection::Unbounded;
    return TIntersection::Bounded;
}

bool TCurveStroker::InnerCornerByAngle(QPointF Before, QPointF Joint, QPointF Next)
{
    const qreal Angle = QLineF(Joint, Next).angleTo(QLineF(Before, Joint));
    return Angle > 90 && !qFuzzyCompare(Angle, qreal(90));
}

// The angle is measured counter-clockwise with y upwards, from the short cut S = Next - Joint
// to the line P = Joint - Before. It lies in (0, 90) exactly when its sine (the cross
// product P.x S.y - P.y S.x in image coordinates) and its cosine (the dot product) are both
// positive; near 0 and 90 degrees, where QLineF's rounding and fuzzy compares decide, QLineF
// is asked. Near 180 and 270 degrees either side of the threshold gives the same answer.
bool TCurveStroker::InnerCorner(QPointF Before, QPointF Joint, QPointF Next, double* Clearness)
{
    if (Clearness)
        *Clearness = 0;
    if (QLineF(Before, Joint).isNull() || QLineF(Joint, Next).isNull())
        return InnerCornerByAngle(Before, Joint, Next);
    const double Sx = Next.x() - Joint.x(), Sy = Next.y() - Joint.y();
    const double Px = Joint.x() - Before.x(), Py = Joint.y() - Before.y();
    const double Sine = Sy * Px - Sx * Py;
    const double Cosine = Sx * Px + Sy * Py;
    const double Bound = (std::fabs(Sx) + std::fabs(Sy)) * (std::fabs(Px) + std::fabs(Py)) * CornerTolerance;
    if (!(Bound > 0) || (Cosine > 0 && std::fabs(Sine) <= Bound))
        return InnerCornerByAngle(Before, Joint, Next);
    if (Sine > 0 && std::fabs(Cosine) <= Bound)
    {
        if (std::fabs(Cosine) <= Bound * RightAngleTolerance && !NearlyRightwards(Px, Py) &&
            !NearlyRightwards(Sx, Sy))
            return false;
        return InnerCornerByAngle(Before, Joint, Next);
    }
    if (Clearness)
        *Clearness = std::min(std::fabs(Sine), std::fabs(Cosine)) / (Bound / CornerTolerance);
    return !(Sine > 0 && Cosine > 0);
}

void TCurveStroker::EmitMoveTo(double X, double Y)
{
    if (!FOutline.empty())
        FContourEnds.push_back(int(FOutline.size() / 2) - 1);
    Back2X = Back1X, Back2Y = Back1Y;
    Back1X = X, Back1Y = Y;
    FOutline.push_back(qRound(X * 64));
    FOutline.push_back(qRound(Y * 64));
}

// Connects the last emitted point to NextStart around the joint (FocalX, FocalY); the next
// line runs on to NextEnd.
void TCurveStroker::Join(double FocalX, double FocalY, QPointF NextStart, QPointF NextEnd, bool Cap)
{
    if (qFuzzyCompare(Back1X, NextStart.x()) && qFuzzyCompare(Back1Y, NextStart.y()))
        return; // already connected
    const QPointF Back2(Back2X, Back2Y), Back1(Back1X, Back1Y);
    QPointF Intersection;
    double Along[2] = {};
    const TIntersection Type = Intersect(Back2, Back1, NextStart, NextEnd, Intersection, Along);
    if (Probe)
    {
        for (const double Where : Along)
        {
            Probe->Compare(Where, 0, TCurveJoinTable::AlongMargin);
            Probe->Compare(Where, 1, TCurveJoinTable::AlongMargin);
        }
        if (Type == TIntersection::None)
            Probe->Unsure = true;
    }
    // The inner side of a corner runs through the joint itself.
    double Clearness = 0;
    const bool Inner =
        Type == TIntersection::Bounded || InnerCorner(Back2, Back1, NextStart, Probe ? &Clearness : nullptr);
    if (Probe && Type != TIntersection::Bounded)
        Probe->Compare(Clearness, 0, TCurveJoinTable::CornerMargin);
    if (Inner)
    {
        JoinPoint(FocalX, FocalY);
        JoinPoint(NextStart.x(), NextStart.y());
        return;
    }
    if (Cap)
    {
        JoinPoint(NextStart.x(), NextStart.y());
        return;
    }
    // A miter longer than the limit is cut square at that distance along both lines: the
    // line before set to the limit's length and moved on by itself, the next one set to it
    // and moved back by its new self. Parallel lines (a curve turning straight back) have no
    // miter point and are always cut.
    const double Limit = Width * MiterLimit;
    bool Cut = Type == TIntersection::None;
    if (!Cut)
    {
        const double Miter = Length(Intersection.x() - Back1X, Intersection.y() - Back1Y);
        if (Probe)
            Probe->Compare(Miter, Limit, TCurveJoinTable::LengthMargin);
        Cut = Miter > Limit;
    }
    if (Cut)
    {
        const double Dx = Back1X - Back2X, Dy = Back1Y - Back2Y;
        const double Old = Length(Dx, Dy);
        double BeforeX = Back1X, BeforeY = Back1Y;
        if (Old > 0)
            BeforeX = Back2X + Limit * (Dx / Old), BeforeY = Back2Y + Limit * (Dy / Old);
        BeforeX += Dx, BeforeY += Dy;
        const double Nx = NextEnd.x() - NextStart.x(), Ny = NextEnd.y() - NextStart.y();
        const double NextOld = Length(Nx, Ny);
        double AfterEndX = NextEnd.x(), AfterEndY = NextEnd.y();
        if (NextOld > 0)
            AfterEndX = NextStart.x() + Limit * (Nx / NextOld),
            AfterEndY = NextStart.y() + Limit * (Ny / NextOld);
        const double AfterX = NextStart.x() + -(AfterEndX - NextStart.x());
        const double AfterY = NextStart.y() + -(AfterEndY - NextStart.y());
        JoinPoint(BeforeX, BeforeY);
        JoinPoint(AfterX, AfterY);
    }
    else
        JoinPoint(Intersection.x(), Intersection.y());
    JoinPoint(NextStart.x(), NextStart.y());
}

bool TCurveStroker::LookUp(QPointF Joint, int Step, int In, int Out)
{
    if (!Table)
        Table = std::make_unique<TCurveJoinTable>();
    const TCurveJoinTable::TLine& Line = Table->FindLine(Width, MiterLimit, Step, Out);
    if (Line.Computed)
        return false;
    const int32_t X = int32_t(Joint.x()) * 64, Y = int32_t(Joint.y()) * 64;
    if (In != Out) // else the next line goes straight on from the last point, fuzzily
    {
        const TCurveJoinTable::TJoin& Corner = Table->FindJoin(Width, MiterLimit, Step, In, Out);
        if (Corner.Computed)
            return false;
        for (int k = 0; k < Corner.Count; ++k)
        {
            FOutline.push_back(X + Corner.Points[2 * k]);
            FOutline.push_back(Y + Corner.Points[2 * k + 1]);
        }
    }
    FOutline.push_back(X + Step * 64 + Line.End[0]);
    FOutline.push_back(Y + Out * 64 + Line.End[1]);
    return true;
}

void TCurveStroker::RestoreBack(QPointF BeforeThat, QPointF Before, QPointF Joint, bool Skipped)
{
    const double Offset = Width / 2;
    const QPointF Shift = NormalOffset(Before, Joint, Offset);
    const QPointF End = Joint + Shift;
    const QPointF Start = Skipped ? Before + NormalOffset(BeforeThat, Before, Offset) : Before + Shift;
    Back2X = Start.x(), Back2Y = Start.y();
    Back1X = End.x(), Back1Y = End.y();
}

// Lines of no length (by QPointF's fuzzy equality) are passed over. The first line's ends
// are returned in StartA and StartB; the backward side joins it to the forward side's end
// with a cap.
template <bool Backward>
bool TCurveStroker::StrokeSide(const QPointF* Points, size_t Count, bool Loops, bool CapFirst,
                               QPointF& StartA, QPointF& StartB)
{
    auto At = [&](size_t i) { return Backward ? Points[Count - 1 - i] : Points[i]; };
    QPointF Previous = At(0);
    bool First = true;
    const double Offset = Width / 2;
    constexpr int Step = Backward ? -1 : 1;
    // A corner is looked up between two whole lines, which the first and the last line are
    // not when they end a dash; a polyline of a few points (a dot, a short dash) has too few
    // such corners to gain by the look-up what the bookkeeping around it costs.
    const bool LookUps = TableOn && Count >= 8;
    // The last line ran from Before to Previous, rising InRise when corners after it may be
    // looked up; the corner at Before added no point when SkippedBefore.
    QPointF Before, BeforeThat;
    int InRise = NoRise;
    bool SkippedBefore = false;
    // Whether Back1 and Back2 are behind, after corners looked up.
    bool Stale = false;
    for (size_t i = 1; i < Count; ++i)
    {
        const QPointF Point = At(i);
        // Points a pixel or more apart sideways are never fuzzily equal within the range of
        // coordinates stroked here, which spares the curves' usual segments the compare.
        if (!(std::fabs(Point.x() - Previous.x()) >= 1) && Previous == Point)
            continue;
        const int OutRise = LookUps ? TableRise(Previous, Point, Step) : NoRise;
        bool Skipped = false;
        if (!First && InRise != NoRise && OutRise != NoRise && LookUp(Previous, Step, InRise, OutRise))
        {
            Skipped = InRise == OutRise;
            Stale = true;
        }
        else
        {
            if (Stale)
                RestoreBack(BeforeThat, Before, Previous, SkippedBefore);
            Stale = false;
            const QPointF Shift = NormalOffset(Previous, Point, Offset);
            const QPointF LineA = Previous + Shift, LineB = Point + Shift;
            const size_t Emitted = FOutline.size();
            if (First)
            {
                if (CapFirst)
                    Join(Previous.x(), Previous.y(), LineA, LineB, true);
                else
                    EmitMoveTo(LineA.x(), LineA.y());
                StartA = LineA;
                StartB = LineB;
                First = false;
            }
            else
                Join(Previous.x(), Previous.y(), LineA, LineB, false);
            Skipped = FOutline.size() == Emitted;
            EmitLineTo(LineB.x(), LineB.y());
        }
        BeforeThat = Before;
        Before = Previous;
        SkippedBefore = Skipped;
        InRise = OutRise;
        Previous = Point;
    }
    if (Stale)
        RestoreBack(BeforeThat, Before, Previous, SkippedBefore);
    // A side that ends where it started (each coordinate fuzzily) is closed: its last line is
    // joined to its first instead of capped.
    const QPointF Start = At(0);
    if (!Loops || !qFuzzyCompare(Start.x(), Previous.x()) || !qFuzzyCompare(Start.y(), Previous.y()))
        return false;
    if (!First)
        Join(Previous.x(), Previous.y(), StartA, StartB, false);
    return true;
}

void TCurveStroker::Stroke(const QPointF* Points, size_t Count, bool Loops)
{
    if (Count < 2)
        return;
    QPointF ForwardStartA, ForwardStartB, BackwardStartA, BackwardStartB;
    const bool ForwardClosed = StrokeSide<false>(Points, Count, Loops, false, ForwardStartA, ForwardStartB);
    const bool BackwardClosed =
        StrokeSide<true>(Points, Count, Loops, !ForwardClosed, BackwardStartA, BackwardStartB);
    if (!BackwardClosed && !QLineF(ForwardStartA, ForwardStartB).isNull())
        Join(Points[0].x(), Points[0].y(), ForwardStartA, ForwardStartB, true);
}
