#include "plot/TCurveJoinTable.h"

#include "plot/TCurveStroker.h"

#include <QPointF>

#include <limits>

TCurveJoinTable::TCurveJoinTable() = default;

TCurveJoinTable::~TCurveJoinTable() = default;

void TCurveJoinTable::Reset(double Width, double MiterLimit)
{
    PenWidth = Width;
    PenMiterLimit = MiterLimit;
    Joins.assign(2 * Side * Side, TJoin());
    Lines.assign(2 * Side, TLine());
}

bool TCurveJoinTable::Round(double Value, int Place, int16_t& Out)
{
    const double Scaled = Value * 64;
    if (!(std::abs(Scaled - std::floor(Scaled) - 0.5) >= RoundingMargin))
        return false;
    const int Relative = qRound(Scaled) - Place * 64;
    if (Relative < std::numeric_limits<int16_t>::min() || Relative > std::numeric_limits<int16_t>::max())
        return false;
    Out = int16_t(Relative);
    return true;
}

TCurveJoinTable::TLine TCurveJoinTable::MakeLine(int Step, int Rise)
{
    TLine Line;
    Line.Known = 1;
    Line.Computed = 1;
    if (!Scratch)
        Scratch = std::make_unique<TCurveStroker>();
    const QPointF Start(TablePlace, TablePlace), End = Start + QPointF(Step, Rise);
    const QPointF Shift = Scratch->NormalOffset(Start, End, PenWidth / 2);
    const QPointF B = End + Shift;
    if (Round(B.x(), TablePlace + Step, Line.End[0]) && Round(B.y(), TablePlace + Rise, Line.End[1]))
        Line.Computed = 0;
    return Line;
}

// The stroker draws the line coming in (its offset side, from Before to the joint), then is
// asked for the corner, at the table's place, with the probe watching.
TCurveJoinTable::TJoin TCurveJoinTable::MakeJoin(int Step, int In, int Out)
{
    TJoin Corner;
    Corner.Known = 1;
    Corner.Computed = 1;
    if (!Scratch)
        Scratch = std::make_unique<TCurveStroker>();
    TCurveStroker& Stroker = *Scratch;
    Stroker.Begin(PenWidth, PenMiterLimit);
    const QPointF Joint(TablePlace, TablePlace);
    const QPointF Before = Joint - QPointF(Step, In), After = Joint + QPointF(Step, Out);
    const double Offset = PenWidth / 2;
    const QPointF InShift = Stroker.NormalOffset(Before, Joint, Offset);
    const QPointF OutShift = Stroker.NormalOffset(Joint, After, Offset);
    const QPointF InStart = Before + InShift, InEnd = Joint + InShift;
    Stroker.EmitMoveTo(InStart.x(), InStart.y());
    Stroker.EmitLineTo(InEnd.x(), InEnd.y());
    TProbe Probe;
    Stroker.Probe = &Probe;
    Stroker.Join(Joint.x(), Joint.y(), Joint + OutShift, After + OutShift, false);
    Stroker.Probe = nullptr;
    const size_t Values = Probe.Points.size();
    if (Probe.Unsure || Values == 0 || Values > std::size(Corner.Points))
        return Corner;
    for (size_t k = 0; k < Values; ++k)
        if (!Round(Probe.Points[k], TablePlace, Corner.Points[k]))
            return Corner;
    Corner.Count = uint8_t(Values / 2);
    Corner.Computed = 0;
    return Corner;
}
