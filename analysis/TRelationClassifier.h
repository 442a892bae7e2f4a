#pragma once
// Classifies every pixel of a W x H picture of a relation in x and y (TRelation) as
//   Holds      a point of the pixel is proven to satisfy the relation,
//   Empty      the relation is proven to hold nowhere in the pixel,
//   Undecided  neither could be proven (yet).
// A pixel is the closed box between its edges (ColumnEdge, RowEdge): column c spans
// x from ColumnEdge(c) to ColumnEdge(c + 1), row r (0 at the top) y from RowEdge(r + 1) to
// RowEdge(r). A false Holds or a false Empty is a fault; Undecided is always allowed.
//
// Proofs. A box is Empty or wholly Holds when the relation run on intervals says so
// (TRelation::Examine). Within a pixel or a part of it, Holds is also proven by the point
// evaluator giving exactly true at its centre or a corner, or, for an equation f = g, by
// f - g proven positive at one of these points and negative at another while f and g are
// proven defined and continuous on a box holding both (the intermediate value theorem).
//
// Work, coarse to fine. Level 0 examines blocks of 64 x 64 pixels; each level halves the
// blocks that stay undecided, down to single pixels at PixelLevel; the levels after it
// divide an undecided pixel into 2 x 2, 4 x 4, ... parts, down to FinestLevel. What a level
// decides stays decided, so the picture can be shown after any level, or in the middle of
// one, with the undecided rest drawn as such. The rows are cut into bands of BandRows rows
// that share nothing: two threads may refine two different bands at once, each with its own
// lane (a TRelation of its own). Work stops, and later resumes where it stopped, whenever the
// caller's Stop says so (it is asked every few boxes).
#include "analysis/TRelation.h"
#include "analysis/TRelationInput.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

enum class TPixelClass : uint8_t
{
    Undecided,
    Empty,
    Holds,
};

// The plane's part a picture shows: x from X0 (left) to X1 (right), y from Y0 (bottom) to Y1
// (top), finite and in that order; another view leaves every pixel undecided.
struct TRelationView
{
    Float80 X0, X1, Y0, Y1;
};

class TRelationClassifier
{
  public:
    static constexpr int BlockShift = 6; // level 0 blocks are 2^6 pixels wide
    static constexpr int PixelLevel = BlockShift;
    static constexpr int SubpixelLevels = 4;
    static constexpr int FinestLevel = PixelLevel + SubpixelLevels;
    static constexpr int BandRows = 1 << BlockShift;
    static constexpr int Lanes = 2;

    // True when the work should stop for now.
    using TStop = std::function<bool()>;

    // Reads the relation (its errors pass through, see TRelation) for a Width x Height picture.
    TRelationClassifier(const TRelationInput& Input, const TRelationView& View, int Width, int Height);
    ~TRelationClassifier();
    TRelationClassifier(const TRelationClassifier&) = delete;
    TRelationClassifier& operator=(const TRelationClassifier&) = delete;

    TRelationShape Shape() const { return FShape; }
    TBoundaryPen Boundary() const { return FBoundary; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    int BandCount() const { return int(Bands.size()); }
    // The level band Band works on next; FinestLevel + 1 once it is done.
    int BandLevel(int Band) const { return Bands[size_t(Band)].Level; }
    // Works on Band's current level with Lane's relation (0 <= Lane < Lanes; one thread per
    // lane at a time) until the level is done (true: the band moves to the next level) or
    // Stop says so (false: it resumes there).
    bool RefineBand(int Band, int Lane, const TStop& Stop = {});
    // Every band, level by level up to Level, on this thread (lane 0): true once all are done.
    bool Refine(int Level = FinestLevel, const TStop& Stop = {});
    // Whether every band has finished Level.
    bool Finished(int Level = FinestLevel) const;

    TPixelClass Pixel(int Column, int Row) const
    {
        return FPixels[size_t(Row) * size_t(FWidth) + size_t(Column)];
    }
    // Row by row from the top.
    const std::vector<TPixelClass>& Pixels() const { return FPixels; }
    Float80 ColumnEdge(int c) const { return XEdges[size_t(c)]; }
    Float80 RowEdge(int r) const { return YEdges[size_t(r)]; }

  private:
    // A block of pixels (Depth 0) or a part of one pixel (Depth > 0, the pixel cut 2^Depth
    // times each way), with its box.
    struct TCell
    {
        TPlaneBox Box;
        int Column, Row, Size; // the pixels it covers (Size x Size, clipped), or its pixel
        int Depth;
    };
    struct TBand
    {
        int Row0, Row1;
        int Level = 0;
        std::vector<TCell> Work; // this level's cells; those before Next are done
        size_t Next = 0;
        std::vector<TCell> Following;    // the next level's
        std::vector<uint16_t> LiveParts; // per pixel of the band: its parts still undecided
        // Per pixel of a curve: the sign of f - g proven at its centre and corners, all alike,
        // where f and g are proven defined and continuous on the whole pixel (else 0). A
        // point of the other sign anywhere in the pixel then proves it.
        std::vector<int8_t> PixelSign;
    };

    TRelation& Lane(int Index);
    TPlaneBox BlockBox(int Column, int Row, int Size) const;
    void Settle(TBand& Band, const TCell& Cell, TRelation& Relation);
    bool ProvenInside(const TPlaneBox& Box, bool SidesProven, TRelation& Relation, int& CommonSign);
    bool ProvenAgainst(const TPlaneBox& Box, int PixelSign, TRelation& Relation);
    void Split(TBand& Band, const TCell& Cell, int PixelSign);
    void Mark(const TCell& Cell, TPixelClass Class);
    size_t PartIndex(const TBand& Band, const TCell& Cell) const;
    void PartDecided(TBand& Band, const TCell& Cell, TPixelClass Class);

    TRelationInput Input;
    int FWidth, FHeight;
    TRelationShape FShape;
    TBoundaryPen FBoundary;
    std::vector<Float80> XEdges, YEdges;
    std::vector<TPixelClass> FPixels;
    std::vector<TBand> Bands;
    std::array<std::unique_ptr<TRelation>, Lanes> Relations;
};
