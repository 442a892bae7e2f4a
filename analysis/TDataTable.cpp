#include "analysis/TDataTable.h"

#include "analysis/Errors.h"

#include <stdexcept>

TDataTable::TDataTable(std::vector<TDataPoint> Points, std::vector<uint32_t> Lines, std::string XName,
                       std::string YName, size_t SkippedRows)
    : FPoints(std::move(Points)), FLines(std::move(Lines)), FXName(std::move(XName)),
      FYName(std::move(YName)), FSkippedRows(SkippedRows)
{
    if (FPoints.size() != FLines.size())
        throw std::invalid_argument("TDataTable: one line number per point");
    if (FPoints.size() > MaxPoints)
        throw EDataFileError(std::string(Msg::DataTooManyPoints));
}
