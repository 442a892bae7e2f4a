#pragma once
// A curve's polylines between gaps, in device pixels, the same for every frame of one set of
// texts, and the error that ended it, if any. A trace that a paint's budget stopped keeps in
// Started, Next and Break where it got to, so the next paint takes it up from there.
#include <QPoint>

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

struct TCurveGeometry
{
    std::vector<QPoint> Points;
    std::vector<size_t> PieceEnds; // piece p is Points[PieceEnds[p - 1] .. PieceEnds[p])
    std::exception_ptr Error;
    // What a source that draws more than polylines keeps for its own drawing (a relation's
    // classified pixels, the markers of data points), its own type behind the pointer.
    std::shared_ptr<void> Extra;
    bool Started = false;
    int64_t Next = 0;
    bool Break = true;

    // Ends the piece under way, if it has points.
    void EndPiece()
    {
        if (PieceEnds.empty() ? !Points.empty() : PieceEnds.back() != Points.size())
            PieceEnds.push_back(Points.size());
    }
    // Whether the curve comes back to where it started: its last point within one pixel of
    // its first (in either direction).
    bool Closed() const
    {
        if (Points.size() < 3)
            return false;
        const QPoint d = Points.back() - Points.front();
        return d.x() >= -1 && d.x() <= 1 && d.y() >= -1 && d.y() <= 1;
    }
};
