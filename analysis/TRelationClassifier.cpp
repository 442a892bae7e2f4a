#include "analysis/TRelationClassifier.h"

#include <algorithm>
#include <cmath>

namespace
{
// Edge i of n between A and B: A at 0, B at n, never decreasing.
Float80 Edge(Float80 A, Float80 B, int i, int n)
{
    if (i == 0)
        return A;
    if (i == n)
        return B;
    const Float80 Step = (B - A) / n;
    const Float80 Value = std::isfinite(Step)
                              ? A + Step * i
                              : A * (Float80(n - i) / n) + B * (Float80(i) / n); // a span past the range
    return std::clamp(Value, A, B);
}

std::vector<Float80> Edges(Float80 A, Float80 B, int n)
{
    std::vector<Float80> Result(size_t(n) + 1);
    for (int i = 0; i <= n; ++i)
        Result[size_t(i)] = std::max(Edge(A, B, i, n), i > 0 ? Result[size_t(i) - 1] : A);
    return Result;
}

// A point between a and b (the halves are exact for normal numbers, and their sum lies between).
Float80 Middle(Float80 a, Float80 b)
{
    return std::clamp(a / 2 + b / 2, a, b);
}

bool UsableView(const TRelationView& V, int Width, int Height)
{
    return Width > 0 && Height > 0 && std::isfinite(V.X0) && std::isfinite(V.X1) && std::isfinite(V.Y0) &&
           std::isfinite(V.Y1) && V.X0 < V.X1 && V.Y0 < V.Y1;
}
} // namespace

TRelationClassifier::TRelationClassifier(const TRelationInput& In, const TRelationView& View, int Width,
                                         int Height)
    : Input(In), FWidth(std::max(Width, 0)), FHeight(std::max(Height, 0))
{
    Relations[0] = std::make_unique<TRelation>(Input);
    FShape = Relations[0]->Shape();
    FBoundary = Relations[0]->Boundary();
    FPixels.assign(size_t(FWidth) * size_t(FHeight), TPixelClass::Undecided);
    if (!UsableView(View, FWidth, FHeight))
        return;
    XEdges = Edges(View.X0, View.X1, FWidth);
    YEdges = Edges(-View.Y1, -View.Y0, FHeight); // rows from the top down: negated, exactly
    for (Float80& y : YEdges)
        y = -y;
    constexpr int Block = 1 << BlockShift;
    for (int Row0 = 0; Row0 < FHeight; Row0 += BandRows)
    {
        TBand Band;
        Band.Row0 = Row0;
        Band.Row1 = std::min(Row0 + BandRows, FHeight);
        for (int Column = 0; Column < FWidth; Column += Block)
            Band.Work.push_back({BlockBox(Column, Row0, Block), Column, Row0, Block, 0});
        Bands.push_back(std::move(Band));
    }
}

TRelationClassifier::~TRelationClassifier() = default;

size_t TRelationClassifier::PartIndex(const TBand& Band, const TCell& Cell) const
{
    return size_t(Cell.Row - Band.Row0) * size_t(FWidth) + size_t(Cell.Column);
}

TRelation& TRelationClassifier::Lane(int Index)
{
    std::unique_ptr<TRelation>& Relation = Relations[size_t(Index)];
    if (!Relation)
        Relation = std::make_unique<TRelation>(Input);
    return *Relation;
}

TPlaneBox TRelationClassifier::BlockBox(int Column, int Row, int Size) const
{
    const int Column1 = std::min(Column + Size, FWidth), Row1 = std::min(Row + Size, FHeight);
    return {XEdges[size_t(Column)], XEdges[size_t(Column1)], YEdges[size_t(Row1)], YEdges[size_t(Row)]};
}

bool TRelationClassifier::RefineBand(int BandIndex, int LaneIndex, const TStop& Stop)
{
    TBand& Band = Bands[size_t(BandIndex)];
    if (Band.Level > FinestLevel)
        return true;
    TRelation& Relation = Lane(LaneIndex);
    for (unsigned Count = 1; Band.Next < Band.Work.size(); ++Count)
    {
        if (Stop && Count % 8 == 0 && Stop())
            return false;
        const TCell Cell = Band.Work[Band.Next];
        Settle(Band, Cell, Relation);
        ++Band.Next;
    }
    Band.Work.swap(Band.Following);
    Band.Following.clear();
    Band.Next = 0;
    if (++Band.Level > FinestLevel)
    {
        Band.Work = {};
        Band.Following = {};
        Band.LiveParts = {};
        Band.PixelSign = {};
    }
    return true;
}

bool TRelationClassifier::Refine(int Level, const TStop& Stop)
{
    Level = std::min(Level, FinestLevel);
    for (int l = 0; l <= Level; ++l)
        for (int b = 0; b < BandCount(); ++b)
            if (Bands[size_t(b)].Level == l && !RefineBand(b, 0, Stop))
                return false;
    return Finished(Level);
}

bool TRelationClassifier::Finished(int Level) const
{
    return std::all_of(Bands.begin(), Bands.end(), [Level](const TBand& Band) { return Band.Level > Level; });
}

// One cell: proven empty, proven holding, or cut into four for the next level.
void TRelationClassifier::Settle(TBand& Band, const TCell& Cell, TRelation& Relation)
{
    if (Cell.Depth > 0 && Pixel(Cell.Column, Cell.Row) == TPixelClass::Holds)
        return; // another part of its pixel proved it
    const TRelation::TFacts Facts = Relation.Examine(Cell.Box);
    TPixelClass Class = TPixelClass::Undecided;
    int CommonSign = 0;
    const int KnownSign = Cell.Depth > 0 ? Band.PixelSign[PartIndex(Band, Cell)] : 0;
    if (Facts.Answer == TBoxAnswer::Nowhere)
        Class = TPixelClass::Empty;
    else if (Facts.Answer == TBoxAnswer::Everywhere)
        Class = TPixelClass::Holds;
    else if (KnownSign != 0 ? ProvenAgainst(Cell.Box, KnownSign, Relation)
                            : (Cell.Size == 1 || Cell.Depth > 0) &&
                                  ProvenInside(Cell.Box, Facts.SidesProven, Relation, CommonSign))
        Class = TPixelClass::Holds;
    if (Class == TPixelClass::Undecided)
        Split(Band, Cell, Cell.Depth == 0 && Facts.SidesProven ? CommonSign : KnownSign);
    else if (Cell.Depth == 0)
        Mark(Cell, Class);
    else
        PartDecided(Band, Cell, Class);
}

// A point of the box proven to satisfy the relation: the corners and the centre by the point
// evaluator, and for a curve a sign change of its two sides' difference between two of them.
bool TRelationClassifier::ProvenInside(const TPlaneBox& Box, bool SidesProven, TRelation& Relation,
                                       int& CommonSign)
{
    const Float80 xm = Middle(Box.X0, Box.X1), ym = Middle(Box.Y0, Box.Y1);
    const Float80 Xs[5] = {xm, Box.X0, Box.X1, Box.X0, Box.X1};
    const Float80 Ys[5] = {ym, Box.Y0, Box.Y0, Box.Y1, Box.Y1};
    for (int i = 0; i < 5; ++i)
        if (Relation.HoldsAt(Xs[i], Ys[i]))
            return true;
    if (FShape != TRelationShape::Curve)
        return false;
    // Signs one point at a time from the centre, each tried against those known: the box between
    // the centre and a corner is a quarter of this one.
    int Signs[5];
    for (int j = 0; j < 5; ++j)
    {
        Signs[j] = Relation.SignAt(Xs[j], Ys[j]);
        for (int i = 0; i < j; ++i)
        {
            if (Signs[i] * Signs[j] >= 0)
                continue;
            if (SidesProven)
                return true;
            const TPlaneBox Between{std::min(Xs[i], Xs[j]), std::max(Xs[i], Xs[j]), std::min(Ys[i], Ys[j]),
                                    std::max(Ys[i], Ys[j])};
            if (Relation.Examine(Between).SidesProven)
                return true;
        }
    }
    CommonSign = Signs[0];
    for (int Sign : Signs)
        CommonSign = Sign == CommonSign ? CommonSign : 0;
    return false;
}

// A part of a pixel whose sign KnownSign is proven at other points and whose sides are proven
// continuous on the whole pixel: its centre holding, or of the other sign, proves the pixel.
bool TRelationClassifier::ProvenAgainst(const TPlaneBox& Box, int KnownSign, TRelation& Relation)
{
    const Float80 xm = Middle(Box.X0, Box.X1), ym = Middle(Box.Y0, Box.Y1);
    return Relation.HoldsAt(xm, ym) || Relation.SignAt(xm, ym) == -KnownSign;
}

void TRelationClassifier::Split(TBand& Band, const TCell& Cell, int PixelSign)
{
    if (Cell.Depth == 0 && Cell.Size > 1)
    {
        const int Half = Cell.Size / 2;
        for (int dr : {0, Half})
            for (int dc : {0, Half})
            {
                const int Column = Cell.Column + dc, Row = Cell.Row + dr;
                if (Column < FWidth && Row < Band.Row1)
                    Band.Following.push_back({BlockBox(Column, Row, Half), Column, Row, Half, 0});
            }
        return;
    }
    if (Cell.Depth == SubpixelLevels)
        return; // as fine as it goes: the pixel stays undecided
    if (Band.LiveParts.empty())
    {
        Band.LiveParts.assign(size_t(Band.Row1 - Band.Row0) * size_t(FWidth), 0);
        Band.PixelSign.assign(Band.LiveParts.size(), 0);
    }
    Band.LiveParts[PartIndex(Band, Cell)] += Cell.Depth == 0 ? 4 : 3;
    if (Cell.Depth == 0)
        Band.PixelSign[PartIndex(Band, Cell)] = int8_t(PixelSign);
    const TPlaneBox& B = Cell.Box;
    const Float80 xm = Middle(B.X0, B.X1), ym = Middle(B.Y0, B.Y1);
    for (const TPlaneBox& Part : {TPlaneBox{B.X0, xm, ym, B.Y1}, TPlaneBox{xm, B.X1, ym, B.Y1},
                                  TPlaneBox{B.X0, xm, B.Y0, ym}, TPlaneBox{xm, B.X1, B.Y0, ym}})
        Band.Following.push_back({Part, Cell.Column, Cell.Row, 1, Cell.Depth + 1});
}

void TRelationClassifier::Mark(const TCell& Cell, TPixelClass Class)
{
    const int Column1 = std::min(Cell.Column + Cell.Size, FWidth),
              Row1 = std::min(Cell.Row + Cell.Size, FHeight);
    for (int Row = Cell.Row; Row < Row1; ++Row)
        std::fill(FPixels.begin() + ptrdiff_t(size_t(Row) * size_t(FWidth) + size_t(Cell.Column)),
                  FPixels.begin() + ptrdiff_t(size_t(Row) * size_t(FWidth) + size_t(Column1)), Class);
}

// A part of a pixel decided: one holding part makes the pixel hold; the pixel is empty once
// its last undecided part is.
void TRelationClassifier::PartDecided(TBand& Band, const TCell& Cell, TPixelClass Class)
{
    TPixelClass& Pixel = FPixels[size_t(Cell.Row) * size_t(FWidth) + size_t(Cell.Column)];
    if (Class == TPixelClass::Holds)
    {
        Pixel = TPixelClass::Holds;
        return;
    }
    uint16_t& Live = Band.LiveParts[PartIndex(Band, Cell)];
    if (--Live == 0)
        Pixel = TPixelClass::Empty;
}
