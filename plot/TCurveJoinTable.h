#pragma once
// The corners of a wide curve between whole-pixel points one column apart, worked out once
// per pen and reused: the stroker's outline points of such a corner, relative to the corner
// in 1/64 pixel.
//
// The stroker computes a corner from the two lines' offset ends with double operations whose
// rounding depends on where the corner lies; what it keeps are decisions (inner or outer,
// miter or cut) and points rounded to 1/64 pixel. A corner is worked out here at one place,
// TablePlace, and kept when every decision and every rounding there is clear by far more than
// the rounding anywhere within the stroker's coordinate range (+-16384) can move it: then the
// stroker, anywhere in that range, decides the same and rounds to the same points moved by the
// whole pixels between the two places. Corners that are not that clear are marked to be
// computed where they lie.
//
// The margins, and why they suffice for rises up to Reach: coordinates there are off their
// true values by at most about 4e-12 pixels, the line vectors by twice that; the lines' cross
// product is at least 1 (integer rises that differ), so where the lines meet along either one
// is off by less than 1e-7 and the meeting point by less than 2e-5 pixels; the corner test's
// sine and cosine are off by less than 2e-7 relative to the lengths.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TCurveStroker;

class TCurveJoinTable
{
  public:
    // The largest rise between neighbouring points the table holds.
    static constexpr int Reach = 63;
    // Where corners are worked out: far from 0 on both axes, within the coordinate range.
    static constexpr int TablePlace = 8192;
    // Corners are looked up only at points within this range and no nearer the axes than
    // Clearance: there a continuing line's ends are always fuzzily equal, as they are at the
    // table's place. (Closer to an axis they may not be, when a steep line comes from far.)
    static constexpr double Range = 16000;
    static constexpr double Clearance = 24;

    // How far a decision taken at the table's place must be from its threshold: where the
    // lines meet along either (0 or 1), the corner test's sine and cosine relative to the
    // lengths (0), the miter's length in pixels (the limit); and a point, in 1/64 pixel, from
    // a rounding's half-way mark.
    static constexpr double AlongMargin = 1e-6;
    static constexpr double CornerMargin = 1e-5;
    static constexpr double LengthMargin = 1e-3;
    static constexpr double RoundingMargin = 1e-2;

    // How a corner is drawn: Count points (x, y pairs relative to the corner, 1/64 pixel),
    // or, when Computed, by the stroker where it lies.
    struct TJoin
    {
        uint8_t Known = 0;
        uint8_t Computed = 0;
        uint8_t Count = 0;
        int16_t Points[6] = {};
    };
    // The offset line beside a line one column long: its end relative to the line's end
    // (1/64 pixel), unless Computed. (Its start is the last point of the corner before.)
    struct TLine
    {
        uint8_t Known = 0;
        uint8_t Computed = 0;
        int16_t End[2] = {};
    };

    // What the stroker notes while it works out a corner for the table: the corner's points
    // before rounding, and whether any decision came close to its threshold.
    struct TProbe
    {
        std::vector<double> Points;
        bool Unsure = false;

        void Add(double X, double Y)
        {
            Points.push_back(X);
            Points.push_back(Y);
        }
        // Notes a decision taken by comparing Value with Threshold, unless Margin apart.
        void Compare(double Value, double Threshold, double Margin)
        {
            if (!(std::abs(Value - Threshold) >= Margin))
                Unsure = true;
        }
    };

    TCurveJoinTable();
    ~TCurveJoinTable();

    // The corner at a whole-pixel point between a line rising In over one column and one
    // rising Out (|In|, |Out| <= Reach, In != Out), both walked in the direction Step (+1
    // rightwards, -1 leftwards), for a pen of Width and MiterLimit.
    const TJoin& FindJoin(double Width, double MiterLimit, int Step, int In, int Out)
    {
        if (Width != PenWidth || MiterLimit != PenMiterLimit)
            Reset(Width, MiterLimit);
        TJoin& Join = Joins[Index(Step, In) * Side + size_t(Out + Reach)];
        if (!Join.Known)
            Join = MakeJoin(Step, In, Out);
        return Join;
    }
    // The offset line beside a line rising Rise (|Rise| <= Reach) over one column in the
    // direction Step.
    const TLine& FindLine(double Width, double MiterLimit, int Step, int Rise)
    {
        if (Width != PenWidth || MiterLimit != PenMiterLimit)
            Reset(Width, MiterLimit);
        TLine& Line = Lines[Index(Step, Rise)];
        if (!Line.Known)
            Line = MakeLine(Step, Rise);
        return Line;
    }

  private:
    static constexpr size_t Side = 2 * Reach + 1;
    static size_t Index(int Step, int Rise) { return (Step > 0 ? 0 : Side) + size_t(Rise + Reach); }
    void Reset(double Width, double MiterLimit);
    TJoin MakeJoin(int Step, int In, int Out);
    TLine MakeLine(int Step, int Rise);
    // The rounding of Value to 1/64 pixel less Place, when it is clear by the margin and fits.
    static bool Round(double Value, int Place, int16_t& Out);

    double PenWidth = -1;
    double PenMiterLimit = -1;
    std::vector<TJoin> Joins;
    std::vector<TLine> Lines;
    std::unique_ptr<TCurveStroker> Scratch;
};
