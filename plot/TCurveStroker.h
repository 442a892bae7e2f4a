#pragma once
// Turns one sub-polyline of a wide curve into the closed outline that QPainter's raster
// engine fills for it: the side offset by half the width to one hand, a flat cap, the other
// side back, a flat cap. Inner corners pass through the joint; outer corners get a miter,
// cut square to the offset lines when it is longer than the limit.
//
// The raster engine computes the outline with QLineF's normalVector, setLength, translate,
// intersects and angleTo. The same double operations run here inline and in the same order,
// so every outline point is bit for bit the one QPainter computes; only the corner test,
// which QLineF answers with two atan2 calls, is decided by the signs of a cross and a dot
// product wherever the angle is clearly away from the test's thresholds (0 and 90 degrees),
// and by QLineF itself near them.
//
// The outline is kept already rounded to 1/64 pixel (26.6 fixed point), as the filling uses
// it.
//
// Most corners of a curve join whole-pixel points one column apart with small rises. Those
// are looked up (TCurveJoinTable): the corner's rounded points, worked out once at one place
// and moved to the corner by whole pixels, where that provably gives what the computation
// there gives; every other corner is computed.
#include "plot/TCurveJoinTable.h"

#include <QPointF>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

class TCurveStroker
{
  public:
    TCurveStroker();
    ~TCurveStroker();

    // Starts a new outline for a pen of Width pixels and the given miter limit.
    void Begin(double Width, double MiterLimit);
    // Adds the outline of Points[0 .. Count - 1], whose coordinates lie within +-1e9: one
    // contour around it, capped at both ends; or, when Loops is set and it ends where it
    // starts, two (one per side), each joined where its ends meet. (The raster engine strokes
    // a whole polyline open, but joins a dash that comes back to its start.) A polyline of
    // no length adds nothing.
    void Stroke(const QPointF* Points, size_t Count, bool Loops);
    // Ends the last contour.
    void Close();
    // Whether corners are looked up where they can be (the default). Off, every corner is
    // computed: the reference the look-up is checked against.
    void UseJoinTable(bool On) { TableOn = On; }

    // The outline's points as x, y pairs in 26.6 fixed point; each contour ends where it
    // started, at the index its entry in ContourEnds names.
    const std::vector<int32_t>& Outline() const { return FOutline; }
    const std::vector<int>& ContourEnds() const { return FContourEnds; }

    // std::hypot(X, Y), from a table for the lines between integer points one pixel apart
    // sideways, the curves' usual segments.
    double Length(double X, double Y) const
    {
        if (const TUnit* u = Unit(X, Y))
            return u->Length;
        return std::hypot(X, Y);
    }

    // The offset QLineF(P1, P2).normalVector() set to Distance gives: what translate adds.
    QPointF NormalOffset(QPointF P1, QPointF P2, double Distance) const
    {
        const double Dx = P2.x() - P1.x(), Dy = P2.y() - P1.y();
        // normalVector ends at P1 + (dy, -dx); its dx and dy are read back from that end.
        const double Nx = (P1.x() + Dy) - P1.x(), Ny = (P1.y() + -Dx) - P1.y();
        double Ux, Uy; // Nx / Length, Ny / Length
        if (const TUnit* u = Unit(Nx, Ny))
        {
            const bool Wide = std::fabs(Ny) == 1; // (k, 1) rather than (1, k)
            Ux = std::copysign(Wide ? u->Ratio : u->Inverse, Nx);
            Uy = std::copysign(Wide ? u->Inverse : u->Ratio, Ny);
        }
        else
        {
            const double Old = std::hypot(Nx, Ny);
            if (!(Old > 0))
                return {Nx, Ny};
            Ux = Nx / Old;
            Uy = Ny / Old;
        }
        const double Ex = P1.x() + Distance * Ux, Ey = P1.y() + Distance * Uy;
        return {Ex - P1.x(), Ey - P1.y()};
    }

    // QLineF::intersects, the same operations in the same order.
    enum class TIntersection
    {
        None,
        Bounded,
        Unbounded,
    };
    // Along, when given, receives where the intersection lies along either line (0 at A1 or
    // B1, 1 at A2 or B2).
    static TIntersection Intersect(QPointF A1, QPointF A2, QPointF B1, QPointF B2, QPointF& At,
                                   double* Along = nullptr);

    // QLineF(Joint, Next).angleTo(QLineF(Before, Joint)) > 90 and not fuzzily 90: the corner
    // at Joint, coming from Before and going on to Next, is an inner one. Clearness, when
    // given, receives how clearly the answer was decided without QLineF: the smaller of the
    // sine and cosine relative to the lengths, 0 when QLineF decided.
    static bool InnerCorner(QPointF Before, QPointF Joint, QPointF Next, double* Clearness = nullptr);
    // The same, answered by QLineF alone.
    static bool InnerCornerByAngle(QPointF Before, QPointF Joint, QPointF Next);

  private:
    friend class TCurveJoinTable;

    void EmitMoveTo(double X, double Y);
    void EmitLineTo(double X, double Y)
    {
        Back2X = Back1X, Back2Y = Back1Y;
        Back1X = X, Back1Y = Y;
        FOutline.push_back(qRound(X * 64));
        FOutline.push_back(qRound(Y * 64));
    }
    void Join(double FocalX, double FocalY, QPointF NextStart, QPointF NextEnd, bool Cap);
    // A point of a corner: emitted, and noted by the probe when there is one.
    void JoinPoint(double X, double Y)
    {
        if (Probe)
            Probe->Add(X, Y);
        EmitLineTo(X, Y);
    }
    // The rise of the line from P1 to P2 when a corner at P1 may be looked up: P1 a whole
    // pixel within the table's range and clearance, P2 the next column in direction Step
    // with a whole rise of at most the table's reach. NoRise otherwise.
    static constexpr int NoRise = TCurveJoinTable::Reach + 1;
    static int TableRise(QPointF P1, QPointF P2, int Step)
    {
        const double Rise = P2.y() - P1.y();
        const double Ax = std::fabs(P1.x()), Ay = std::fabs(P1.y());
        if (P2.x() - P1.x() != Step || !(std::fabs(Rise) <= TCurveJoinTable::Reach) ||
            !(Ax >= TCurveJoinTable::Clearance && Ax <= TCurveJoinTable::Range &&
              Ay >= TCurveJoinTable::Clearance && Ay <= TCurveJoinTable::Range))
            return NoRise;
        if (std::trunc(P1.x()) != P1.x() || std::trunc(P1.y()) != P1.y() || std::trunc(P2.y()) != P2.y())
            return NoRise;
        return int(Rise);
    }
    // Emits the corner at the whole-pixel point Joint between lines rising In and Out over
    // one column each, walked in the direction Step, and the end of the next line's offset
    // side, from the table; false, emitting nothing, where the table says to compute them.
    bool LookUp(QPointF Joint, int Step, int In, int Out);
    // Works out again the last two points' doubles (Back1, Back2) after corners looked up:
    // the line from Before to Joint was the last, and the corner at Before added no point
    // when Skipped (then the line before ran from BeforeThat).
    void RestoreBack(QPointF BeforeThat, QPointF Before, QPointF Joint, bool Skipped);
    // One side of the outline, from Points' start (the end when Backward) along the offset
    // lines, begun with a cap when CapFirst, else with a new contour; its first offset line
    // goes to StartA, StartB. True when Loops is set, the side is closed and its ends were
    // joined.
    template <bool Backward>
    bool StrokeSide(const QPointF* Points, size_t Count, bool Loops, bool CapFirst, QPointF& StartA,
                    QPointF& StartB);

    // For (+-k, +-1) and (+-1, +-k), k = 0 .. Units.size() - 1: hypot(k, 1), k / hypot(k, 1)
    // and 1 / hypot(k, 1). Division and hypot are exact in the signs, and hypot in the order
    // of its arguments, so the table gives what the operations give.
    struct TUnit
    {
        double Length;
        double Ratio;
        double Inverse;
    };
    const TUnit* Unit(double X, double Y) const
    {
        const double AX = std::fabs(X), AY = std::fabs(Y);
        const double Size = double(Units.size());
        if (AY == 1 && AX < Size && AX == double(int(AX)))
            return &Units[size_t(AX)];
        if (AX == 1 && AY < Size && AY == double(int(AY)))
            return &Units[size_t(AY)];
        return nullptr;
    }

    std::array<TUnit, 512> Units;
    bool TableOn = true;
    std::unique_ptr<TCurveJoinTable> Table; // made when first needed
    TCurveJoinTable::TProbe* Probe = nullptr;
    double Width = 0;
    double MiterLimit = 0;
    std::vector<int32_t> FOutline;
    std::vector<int> FContourEnds;
    // The last two points emitted: a join looks at the line they make, whatever produced it.
    double Back1X = 0, Back1Y = 0, Back2X = 0, Back2Y = 0;
};
