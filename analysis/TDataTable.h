#pragma once
// A data set read from a file: (x, y) pairs in long double, in the order of the file, each
// with the number of the line it came from (1 for the first line), the names of the two
// columns when the file had a header row, and the count of rows skipped because a value was
// missing. At most MaxPoints pairs.
//
// Immutable once made, so that many holders can share one table
// (std::shared_ptr<const TDataTable>) and a copy of whatever holds it stays cheap.
#include "expr/Float80.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TDataPoint
{
    Float80 X = 0;
    Float80 Y = 0;

    bool operator==(const TDataPoint&) const = default;
};

class TDataTable
{
  public:
    static constexpr size_t MaxPoints = 1'000'000;

    TDataTable() = default;
    // Lines[i] is the line of Points[i]. Fails with EDataFileError (Msg::DataTooManyPoints)
    // past MaxPoints; Lines must be as long as Points (std::invalid_argument otherwise).
    TDataTable(std::vector<TDataPoint> Points, std::vector<uint32_t> Lines, std::string XName = {},
               std::string YName = {}, size_t SkippedRows = 0);

    size_t Count() const { return FPoints.size(); }
    bool Empty() const { return FPoints.empty(); }
    const TDataPoint& Point(size_t Index) const { return FPoints[Index]; }
    std::span<const TDataPoint> Points() const { return FPoints; }
    // The line of the file the point came from, 1-based.
    uint32_t Line(size_t Index) const { return FLines[Index]; }

    // The header's names of the x and y columns (UTF-8 as the file had them), empty when the
    // file had no header row.
    const std::string& XName() const { return FXName; }
    const std::string& YName() const { return FYName; }
    // Rows left out because their x or y was missing (empty, "NaN", "-" or "?").
    size_t SkippedRows() const { return FSkippedRows; }

    bool operator==(const TDataTable&) const = default;

  private:
    std::vector<TDataPoint> FPoints;
    std::vector<uint32_t> FLines;
    std::string FXName, FYName;
    size_t FSkippedRows = 0;
};
